#include "terminal_model/field_conversion.h"

#include "terminal_model/field_types.h"
#include "terminal_model/text_codec.h"

#include <QStringList>

namespace {

const char *const DateLayouts[TFieldConversion::DateFormatCount] = {
    "ddmmyy", "ddmmyyyy", "mmddyy", "mmddyyyy", "yyddmm", "yyyyddmm", "yymmdd", "yyyymmdd",
};

enum class DatePart { Day, Month, ShortYear, LongYear };

// The parts of a layout in their order ("yyddmm" gives year, day, month).
QList<DatePart> layoutParts(const QString &layout)
{
    QList<DatePart> parts;
    for (int i = 0; i < layout.size();) {
        const QStringView rest = QStringView(layout).mid(i);
        if (rest.startsWith(QLatin1String("yyyy"))) {
            parts << DatePart::LongYear;
            i += 4;
        } else if (rest.startsWith(QLatin1String("yy"))) {
            parts << DatePart::ShortYear;
            i += 2;
        } else if (rest.startsWith(QLatin1String("dd"))) {
            parts << DatePart::Day;
            i += 2;
        } else {
            parts << DatePart::Month;
            i += 2;
        }
    }
    return parts;
}

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, QLatin1Char('0'));
}

QString datePartText(DatePart part, const QDate &date)
{
    switch (part) {
    case DatePart::Day:
        return twoDigits(date.day());
    case DatePart::Month:
        return twoDigits(date.month());
    case DatePart::ShortYear:
        return twoDigits(((date.year() % 100) + 100) % 100);
    case DatePart::LongYear:
        return QString::number(date.year()).rightJustified(4, QLatin1Char('0'));
    }
    return QString();
}

QString formatDateParts(int index, const QDate &date, const QString &separator)
{
    if (!date.isValid())
        return QString();
    QStringList texts;
    for (DatePart part : layoutParts(TFieldConversion::DateFormatLayout(index)))
        texts << datePartText(part, date);
    return texts.join(separator);
}

