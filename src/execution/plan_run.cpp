#include "execution/plan_run.h"

#include "execution/command_runner.h"
#include "execution/plan_expectations.h"
#include "execution/plan_inputs.h"
#include "terminal_model/fixed_answer.h"
#include "terminal_model/return_codes.h"

#include <QCoreApplication>
#include <QDateTime>

#include <utility>

TPlanRun::TPlanRun(const TPlan &plan, const TExtIniFile &ini, TCommandRunner *runner, const TOptions &options,
                   QObject *parent)
    : QObject(parent), m_plan(plan), m_ini(ini), m_runner(runner), m_options(options),
      m_fiscalTable(TFixedAnswerTable::Load(ini, FiscalAnswerSection)),
      m_printerTable(TFixedAnswerTable::Load(ini, PrinterAnswerSection))
{
    // A step whose values use no kept value may go out before the step
    // before it is judged.
    for (const TPlan::TStep &step : m_plan.Steps) {
        bool independent = !step.IsWait();
        for (const TPlan::TValue &value : step.Values) {
            QStringList names;
            independent = independent && TPlanValues::References(value.Text, &names) && names.isEmpty();
        }
        m_independent.append(independent);
    }
    qRegisterMetaType<TStepResult>();
    qRegisterMetaType<TPlanRun::TSummary>();
    m_wait.setSingleShot(true);
    m_wait.setTimerType(Qt::PreciseTimer);
    connect(&m_wait, &QTimer::timeout, this, &TPlanRun::WaitFinished);
    connect(m_runner, &TCommandRunner::Finished, this, &TPlanRun::CommandFinished);
}

void TPlanRun::Start()
{
    if (m_running)
        return;
    m_running = true;
    m_stopAsked = false;
    m_next = 0;
    m_kept.Clear();
    m_summary = TSummary();
    m_summary.Steps = int(m_plan.Steps.size());
    m_runClock.start();
    QMetaObject::invokeMethod(this, &TPlanRun::NextStep, Qt::QueuedConnection);
}

void TPlanRun::Stop()
{
    if (!m_running)
        return;
    m_stopAsked = true;
    if (m_wait.isActive()) {
        m_wait.stop();
        WaitFinished();
    }
}

const TCommandDefinition &TPlanRun::Definition(const QString &section)
{
    auto found = m_definitions.find(section);
    if (found == m_definitions.end())
        found = m_definitions.insert(section, TCommandDefinition::Load(m_ini, section));
    return found.value();
}

TAnswerPage TPlanRun::BuildPage(const TReceivedAnswer &answer)
{
    auto definitions = m_answerDefinitions.find(answer.commandKey);
    if (definitions == m_answerDefinitions.end())
        definitions = m_answerDefinitions.insert(answer.commandKey,
                                                 TAnswerPage::TDefinitions::Read(m_ini, answer.commandKey));
    auto codeText = m_returnCodeTexts.find(answer.returnCode);
    if (codeText == m_returnCodeTexts.end())
        codeText = m_returnCodeTexts.insert(answer.returnCode, ReturnCodeDescription(m_ini, answer.returnCode));
    return TAnswerPage::Build(definitions.value(), codeText.value(), m_fiscalTable, m_printerTable, answer,
                              m_options.Answers);
}

void TPlanRun::NextStep()
{
    if (m_stopAsked || m_next >= m_plan.Steps.size()) {
        EndRun();
        return;
    }
    const TPlan::TStep &step = m_plan.Steps.at(m_next);
    AnnounceStep();
    m_stepClock.start();
    if (step.IsWait())
        m_wait.start(step.WaitMs);
    else
        BeginCommand(step);
}

void TPlanRun::AnnounceStep()
{
    const TPlan::TStep &step = m_plan.Steps.at(m_next);
    m_result = TStepResult();
    m_result.Index = m_next;
    m_result.Title = step.DisplayTitle();
    m_result.Command = step.CommandName;
    m_result.Section = step.Section;
    m_result.Wait = step.IsWait();
    emit StepStarted(m_next);
}

TPlanInputs::TResult TPlanRun::Inputs(const TPlan::TStep &step)
{
    return TPlanInputs::Build(Definition(step.Section), step.Values, &m_kept, QDateTime::currentDateTime());
}

void TPlanRun::Send(const TPlan::TStep &step, const TPlanInputs::TResult &inputs)
{
    m_runner->SetCommand(Definition(step.Section).RunCommand(inputs.Inputs, m_options.Answers.inputDateFormat));
    m_commandPending = true;
    if (step.Repeat > 0)
        m_runner->Repeat(step.Repeat);
    else
        m_runner->Send();
}

