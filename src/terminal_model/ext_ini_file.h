#pragma once

#include "terminal_model/text_codec.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// An INI document held in memory. Reads and writes work on the parsed lines;
// UpdateFile() writes the whole document once, atomically. Lines that no write
// addresses keep their original bytes (comments, blanks, spacing, line ends,
// encoding), so a file is never reformatted behind the user's back.
//
// Section and key names are matched without regard to letter case. Values are
// returned trimmed, quotes as stored. Values are never cut on reading: the
// format's limits (MaxListValueLength for Commands and Answers, MaxValueLength
// for everything else) are for writers to respect, and cutting on reading
// would lose data on the next write.
//
// Files are read as UTF-8 when valid, otherwise as Windows-1252, and written
// back in the same encoding (UTF-16 with a byte-order mark is kept as well).
// Text that Windows-1252 cannot hold moves the whole file to UTF-8. New lines
// take the line ending of the file's first line.
class TExtIniFile {
public:
    static constexpr int MaxListValueLength = 8191;
    static constexpr int MaxValueLength = 2047;

    TExtIniFile();
    explicit TExtIniFile(const QString &fileName);   // loads at once when the file exists
    ~TExtIniFile();
    TExtIniFile(const TExtIniFile &other);
    TExtIniFile &operator=(const TExtIniFile &other);

    bool Load(const QString &fileName);               // false + LastError() on a read error
    bool LoadFromData(const QByteArray &data);
    bool Reload();                                    // re-read FileName() from disk
    QString FileName() const;

    QString ReadString(const QString &section, const QString &key, const QString &def = QString()) const;
    int ReadInteger(const QString &section, const QString &key, int def) const;
    void WriteString(const QString &section, const QString &key, const QString &value);
    void WriteInteger(const QString &section, const QString &key, int value);
    QStringList ReadSection(const QString &section) const;   // key names in file order
    QStringList ReadSections() const;                        // section names in file order
    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    void DeleteKey(const QString &section, const QString &key);
    void EraseSection(const QString &section);

    bool IsModified() const;
    // Temporary file in the same folder, renamed over the original (keeping
    // its permissions). False + LastError() "Unable to write to <file>": the
    // file is unchanged and the changes stay in memory (Reload() drops them).
    bool UpdateFile();
    // The whole content to another file, atomically; on success that file
    // becomes FileName().
    bool SaveAs(const QString &fileName);
    QString LastError() const;
    QByteArray ToData() const;                // the bytes UpdateFile would write

    TTextCodec::TEncoding Encoding() const;

private:
    struct TLine;
    struct TSection;

    void Clear();
    void Parse(const QByteArray &data);
    TSection *FindSection(const QString &section) const;
    TSection *AppendSection(const QString &section);
    QByteArray EncodeLine(const QString &text);
    void SwitchToUtf8();
    void RebuildKeyIndex(TSection *section);
    bool WriteData(const QString &fileName, const QByteArray &data);
    QByteArray NewLineEnding() const;
    void MarkClean();

    QString m_fileName;
    QString m_lastError;
    TTextCodec::TEncoding m_encoding = TTextCodec::TEncoding::Utf8;
    bool m_bom = false;
    // A UTF-16 file (with its byte-order mark) is held as UTF-8 and turned
    // back into UTF-16 on writing; the conversion is checked to be lossless.
    enum class TUtf16 { No, LittleEndian, BigEndian };
    TUtf16 m_utf16 = TUtf16::No;
    bool m_modified = false;
    bool m_crlf = false;
    // The bytes as loaded; the lines refer into them until they are changed.
    QByteArray m_source;
    // Lines before the first section header live in a section with no header.
    std::vector<std::unique_ptr<TSection>> m_sections;
    // Lower-case name -> every section of that name, in file order; reads and
    // writes use the first, erasing removes them all.
    QHash<QString, std::vector<TSection *>> m_sectionIndex;
};
