#include "cli/send_inputs.h"

#include "terminal_model/field_types.h"

#include <QCoreApplication>

namespace {

struct TAssignment {
    int field = -1;   // from 0
    QString value;
};

// "N=VALUE" with N a field of the command; false with *error set otherwise.
bool ParseAssignment(const TCommandDefinition &definition, const QString &option,
                     const QString &text, TAssignment *assignment, QString *error)
{
    const qsizetype eq = text.indexOf(QLatin1Char('='));
    bool ok = false;
    const int number = eq > 0 ? text.left(eq).trimmed().toInt(&ok, 10) : 0;
    if (!ok) {
        *error = QCoreApplication::translate("TSendInputs", "%1 '%2': expected N=VALUE with N a field number").arg(option, text);
        return false;
    }
    if (number < 1 || number > definition.fields.size()) {
        *error = QCoreApplication::translate("TSendInputs", "%1 '%2': the command has no field %3 (it has %4)")
                     .arg(option, text)
                     .arg(number)
                     .arg(definition.fields.size());
        return false;
    }
    assignment->field = number - 1;
    assignment->value = text.mid(eq + 1);
    return true;
}

bool IsPicker(int controlType)
{
    return controlType == ctDate || controlType == ctTime;
}

// The typed box upper-cases the letters of Hexa and Boolean texts.
QString AsTyped(int textType, const QString &text)
{
    return textType == ttHexa || textType == ttBoolean ? text.toUpper() : text;
}

}

TSendInputs::TResult TSendInputs::Build(const TCommandDefinition &definition,
                                        const QStringList &sets, const QStringList &dates,
                                        const QStringList &times, const QDateTime &now)
{
    TResult result;
    const auto fail = [&result](TStatus status, const QString &error) {
        result.status = status;
        result.error = error;
        result.inputs.clear();
        return result;
    };

    for (int i = 0; i < definition.fields.size(); ++i) {
        TFieldInput input = definition.DefaultInput(i, now.date(), now.time());
        input.time = QTime(input.time.hour(), input.time.minute(), input.time.second());
        result.inputs.append(input);
    }

    for (const QString &text : sets) {
        TAssignment a;
        QString error;
        if (!ParseAssignment(definition, QStringLiteral("--set"), text, &a, &error))
            return fail(TStatus::Usage, error);
        const TCommandField &f = definition.fields.at(a.field);
        if (IsPicker(f.ControlType))
            return fail(TStatus::Usage,
                        QCoreApplication::translate("TSendInputs", "%1 is a %2 picker: give it with --%3")
                            .arg(definition.FieldName(a.field),
                                 f.ControlType == ctDate ? QStringLiteral("date") : QStringLiteral("time"),
                                 f.ControlType == ctDate ? QStringLiteral("date") : QStringLiteral("time")));
        if (f.ReadOnly)
            return fail(TStatus::BadInput,
                        QCoreApplication::translate("TSendInputs", "%1 is read-only: its text cannot be changed")
                            .arg(definition.FieldName(a.field)));
        const QString typed = AsTyped(f.TextType, a.value);
        const QString refused = definition.InputError(a.field, typed);
        if (!refused.isEmpty())
            return fail(TStatus::BadInput, refused);
        result.inputs[a.field].text = typed;
    }

    for (const QString &text : dates) {
        TAssignment a;
        QString error;
        if (!ParseAssignment(definition, QStringLiteral("--date"), text, &a, &error))
            return fail(TStatus::Usage, error);
        if (definition.fields.at(a.field).ControlType != ctDate)
            return fail(TStatus::Usage, QCoreApplication::translate("TSendInputs", "%1 is not a date picker")
                                            .arg(definition.FieldName(a.field)));
        const QDate date = QDate::fromString(a.value.trimmed(), QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid())
            return fail(TStatus::BadInput, QCoreApplication::translate("TSendInputs", "%1: '%2' is not a date YYYY-MM-DD")
                                               .arg(definition.FieldName(a.field), a.value));
        result.inputs[a.field].date = date;
    }

    for (const QString &text : times) {
        TAssignment a;
        QString error;
        if (!ParseAssignment(definition, QStringLiteral("--time"), text, &a, &error))
            return fail(TStatus::Usage, error);
        if (definition.fields.at(a.field).ControlType != ctTime)
            return fail(TStatus::Usage, QCoreApplication::translate("TSendInputs", "%1 is not a time picker")
                                            .arg(definition.FieldName(a.field)));
        const QTime time = QTime::fromString(a.value.trimmed(), QStringLiteral("HH:mm:ss"));
        if (!time.isValid())
            return fail(TStatus::BadInput, QCoreApplication::translate("TSendInputs", "%1: '%2' is not a time HH:MM:SS")
                                               .arg(definition.FieldName(a.field), a.value));
        result.inputs[a.field].time = time;
    }

    // The window's Send refuses these too: nothing is sent and nothing is
    // written.
    for (int i = 0; i < definition.fields.size(); ++i) {
        const QString refused = definition.ValueError(i, result.inputs.at(i));
        if (!refused.isEmpty())
            return fail(TStatus::BadInput, refused);
    }
    return result;
}