bool isAsciiDigits(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// The year with the given last two digits that lies between 50 years before
// and 49 years after the reference year.
int windowedYear(int twoDigitYear, int referenceYear)
{
    const int first = referenceYear - 50;
    const int century = first - (((first % 100) + 100) % 100);
    int year = century + twoDigitYear;
    if (year < first)
        year += 100;
    return year;
}

QString hexLiteral(quint32 value, int width)
{
    const QString digits = QString::number(value, 16).toUpper();
    return QStringLiteral("x'") + digits.rightJustified(qMax(width, 0), QLatin1Char('0'))
           + QLatin1Char('\'');
}

// The digits that carry the value, without the leading zeros.
QStringView withoutLeadingZeros(QStringView digits)
{
    qsizetype first = 0;
    while (first < digits.size() && digits.at(first) == QLatin1Char('0'))
        ++first;
    return digits.mid(first);
}

QString quoted(const QString &text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// "1 decimal", "3 decimals".
QString counted(qsizetype count, const char *noun)
{
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(noun)
           + (count == 1 ? QString() : QStringLiteral("s"));
}

// Blanks in the broad sense of the printer's answers: every character up to
// and including the space.
QString trimBlanks(const QString &text)
{
    int begin = 0;
    int end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

} // namespace

int TFieldConversion::DateFormatIndex(int stored)
{
    return stored >= 0 && stored < DateFormatCount ? stored : 0;
}

QString TFieldConversion::DateFormatLayout(int index)
{
    if (index < 0 || index >= DateFormatCount)
        index = 0;
    return QString::fromLatin1(DateLayouts[index]);
}

QString TFieldConversion::FormatDate(int index, const QDate &date)
{
    return formatDateParts(index, date, QString());
}

QString TFieldConversion::FormatTime(const QTime &time)
{
    if (!time.isValid())
        return QString();
    return twoDigits(time.hour()) + twoDigits(time.minute()) + twoDigits(time.second());
}

QString TFieldConversion::FormatImpliedDecimal(const QString &text, int width, int decimals)
{
    QString digits = text;
    int separator = digits.indexOf(QLatin1Char(','));
    if (separator < 0)
        separator = digits.indexOf(QLatin1Char('.'));
    if (separator >= 0)
        digits.remove(separator, 1);
    if (width <= 0)
        return digits;

    // A negative decimal count from a hand-edited file would otherwise make
    // the result longer than the field's width.
    decimals = qMax(decimals, 0);

    QString integerPart = digits;
    QString fractionPart;
    if (separator >= 0) {
        integerPart = digits.left(separator);
        if (decimals > 0)
            fractionPart = digits.mid(separator);
    }
    fractionPart = fractionPart.leftJustified(decimals, QLatin1Char('0'), true);

    // Only a plain digit string counts as a number; large integer parts are
    // kept as typed instead of being replaced by zeros.
    if (!isAsciiDigits(integerPart) || integerPart.count(QLatin1Char('0')) == integerPart.size())
        integerPart.clear();

    if (decimals >= width)
        return fractionPart.left(width);

    const int integerWidth = width - decimals;
    if (integerPart.size() > integerWidth)
        integerPart = integerPart.right(integerWidth);
    else
        integerPart = integerPart.rightJustified(integerWidth, QLatin1Char('0'));
    return integerPart + fractionPart;
}

QString TFieldConversion::DecimalToHexLiteral(const QString &text, int width)
{
    bool ok = false;
    qint64 number = text.toLongLong(&ok, 10);
    // Both readings of 32 bits are accepted: a negative number is sent in
    // two's complement, an unsigned one above 2147483647 as it is.
    if (!ok || number < -2147483648LL || number > 4294967295LL)
        number = 0;
    return hexLiteral(static_cast<quint32>(number), width);
}

QString TFieldConversion::HexToHexLiteral(const QString &text)
{
    return QStringLiteral("x'") + text + QLatin1Char('\'');
}

QString TFieldConversion::BinaryToHexLiteral(const QString &text, int width)
{
    quint32 value = 0;
    for (QChar c : text) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        value = value * 2 + (digit ? c.unicode() - '0' : 0);
    }
    return hexLiteral(value, width);
}

QString TFieldConversion::SendText(int textType, const QString &text, int minLength,
                                   int decimalDigits)
{
    switch (textType) {
    case ttCurrency:
        return FormatImpliedDecimal(text, minLength, decimalDigits);
    case ttDecimal:
        return DecimalToHexLiteral(text, minLength);
    case ttHexa:
        return HexToHexLiteral(text);
    case ttBinary:
        return BinaryToHexLiteral(text, minLength);
    default:
        return text;
    }
}

QString TFieldConversion::ImpliedDecimalError(const QString &text, int width, int decimals)
{
    // The separator as FormatImpliedDecimal finds it.
    qsizetype separator = text.indexOf(QLatin1Char(','));
    if (separator < 0)
        separator = text.indexOf(QLatin1Char('.'));
    const QString integerPart = separator >= 0 ? text.left(separator) : text;
    const QString fractionPart = separator >= 0 ? text.mid(separator + 1) : QString();
    if (!integerPart.isEmpty() && !isAsciiDigits(integerPart))
        return QStringLiteral("%1: its integer part %2 is not a number")
            .arg(quoted(text), quoted(integerPart));
    if (!fractionPart.isEmpty() && !isAsciiDigits(fractionPart))
        return QStringLiteral("%1: its decimals %2 are not a number")
            .arg(quoted(text), quoted(fractionPart));
    if (width <= 0)
        return QString();

    decimals = qMax(decimals, 0);
    qsizetype usedDecimals = fractionPart.size();
    while (usedDecimals > 0 && fractionPart.at(usedDecimals - 1) == QLatin1Char('0'))
        --usedDecimals;
    if (usedDecimals > decimals)
        return QStringLiteral("%1 has %2; the field holds %3")
            .arg(quoted(text), counted(usedDecimals, "decimal"))
            .arg(decimals);
    const qsizetype integerDigits = withoutLeadingZeros(integerPart).size();
    const int integerWidth = qMax(width - decimals, 0);
    if (integerDigits > integerWidth)
        return QStringLiteral("%1 has %2; the field holds %3")
            .arg(quoted(text), counted(integerDigits, "integer digit"))
            .arg(integerWidth);
    return QString();
}

QString TFieldConversion::DecimalError(const QString &text)
{
    if (text.isEmpty())
        return QString();
    const QStringView digits = withoutLeadingZeros(text);
    const bool fits = isAsciiDigits(text)
                      && (digits.size() < 10
                          || (digits.size() == 10
                              && digits.compare(QLatin1String("4294967295")) <= 0));
    return fits ? QString()
                : QStringLiteral("%1 is not a whole number from 0 to 4294967295").arg(quoted(text));
}

QString TFieldConversion::BinaryError(const QString &text)
{
    const bool bits = TFieldTypes::IsValidText(ttBinary, text);
    if (bits && withoutLeadingZeros(text).size() <= 32)
        return QString();
    return QStringLiteral("%1 is not a binary number of at most 32 digits").arg(quoted(text));
}

QString TFieldConversion::SendTextError(int textType, const QString &text, int minLength,
                                        int decimalDigits)
{
    switch (textType) {
    case ttCurrency:
        return ImpliedDecimalError(text, minLength, decimalDigits);
    case ttDecimal:
        return DecimalError(text);
    case ttBinary:
        return BinaryError(text);
    default:
        if (TFieldTypes::IsValidText(textType, text))
            return QString();
        return QStringLiteral("%1 is not a valid %2 text")
            .arg(quoted(text), TFieldTypes::TextTypeGridName(textType));
    }
}

quint32 TFieldConversion::BytesToInteger(const QByteArray &data)
{
    if (data.isEmpty() || data.size() > 4)
        return 0;
    quint32 value = 0;
    for (char byte : data)
        value = (value << 8) | static_cast<quint8>(byte);
    return value;
}

QString TFieldConversion::BytesToDecimal(const QByteArray &data)
{
    return QString::number(static_cast<qint32>(BytesToInteger(data)));
}

QString TFieldConversion::BytesToHex(const QByteArray &data)
{
    return QString::number(BytesToInteger(data), 16).toUpper()
        .rightJustified(data.size(), QLatin1Char('0'));
}

QString TFieldConversion::BytesToBinary(const QByteArray &data)
{
    const quint32 value = BytesToInteger(data);
    const int bits = 8 * data.size();
    QString digits(bits, QLatin1Char('0'));
    for (int i = 0; i < bits && i < 32; ++i) {
        if (value & (quint32(1) << i))
            digits[bits - 1 - i] = QLatin1Char('1');
    }
    return digits;
}

QString TFieldConversion::InsertDecimalPoint(const QString &text, int decimals)
{
    if (decimals <= 0 || decimals >= text.size())
        return text;
    QString digits = trimBlanks(text);
    // Blank padding can leave fewer digits than decimals: 12 with three
    // decimals is 0.012, not .12.
    if (digits.size() <= decimals)
        digits = digits.rightJustified(decimals + 1, QLatin1Char('0'));
    digits.insert(digits.size() - decimals, QLatin1Char('.'));
    return digits;
}

QString TFieldConversion::ReformatDate(const QString &text, int inputFormat, int outputFormat,
                                       const QDate &today)
{
    if (inputFormat < 0 || inputFormat >= DateFormatCount)
        inputFormat = 6; // "yymmdd"
    if (outputFormat < 0 || outputFormat >= DateFormatCount)
        outputFormat = 0;

    QString separated = text;
    if (!separated.contains(QLatin1Char('/'))) {
        const bool longYearFirst = inputFormat == 5 || inputFormat == 7;
        const int first = longYearFirst ? 4 : 2;
        separated.insert(qMin(first, separated.size()), QLatin1Char('/'));
        separated.insert(qMin(first + 3, separated.size()), QLatin1Char('/'));
    }

    const QStringList texts = separated.split(QLatin1Char('/'));
    const QList<DatePart> parts = layoutParts(DateFormatLayout(inputFormat));
    if (texts.size() != parts.size())
        return text;

    const int referenceYear = today.isValid() ? today.year() : QDate::currentDate().year();
    int day = 0;
    int month = 0;
    int year = 0;
    for (int i = 0; i < parts.size(); ++i) {
        const QString &part = texts.at(i);
        if (!isAsciiDigits(part) || part.size() > 9)
            return text;
        const int value = part.toInt();
        switch (parts.at(i)) {
        case DatePart::Day:
            day = value;
            break;
        case DatePart::Month:
            month = value;
            break;
        case DatePart::ShortYear:
        case DatePart::LongYear:
            year = part.size() <= 2 ? windowedYear(value, referenceYear) : value;
            break;
        }
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return text;
    return formatDateParts(outputFormat, date, QStringLiteral("/"));
}

QString TFieldConversion::ReformatTime(const QString &text)
{
    // An empty field stays empty rather than showing a lone ":".
    if (text.isEmpty() || text.contains(QLatin1Char(':')))
        return text;
    QString result = text;
    result.insert(qMin(2, result.size()), QLatin1Char(':'));
    if (text.size() >= 5)
        result.insert(5, QLatin1Char(':'));
    return result;
}

QString TFieldConversion::DisplayText(int textType, const QByteArray &data, int decimalDigits,
                                      int inputFormat, int outputFormat, const QDate &today)
{
    // Printers send text in the code page the program sends it in.
    const QString text = TTextCodec::DecodeWindows1252(data);
    const bool byteType = textType == ttDecimal || textType == ttHexa || textType == ttBinary;
    // Beyond 4 bytes the number conversions read 0, which would pass for a
    // real value: the bytes are shown as they came, as a hex literal.
    if (byteType && data.size() > 4)
        return QStringLiteral("x'") + QString::fromLatin1(data.toHex().toUpper()) + QLatin1Char('\'');
    switch (textType) {
    case ttCurrency:
        return InsertDecimalPoint(text, decimalDigits);
    case ttDecimal:
        return BytesToDecimal(data);
    case ttHexa:
        return BytesToHex(data);
    case ttBinary:
        return BytesToBinary(data);
    case ttDate:
        return ReformatDate(text, inputFormat, outputFormat, today);
    case ttTime:
        return ReformatTime(text);
    default:
        return text;
    }
}
