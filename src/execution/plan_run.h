#pragma once

#include "execution/answer_page.h"
#include "execution/command_definition.h"
#include "execution/fixed_answer_table.h"
#include "execution/plan.h"
#include "execution/plan_inputs.h"
#include "execution/plan_values.h"
#include "execution/step_result.h"

#include <QElapsedTimer>
#include <QHash>
#include <QMetaType>
#include <QObject>
#include <QTimer>

#include <optional>

class TCommandRunner;
class TExtIniFile;

// Runs a checked plan step by step through a command runner whose ports are
// open: each step's values (kept values put in), Send or Repeat, the answer
// decoded as the answer page decodes it, the expectations, the values kept.
// Never blocks: every step ends by a signal. Stop() ends the run between
// steps (a wait is cut short); a cancelled command stops it too.
class TPlanRun : public QObject {
    Q_OBJECT

public:
    struct TOptions {
        bool StopOnFailure = false;
        // A step whose values use no kept value goes out as soon as the
        // answer before it has come, and that answer is judged while the
        // printer works on the next command. Stop() then lets the step
        // already on the wire finish. Off in the window, where a person
        // stops the run after the step they see; on for tessaly-cli.
        bool SendAhead = false;
        TAnswerPage::TOptions Answers;   // how answers are read, and the input date layout
    };

    struct TSummary {
        int Steps = 0;
        int Passed = 0;
        int Failed = 0;
        int NotRun = 0;
        bool Stopped = false;   // by Stop(), a cancelled command or a failure with StopOnFailure
        qint64 ElapsedMs = 0;
        bool AllPassed() const { return Failed == 0 && NotRun == 0; }
    };

    // plan as TPlanChecker resolved it; ini is its terminal file's; both
    // and the runner outlive the run.
    TPlanRun(const TPlan &plan, const TExtIniFile &ini, TCommandRunner *runner, const TOptions &options,
             QObject *parent = nullptr);

    // The first step starts from the event loop.
    void Start();
    void Stop();
    bool IsRunning() const { return m_running; }
    const TPlanValues &Kept() const { return m_kept; }
    const TSummary &Summary() const { return m_summary; }

signals:
    void StepStarted(int index);
    void StepFinished(const TStepResult &result);
    void Finished(const TPlanRun::TSummary &summary);

private:
    void NextStep();
    void AnnounceStep();
    TPlanInputs::TResult Inputs(const TPlan::TStep &step);
    void Send(const TPlan::TStep &step, const TPlanInputs::TResult &inputs);
    void BeginCommand(const TPlan::TStep &step);
    void CommandFinished(const TRunOutcome &outcome);
    bool MayGoAhead() const;
    void AfterCommand();
    void WaitFinished();
    void EndStep();
    void EndRun();
    const TCommandDefinition &Definition(const QString &section);
    TAnswerPage BuildPage(const TReceivedAnswer &answer);

    TPlan m_plan;
    const TExtIniFile &m_ini;
    TCommandRunner *m_runner;
    TOptions m_options;
    TFixedAnswerTable m_fiscalTable;
    TFixedAnswerTable m_printerTable;
    // The terminal file stays as it is for the run: each command's
    // definitions and each return code's description are read once.
    QHash<QString, TCommandDefinition> m_definitions;
    QHash<QString, TAnswerPage::TDefinitions> m_answerDefinitions;
    QHash<int, QString> m_returnCodeTexts;
    TPlanValues m_kept;
    TSummary m_summary;
    TStepResult m_result;
    QElapsedTimer m_stepClock;
    QElapsedTimer m_runClock;
    QTimer m_wait;
    QList<bool> m_independent;   // per step: its values use no kept value
    bool m_sendingAhead = false;
    std::optional<TRunOutcome> m_aheadOutcome;
    int m_next = 0;
    bool m_running = false;
    bool m_stopAsked = false;
    bool m_commandPending = false;
};

Q_DECLARE_METATYPE(TPlanRun::TSummary)
