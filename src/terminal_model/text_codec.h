#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

// The two encodings terminal files come in: Windows-1252, the encoding Windows
// text editors assume for a file without a byte-order mark, and UTF-8. The 1252
// mapping is a bijection over all 256 byte values (the five unassigned bytes
// map to the C1 controls of the same number), so decoding and re-encoding any
// byte string gives it back unchanged.
class TTextCodec {
public:
    enum class TEncoding { Utf8, Windows1252 };

    static bool IsAscii(QByteArrayView data);
    static bool IsValidUtf8(QByteArrayView data);
    // UTF-8 when the bytes hold non-ASCII text that is valid UTF-8, otherwise
    // Windows-1252 (plain ASCII reads the same in both).
    static TEncoding Detect(QByteArrayView data);

    // A leading U+FEFF is text like any other here: byte-order marks belong to
    // whole files, which strip theirs before decoding.
    static QString Decode(const QByteArray &data, TEncoding encoding);
    // False (and nothing written to *out) when the text holds a character that
    // the encoding cannot represent (see FirstUnencodable).
    static bool Encode(QStringView text, TEncoding encoding, QByteArray *out);
    // The first character of the text the encoding cannot represent (a
    // surrogate pair as one character), or an empty string. UTF-8 lacks only
    // the halves of broken surrogate pairs.
    static QString FirstUnencodable(QStringView text, TEncoding encoding);

    static QString DecodeWindows1252(const QByteArray &data);
    static bool EncodeWindows1252(QStringView text, QByteArray *out);
};
