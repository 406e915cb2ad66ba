#include "execution/plan_inputs.h"

#include "terminal_model/field_types.h"

#include <QCoreApplication>

namespace {

// The typed box upper-cases the letters of Hexa and Boolean texts.
QString AsTyped(int textType, const QString &text)
{
    return textType == ttHexa || textType == ttBoolean ? text.toUpper() : text;
}

}

TPlanInputs::TResult TPlanInputs::Build(const TCommandDefinition &definition, const QList<TPlan::TValue> &values,
                                        const TPlanValues *kept, const QDateTime &now)
{
    TResult result;
    const auto fail = [&result](const TPlan::TValue *value, int field, const QString &error) {
        result.Error = error;
        result.Line = value ? value->Line : 0;
        result.Field = field;
        return result;
    };
    for (int i = 0; i < definition.fields.size(); ++i) {
        TFieldInput input = definition.DefaultInput(i, now.date(), now.time());
        input.time = QTime(input.time.hour(), input.time.minute(), input.time.second());
        result.Inputs.append(input);
    }

    QList<bool> referenced(definition.fields.size(), false);
    for (const TPlan::TValue &value : values) {
        const int field = value.Index;
        if (field < 0 || field >= definition.fields.size())
            return fail(&value, field, QCoreApplication::translate("TPlanInputs", "the command has no field %1").arg(value.Field));
        const TCommandField &f = definition.fields.at(field);
        // Only a refusal names the field.
        const auto name = [&definition, field] { return definition.FieldName(field); };
        if (value.Kind == TPlan::TValueKind::Set) {
            if (f.ControlType == ctDate || f.ControlType == ctTime)
                return fail(&value, field, QCoreApplication::translate("TPlanInputs", "%1 is a %2 picker: give it with %3")
                                               .arg(name(), f.ControlType == ctDate ? QCoreApplication::translate("TPlanInputs", "date") : QCoreApplication::translate("TPlanInputs", "time"),
                                                    f.ControlType == ctDate ? QStringLiteral("Date") : QStringLiteral("Time")));
            if (f.ReadOnly)
                return fail(&value, field, QCoreApplication::translate("TPlanInputs", "%1 is read-only: its text cannot be changed").arg(name()));
        } else if (value.Kind == TPlan::TValueKind::Date && f.ControlType != ctDate) {
            return fail(&value, field, QCoreApplication::translate("TPlanInputs", "%1 is not a date picker").arg(name()));
        } else if (value.Kind == TPlan::TValueKind::Time && f.ControlType != ctTime) {
            return fail(&value, field, QCoreApplication::translate("TPlanInputs", "%1 is not a time picker").arg(name()));
        }

        QString text;
        if (!kept) {
            QStringList names;
            if (!TPlanValues::References(value.Text, &names) || !names.isEmpty()) {
                referenced[field] = true;
                continue;
            }
            text = value.Text;
        } else if (QString missing; !kept->Expand(value.Text, &text, &missing)) {
            result.Missing = true;
            return fail(&value, field, QCoreApplication::translate("TPlanInputs", "%1: no value is kept under \"%2\"").arg(name(), missing));
        }

        switch (value.Kind) {
        case TPlan::TValueKind::Set: {
            const QString typed = AsTyped(f.TextType, text);
            const QString refused = definition.InputError(field, typed);
            if (!refused.isEmpty())
                return fail(&value, field, refused);
            result.Inputs[field].text = typed;
            break;
        }
        case TPlan::TValueKind::Date: {
            const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
            if (!date.isValid())
                return fail(&value, field, QCoreApplication::translate("TPlanInputs", "%1: \"%2\" is not a date YYYY-MM-DD").arg(name(), text));
            result.Inputs[field].date = date;
            break;
        }
        case TPlan::TValueKind::Time: {
            const QTime time = QTime::fromString(text.trimmed(), QStringLiteral("HH:mm:ss"));
            if (!time.isValid())
                return fail(&value, field, QCoreApplication::translate("TPlanInputs", "%1: \"%2\" is not a time HH:MM:SS").arg(name(), text));
            result.Inputs[field].time = time;
            break;
        }
        }
    }

    // As the window's Send: a value that would not go out as entered stops
    // the command before anything is sent.
    for (int i = 0; i < definition.fields.size(); ++i) {
        if (referenced.at(i))
            continue;
        const QString refused = definition.ValueError(i, result.Inputs.at(i));
        if (!refused.isEmpty()) {
            const TPlan::TValue *given = nullptr;
            for (const TPlan::TValue &value : values)
                if (value.Index == i)
                    given = &value;
            return fail(given, i, refused);
        }
    }
    return result;
}
