#include "execution/hex_literal.h"

#include "terminal_model/text_codec.h"

namespace {

int HexDigitValue(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

bool AppendHexDigits(QString digits, QByteArray *out)
{
    if (digits.size() % 2 != 0)
        digits.prepend(QLatin1Char('0'));
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        const int high = HexDigitValue(digits.at(i));
        const int low = HexDigitValue(digits.at(i + 1));
        if (high < 0 || low < 0)
            return false;
        out->append(char(high * 16 + low));
    }
    return true;
}

}

THexExpansion ExpandHexLiterals(const QString &text)
{
    enum class State { Plain, Mark, Hex };
    THexExpansion result;
    QString plain;   // characters waiting to be encoded, in order
    QByteArray bytes;
    State state = State::Plain;
    qsizetype literalStart = -1;

    const auto flushPlain = [&]() {
        if (plain.isEmpty())
            return true;
        QByteArray chunk;
        if (!TTextCodec::EncodeWindows1252(plain, &chunk))
            return false;
        bytes.append(chunk);
        plain.clear();
        return true;
    };

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        switch (state) {
        case State::Plain:
            if (c == QLatin1Char('x') || c == QLatin1Char('X')) {
                literalStart = i;
                state = State::Mark;
            } else {
                plain.append(c);
            }
            break;
        case State::Mark:
            if (c == QLatin1Char('\'')) {
                state = State::Hex;
            } else {
                plain.append(text.at(literalStart));
                plain.append(c);
                state = State::Plain;
            }
            break;
        case State::Hex:
            if (c == QLatin1Char('\'')) {
                const QString digits = text.mid(literalStart + 2, i - literalStart - 2);
                if (!flushPlain() || !AppendHexDigits(digits, &bytes))
                    return result;
                state = State::Plain;
            }
            break;
        }
    }
    // An unfinished literal (or a trailing mark) is ordinary text.
    if (state != State::Plain)
        plain.append(text.mid(literalStart));
    if (!flushPlain())
        return result;
    result.ok = true;
    result.bytes = bytes;
    return result;
}
