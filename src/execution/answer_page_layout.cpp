#include "execution/answer_page_layout.h"

#include <algorithm>

TAnswerPageLayout::TPanelGrid TAnswerPageLayout::PanelGrid(int boxClientWidth, int maxPanel)
{
    TPanelGrid grid;
    grid.perRow = std::max(1, boxClientWidth / 195);
    // A box narrower than one panel would push the panels out on the left.
    grid.margin = std::max(0, (boxClientWidth - PanelPitchX * grid.perRow + 10) / 2);
    if (maxPanel <= 0)
        return grid;

    const int rows = (maxPanel + grid.perRow - 1) / grid.perRow;
    grid.boxHeight = PanelPitchY * rows + 8;
    for (int k = 0; k < maxPanel; ++k)
        grid.panels.append(QPoint(grid.margin + (k % grid.perRow) * PanelPitchX,
                                  PanelTop + (k / grid.perRow) * PanelPitchY));
    return grid;
}

int TAnswerPageLayout::RowColumns(int pageWidth)
{
    return std::max(1, pageWidth / 170);
}

int TAnswerPageLayout::RowBoxWidth(int pageWidth)
{
    const int a = RowColumns(pageWidth);
    return std::max(MinimumBoxWidth, (pageWidth - 160 * a - 30) / a + 150);
}

TAnswerPageLayout TAnswerPageLayout::Compute(int pageWidth, int boxFrameWidth, int fiscalMaxPanel,
                                             int printerMaxPanel, int rowCount)
{
    TAnswerPageLayout layout;
    const int boxWidth = pageWidth - 2 * BoxLeft;
    const int clientWidth = boxWidth - boxFrameWidth;

    layout.fiscalPanels = PanelGrid(clientWidth, fiscalMaxPanel);
    layout.fiscalBox = QRect(BoxLeft, BoxGap, boxWidth, layout.fiscalPanels.boxHeight);
    layout.printerPanels = PanelGrid(clientWidth, printerMaxPanel);
    layout.printerBox = QRect(BoxLeft, layout.fiscalBox.y() + layout.fiscalBox.height() + BoxGap,
                              boxWidth, layout.printerPanels.boxHeight);

    layout.separator = QRect(0, layout.printerBox.y() + layout.printerBox.height() + BoxGap,
                             pageWidth, SeparatorHeight);

    layout.rowColumns = RowColumns(pageWidth);
    layout.rowBoxWidth = RowBoxWidth(pageWidth);
    const int firstTop = layout.separator.y() + SeparatorHeight + 10;
    for (int r = 0; r < rowCount; ++r) {
        const int left = RowLeft + (r % layout.rowColumns) * (layout.rowBoxWidth + 10);
        const int top = firstTop + (r / layout.rowColumns) * RowPitch;
        layout.rows.append({QPoint(left, top),
                            QRect(left, top + LabelToBox, layout.rowBoxWidth, RowBoxHeight)});
    }
    return layout;
}
