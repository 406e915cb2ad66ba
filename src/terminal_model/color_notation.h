#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

// Colours of fixed-answer records as 32-bit values: red in the lowest byte,
// then green, then blue; 0x80000000 + n is the desktop's system colour n;
// 0x1FFFFFFF is no colour. As text: a name of the table, or "$" and eight
// upper-case hex digits; decimal is accepted on reading.
class TColorNotation {
public:
    static constexpr quint32 None = 0x1FFFFFFF;
    static constexpr quint32 SystemColorBase = 0x80000000;
    static constexpr quint32 Black = 0x000000;

    static QString ToText(quint32 color);
    static bool FromText(const QString &text, quint32 *color);
    // Every name of the table, ordinary colours first, then system colours,
    // then clNone.
    static QStringList Names();

    static bool IsSystemColor(quint32 color);
    static int Red(quint32 color) { return int(color & 0xFF); }
    static int Green(quint32 color) { return int((color >> 8) & 0xFF); }
    static int Blue(quint32 color) { return int((color >> 16) & 0xFF); }
    static quint32 FromRgb(int red, int green, int blue);
};
