#include "terminal_model/field_types.h"

#include <QChar>

namespace {

const char *const GridNames[TFieldTypes::TextTypeCount] = {
    "AlphaNumeric", "Alpha", "Currency", "Numeric", "Decimal",
    "Hexa", "Binary", "Boolean", "Date", "Time",
};

const char *const ControlNames[TFieldTypes::ControlTypeCount] = {
    "Simple", "DropDown", "DropDownList", "Date", "Time",
};

bool isAsciiDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

bool isHexDigit(char32_t c)
{
    return isAsciiDigit(c) || (c >= U'A' && c <= U'F') || (c >= U'a' && c <= U'f');
}

// Only ASCII letters are upper-cased: a non-ASCII letter whose upper case
// happens to be an ASCII letter (the long s) must not slip into a Hexa or
// Boolean box.
char32_t asciiUpper(char32_t c)
{
    return (c >= U'a' && c <= U'z') ? c - (U'a' - U'A') : c;
}

bool isSeparator(char32_t c)
{
    return c == U'.' || c == U',';
}

} // namespace

QString TFieldTypes::TextTypeGridName(int code)
{
    if (code < 0 || code >= TextTypeCount)
        return QString::fromLatin1(GridNames[ttAlphaNumeric]);
    return QString::fromLatin1(GridNames[code]);
}

int TFieldTypes::TextTypeFromGridName(const QString &name)
{
    for (int code = 0; code < TextTypeCount; ++code) {
        if (name == QLatin1String(GridNames[code]))
            return code;
    }
    return ttTime;
}

QStringList TFieldTypes::TextTypeGridNames()
{
    QStringList names;
    for (const char *name : GridNames)
        names << QString::fromLatin1(name);
    return names;
}

QString TFieldTypes::TextTypeDialogName(int code)
{
    return QStringLiteral("as") + TextTypeGridName(code);
}

QStringList TFieldTypes::TextTypeDialogNames()
{
    QStringList names;
    for (const char *name : GridNames)
        names << QStringLiteral("as") + QString::fromLatin1(name);
    return names;
}

QString TFieldTypes::ControlTypeName(int code)
{
    if (code < 0 || code >= ControlTypeCount)
        return QString::fromLatin1(ControlNames[ctSimple]);
    return QString::fromLatin1(ControlNames[code]);
}

int TFieldTypes::ControlTypeFromName(const QString &name)
{
    for (int code = 0; code < ControlTypeCount; ++code) {
        if (name == QLatin1String(ControlNames[code]))
            return code;
    }
    return ctTime;
}

QStringList TFieldTypes::ControlTypeNames()
{
    QStringList names;
    for (const char *name : ControlNames)
        names << QString::fromLatin1(name);
    return names;
}

QString TFieldTypes::ModeName(int mode)
{
    return mode == 0 ? QStringLiteral("Host") : QStringLiteral("Fiscal");
}

int TFieldTypes::ModeFromName(const QString &name)
{
    return name == QLatin1String("Host") ? 0 : 1;
}

QString TFieldTypes::YesNoName(int value)
{
    return value == 1 ? QStringLiteral("Yes") : QStringLiteral("No");
}

int TFieldTypes::YesNoFromName(const QString &name)
{
    return name == QLatin1String("Yes") ? 1 : 0;
}

bool TFieldTypes::IsFiltered(int textType)
{
    return textType >= ttAlpha && textType <= ttBoolean;
}

bool TFieldTypes::IsValidChar(int textType, char32_t c)
{
    switch (textType) {
    case ttAlpha:
        return QChar::isLetter(c);
    case ttCurrency:
        return isAsciiDigit(c) || isSeparator(c);
    case ttNumeric:
    case ttDecimal:
        return isAsciiDigit(c);
    case ttHexa:
        return isHexDigit(c);
    case ttBinary:
        return c == U'0' || c == U'1';
    case ttBoolean: {
        const char32_t upper = asciiUpper(c);
        return upper == U'Y' || upper == U'S' || upper == U'N';
    }
    default:
        return true;
    }
}

char32_t TFieldTypes::FilterKey(int textType, char32_t key, QStringView currentText)
{
    if (key < 32)
        return key;
    switch (textType) {
    case ttCurrency:
        if (isSeparator(key)) {
            const bool hasSeparator = currentText.contains(QLatin1Char('.'))
                                      || currentText.contains(QLatin1Char(','));
            return hasSeparator ? 0 : key;
        }
        return isAsciiDigit(key) ? key : 0;
    case ttHexa:
    case ttBoolean: {
        const char32_t upper = asciiUpper(key);
        return IsValidChar(textType, upper) ? upper : 0;
    }
    default:
        return IsValidChar(textType, key) ? key : 0;
    }
}

bool TFieldTypes::IsValidText(int textType, QStringView text)
{
    if (!IsFiltered(textType))
        return true;
    for (char32_t c : text.toUcs4()) {
        if (!IsValidChar(textType, c))
            return false;
    }
    return true;
}