void TPlanRun::BeginCommand(const TPlan::TStep &step)
{
    const TPlanInputs::TResult inputs = Inputs(step);
    m_result.Inputs = inputs.Inputs;
    if (!inputs.Ok()) {
        // Refused as the window's Send refuses a field: nothing goes out.
        const TCommandDefinition &definition = Definition(step.Section);
        m_result.Outcome.kind = TRunOutcome::BadInput;
        m_result.Outcome.port = definition.port;
        m_result.Outcome.field = inputs.Field;
        m_result.ElapsedMs = m_stepClock.elapsed();
        if (inputs.Missing)
            m_result.Failures.append({QCoreApplication::translate("TPlanRun", "Field values"),
                                      QCoreApplication::translate("TPlanRun", "every kept value"), inputs.Error,
                                      inputs.Line});
        else
            m_result.Failures = TPlanExpectations::Evaluate(step, m_result.Outcome, nullptr, m_kept);
        EndStep();
        QMetaObject::invokeMethod(this, &TPlanRun::NextStep, Qt::QueuedConnection);
        return;
    }
    Send(step, inputs);
}

void TPlanRun::CommandFinished(const TRunOutcome &outcome)
{
    if (!m_commandPending)
        return;
    m_commandPending = false;
    if (m_sendingAhead) {
        // Sent ahead and ended before its step was announced (the runner
        // refused it at once): taken up once the step before is judged.
        m_aheadOutcome = outcome;
        return;
    }
    m_result.ElapsedMs = m_stepClock.elapsed();
    m_result.Sent = outcome.sent > 0;
    m_result.Outcome = outcome;
    if (outcome.kind == TRunOutcome::Cancelled)
        m_stopAsked = true;
    // The runner finishes its own bookkeeping before the next command.
    QMetaObject::invokeMethod(this, &TPlanRun::AfterCommand, Qt::QueuedConnection);
}

bool TPlanRun::MayGoAhead() const
{
    const int ahead = m_next + 1;
    if (!m_options.SendAhead || m_stopAsked || m_options.StopOnFailure || ahead >= m_plan.Steps.size())
        return false;
    const TRunOutcome::TKind kind = m_result.Outcome.kind;
    return (kind == TRunOutcome::Answer || kind == TRunOutcome::Ack) && m_independent.at(ahead);
}

void TPlanRun::AfterCommand()
{
    // The next command goes out before this answer is judged when nothing
    // the judging gives (a kept value, a stop on failure) can change it: the
    // printer works on it meanwhile.
    std::optional<TPlanInputs::TResult> ahead;
    QElapsedTimer aheadClock;
    if (MayGoAhead()) {
        ahead = Inputs(m_plan.Steps.at(m_next + 1));
        if (ahead->Ok()) {
            aheadClock.start();
            // Until the step is announced, its end waits.
            m_sendingAhead = true;
            Send(m_plan.Steps.at(m_next + 1), *ahead);
        } else {
            ahead.reset();   // refused as usual, in its turn
        }
    }

    const TPlan::TStep &step = m_plan.Steps.at(m_next);
    const TRunOutcome &outcome = m_result.Outcome;
    TAnswerPage page;
    const bool hasPage = outcome.port == cpHostPort && outcome.kind == TRunOutcome::Answer;
    if (hasPage)
        page = BuildPage(outcome.answer);
    m_result.Failures = TPlanExpectations::Evaluate(step, outcome, hasPage ? &page : nullptr, m_kept);
    m_result.Failures += TPlanExpectations::Keep(step, hasPage ? &page : nullptr, &m_kept);
    EndStep();

    if (!ahead) {
        NextStep();
        return;
    }
    AnnounceStep();
    m_result.Inputs = ahead->Inputs;
    m_stepClock = aheadClock;
    m_sendingAhead = false;
    if (std::optional<TRunOutcome> ended = std::exchange(m_aheadOutcome, std::nullopt)) {
        m_commandPending = true;
        CommandFinished(*ended);
    }
}

void TPlanRun::WaitFinished()
{
    m_result.ElapsedMs = m_stepClock.elapsed();
    EndStep();
    QMetaObject::invokeMethod(this, &TPlanRun::NextStep, Qt::QueuedConnection);
}

void TPlanRun::EndStep()
{
    if (m_result.Passed())
        ++m_summary.Passed;
    else
        ++m_summary.Failed;
    if (!m_result.Passed() && m_options.StopOnFailure)
        m_stopAsked = true;
    ++m_next;
    emit StepFinished(m_result);
}

void TPlanRun::EndRun()
{
    m_running = false;
    m_summary.NotRun = m_summary.Steps - m_summary.Passed - m_summary.Failed;
    m_summary.Stopped = m_summary.NotRun > 0;
    m_summary.ElapsedMs = m_runClock.elapsed();
    emit Finished(m_summary);
}
