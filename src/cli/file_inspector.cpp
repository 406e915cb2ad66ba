#include "cli/file_inspector.h"

#include "terminal_model/field_types.h"
#include "terminal_model/terminal_document.h"

#include <QJsonArray>

namespace {

QString PortName(TCommandPort port)
{
    return port == cpFiscalPort ? QStringLiteral("fiscal") : QStringLiteral("host");
}

QString YesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

QString Count(int count, const QString &noun)
{
    return QString::number(count) + QLatin1Char(' ') + noun + (count == 1 ? QString() : QStringLiteral("s"));
}

struct TCounts {
    TCommandPort port = cpHostPort;
    int commandFields = 0;
    int answerFields = 0;
    QString error;
};

TCounts CountFields(const TExtIniFile &ini, const QString &section)
{
    const TCommandDefinition definition = TCommandDefinition::Load(ini, section);
    QString answersError;
    const QList<TAnswerField> answers = ReadAnswerFields(ini, section, TFieldReading::Strict, &answersError);
    TCounts counts;
    counts.port = definition.port;
    counts.commandFields = definition.fileFieldCount;
    counts.answerFields = int(answers.size());
    counts.error = !definition.error.isEmpty() ? definition.error : answersError;
    return counts;
}

}

TFileInspector::TCommandPath TFileInspector::FindCommand(const TTerminalDocument &document,
                                                         const QString &path)
{
    TCommandPath result;
    for (qsizetype slash = path.indexOf(QLatin1Char('/')); slash >= 0;
         slash = path.indexOf(QLatin1Char('/'), slash + 1)) {
        const QString group = path.left(slash);
        const QString command = path.mid(slash + 1);
        if (!document.CommandExists(group, command))
            continue;
        for (const QString &g : document.Groups()) {
            if (g.compare(group, Qt::CaseInsensitive) != 0)
                continue;
            for (const QString &c : document.Commands(g)) {
                if (c.compare(command, Qt::CaseInsensitive) == 0) {
                    result.found = true;
                    result.group = g;
                    result.command = c;
                    return result;
                }
            }
        }
    }
    return result;
}

QJsonObject TFileInspector::ListJson(const TTerminalDocument &document)
{
    QJsonArray groups;
    for (const QString &group : document.Groups()) {
        QJsonArray commands;
        for (const QString &command : document.Commands(group)) {
            const TCounts counts =
                CountFields(document.Ini(), TTerminalDocument::CommandSection(group, command));
            QJsonObject object{{QStringLiteral("name"), command},
                               {QStringLiteral("port"), PortName(counts.port)},
                               {QStringLiteral("commandFields"), counts.commandFields},
                               {QStringLiteral("answerFields"), counts.answerFields}};
            if (!counts.error.isEmpty())
                object.insert(QStringLiteral("error"), counts.error);
            commands.append(object);
        }
        groups.append(QJsonObject{{QStringLiteral("name"), group}, {QStringLiteral("commands"), commands}});
    }
    return QJsonObject{{QStringLiteral("file"), document.FileName()}, {QStringLiteral("groups"), groups}};
}

QString TFileInspector::ListText(const TTerminalDocument &document)
{
    QString text;
    for (const QString &group : document.Groups()) {
        text += group + QLatin1Char('\n');
        for (const QString &command : document.Commands(group)) {
            const TCounts counts =
                CountFields(document.Ini(), TTerminalDocument::CommandSection(group, command));
            text += QStringLiteral("  ") + command + QStringLiteral("  [") + PortName(counts.port)
                    + QStringLiteral("] ") + Count(counts.commandFields, QStringLiteral("command field"))
                    + QStringLiteral(", ") + Count(counts.answerFields, QStringLiteral("answer field"));
            if (!counts.error.isEmpty())
                text += QStringLiteral("  (error: ") + counts.error + QLatin1Char(')');
            text += QLatin1Char('\n');
        }
    }
    return text;
}

TFileInspector::TShown TFileInspector::Show(const TTerminalDocument &document, const TCommandPath &path)
{
    TShown shown;
    shown.path = path;
    const QString section = TTerminalDocument::CommandSection(path.group, path.command);
    shown.definition = TCommandDefinition::Load(document.Ini(), section);
    shown.answers = ReadAnswerFields(document.Ini(), section, TFieldReading::Strict, &shown.answersError);
    return shown;
}

