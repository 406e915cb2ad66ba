#pragma once

#include <QList>
#include <QMargins>
#include <QPoint>
#include <QRect>

// Geometry of the "Host &Answer" page: the fiscal and printer status boxes
// with their panels, the separator line and the grid of answer rows.
// Computed when an answer is shown; later resizing does not rearrange it.
// Only the page width, the fixed-answer tables and the row count decide
// where things go, so every command of a file shows the status boxes and
// the return code in the same places.
class TAnswerPageLayout {
public:
    static constexpr int BoxLeft = 10;
    static constexpr int BoxGap = 20;
    static constexpr int EmptyBoxHeight = 22;
    static constexpr int PanelPitchX = 185;
    static constexpr int PanelPitchY = 31;
    static constexpr int SeparatorHeight = 3;
    static constexpr int RowLeft = 20;
    static constexpr int RowPitch = 55;
    static constexpr int CellGap = 10;
    static constexpr int DescriptionGap = 6;
    static constexpr int MinimumBoxWidth = 60;
    static constexpr int DesignedPanelHeight = 16;

    // What the style and the fonts take, in pixels; the defaults are the
    // sizes the page was drawn for.
    struct TMetrics {
        // A status box's frame and caption around its panels: the caption
        // stands inside or above the frame, never over a panel.
        QMargins boxMargins{0, 15, 0, 8};
        int panelHeight = DesignedPanelHeight;   // a status panel: one line of text
        int panelPitchX = PanelPitchX;           // from one panel to the next beside it
        int labelHeight = 18;    // an answer row's label, from its top to its box
        int rowBoxHeight = 24;
    };

    struct TPanelGrid {
        int perRow = 1;
        int margin = 0;
        int height = 0;          // of the rows of panels; 0 without panels
        QList<QPoint> panels;    // panel k + 1 at index k, relative to the box's contents
    };

    struct TRow {
        QPoint label;
        QRect box;
        // Only for the described row: the rest of its cell, and the cells
        // after it in the same line of the grid as long as they are hidden.
        QRect description;
    };

    struct TInput {
        int pageWidth = 0;       // client width of the page's scroll box
        TMetrics metrics;
        int fiscalMaxPanel = 0;
        int printerMaxPanel = 0;
        QList<bool> rowsShown;   // one per answer row; hidden rows keep their place
        int describedRow = -1;   // a row whose code is described beside its box
        int codeWidth = 0;       // the width that code's box takes
    };

    // Panels of one status box whose contents are the given width wide.
    static TPanelGrid PanelGrid(int contentsWidth, int maxPanel, const TMetrics &metrics);
    // A status box's height: its panels between the margins; a box without
    // panels keeps room for its caption.
    static int BoxHeight(const TPanelGrid &grid, const QMargins &margins);
    static int RowColumns(int pageWidth);
    static int RowBoxWidth(int pageWidth);

    static TAnswerPageLayout Compute(const TInput &input);

    QRect fiscalBox;
    QRect printerBox;
    TPanelGrid fiscalPanels;
    TPanelGrid printerPanels;
    QRect separator;
    int rowColumns = 1;
    int rowBoxWidth = 0;
    QList<TRow> rows;
};
