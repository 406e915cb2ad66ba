#pragma once

#include <QBrush>
#include <QIcon>

// The pictures of the main window's actions: the desktop theme's icon where
// the theme has one, otherwise a picture drawn by the program, so the
// toolbar looks complete on bare desktops too.
class TActionIcons
{
public:
    enum TKind {
        New,
        Open,
        SaveAs,
        Cut,
        Copy,
        Paste,
        Cascade,
        TileHorizontal,
        TileVertical,
        EditFixedAnswer,
        TestFixedAnswer,
        EditReturnCode,
        EditFields,
        FiscalEnabled,
        FiscalDisabled,
    };

    static QIcon Icon(TKind kind);
    static QIcon ApplicationIcon();
    // Tile of the background of the window area.
    static QBrush Background();
};
