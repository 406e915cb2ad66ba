#include "execution/answer_page_layout.h"

#include <algorithm>

TAnswerPageLayout::TPanelGrid TAnswerPageLayout::PanelGrid(int contentsWidth, int maxPanel, const TMetrics &metrics)
{
    TPanelGrid grid;
    const int pitchX = metrics.panelPitchX;
    grid.perRow = std::max(1, contentsWidth / (pitchX + 10));
    // A box narrower than one panel would push the panels out on the left.
    grid.margin = std::max(0, (contentsWidth - pitchX * grid.perRow + 10) / 2);
    if (maxPanel <= 0)
        return grid;

    // A large font spreads the rows rather than letting them overlap.
    const int pitchY = std::max(PanelPitchY, metrics.panelHeight + 8);
    const int rows = (maxPanel + grid.perRow - 1) / grid.perRow;
    grid.height = pitchY * (rows - 1) + metrics.panelHeight;
    for (int k = 0; k < maxPanel; ++k)
        grid.panels.append(QPoint(grid.margin + (k % grid.perRow) * pitchX, (k / grid.perRow) * pitchY));
    return grid;
}

int TAnswerPageLayout::BoxHeight(const TPanelGrid &grid, const QMargins &margins)
{
    return std::max(EmptyBoxHeight, margins.top() + grid.height + margins.bottom());
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

TAnswerPageLayout TAnswerPageLayout::Compute(const TInput &input)
{
    TAnswerPageLayout layout;
    const TMetrics &metrics = input.metrics;
    const QMargins &margins = metrics.boxMargins;
    const int boxWidth = input.pageWidth - 2 * BoxLeft;
    const int contentsWidth = boxWidth - margins.left() - margins.right();

    layout.fiscalPanels = PanelGrid(contentsWidth, input.fiscalMaxPanel, metrics);
    layout.fiscalBox = QRect(BoxLeft, BoxGap, boxWidth, BoxHeight(layout.fiscalPanels, margins));
    layout.printerPanels = PanelGrid(contentsWidth, input.printerMaxPanel, metrics);
    layout.printerBox = QRect(BoxLeft, layout.fiscalBox.bottom() + 1 + BoxGap, boxWidth,
                              BoxHeight(layout.printerPanels, margins));
    for (TPanelGrid *grid : {&layout.fiscalPanels, &layout.printerPanels})
        for (QPoint &panel : grid->panels)
            panel += QPoint(margins.left(), margins.top());

    layout.separator = QRect(0, layout.printerBox.bottom() + 1 + BoxGap, input.pageWidth, SeparatorHeight);

    layout.rowColumns = RowColumns(input.pageWidth);
    layout.rowBoxWidth = RowBoxWidth(input.pageWidth);
    const int cellPitch = layout.rowBoxWidth + CellGap;
    const int rowPitch = std::max(RowPitch, metrics.labelHeight + metrics.rowBoxHeight + 13);
    const int firstTop = layout.separator.y() + SeparatorHeight + 10;
    const int rowCount = int(input.rowsShown.size());
    for (int r = 0; r < rowCount; ++r) {
        const int column = r % layout.rowColumns;
        const int left = RowLeft + column * cellPitch;
        const int top = firstTop + (r / layout.rowColumns) * rowPitch;
        TRow row{QPoint(left, top), QRect(left, top + metrics.labelHeight, layout.rowBoxWidth, metrics.rowBoxHeight),
                 QRect()};
        if (r == input.describedRow) {
            row.box.setWidth(std::clamp(input.codeWidth, 1, layout.rowBoxWidth));
            int right = left + layout.rowBoxWidth;
            for (int next = r + 1, c = column + 1; next < rowCount && c < layout.rowColumns && !input.rowsShown.at(next);
                 ++next, ++c)
                right += cellPitch;
            const int start = row.box.right() + 1 + DescriptionGap;
            if (right > start)
                row.description = QRect(start, row.box.y(), right - start, metrics.rowBoxHeight);
        }
        layout.rows.append(row);
    }
    return layout;
}
