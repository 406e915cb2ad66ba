#include "execution/plan_checker.h"

#include "execution/command_definition.h"
#include "execution/command_lookup.h"
#include "execution/plan_inputs.h"
#include "execution/plan_values.h"
#include "terminal_model/answer_field.h"
#include "terminal_model/fixed_answer.h"
#include "terminal_model/return_codes.h"
#include "terminal_model/terminal_document.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <optional>
#include <utility>

namespace {

bool IsHostOnly(TPlan::TExpectationKind kind)
{
    switch (kind) {
    case TPlan::TExpectationKind::ReturnCode:
    case TPlan::TExpectationKind::Shown:
    case TPlan::TExpectationKind::NotShown:
    case TPlan::TExpectationKind::FieldEquals:
    case TPlan::TExpectationKind::FieldMatches:
    case TPlan::TExpectationKind::FieldRange:
        return true;
    default:
        return false;
    }
}

bool IsFiscalOnly(TPlan::TExpectationKind kind)
{
    return kind == TPlan::TExpectationKind::FiscalEquals || kind == TPlan::TExpectationKind::FiscalMatches
           || kind == TPlan::TExpectationKind::FiscalCount;
}

QString Caption(const QString &caption)
{
    return QString(caption).remove(QLatin1Char('&')).trimmed();
}

// The field a value names: its number from 1, else its caption; -1 when
// the command has none.
int FieldIndex(const TCommandDefinition &definition, const QString &name)
{
    bool ok = false;
    const int number = name.toInt(&ok, 10);
    if (ok)
        return number >= 1 && number <= definition.fields.size() ? number - 1 : -1;
    for (int i = 0; i < definition.fields.size(); ++i)
        if (Caption(definition.fields.at(i).Caption).compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

class TChecking {
public:
    TChecking(const TPlan &plan, const TTerminalDocument &document, const QDateTime &now)
        : m_document(document), m_now(now)
    {
        m_result.Plan = plan;
        const TExtIniFile &ini = document.Ini();
        for (const QString &section : {FiscalAnswerSection, PrinterAnswerSection})
            for (const TFixedAnswer &record : ReadFixedAnswers(ini, section))
                m_panelTexts.insert(TPlan::Folded(record.Text));
        m_returnCodes = ReadReturnCodes(ini);
    }

    TPlanChecker::TResult Run()
    {
        for (TPlan::TStep &step : m_result.Plan.Steps) {
            if (!step.IsWait())
                CheckStep(step);
            for (const TPlan::TKeep &keep : step.Keeps)
                m_kept.insert(keep.Name);
        }
        return m_result;
    }

private:
    void Problem(int line, const QString &message)
    {
        m_result.Problems.append({QFileInfo(m_result.Plan.FileName).fileName(), line, message});
    }

    void References(int line, const QString &text)
    {
        QStringList names;
        if (!TPlanValues::References(text, &names))
            return;   // the reader named it
        for (const QString &name : names)
            if (!m_kept.contains(name))
                Problem(line, QCoreApplication::translate("TPlanChecker", "no earlier step keeps a value \"%1\"").arg(name));
    }

    void CheckStep(TPlan::TStep &step);

    // A long plan sends the same commands again and again: each is read once.
    struct TCommand {
        QString group;
        QString command;
        TCommandDefinition definition;
        QList<TAnswerField> answers;
        QString answersError;
    };
    const TCommand *Command(const QString &path);

    const TTerminalDocument &m_document;
    QDateTime m_now;
    TPlanChecker::TResult m_result;
    QSet<QString> m_panelTexts;   // lower case
    QList<TReturnCode> m_returnCodes;
    QSet<QString> m_kept;
    QHash<QString, std::optional<TCommand>> m_commands;   // by the path as written
};

const TChecking::TCommand *TChecking::Command(const QString &path)
{
    auto found = m_commands.find(path);
    if (found == m_commands.end()) {
        std::optional<TCommand> command;
        QString group;
        QString name;
        if (TCommandLookup::Find(m_document, path, &group, &name)) {
            const QString section = TTerminalDocument::CommandSection(group, name);
            command = TCommand{group, name, TCommandDefinition::Load(m_document.Ini(), section), {}, {}};
            command->answers = ReadAnswerFields(m_document.Ini(), section, TFieldReading::Strict, &command->answersError);
        }
        found = m_commands.insert(path, command);
    }
    return found.value() ? &*found.value() : nullptr;
}

void TChecking::CheckStep(TPlan::TStep &step)
{
    const TCommand *command = Command(step.Command);
    if (!command) {
        Problem(step.CommandLine, QCoreApplication::translate("TPlanChecker", "%1 has no command \"%2\" (GROUP/COMMAND)")
                                      .arg(QFileInfo(m_document.FileName()).fileName(), step.Command));
        return;
    }
    step.CommandName = command->group + QLatin1Char('/') + command->command;
    step.Section = TTerminalDocument::CommandSection(command->group, command->command);
    const TCommandDefinition &definition = command->definition;
    step.Port = definition.port;
    if (!definition.error.isEmpty()) {
        Problem(step.CommandLine, QCoreApplication::translate("TPlanChecker", "%1 cannot be sent: %2").arg(step.CommandName, definition.error));
        return;
    }
    if (definition.fields.isEmpty()) {
        Problem(step.CommandLine, QCoreApplication::translate("TPlanChecker", "%1 has no command fields: nothing to send").arg(step.CommandName));
        return;
    }
    if (step.Repeat > 0 && step.Port == cpFiscalPort)
        Problem(step.RepeatLine, QCoreApplication::translate("TPlanChecker", "%1 goes to the fiscal port, which has no Repeat").arg(step.CommandName));

    QHash<int, int> givenAt;   // field -> line
    bool valuesKnown = true;
    for (TPlan::TValue &value : step.Values) {
        value.Index = FieldIndex(definition, value.Field);
        if (value.Index < 0) {
            Problem(value.Line, QCoreApplication::translate("TPlanChecker", "%1 has no field \"%2\" (give its number from 1 to %3 or its caption)")
                                    .arg(step.CommandName, value.Field)
                                    .arg(definition.fields.size()));
            valuesKnown = false;
            continue;
        }
        if (givenAt.contains(value.Index)) {
            Problem(value.Line, QCoreApplication::translate("TPlanChecker", "%1 is given a value twice (first on line %2)")
                                    .arg(definition.FieldName(value.Index))
                                    .arg(givenAt.value(value.Index)));
            valuesKnown = false;
        }
        givenAt.insert(value.Index, value.Line);
        References(value.Line, value.Text);
    }

    bool expectsBadInput = false;
    for (const TPlan::TExpectation &e : step.Expectations)
        expectsBadInput |= e.Kind == TPlan::TExpectationKind::Outcome && e.Outcome == TRunOutcome::BadInput;
    if (valuesKnown) {
        const TPlanInputs::TResult inputs = TPlanInputs::Build(definition, step.Values, nullptr, m_now);
        if (!inputs.Ok() && !expectsBadInput)
            Problem(inputs.Line > 0 ? inputs.Line : step.CommandLine, inputs.Error);
    }

    const QList<TAnswerField> &answers = command->answers;
    const QString &answersError = command->answersError;
    if (!answersError.isEmpty())
        Problem(step.CommandLine, QCoreApplication::translate("TPlanChecker", "%1: its answer fields cannot be read: %2").arg(step.CommandName, answersError));
    const auto checkLabel = [&](int line, const QString &label) {
        int count = 0;
        for (const TAnswerField &field : answers)
            count += field.Caption.trimmed().compare(label, Qt::CaseInsensitive) == 0 ? 1 : 0;
        if (count == 0 && answersError.isEmpty())
            Problem(line, QCoreApplication::translate("TPlanChecker", "%1 has no answer field \"%2\"").arg(step.CommandName, label));
        else if (count > 1)
            Problem(line, QCoreApplication::translate("TPlanChecker", "%1 has %2 answer fields called \"%3\": the label does not tell which")
                              .arg(step.CommandName)
                              .arg(count)
                              .arg(label));
    };

    for (TPlan::TExpectation &e : step.Expectations) {
        if ((step.Port == cpFiscalPort && IsHostOnly(e.Kind)) || (step.Port == cpHostPort && IsFiscalOnly(e.Kind))) {
            const QString port = step.Port == cpFiscalPort ? QCoreApplication::translate("TPlanChecker", "the fiscal port")
                                                           : QCoreApplication::translate("TPlanChecker", "the host port");
            Problem(e.Line, QCoreApplication::translate("TPlanChecker", "%1 goes to %2, whose answers this expectation cannot be about")
                                .arg(step.CommandName, port));
            continue;
        }
        References(e.Line, e.Text);
        switch (e.Kind) {
        case TPlan::TExpectationKind::FieldEquals:
        case TPlan::TExpectationKind::FieldMatches:
        case TPlan::TExpectationKind::FieldRange:
            checkLabel(e.Line, e.Subject);
            break;
        case TPlan::TExpectationKind::Shown:
        case TPlan::TExpectationKind::NotShown:
            if (!m_panelTexts.contains(TPlan::Folded(e.Text)))
                Problem(e.Line, QCoreApplication::translate("TPlanChecker", "no fixed answer of %1 shows \"%2\"")
                                    .arg(QFileInfo(m_document.FileName()).fileName(), e.Text));
            break;
        case TPlan::TExpectationKind::ReturnCode:
            if (e.Number < 0 && !e.Text.isEmpty()) {
                for (const TReturnCode &code : m_returnCodes)
                    if (code.Description.trimmed().compare(e.Text, Qt::CaseInsensitive) == 0) {
                        e.Number = code.Code;
                        break;
                    }
                if (e.Number < 0)
                    Problem(e.Line, QCoreApplication::translate("TPlanChecker", "no return code of %1 is described as \"%2\"")
                                        .arg(QFileInfo(m_document.FileName()).fileName(), e.Text));
            }
            break;
        default:
            break;
        }
    }
    for (const TPlan::TKeep &keep : step.Keeps) {
        if (step.Port == cpFiscalPort)
            Problem(keep.Line, QCoreApplication::translate("TPlanChecker", "%1 goes to the fiscal port: its answers have no fields to keep").arg(step.CommandName));
        else
            checkLabel(keep.Line, keep.Field);
    }
}

}

TPlanChecker::TResult TPlanChecker::Check(const TPlan &plan, const TTerminalDocument &document, const QDateTime &now)
{
    return TChecking(plan, document, now).Run();
}

bool TPlanChecker::LoadAndCheck(TPlan *plan, TTerminalDocument *document, QList<TPlan::TProblem> *problems)
{
    if (!LoadTerminal(*plan, document, problems))
        return false;
    TResult checked = Check(*plan, *document, QDateTime::currentDateTime());
    *problems += checked.Problems;
    *plan = std::move(checked.Plan);
    return true;
}

bool TPlanChecker::LoadTerminal(const TPlan &plan, TTerminalDocument *document, QList<TPlan::TProblem> *problems)
{
    const QString file = QFileInfo(plan.FileName).fileName();
    const QString path = plan.TerminalPath();
    if (!QFile::exists(path)) {
        problems->append({file, plan.TerminalLine, QCoreApplication::translate("TPlanChecker", "Terminal: %1: no such file").arg(path)});
        return false;
    }
    if (!document->Load(path)) {
        problems->append({file, plan.TerminalLine, QCoreApplication::translate("TPlanChecker", "Terminal: %1: %2").arg(path, document->LastError())});
        return false;
    }
    if (const QString why = TTerminalDocument::NotATerminalFile(document->Ini()); !why.isEmpty()) {
        problems->append({file, plan.TerminalLine, QCoreApplication::translate("TPlanChecker", "Terminal: %1: %2").arg(path, why)});
        return false;
    }
    return true;
}
