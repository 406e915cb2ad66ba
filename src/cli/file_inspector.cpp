#include "cli/file_inspector.h"

#include "execution/command_lookup.h"
#include "terminal_model/field_types.h"
#include "terminal_model/terminal_document.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace {

QString PortName(TCommandPort port)
{
    return port == cpFiscalPort ? QStringLiteral("fiscal") : QStringLiteral("host");
}

QString Tr(const char *text)
{
    return QCoreApplication::translate("TFileInspector", text);
}

// The port as the text output names it; the JSON keeps PortName().
QString PortText(TCommandPort port)
{
    return port == cpFiscalPort ? Tr(QT_TRANSLATE_NOOP("TFileInspector", "fiscal"))
                                : Tr(QT_TRANSLATE_NOOP("TFileInspector", "host"));
}

QString YesNo(bool value)
{
    return value ? Tr(QT_TRANSLATE_NOOP("TFileInspector", "yes")) : Tr(QT_TRANSLATE_NOOP("TFileInspector", "no"));
}

QString CommandFieldCount(int count)
{
    return (count == 1 ? Tr(QT_TRANSLATE_NOOP("TFileInspector", "%1 command field"))
                       : Tr(QT_TRANSLATE_NOOP("TFileInspector", "%1 command fields")))
        .arg(count);
}

QString AnswerFieldCount(int count)
{
    return (count == 1 ? Tr(QT_TRANSLATE_NOOP("TFileInspector", "%1 answer field"))
                       : Tr(QT_TRANSLATE_NOOP("TFileInspector", "%1 answer fields")))
        .arg(count);
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
    result.found = TCommandLookup::Find(document, path, &result.group, &result.command);
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
            // One arg() call for all values, so a name holding "%1" stays as it is.
            text += Tr(QT_TRANSLATE_NOOP("TFileInspector", "  %1  [%2] %3, %4"))
                        .arg(command, PortText(counts.port), CommandFieldCount(counts.commandFields),
                             AnswerFieldCount(counts.answerFields));
            if (!counts.error.isEmpty())
                text += Tr(QT_TRANSLATE_NOOP("TFileInspector", "  (error: %1)")).arg(counts.error);
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
    // Texts of the file go in with one arg() call per line, never as format
    // strings: a caption may hold "%1".
    const auto n = [](int value) { return QString::number(value); };
    const TCommandDefinition &d = shown.definition;
    QString text = Tr(QT_TRANSLATE_NOOP("TFileInspector", "%1  [%2 port]\n")).arg(shown.path.Name(), PortText(d.port));
    text += Tr(QT_TRANSLATE_NOOP("TFileInspector", "Command fields:\n"));
    for (int i = 0; i < d.fields.size(); ++i) {
        const TCommandField &f = d.fields.at(i);
        text += QStringLiteral("  %1. %2\n").arg(n(i + 1), f.Caption);
        text += Tr(QT_TRANSLATE_NOOP("TFileInspector", "     mode %1 (%2), hint \"%3\", text type %4 (%5), default \"%6\"\n"))
                    .arg(n(f.Mode), TFieldTypes::ModeName(f.Mode), f.Hint, n(f.TextType),
                         TFieldTypes::TextTypeGridName(f.TextType), f.DefaultText);
        text += Tr(QT_TRANSLATE_NOOP("TFileInspector", "     control %1 (%2), max length %3, required %4, read-only %5\n"))
                    .arg(n(f.ControlType), TFieldTypes::ControlTypeName(f.ControlType), n(f.MaxLength),
                         YesNo(f.Required), YesNo(f.ReadOnly));
        text += Tr(QT_TRANSLATE_NOOP("TFileInspector", "     min length %1, decimal digits %2, auto-increment %3\n"))
                    .arg(n(f.MinLength), n(f.DecimalDigits), YesNo(f.AutoIncrement));
        if (!d.comboLines.at(i).isEmpty())
            text += Tr(QT_TRANSLATE_NOOP("TFileInspector", "     lines: %1\n"))
                        .arg(d.comboLines.at(i).join(QStringLiteral(" | ")));
    }
    if (d.IsCut())
        text += Tr(QT_TRANSLATE_NOOP("TFileInspector", "  (the file holds %1 fields; the first %2 are used)\n"))
                    .arg(n(d.fileFieldCount), n(int(d.fields.size())));
    text += Tr(QT_TRANSLATE_NOOP("TFileInspector", "Answer fields:\n"));
    for (int i = 0; i < shown.answers.size(); ++i) {
        const TAnswerField &a = shown.answers.at(i);
        text += Tr(QT_TRANSLATE_NOOP("TFileInspector", "  %1. %2: text type %3 (%4), decimal digits %5\n"))
                    .arg(n(i + 1), a.Caption, n(a.TextType), TFieldTypes::TextTypeGridName(a.TextType),
                         n(a.DecimalDigits));
    }
    if (!d.notes.isEmpty()) {
        text += Tr(QT_TRANSLATE_NOOP("TFileInspector", "Notes:\n"));
        for (const QString &line : d.notes)
            text += QStringLiteral("  ") + line + QLatin1Char('\n');
    }
    return text;
}
