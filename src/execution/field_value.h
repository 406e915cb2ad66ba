#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// What the user entered in one input control: the text of a typed box, or
// the date or time of a picker.
struct TFieldInput {
    QString text;
    QDate date;
    QTime time;
};

// The text sent for a field: pickers by their control type (a date in the
// input layout, a time as hhmmss), every other control by its text type
// (implied decimals, hex literals of numbers and bit strings, or the text as
// typed). Control types without a control of their own count as Simple.
QString FieldValue(int controlType, int textType, const TFieldInput &input, int minLength,
                   int decimalDigits, int inputDateFormat);

// Why the value of a field would go out other than as entered (see
// TFieldConversion::SendTextError), or an empty text when it goes out as
// entered. Pickers always hold a value that fits.
QString FieldValueError(int controlType, int textType, const TFieldInput &input, int minLength,
                        int decimalDigits);

// Whether a Repeat run appends the step number to the field: AlphaNumeric
// typed boxes with the auto-increment flag.
bool IsAutoIncremented(int controlType, int textType, bool autoIncrement);

// The step number of a Repeat run as appended to auto-increment fields:
// "001" ... "999".
QString AutoIncrementSuffix(int step);
