#include "execution/command_definition.h"

#include "terminal_model/field_types.h"
#include "terminal_model/value_list.h"

namespace {

bool IsComboList(int controlType)
{
    return controlType == ctDropDown || controlType == ctDropDownList;
}

bool IsPicker(int controlType)
{
    return controlType == ctDate || controlType == ctTime;
}

}

TCommandDefinition TCommandDefinition::Load(const TExtIniFile &ini, const QString &section)
{
    TCommandDefinition definition;
    definition.key = section;
    QList<TCommandField> fields = ReadCommandFields(ini, section, TFieldReading::Strict,
                                                    &definition.error);
    definition.fileFieldCount = int(fields.size());
    if (fields.size() > MaxFields)
        fields.resize(MaxFields);
    definition.fields = fields;
    if (fields.isEmpty())
        return definition;

    definition.port = fields.first().Mode == 0 ? cpHostPort : cpFiscalPort;
    for (int i = 0; i < fields.size(); ++i)
        definition.comboLines.append(IsComboList(fields.at(i).ControlType)
                                         ? TValueList::ReadComboLines(ini, section, i + 1)
                                         : QStringList());
    definition.notes = TValueList::ReadNotes(ini, section);
    return definition;
}

TFieldInput TCommandDefinition::DefaultInput(int field, const QDate &date, const QTime &time) const
{
    const TCommandField &f = fields.at(field);
    TFieldInput input;
    input.date = date;
    input.time = time;
    if (IsPicker(f.ControlType))
        return input;
    const QStringList &lines = comboLines.at(field);
    if (IsComboList(f.ControlType) && !lines.isEmpty())
        input.text = lines.first();
    else if (f.ControlType != ctDropDownList)
        input.text = f.DefaultText;
    return input;
}

QString TCommandDefinition::FieldName(int field) const
{
    return QStringLiteral("Field %1 (%2)")
        .arg(field + 1)
        .arg(QString(fields.at(field).Caption).remove(QLatin1Char('&')));
}

QString TCommandDefinition::RequiredText(int field) const
{
    return FieldName(field) + QStringLiteral(": a text is required");
}

QString TCommandDefinition::ValueError(int field, const TFieldInput &input) const
{
    const TCommandField &f = fields.at(field);
    // As the typed box refuses to be left empty; a read-only field cannot be
    // filled in, and a picker always holds a value.
    if (f.Required && !f.ReadOnly && !IsPicker(f.ControlType) && input.text.isEmpty())
        return RequiredText(field);
    const QString reason =
        FieldValueError(f.ControlType, f.TextType, input, f.MinLength, f.DecimalDigits);
    return reason.isEmpty() ? QString() : FieldName(field) + QStringLiteral(": ") + reason;
}

QString TCommandDefinition::InputError(int field, const QString &text) const
{
    const TCommandField &f = fields.at(field);
    if (IsPicker(f.ControlType))
        return QString();
    const auto name = [this, field] { return FieldName(field); };
    // A list without lines can only stay empty.
    const QStringList &lines = comboLines.at(field);
    if (f.ControlType == ctDropDownList && !lines.contains(text)
        && !(lines.isEmpty() && text.isEmpty()))
        return QStringLiteral("%1: '%2' is not one of its lines").arg(name(), text);
    if (!TFieldTypes::IsValidText(f.TextType, text))
        return QStringLiteral("%1: '%2' is not a valid %3 text")
            .arg(name(), text, TFieldTypes::TextTypeGridName(f.TextType));
    if (f.MaxLength > 0 && text.size() > f.MaxLength)
        return QStringLiteral("%1: '%2' is longer than %3 characters").arg(name(), text).arg(f.MaxLength);
    if (f.Required && text.isEmpty())
        return RequiredText(field);
    return QString();
}

TRunCommand TCommandDefinition::RunCommand(const QList<TFieldInput> &inputs,
                                           int inputDateFormat) const
{
    TRunCommand command;
    command.key = key;
    command.port = port;
    for (int i = 0; i < fields.size(); ++i) {
        const TCommandField &f = fields.at(i);
        const TFieldInput input = i < inputs.size() ? inputs.at(i) : TFieldInput();
        command.fields.append({FieldValue(f.ControlType, f.TextType, input, f.MinLength,
                                          f.DecimalDigits, inputDateFormat),
                               IsAutoIncremented(f.ControlType, f.TextType, f.AutoIncrement),
                               f.ReadOnly, ValueError(i, input)});
    }
    return command;
}