QJsonObject TFileInspector::ShowJson(const TShown &shown)
{
    const TCommandDefinition &d = shown.definition;
    QJsonArray fields;
    for (int i = 0; i < d.fields.size(); ++i) {
        const TCommandField &f = d.fields.at(i);
        QJsonObject object{{QStringLiteral("mode"), f.Mode},
                           {QStringLiteral("caption"), f.Caption},
                           {QStringLiteral("hint"), f.Hint},
                           {QStringLiteral("textType"), f.TextType},
                           {QStringLiteral("defaultText"), f.DefaultText},
                           {QStringLiteral("controlType"), f.ControlType},
                           {QStringLiteral("maxLength"), f.MaxLength},
                           {QStringLiteral("required"), f.Required},
                           {QStringLiteral("readOnly"), f.ReadOnly},
                           {QStringLiteral("minLength"), f.MinLength},
                           {QStringLiteral("decimalDigits"), f.DecimalDigits},
                           {QStringLiteral("autoIncrement"), f.AutoIncrement}};
        if (!d.comboLines.at(i).isEmpty())
            object.insert(QStringLiteral("comboLines"), QJsonArray::fromStringList(d.comboLines.at(i)));
        fields.append(object);
    }
    QJsonArray answers;
    for (const TAnswerField &a : shown.answers)
        answers.append(QJsonObject{{QStringLiteral("caption"), a.Caption},
                                   {QStringLiteral("textType"), a.TextType},
                                   {QStringLiteral("decimalDigits"), a.DecimalDigits}});
    QJsonObject json{{QStringLiteral("command"), shown.path.Name()},
                     {QStringLiteral("section"), d.key},
                     {QStringLiteral("port"), PortName(d.port)},
                     {QStringLiteral("fields"), fields},
                     {QStringLiteral("answers"), answers},
                     {QStringLiteral("notes"), QJsonArray::fromStringList(d.notes)}};
    if (d.IsCut())
        json.insert(QStringLiteral("fieldsInFile"), d.fileFieldCount);
    QJsonArray errors;
    if (!d.error.isEmpty())
        errors.append(QStringLiteral("Commands: ") + d.error);
    if (!shown.answersError.isEmpty())
        errors.append(QStringLiteral("Answers: ") + shown.answersError);
    if (!errors.isEmpty())
        json.insert(QStringLiteral("errors"), errors);
    return json;
}

QString TFileInspector::ShowText(const TShown &shown)
{
    // Texts of the file are joined, never used as format strings: a caption
    // may hold "%1".
    const auto n = [](int value) { return QString::number(value); };
    const TCommandDefinition &d = shown.definition;
    QString text = shown.path.Name() + QStringLiteral("  [") + PortName(d.port) + QStringLiteral(" port]\n");
    text += QStringLiteral("Command fields:\n");
    for (int i = 0; i < d.fields.size(); ++i) {
        const TCommandField &f = d.fields.at(i);
        text += QStringLiteral("  ") + n(i + 1) + QStringLiteral(". ") + f.Caption + QLatin1Char('\n');
        text += QStringLiteral("     mode ") + n(f.Mode) + QStringLiteral(" (") + TFieldTypes::ModeName(f.Mode)
                + QStringLiteral("), hint \"") + f.Hint + QStringLiteral("\", text type ") + n(f.TextType)
                + QStringLiteral(" (") + TFieldTypes::TextTypeGridName(f.TextType)
                + QStringLiteral("), default \"") + f.DefaultText + QStringLiteral("\"\n");
        text += QStringLiteral("     control ") + n(f.ControlType) + QStringLiteral(" (")
                + TFieldTypes::ControlTypeName(f.ControlType) + QStringLiteral("), max length ")
                + n(f.MaxLength) + QStringLiteral(", required ") + YesNo(f.Required)
                + QStringLiteral(", read-only ") + YesNo(f.ReadOnly) + QLatin1Char('\n');
        text += QStringLiteral("     min length ") + n(f.MinLength) + QStringLiteral(", decimal digits ")
                + n(f.DecimalDigits) + QStringLiteral(", auto-increment ") + YesNo(f.AutoIncrement)
                + QLatin1Char('\n');
        if (!d.comboLines.at(i).isEmpty())
            text += QStringLiteral("     lines: ") + d.comboLines.at(i).join(QStringLiteral(" | ")) + QLatin1Char('\n');
    }
    if (d.IsCut())
        text += QStringLiteral("  (the file holds ") + n(d.fileFieldCount) + QStringLiteral(" fields; the first ")
                + n(int(d.fields.size())) + QStringLiteral(" are used)\n");
    text += QStringLiteral("Answer fields:\n");
    for (int i = 0; i < shown.answers.size(); ++i) {
        const TAnswerField &a = shown.answers.at(i);
        text += QStringLiteral("  ") + n(i + 1) + QStringLiteral(". ") + a.Caption + QStringLiteral(": text type ")
                + n(a.TextType) + QStringLiteral(" (") + TFieldTypes::TextTypeGridName(a.TextType)
                + QStringLiteral("), decimal digits ") + n(a.DecimalDigits) + QLatin1Char('\n');
    }
    if (!d.notes.isEmpty()) {
        text += QStringLiteral("Notes:\n");
        for (const QString &line : d.notes)
            text += QStringLiteral("  ") + line + QLatin1Char('\n');
    }
    return text;
}
