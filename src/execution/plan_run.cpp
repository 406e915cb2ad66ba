#include "execution/plan_run.h"

#include "execution/command_runner.h"
#include "execution/plan_expectations.h"
#include "execution/plan_inputs.h"
#include "terminal_model/fixed_answer.h"

#include <QCoreApplication>
#include <QDateTime>

TPlanRun::TPlanRun(const TPlan &plan, const TExtIniFile &ini, TCommandRunner *runner, const TOptions &options,
                   QObject *parent)
    : QObject(parent), m_plan(plan), m_ini(ini), m_runner(runner), m_options(options),
      m_fiscalTable(TFixedAnswerTable::Load(ini, FiscalAnswerSection)),
      m_printerTable(TFixedAnswerTable::Load(ini, PrinterAnswerSection))
{
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

void TPlanRun::NextStep()
{
    if (m_stopAsked || m_next >= m_plan.Steps.size()) {
        EndRun();
        return;
    }
    const TPlan::TStep &step = m_plan.Steps.at(m_next);
    m_result = TStepResult();
    m_result.Index = m_next;
    m_result.Title = step.DisplayTitle();
    m_result.Command = step.CommandName;
    m_result.Section = step.Section;
    m_result.Wait = step.IsWait();
    emit StepStarted(m_next);
    m_stepClock.start();
    if (step.IsWait())
        m_wait.start(step.WaitMs);
    else
        BeginCommand(step);
}

void TPlanRun::BeginCommand(const TPlan::TStep &step)
{
    const TCommandDefinition &definition = Definition(step.Section);
    const TPlanInputs::TResult inputs =
        TPlanInputs::Build(definition, step.Values, &m_kept, QDateTime::currentDateTime());
    m_result.Inputs = inputs.Inputs;
    if (!inputs.Ok()) {
        // Refused as the window's Send refuses a field: nothing goes out.
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
        return;
    }
    m_runner->SetCommand(definition.RunCommand(inputs.Inputs, m_options.Answers.inputDateFormat));
    m_commandPending = true;
    if (step.Repeat > 0)
        m_runner->Repeat(step.Repeat);
    else
        m_runner->Send();
}

void TPlanRun::CommandFinished(const TRunOutcome &outcome)
{
    if (!m_commandPending)
        return;
    m_commandPending = false;
    const TPlan::TStep &step = m_plan.Steps.at(m_next);
    m_result.ElapsedMs = m_stepClock.elapsed();
    m_result.Sent = outcome.sent > 0;
    m_result.Outcome = outcome;
    TAnswerPage page;
    const bool hasPage = outcome.port == cpHostPort && outcome.kind == TRunOutcome::Answer;
    if (hasPage)
        page = TAnswerPage::Build(m_ini, m_fiscalTable, m_printerTable, outcome.answer, m_options.Answers);
    m_result.Failures = TPlanExpectations::Evaluate(step, outcome, hasPage ? &page : nullptr, m_kept);
    m_result.Failures += TPlanExpectations::Keep(step, hasPage ? &page : nullptr, &m_kept);
    if (outcome.kind == TRunOutcome::Cancelled)
        m_stopAsked = true;
    EndStep();
}

void TPlanRun::WaitFinished()
{
    m_result.ElapsedMs = m_stepClock.elapsed();
    EndStep();
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
    // The runner finishes its own bookkeeping before the next step.
    QMetaObject::invokeMethod(this, &TPlanRun::NextStep, Qt::QueuedConnection);
}

void TPlanRun::EndRun()
{
    m_running = false;
    m_summary.NotRun = m_summary.Steps - m_summary.Passed - m_summary.Failed;
    m_summary.Stopped = m_summary.NotRun > 0;
    m_summary.ElapsedMs = m_runClock.elapsed();
    emit Finished(m_summary);
}
