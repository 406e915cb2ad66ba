#pragma once

#include "terminal_model/ini_encoding.h"

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
// A file keeps its encoding (see TIniEncoding): Windows-1252 (files with only
// ASCII bytes and new files too), UTF-8, or UTF-16 with a byte-order mark.
// A change the encoding cannot hold (a character Windows-1252 lacks), or a
// new name that would not read back as written (a key with "=", a section
// with "]", a line break), is refused: the write returns false and changes
// nothing, and UpdateFile() and SaveAs() then fail with a message naming the
// character or name, so a caller that reports failed writes shows it. New lines take the line ending of the
// file's first line; a file without one gets CR LF.
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
    // False when refused (see RefusedChange()); nothing is changed then.
    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInteger(const QString &section, const QString &key, int value);
    QStringList ReadSection(const QString &section) const;   // key names in file order
    QStringList ReadSections() const;                        // section names in file order
    bool SectionExists(const QString &section) const;
    bool ValueExists(const QString &section, const QString &key) const;
    bool DeleteKey(const QString &section, const QString &key);
    bool EraseSection(const QString &section);

    bool IsModified() const;
    // The message of the first change refused since loading, or empty.
    QString RefusedChange() const;
    // Temporary file in the same folder, renamed over the original (keeping
    // its permissions). False + LastError() "Unable to write to <file>", or
    // the message of a refused change: the file is unchanged and the changes
    // stay in memory (Reload() drops them).
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
    TSection *AppendSection(const QString &section, const QByteArray &header);
    bool EncodeLine(const QString &text, QByteArray *out);
    bool CheckChange(const TIniEncoding::TLineCounts &change, const QByteArray &added);
    bool Refuse(const QString &message);
    QString DisplayName() const;
    void RebuildKeyIndex(TSection *section);
    bool WriteData(const QString &fileName, const QByteArray &data);
    QByteArray NewLineEnding() const;
    void MarkClean();

    QString m_fileName;
    QString m_lastError;
    QString m_refused;
    TIniEncoding m_codec;
    bool m_modified = false;
    bool m_crlf = true;
    // The bytes as loaded; the lines refer into them until they are changed.
    QByteArray m_source;
    // Lines before the first section header live in a section with no header.
    std::vector<std::unique_ptr<TSection>> m_sections;
    // Lower-case name -> every section of that name, in file order; reads and
    // writes use the first, erasing removes them all.
    QHash<QString, std::vector<TSection *>> m_sectionIndex;
};
