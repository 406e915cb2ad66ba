#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// Where the input panel puts each field's label and control, and the notes,
// for a scroll box of a given client width. Computed once per build: the
// panel is not rearranged when the window is resized later.
class TCommandPanelLayout {
public:
    static constexpr int LeftMargin = 20;
    static constexpr int FirstTop = 15;
    static constexpr int RowPitch = 55;
    static constexpr int LabelToControl = 18;
    static constexpr int ColumnGap = 10;
    static constexpr int MinimumControlWidth = 60;

    struct TField {
        QPoint label;
        QRect control;
    };

    // Control height by the screen's logical DPI: 20 pixels at 96 DPI, else 24.
    static int ControlHeight(int logicalDpi);
    static int Columns(int clientWidth);
    static int ControlWidth(int clientWidth);

    static TCommandPanelLayout Compute(int clientWidth, int logicalDpi, int fieldCount,
                                       int noteLineCount);

    int columns = 1;
    int controlWidth = 0;
    int controlHeight = 20;
    QList<TField> fields;
    bool hasNotes = false;
    QPoint notesLabel;
    QRect notesMemo;
};
