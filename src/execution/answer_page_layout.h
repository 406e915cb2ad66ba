#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// Geometry of the "Host &Answer" page: the fiscal and printer status boxes
// with their panels, the separator line and the grid of answer rows.
// Computed when an answer is shown; later resizing does not rearrange it.
class TAnswerPageLayout {
public:
    static constexpr int BoxLeft = 10;
    static constexpr int BoxGap = 20;
    static constexpr int EmptyBoxHeight = 22;
    static constexpr int PanelPitchX = 185;
    static constexpr int PanelPitchY = 31;
    static constexpr int PanelTop = 15;
    static constexpr int SeparatorHeight = 3;
    static constexpr int RowLeft = 20;
    static constexpr int RowPitch = 55;
    static constexpr int LabelToBox = 18;
    static constexpr int RowBoxHeight = 24;
    static constexpr int MinimumBoxWidth = 60;

    struct TPanelGrid {
        int perRow = 1;
        int margin = 0;
        int boxHeight = EmptyBoxHeight;
        QList<QPoint> panels;   // panel k + 1 at index k, relative to its box
    };

    struct TRow {
        QPoint label;
        QRect box;
    };

    // Panels of one status box of the given client width.
    static TPanelGrid PanelGrid(int boxClientWidth, int maxPanel);
    static int RowColumns(int pageWidth);
    static int RowBoxWidth(int pageWidth);

    // pageWidth: client width of the page's scroll box; boxFrameWidth: what
    // the status boxes' frames take from their width (their client width is
    // the box width minus this).
    static TAnswerPageLayout Compute(int pageWidth, int boxFrameWidth, int fiscalMaxPanel,
                                     int printerMaxPanel, int rowCount);

    QRect fiscalBox;
    QRect printerBox;
    TPanelGrid fiscalPanels;
    TPanelGrid printerPanels;
    QRect separator;
    int rowColumns = 1;
    int rowBoxWidth = 0;
    QList<TRow> rows;
};
