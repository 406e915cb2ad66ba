#include "terminal_model/color_notation.h"

#include <utility>

namespace {

struct TNamedColor {
    const char *name;
    quint32 value;
};

constexpr quint32 Sys(quint32 n)
{
    return TColorNotation::SystemColorBase + n;
}

constexpr TNamedColor kColors[] = {
    {"clBlack", 0x000000},      {"clMaroon", 0x000080},   {"clGreen", 0x008000},   {"clOlive", 0x008080},
    {"clNavy", 0x800000},       {"clPurple", 0x800080},   {"clTeal", 0x808000},    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},     {"clRed", 0x0000FF},      {"clLime", 0x00FF00},    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},       {"clFuchsia", 0xFF00FF},  {"clAqua", 0xFFFF00},    {"clWhite", 0xFFFFFF},
    {"clScrollBar", Sys(0)},    {"clBackground", Sys(1)}, {"clActiveCaption", Sys(2)},
    {"clInactiveCaption", Sys(3)}, {"clMenu", Sys(4)},    {"clWindow", Sys(5)},    {"clWindowFrame", Sys(6)},
    {"clMenuText", Sys(7)},     {"clWindowText", Sys(8)}, {"clCaptionText", Sys(9)},
    {"clActiveBorder", Sys(10)}, {"clInactiveBorder", Sys(11)}, {"clAppWorkSpace", Sys(12)},
    {"clHighlight", Sys(13)},   {"clHighlightText", Sys(14)}, {"clBtnFace", Sys(15)},
    {"clBtnShadow", Sys(16)},   {"clGrayText", Sys(17)},  {"clBtnText", Sys(18)},
    {"clInactiveCaptionText", Sys(19)}, {"clBtnHighlight", Sys(20)}, {"cl3DDkShadow", Sys(21)},
    {"cl3DLight", Sys(22)},     {"clInfoText", Sys(23)},  {"clInfoBk", Sys(24)},
    {"clNone", TColorNotation::None},
};

bool IsHexDigit(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('a') && c <= QLatin1Char('f'))
           || (c >= QLatin1Char('A') && c <= QLatin1Char('F'));
}

} // namespace

QString TColorNotation::ToText(quint32 color)
{
    for (const TNamedColor &named : kColors) {
        if (named.value == color)
            return QLatin1String(named.name);
    }
    return QStringLiteral("$%1").arg(color, 8, 16, QLatin1Char('0')).toUpper();
}

bool TColorNotation::FromText(const QString &input, quint32 *color)
{
    const QString text = input.trimmed();
    for (const TNamedColor &named : kColors) {
        if (text.compare(QLatin1String(named.name), Qt::CaseInsensitive) == 0) {
            *color = named.value;
            return true;
        }
    }
    if (text.startsWith(QLatin1Char('$'))) {
        const QString digits = text.mid(1);
        if (digits.isEmpty() || digits.size() > 8)
            return false;
        for (const QChar c : digits) {
            if (!IsHexDigit(c))
                return false;
        }
        *color = digits.toUInt(nullptr, 16);
        return true;
    }
    // Decimal, also as the signed 32-bit number older tools wrote for system
    // colours.
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, 10);
    if (!ok || value < qlonglong(INT32_MIN) || value > qlonglong(UINT32_MAX))
        return false;
    *color = quint32(value);
    return true;
}

QStringList TColorNotation::Names()
{
    QStringList names;
    for (const TNamedColor &named : kColors)
        names.append(QLatin1String(named.name));
    return names;
}

bool TColorNotation::IsSystemColor(quint32 color)
{
    return color >= SystemColorBase && color <= Sys(24);
}

quint32 TColorNotation::FromRgb(int red, int green, int blue)
{
    return quint32(red & 0xFF) | (quint32(green & 0xFF) << 8) | (quint32(blue & 0xFF) << 16);
}
