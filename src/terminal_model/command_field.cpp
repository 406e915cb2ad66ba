#include "terminal_model/command_field.h"

#include "terminal_model/ext_ini_file.h"
#include "terminal_model/value_list.h"

#include <QStringList>

namespace {

const QString kCommands = QStringLiteral("Commands");

bool ToInt(const QString &item, int *value)
{
    bool ok = false;
    *value = item.toInt(&ok, 10);
    if (!ok)
        *value = 0;
    return ok;
}

int Lenient(const QString &item)
{
    int value = 0;
    ToInt(item, &value);
    return value;
}

QString Flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QString NotAnIntegerMessage(const QString &item)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(item);
}

int NormalisedNumber(const QString &text)
{
    return Lenient(text.trimmed());
}

QString TCommandField::ToRecord() const
{
    const QStringList items = {
        QString::number(Mode),        TValueList::Quoted(Caption),     TValueList::Quoted(Hint),
        QString::number(TextType),    TValueList::Quoted(DefaultText), QString::number(ControlType),
        QString::number(MaxLength),   Flag(Required),                  Flag(ReadOnly),
        QString::number(MinLength),   QString::number(DecimalDigits),  Flag(AutoIncrement),
    };
    return items.join(QLatin1Char(','));
}

QList<TCommandField> TCommandField::Parse(const QString &value, TFieldReading reading, QString *error)
{
    if (error)
        error->clear();
    const QStringList items = TValueList::Split(value);
    const qsizetype count = items.size() / AttributeCount;
    QList<TCommandField> fields;
    fields.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const QString *item = items.constData() + i * AttributeCount;
        TCommandField field;
        // Attributes the strict reading insists on: Mode, TextType,
        // ControlType, Required and ReadOnly.
        int strictValues[5] = {};
        const int strictIndexes[5] = {0, 3, 5, 7, 8};
        for (int k = 0; k < 5; ++k) {
            const QString &text = item[strictIndexes[k]];
            if (!ToInt(text, &strictValues[k]) && reading == TFieldReading::Strict) {
                if (error)
                    *error = NotAnIntegerMessage(text);
                return fields;
            }
        }
        field.Mode = strictValues[0];
        field.Caption = item[1];
        field.Hint = item[2];
        field.TextType = strictValues[1];
        field.DefaultText = item[4];
        field.ControlType = strictValues[2];
        field.MaxLength = Lenient(item[6]);
        field.Required = strictValues[3] != 0;
        field.ReadOnly = strictValues[4] != 0;
        field.MinLength = Lenient(item[9]);
        field.DecimalDigits = Lenient(item[10]);
        field.AutoIncrement = Lenient(item[11]) != 0;
        fields.append(field);
    }
    return fields;
}

QString TCommandField::Format(const QList<TCommandField> &fields)
{
    QStringList records;
    records.reserve(fields.size());
    for (const TCommandField &field : fields)
        records.append(field.ToRecord());
    return records.join(QLatin1Char(','));
}

QList<TCommandField> ReadCommandFields(const TExtIniFile &ini, const QString &section, TFieldReading reading,
                                       QString *error)
{
    return TCommandField::Parse(ini.ReadString(section, kCommands), reading, error);
}

void WriteCommandFields(TExtIniFile &ini, const QString &section, const QList<TCommandField> &fields)
{
    ini.WriteString(section, kCommands, TCommandField::Format(fields));
}
