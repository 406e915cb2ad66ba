#include "terminal_model/text_codec.h"

#include <QHash>
#include <QStringDecoder>

namespace {

// Code points of the bytes 0x80..0x9F; the other bytes map to the code point of
// the same number.
constexpr char16_t kHighTable[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

const QHash<char16_t, char> &ReverseHighTable()
{
    static const QHash<char16_t, char> table = [] {
        QHash<char16_t, char> t;
        for (int i = 0; i < 32; ++i)
            t.insert(kHighTable[i], char(0x80 + i));
        return t;
    }();
    return table;
}

bool ToWindows1252(char16_t u, char *byte)
{
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
        *byte = char(u);
        return true;
    }
    const auto it = ReverseHighTable().constFind(u);
    if (it == ReverseHighTable().constEnd())
        return false;
    *byte = it.value();
    return true;
}

} // namespace

bool TTextCodec::IsAscii(QByteArrayView data)
{
    for (const char c : data) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool TTextCodec::IsValidUtf8(QByteArrayView data)
{
    return data.isValidUtf8();
}

TTextCodec::TEncoding TTextCodec::Detect(QByteArrayView data)
{
    return !IsAscii(data) && IsValidUtf8(data) ? TEncoding::Utf8 : TEncoding::Windows1252;
}

QString TTextCodec::Decode(const QByteArray &data, TEncoding encoding)
{
    if (encoding == TEncoding::Windows1252)
        return DecodeWindows1252(data);
    // QString::fromUtf8 would drop a leading U+FEFF: a name or value starting
    // with it would not read back as written.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(data);
}

bool TTextCodec::Encode(QStringView text, TEncoding encoding, QByteArray *out)
{
    if (encoding == TEncoding::Windows1252)
        return EncodeWindows1252(text, out);
    if (!FirstUnencodable(text, encoding).isEmpty())
        return false;
    *out = text.toUtf8();
    return true;
}

QString TTextCodec::FirstUnencodable(QStringView text, TEncoding encoding)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            if (encoding == TEncoding::Windows1252)
                return text.mid(i, 2).toString();
            ++i;
            continue;
        }
        if (c.isSurrogate())
            return QString(c);
        char unused;
        if (encoding == TEncoding::Windows1252 && !ToWindows1252(c.unicode(), &unused))
            return QString(c);
    }
    return QString();
}

QString TTextCodec::DecodeWindows1252(const QByteArray &data)
{
    QString result(data.size(), Qt::Uninitialized);
    QChar *out = result.data();
    for (const char c : data) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(kHighTable[b - 0x80]) : QChar(b);
    }
    return result;
}

bool TTextCodec::EncodeWindows1252(QStringView text, QByteArray *out)
{
    QByteArray result(text.size(), Qt::Uninitialized);
    char *p = result.data();
    for (const QChar ch : text) {
        if (!ToWindows1252(ch.unicode(), p++))
            return false;
    }
    *out = result;
    return true;
}
