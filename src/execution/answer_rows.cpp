#include "execution/answer_rows.h"

#include "terminal_model/field_conversion.h"
#include "terminal_model/text_codec.h"

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
                row.returnCode = true;
                row.description = input.returnCodeText;
                row.failed = input.returnCode != 0;
                rows.append(row);
                continue;
            }
            definition = r - 3;
        }
        if (definition < input.definitions.size()) {
            const TAnswerField &d = input.definitions.at(definition);
            row.label = d.Caption;
            row.text = TFieldConversion::DisplayText(d.TextType, data.at(r), d.DecimalDigits,
                                                     input.inputDateFormat, input.outputDateFormat,
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
