#pragma once

#include "comm/host_answer.h"
#include "execution/received_answer.h"
#include "execution/run_command.h"
#include "execution/run_outcome.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class TFPHostControl;
class TFPAuxControl;

// Executes the command on display: Send, Repeat and Cancel, and the handling
// of the components' outcome notifications, without any window. The terminal
// window connects the signals to its controls and status bar; the
// command-line tool waits for Finished().
//
// Waits never block: a Send or Repeat step that finds its component busy
// resumes when a notification (or a purge by Cancel or Reset serial ports)
// has left the component idle. The notification handlers run in the order
// the components raise their events, after the event, on the components'
// thread: ConnectComponents() sees to that; tests call them directly.
class TCommandRunner : public QObject {
    Q_OBJECT

public:
    static constexpr int MaxRepeatCount = 999;

    struct TButtonStates {
        bool Send = false;
        bool Repeat = false;
    };

    // Send and Repeat enabling once a command's controls are built.
    static TButtonStates ButtonsForCommand(int fieldCount, TCommandPort port, bool hostOpen,
                                           bool fiscalOpen);
    // What the command on display allows while none of its commands is on
    // its way: Send as the build gives it, Repeat for every host-port
    // command with fields.
    static TButtonStates IdleButtons(int fieldCount, TCommandPort port, bool hostOpen,
                                     bool fiscalOpen);
    // The number typed at the Repeat prompt; 0 when not a decimal integer.
    static int RepeatCount(const QString &text);

    // Both components must outlive the runner; a port the caller does not
    // use may stay closed.
    TCommandRunner(TFPHostControl *host, TFPAuxControl *aux, QObject *parent = nullptr);

    // Connects the outcome events of both components to the handlers below,
    // each as a queued call carrying what its event carried.
    void ConnectComponents();

    // The command on display; Send and Repeat work on it.
    void SetCommand(const TRunCommand &command);
    const TRunCommand &Command() const { return m_command; }
    // Whenever a command ends, Send and Repeat go back to what this rule
    // gives for the command on display, which may have changed since the
    // command was sent. Without a rule: IdleButtons() for the command last
    // given to SetCommand(), with the ports as the components are.
    void SetIdleButtonRule(std::function<TButtonStates()> rule);
    // The command section `from` is now called `to`: the answer of a
    // command sent under the old name is still decoded by its definitions.
    void RenameSection(const QString &from, const QString &to);

    void Send();
    // A field of the command that cannot go out is reported as Send and
    // Repeat report it, and true returned; nothing is sent. Asked before the
    // Repeat count, so the user is not asked for a count in vain.
    bool RefuseBadInput();
    // count is the number typed at the prompt (see RepeatCount); a count
    // outside 1..999 only purges the host control.
    void Repeat(int count);
    void Cancel();
    // Reset serial ports, first step: purges both components. The end they
    // still report for a command this cuts short is not shown as an error.
    void PurgePorts();
    // Reset serial ports, second step: the pending command is forgotten.
    // Unless a Send or Repeat still waits to go on, the tree and the buttons
    // are given back.
    void ResetPendingCommand();

    // The answer OnFinalAnswer carries, as the handlers take it.
    static TReceivedAnswer ReceivedAnswer(const THostAnswer &answer);

    // Notification handlers. elapsedUs: the time the command took, as the
    // event carried it (-1: not measured).
    void HostFinalAnswer(const TReceivedAnswer &answer);
    void HostError(int lastError);
    void AuxAnswer(const QByteArray &text);
    void AuxFinalAnswer(const QByteArray &text, qint64 elapsedUs = -1);
    void AuxError(int lastError);
    void AuxAck(qint64 elapsedUs = -1);

    bool CommandPending() const { return m_commandPending; }
    // Section of the last command handed to the host control.
    QString SentCommandKey() const { return m_sentCommandKey; }
    // A Send or Repeat has started and not yet reported Finished().
    bool IsRunning() const { return m_running; }

signals:
    void StatusText(const QString &text);
    void SendEnabledChanged(bool enabled);
    void RepeatEnabledChanged(bool enabled);
    void TreeEnabledChanged(bool enabled);
    void ErrorMessage(const QString &text);
    void InformationMessage(const QString &text);
    // After a bad input: the control of this field takes the focus.
    void FocusField(int field);
    void AnswerReady(const TReceivedAnswer &answer);
    // One answer of the auxiliary port, to be appended to the fiscal page.
    void FiscalAnswer(const QByteArray &text, bool final);
    void Finished(const TRunOutcome &outcome);

private:
    enum class TPhase { Idle, WaitSend, WaitRepeatStep };

    void BeginRun(int count);
    void Finish(TRunOutcome::TKind kind, int error = 0);
    void RefuseClosedPort(TCommandPort port);
    void ScheduleResume();
    void Resume();
    void SendFields();
    void RepeatStep();
    bool AddFieldValue(const QString &value);
    void BadInput(int field, bool purgeAux);
    void FinishInFlight(TCommandPort port, TRunOutcome::TKind kind, int error = 0);
    // A command of the run on that port was answered.
    void RecordElapsed(TCommandPort port, qint64 elapsedUs);
    bool HostClosed() const;
    bool HostBusy() const;
    bool AuxClosed() const;
    bool AuxBusy() const;
    void PurgeHost();
    void PurgeAux();
    // Send and Repeat as the command on display allows them.
    void ReleaseButtons();
    void SetSendAndRepeat(bool enabled);
    // After a Repeat run stopped by an error: the tree and the buttons are
    // the user's again.
    void StopRepeat(TRunOutcome::TKind kind, int error);

    TFPHostControl *m_host;
    TFPAuxControl *m_aux;
    TRunCommand m_command;
    QByteArray m_auxData;
    QString m_sentCommandKey;
    bool m_commandPending = false;
    bool m_repeatCancelled = false;
    TPhase m_phase = TPhase::Idle;
    int m_repeatStep = 0;
    int m_repeatCount = 0;
    bool m_resumeScheduled = false;
    bool m_running = false;
    TRunOutcome m_outcome;
    std::function<TButtonStates()> m_idleButtonRule;
    // A purge cut short the command a component was busy with: the error
    // that component still reports for it is the purge's doing. Cleared by
    // the next command handed to that component, whose newer number makes
    // the component drop what the purged command still reports.
    bool m_hostCutShort = false;
    bool m_auxCutShort = false;
    // Commands handed to each component; see ConnectComponents().
    quint64 m_hostCommandsSent = 0;
    quint64 m_auxCommandsSent = 0;
};

