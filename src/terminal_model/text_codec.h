#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

// The two encodings terminal files come in: UTF-8, and Windows-1252 for files
// written by older Windows tools. The 1252 mapping is a bijection over all 256
// byte values (the five unassigned bytes map to the C1 controls of the same
// number), so decoding and re-encoding any byte string gives it back unchanged.
class TTextCodec {
public:
    enum class TEncoding { Utf8, Windows1252 };

    static bool IsValidUtf8(const QByteArray &data);
    // UTF-8 when the bytes are valid UTF-8, otherwise Windows-1252.
    static TEncoding Detect(const QByteArray &data);

    static QString Decode(const QByteArray &data, TEncoding encoding);
    // False (and nothing written to *out) when the text holds a character that
    // the encoding cannot represent; UTF-8 represents everything.
    static bool Encode(QStringView text, TEncoding encoding, QByteArray *out);

    static QString DecodeWindows1252(const QByteArray &data);
    static bool EncodeWindows1252(QStringView text, QByteArray *out);
};
