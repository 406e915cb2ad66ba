#include "execution/command_panel_layout.h"

#include <algorithm>

int TCommandPanelLayout::ControlHeight(int logicalDpi)
{
    return logicalDpi == 96 ? 20 : 24;
}

int TCommandPanelLayout::Columns(int clientWidth)
{
    return std::max(1, clientWidth / 220);
}

int TCommandPanelLayout::ControlWidth(int clientWidth)
{
    const int c = Columns(clientWidth);
    // A very narrow box would give a negative width; keep controls usable.
    return std::max(MinimumControlWidth, (clientWidth - 210 * c - 30) / c + 200);
}

TCommandPanelLayout TCommandPanelLayout::Compute(int clientWidth, int logicalDpi, int fieldCount,
                                                 int noteLineCount)
{
    TCommandPanelLayout layout;
    layout.columns = Columns(clientWidth);
    layout.controlWidth = ControlWidth(clientWidth);
    layout.controlHeight = ControlHeight(logicalDpi);

    int top = FirstTop;
    int left = LeftMargin;
    int remaining = layout.columns;
    for (int i = 0; i < fieldCount; ++i) {
        layout.fields.append({QPoint(left, top),
                              QRect(left, top + LabelToControl, layout.controlWidth,
                                    layout.controlHeight)});
        if (remaining < 2) {
            left = LeftMargin;
            top += RowPitch;
            remaining = layout.columns;
        } else {
            left += layout.controlWidth + ColumnGap;
            --remaining;
        }
    }

    // The notes go one row below the row in progress (two below a full row).
    if (fieldCount > 0 && noteLineCount > 0) {
        top += RowPitch;
        layout.hasNotes = true;
        layout.notesLabel = QPoint(LeftMargin, top);
        layout.notesMemo = QRect(LeftMargin, top + LabelToControl,
                                 std::max(MinimumControlWidth, clientWidth - 2 * LeftMargin),
                                 20 * noteLineCount);
    }
    return layout;
}
