#include "execution/field_value.h"

#include "terminal_model/field_conversion.h"
#include "terminal_model/field_types.h"

namespace {

bool IsPicker(int controlType)
{
    return controlType == ctDate || controlType == ctTime;
}

}

QString FieldValue(int controlType, int textType, const TFieldInput &input, int minLength,
                   int decimalDigits, int inputDateFormat)
{
    if (controlType == ctDate)
        return TFieldConversion::FormatDate(inputDateFormat, input.date);
    if (controlType == ctTime)
        return TFieldConversion::FormatTime(input.time);
    return TFieldConversion::SendText(textType, input.text, minLength, decimalDigits);
}

QString FieldValueError(int controlType, int textType, const TFieldInput &input, int minLength,
                        int decimalDigits)
{
    if (IsPicker(controlType))
        return QString();
    return TFieldConversion::SendTextError(textType, input.text, minLength, decimalDigits);
}

bool IsAutoIncremented(int controlType, int textType, bool autoIncrement)
{
    return autoIncrement && !IsPicker(controlType) && textType == ttAlphaNumeric;
}

QString AutoIncrementSuffix(int step)
{
    return QStringLiteral("%1").arg(step, 3, 10, QLatin1Char('0'));
}
