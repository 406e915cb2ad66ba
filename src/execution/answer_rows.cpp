#include "execution/answer_rows.h"

#include "terminal_model/field_conversion.h"
#include "terminal_model/field_types.h"
#include "terminal_model/text_codec.h"

QString AnswerText(const TAnswerField &definition, const QByteArray &data, int inputDateFormat,
                   int outputDateFormat, const QDate &today)
{
    const QString text = TTextCodec::DecodeWindows1252(data);
    const bool byteType = definition.TextType == ttDecimal || definition.TextType == ttHexa
                          || definition.TextType == ttBinary;
    // Beyond 4 bytes the number conversions read 0, which would pass for a
    // real value: the bytes are shown as they came, as a hex literal.
    if (byteType && data.size() > 4)
        return QStringLiteral("x'") + QString::fromLatin1(data.toHex().toUpper()) + QLatin1Char('\'');
    switch (definition.TextType) {
    case ttCurrency:
        return TFieldConversion::InsertDecimalPoint(text, definition.DecimalDigits);
    case ttDecimal:
        return TFieldConversion::BytesToDecimal(data);
    case ttHexa:
        return TFieldConversion::BytesToHex(data);
    case ttBinary:
        return TFieldConversion::BytesToBinary(data);
    case ttDate:
        return TFieldConversion::ReformatDate(text, inputDateFormat, outputDateFormat, today);
    case ttTime:
        return TFieldConversion::ReformatTime(text);
    default:
        return text;
    }
}

QList<TAnswerRow> BuildAnswerRows(const TAnswerRowsInput &input)
{
    QList<QByteArray> data{QByteArray(), QByteArray::number(input.returnCode), QByteArray()};
    data.append(input.fields);
    const bool extended = input.protocol == 1;

    QList<TAnswerRow> rows;
    for (int r = 0; r < data.size(); ++r) {
        TAnswerRow row;
        int definition = r;
        if (extended) {
            if (r == 0 || r == 2) {
                row.label = QStringLiteral("Reserved");
                row.text = QString::fromLatin1(data.at(r));
                row.visible = input.extReservedFields;
                rows.append(row);
                continue;
            }
            if (r == 1) {
                row.label = QStringLiteral("Return Code");
                row.text = QString::number(input.returnCode);
                const QString hex =
                    QStringLiteral("%1").arg(input.returnCode, 4, 16, QLatin1Char('0')).toUpper();
                row.hint = QStringLiteral("(") + hex + QStringLiteral(") ") + input.returnCodeText;
                rows.append(row);
                continue;
            }
            definition = r - 3;
        }
        if (definition < input.definitions.size()) {
            const TAnswerField &d = input.definitions.at(definition);
            row.label = d.Caption;
            row.text = AnswerText(d, data.at(r), input.inputDateFormat, input.outputDateFormat,
                                  input.today);
        } else {
            row.label = QStringLiteral("Field") + QString::number(r);
            row.text = TTextCodec::DecodeWindows1252(data.at(r));
            row.undefined = true;
        }
        rows.append(row);
    }
    return rows;
}
