#include "terminal_model/answer_field.h"

#include "terminal_model/ext_ini_file.h"
#include "terminal_model/value_list.h"

#include <QStringList>

namespace {

const QString kAnswers = QStringLiteral("Answers");

} // namespace

QString TAnswerField::ToRecord() const
{
    const int digits = TextType == CurrencyTextType ? DecimalDigits : 0;
    return TValueList::Quoted(Caption) + QLatin1Char(',') + QString::number(TextType) + QLatin1Char(',')
           + QString::number(digits);
}

QList<TAnswerField> TAnswerField::Parse(const QString &value, TFieldReading reading, QString *error)
{
    if (error)
        error->clear();
    const QStringList items = TValueList::Split(value);
    const qsizetype count = items.size() / AttributeCount;
    QList<TAnswerField> fields;
    fields.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const QString *item = items.constData() + i * AttributeCount;
        TAnswerField field;
        field.Caption = item[0];
        bool ok = false;
        field.TextType = item[1].toInt(&ok, 10);
        if (!ok) {
            if (reading == TFieldReading::Strict) {
                if (error)
                    *error = NotAnIntegerMessage(item[1]);
                return fields;
            }
            field.TextType = 0;
        }
        field.DecimalDigits = NormalisedNumber(item[2]);
        fields.append(field);
    }
    return fields;
}

QString TAnswerField::Format(const QList<TAnswerField> &fields)
{
    QStringList records;
    records.reserve(fields.size());
    for (const TAnswerField &field : fields)
        records.append(field.ToRecord());
    return records.join(QLatin1Char(','));
}

QList<TAnswerField> ReadAnswerFields(const TExtIniFile &ini, const QString &section, TFieldReading reading,
                                     QString *error)
{
    return TAnswerField::Parse(ini.ReadString(section, kAnswers), reading, error);
}

void WriteAnswerFields(TExtIniFile &ini, const QString &section, const QList<TAnswerField> &fields)
{
    ini.WriteString(section, kAnswers, TAnswerField::Format(fields));
}
