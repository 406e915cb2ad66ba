#pragma once

#include "terminal_model/text_codec.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// How the bytes of a terminal file become the lines of TExtIniFile and back:
// the byte-order mark, UTF-16, and the file's encoding. A file without a
// byte-order mark is UTF-8 when its non-ASCII bytes are valid UTF-8 and
// Windows-1252 otherwise, so a file with only ASCII bytes (a new one too) is
// Windows-1252, the encoding Windows text editors assume.
//
// The lines are counted by what their bytes are, so that a change can be
// checked before it is made: a Windows-1252 file must not turn into bytes
// that the next reading would take for UTF-8, which would change its text.
class TIniEncoding {
public:
    using TEncoding = TTextCodec::TEncoding;

    // Lines with non-ASCII bytes, by whether those are valid UTF-8.
    struct TLineCounts {
        qsizetype Utf8 = 0;
        qsizetype Other = 0;

        // Counts a line's bytes (sign -1 takes them off).
        void Add(QByteArrayView line, int sign = 1);
    };

    // The file's bytes; returns the bytes the lines are cut from (without the
    // byte-order mark, UTF-16 turned into UTF-8) and decides the encoding.
    // The lines are counted afterwards through Count().
    QByteArray Open(const QByteArray &file);
    // The bytes of the lines; returns the file's bytes.
    QByteArray Close(const QByteArray &lines) const;

    TEncoding Encoding() const { return m_encoding; }
    QString Decode(const QByteArray &bytes) const { return TTextCodec::Decode(bytes, m_encoding); }
    bool Encode(const QString &text, QByteArray *out) const { return TTextCodec::Encode(text, m_encoding, out); }

    void Count(const TLineCounts &change);
    // Whether the file still reads in its encoding after the change.
    bool Keeps(const TLineCounts &change) const;

    // Why a change is refused, naming the file as given: the text holds a
    // character the encoding cannot represent; Keeps() refused a change that
    // adds the given bytes.
    QString UnencodableMessage(const QString &text, const QString &file) const;
    QString ChangeMessage(const QByteArray &added, const QString &file) const;

private:
    enum class TUtf16 { No, LittleEndian, BigEndian };

    // A new document: Windows-1252, no byte-order mark.
    TEncoding m_encoding = TEncoding::Windows1252;
    bool m_bom = false;
    // A UTF-16 file is held as UTF-8 and turned back into UTF-16 on writing;
    // the conversion is checked to be lossless on reading.
    TUtf16 m_utf16 = TUtf16::No;
    TLineCounts m_lines;
};
