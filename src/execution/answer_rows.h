#pragma once

#include "terminal_model/answer_field.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QtGlobal>

// One label and read-only box of the answer page.
struct TAnswerRow {
    QString label;
    QString text;
    QString hint;
    // Hidden rows keep their place in the grid.
    bool visible = true;
    // No answer definition names the row: the label reads "Field<r>" and is
    // shown in maroon.
    bool undefined = false;
    // The extended protocol's return code: its description stands beside
    // the box, and a code other than 0 reads in the error colour.
    bool returnCode = false;
    QString description;
    bool failed = false;
};

// How the answer page turns an answer into rows.
struct TAnswerRowsInput {
    int protocol = 1;   // 0 compatible, 1 extended
    bool extReservedFields = false;
    quint16 returnCode = 0;
    QString returnCodeText;   // description of returnCode, "" when none
    QList<QByteArray> fields;   // extra fields of the answer, in order
    QList<TAnswerField> definitions;   // answer definitions of the command sent
    int inputDateFormat = 0;
    int outputDateFormat = 0;
    QDate today;   // places two-digit years of received dates
};

// Rows 0 to 2 are fixed (reserved, return code, reserved), the extra fields
// follow. The extended protocol names rows 0 and 2 "Reserved" (hidden
// unless extReservedFields), row 1 "Return Code" with its hex and
// description as hint, and the fields by the definitions from the first;
// the compatible protocol names every row by the definitions, rows 0 to 2
// included.
QList<TAnswerRow> BuildAnswerRows(const TAnswerRowsInput &input);
