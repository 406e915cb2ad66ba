#include "widgets/system_colors.h"

#include "terminal_model/color_notation.h"

#include <QPalette>

QColor TSystemColors::Resolve(quint32 color, const QPalette &palette)
{
    if (color == TColorNotation::None)
        return {};
    if (TColorNotation::IsSystemColor(color))
        return SystemColor(int(color & 0xFF), palette);
    return QColor(TColorNotation::Red(color), TColorNotation::Green(color), TColorNotation::Blue(color));
}

QColor TSystemColors::SystemColor(int index, const QPalette &palette)
{
    switch (index) {
    case 0:   // scroll bar
    case 4:   // menu
    case 10:  // active border
    case 11:  // inactive border
    case 15:  // button face
    case 30:  // menu bar
        return palette.color(QPalette::Active, QPalette::Button);
    case 1:   // desktop
    case 12:  // application work space
        return palette.color(QPalette::Active, QPalette::Dark);
    case 2:   // active caption
    case 13:  // highlight
    case 26:  // hot light
    case 27:  // gradient active caption
    case 29:  // menu highlight
        return palette.color(QPalette::Active, QPalette::Highlight);
    case 3:   // inactive caption
    case 28:  // gradient inactive caption
        return palette.color(QPalette::Inactive, QPalette::Highlight);
    case 5:   // window
        return palette.color(QPalette::Active, QPalette::Base);
    case 6:   // window frame
    case 21:  // 3-D dark shadow
        return palette.color(QPalette::Active, QPalette::Shadow);
    case 7:   // menu text
    case 8:   // window text
        return palette.color(QPalette::Active, QPalette::WindowText);
    case 9:   // caption text
    case 14:  // highlighted text
        return palette.color(QPalette::Active, QPalette::HighlightedText);
    case 16:  // button shadow
        return palette.color(QPalette::Active, QPalette::Mid);
    case 17:  // grey text
    case 19:  // inactive caption text
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:  // button text
        return palette.color(QPalette::Active, QPalette::ButtonText);
    case 20:  // button highlight
        return palette.color(QPalette::Active, QPalette::Light);
    case 22:  // 3-D light
        return palette.color(QPalette::Active, QPalette::Midlight);
    case 23:  // tooltip text
        return palette.color(QPalette::Active, QPalette::ToolTipText);
    case 24:  // tooltip background
        return palette.color(QPalette::Active, QPalette::ToolTipBase);
    default:
        return palette.color(QPalette::Active, QPalette::WindowText);
    }
}
