#pragma once

#include "execution/plan.h"
#include "execution/plan_run.h"
#include "execution/step_result.h"

#include <QDialog>
#include <QList>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class TFormChildTerminalWindow;
class TPrompts;

// Runs a checked plan through the terminal window's page, so every frame
// reaches the log window as a Send does: a progress bar, one row per step
// marked passed or failed as it ends (its failed expectations beneath it
// with the expected and actual values), Stop between steps, and a failed
// step opened in the terminal window with the values it went out with.
class TFormPlanRun : public QDialog
{
    Q_OBJECT

public:
    enum TColumn { ColumnStep, ColumnCommand, ColumnOutcome, ColumnTime, ColumnResult, ColumnCount };

    // plan as TPlanChecker resolved it against the window's file; the
    // dialog goes with the window.
    TFormPlanRun(TFormChildTerminalWindow *window, TPrompts &prompts, const TPlan &plan,
                 const TPlanRun::TOptions &options);

    void Start();
    // The run ends once the step under way has.
    void Stop();
    bool IsRunning() const;
    // Shows the selected failed step's command in the terminal window with
    // its values; false when none is selected or the command is gone.
    bool OpenSelectedStep();

    // One per step that ended, in order.
    const QList<TStepResult> &Results() const { return m_results; }
    QProgressBar *ProgressBar() const { return m_progress; }
    QTreeWidget *StepList() const { return m_steps; }
    QLabel *SummaryLabel() const { return m_summary; }
    QPushButton *ButtonOpen() const { return m_buttonOpen; }
    QPushButton *ButtonStop() const { return m_buttonStop; }
    QPushButton *ButtonClose() const { return m_buttonClose; }

    static QString OutcomeText(const TStepResult &result);

    // Escape and the close box stop a run instead of leaving it unseen.
    void reject() override;

signals:
    void RunningChanged(bool running);
    void StepFinished(const TStepResult &result);
    void Finished();

private:
    void StepStarted(int index);
    void ShowStep(const TStepResult &result);
    void ShowSummary(const TPlanRun::TSummary &summary);
    void UpdateButtons();
    const TStepResult *SelectedResult() const;

    QPointer<TFormChildTerminalWindow> m_window;
    TPrompts &m_prompts;
    TPlan m_plan;
    TPlanRun *m_run = nullptr;
    QList<TStepResult> m_results;
    QProgressBar *m_progress = nullptr;
    QTreeWidget *m_steps = nullptr;
    QLabel *m_summary = nullptr;
    QPushButton *m_buttonOpen = nullptr;
    QPushButton *m_buttonStop = nullptr;
    QPushButton *m_buttonClose = nullptr;
};
