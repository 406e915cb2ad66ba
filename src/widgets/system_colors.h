#pragma once

#include <QColor>
#include <QtGlobal>

class QPalette;

// Colours of the colour notation as the screen shows them: plain colours as
// they are, the desktop's system colours through the platform palette.
class TSystemColors {
public:
    static constexpr int InactiveBorder = 11;

    // An invalid colour for "no colour".
    static QColor Resolve(quint32 color, const QPalette &palette);
    // The palette's colour for system colour n (0 scroll bar ... 30 menu bar).
    static QColor SystemColor(int index, const QPalette &palette);
};
