#include "terminal_model/ini_encoding.h"

#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF", 3);
const QByteArray kUtf16LeBom("\xFF\xFE", 2);
const QByteArray kUtf16BeBom("\xFE\xFF", 2);

QStringConverter::Encoding Utf16(bool littleEndian)
{
    return littleEndian ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
}

QByteArray EncodeUtf16(const QString &text, bool littleEndian)
{
    QStringEncoder encoder(Utf16(littleEndian), QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

// The run of bytes around the first non-ASCII byte, up to the markup and
// blanks around it: the word a message can show.
QByteArray NonAsciiWord(const QByteArray &line)
{
    const auto isDelimiter = [](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '"' || c == '=' || c == '[' || c == ']';
    };
    qsizetype first = 0;
    while (first < line.size() && static_cast<unsigned char>(line.at(first)) < 0x80)
        ++first;
    qsizetype last = first;
    while (first > 0 && !isDelimiter(line.at(first - 1)))
        --first;
    while (last < line.size() && !isDelimiter(line.at(last)))
        ++last;
    return line.mid(first, last - first);
}

} // namespace

void TIniEncoding::TLineCounts::Add(QByteArrayView line, int sign)
{
    if (TTextCodec::IsAscii(line))
        return;
    (TTextCodec::IsValidUtf8(line) ? Utf8 : Other) += sign;
}

QByteArray TIniEncoding::Open(const QByteArray &file)
{
    *this = TIniEncoding();
    QByteArray data = file;
    if (data.startsWith(kUtf8Bom)) {
        m_bom = true;
        data.remove(0, kUtf8Bom.size());
    } else if (data.startsWith(kUtf16LeBom) || data.startsWith(kUtf16BeBom)) {
        const bool littleEndian = data.startsWith(kUtf16LeBom);
        const QByteArray body = data.mid(2);
        // A second U+FEFF after the mark is text, not another mark.
        QStringDecoder decoder(Utf16(littleEndian),
                               QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        const QString text = decoder.decode(body);
        // Anything that would not convert back byte for byte is kept as bytes.
        if (!decoder.hasError() && EncodeUtf16(text, littleEndian) == body) {
            m_utf16 = littleEndian ? TUtf16::LittleEndian : TUtf16::BigEndian;
            data = text.toUtf8();
        }
    }
    // A byte-order mark says UTF-8 even for ASCII text.
    const bool utf8 = m_utf16 != TUtf16::No || (m_bom && TTextCodec::IsValidUtf8(data));
    m_encoding = utf8 ? TEncoding::Utf8 : TTextCodec::Detect(data);
    return data;
}

QByteArray TIniEncoding::Close(const QByteArray &lines) const
{
    switch (m_utf16) {
    case TUtf16::No:
        return m_bom ? kUtf8Bom + lines : lines;
    case TUtf16::LittleEndian:
        return kUtf16LeBom + EncodeUtf16(TTextCodec::Decode(lines, TEncoding::Utf8), true);
    case TUtf16::BigEndian:
        return kUtf16BeBom + EncodeUtf16(TTextCodec::Decode(lines, TEncoding::Utf8), false);
    }
    return lines;
}

void TIniEncoding::Count(const TLineCounts &change)
{
    m_lines.Utf8 += change.Utf8;
    m_lines.Other += change.Other;
}

bool TIniEncoding::Keeps(const TLineCounts &change) const
{
    // UTF-8 text written as UTF-8 stays valid, and ASCII reads the same either way.
    if (m_encoding == TEncoding::Utf8)
        return true;
    const qsizetype other = m_lines.Other + change.Other;
    const qsizetype utf8 = m_lines.Utf8 + change.Utf8;
    return other > 0 || (!m_bom && utf8 == 0);
}

QString TIniEncoding::UnencodableMessage(const QString &text, const QString &file) const
{
    const QString character = TTextCodec::FirstUnencodable(text, m_encoding);
    // Not toUcs4(): it turns a broken surrogate pair into U+FFFD.
    const char32_t codePoint = character.size() == 2 ? QChar::surrogateToUcs4(character.at(0), character.at(1))
                                                     : character.at(0).unicode();
    const QString code = QStringLiteral("U+") + QString::number(codePoint, 16).toUpper().rightJustified(4, u'0');
    if (m_encoding == TEncoding::Windows1252) {
        return QCoreApplication::translate("TIniEncoding", "The character \"%1\" (%2) cannot be stored in %3: the file is in Windows-1252, "
                              "which has no such character. Nothing was changed.")
            .arg(character, code, file);
    }
    return QCoreApplication::translate("TIniEncoding", "The character %1 cannot be stored in %2: it is half of a surrogate pair, not a whole "
                          "character. Nothing was changed.")
        .arg(code, file);
}

QString TIniEncoding::ChangeMessage(const QByteArray &added, const QString &file) const
{
    // Only a Windows-1252 file whose bytes would all be valid UTF-8 is
    // refused: the next reading would take them for UTF-8.
    if (!TTextCodec::IsAscii(added)) {
        const QByteArray word = NonAsciiWord(added);
        return QStringLiteral("\"%1\" cannot be stored in %2: in this Windows-1252 file its bytes would read back "
                              "as \"%3\". Nothing was changed.")
            .arg(Decode(word), file, TTextCodec::Decode(word, TEncoding::Utf8));
    }
    return QCoreApplication::translate("TIniEncoding", "The change cannot be stored in %1: without the lines it removes or replaces, this "
                          "Windows-1252 file would read as UTF-8 and its accented texts would change. Nothing was "
                          "changed.")
        .arg(file);
}
