#include "execution/command_runner.h"

#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/execution_texts.h"
#include "execution/field_value.h"
#include "execution/hex_literal.h"

#include <utility>

TCommandRunner::TButtonStates TCommandRunner::ButtonsForCommand(int fieldCount, TCommandPort port,
                                                                bool hostOpen, bool fiscalOpen)
{
    if (fieldCount > 0 && port == cpHostPort && hostOpen)
        return {true, true};
    if (fieldCount > 0 && fiscalOpen)
        return {true, false};
    return {false, false};
}

TCommandRunner::TButtonStates TCommandRunner::IdleButtons(int fieldCount, TCommandPort port,
                                                          bool hostOpen, bool fiscalOpen)
{
    TButtonStates buttons = ButtonsForCommand(fieldCount, port, hostOpen, fiscalOpen);
    // Repeat follows the port alone: with the host port closed it says so.
    buttons.Repeat = fieldCount > 0 && port == cpHostPort;
    return buttons;
}

int TCommandRunner::RepeatCount(const QString &text)
{
    bool ok = false;
    const int count = text.trimmed().toInt(&ok, 10);
    return ok ? count : 0;
}

TReceivedAnswer TCommandRunner::ReceivedAnswer(const THostAnswer &answer)
{
    TReceivedAnswer received;
    received.fiscalStatus = answer.FiscalStatus;
    received.printerStatus = answer.PrinterStatus;
    received.returnCode = answer.ReturnCode;
    received.fields = answer.Fields;
    received.ElapsedUs = answer.ElapsedUs;
    return received;
}

TCommandRunner::TCommandRunner(TFPHostControl *host, TFPAuxControl *aux, QObject *parent)
    : QObject(parent), m_host(host), m_aux(aux)
{
    qRegisterMetaType<TReceivedAnswer>();
    qRegisterMetaType<TRunOutcome>();
}

void TCommandRunner::ConnectComponents()
{
    // Each event is turned into a queued call, so the handlers run after the
    // event, in the order the events came, with what the event carried.
    // A call still queued when the next command goes out belongs to the
    // command before it (a click can come between an event and its call):
    // it is dropped, so it cannot end the new command.
    const auto postFor = [this](const quint64 &commandsSent) {
        return [this, &commandsSent](auto call) {
            QMetaObject::invokeMethod(
                this, [call, &commandsSent, sent = commandsSent] { if (sent == commandsSent) call(); },
                Qt::QueuedConnection);
        };
    };
    const auto postHost = postFor(m_hostCommandsSent);
    const auto postAux = postFor(m_auxCommandsSent);
    connect(m_host, &TFPHostControl::OnFinalAnswer, this, [this, postHost](const THostAnswer &answer) {
        const TReceivedAnswer received = ReceivedAnswer(answer);
        postHost([this, received] { HostFinalAnswer(received); });
    });
    connect(m_host, &TFPHostControl::OnError, this, [this, postHost](TPortError error) {
        postHost([this, error] { HostError(error); });
    });
    connect(m_aux, &TFPAuxControl::OnAnswer, this,
            [this, postAux](const QByteArray &text, bool isFinal, qint64 elapsedUs) {
        if (isFinal)
            postAux([this, text, elapsedUs] { AuxFinalAnswer(text, elapsedUs); });
        else
            postAux([this, text] { AuxAnswer(text); });
    });
    connect(m_aux, &TFPAuxControl::OnError, this, [this, postAux](TPortError error) {
        postAux([this, error] { AuxError(error); });
    });
    connect(m_aux, &TFPAuxControl::OnAck, this,
            [this, postAux](qint64 elapsedUs) { postAux([this, elapsedUs] { AuxAck(elapsedUs); }); });
}

void TCommandRunner::SetCommand(const TRunCommand &command)
{
    m_command = command;
}

void TCommandRunner::SetIdleButtonRule(std::function<TButtonStates()> rule)
{
    m_idleButtonRule = std::move(rule);
}

void TCommandRunner::RenameSection(const QString &from, const QString &to)
{
    if (m_sentCommandKey == from)
        m_sentCommandKey = to;
    if (m_command.key == from)
        m_command.key = to;
}

void TCommandRunner::BeginRun(int count)
{
    // A run still waiting for its outcome is given up by starting another.
    if (m_running)
        Finish(TRunOutcome::Cancelled);
    m_phase = TPhase::Idle;
    m_outcome = TRunOutcome();
    m_outcome.port = m_command.port;
    m_outcome.count = count;
    m_running = true;
}

void TCommandRunner::Finish(TRunOutcome::TKind kind, int error)
{
    if (!m_running)
        return;
    m_running = false;
    m_outcome.kind = kind;
    m_outcome.error = error;
    if (kind != TRunOutcome::Answer && kind != TRunOutcome::Ack)
        m_outcome.ElapsedUs = -1;
    emit Finished(m_outcome);
}

void TCommandRunner::FinishInFlight(TCommandPort port, TRunOutcome::TKind kind, int error)
{
    if (m_running && m_phase == TPhase::Idle && m_command.port == port)
        Finish(kind, error);
}

void TCommandRunner::RefuseClosedPort(TCommandPort port)
{
    // A Repeat run that finds its port closed gives the tree back.
    if (m_phase == TPhase::WaitRepeatStep)
        emit TreeEnabledChanged(true);
    m_phase = TPhase::Idle;
    if (port == cpFiscalPort) {
        emit SendEnabledChanged(false);
        emit StatusText(ExecutionTexts::FiscalPortClosed);
        Finish(TRunOutcome::PortError, FEFP_E_ComClose);
    } else {
        emit StatusText(ExecutionTexts::HostPortClosed);
        Finish(TRunOutcome::PortError, EFP_E_ComClose);
    }
}

bool TCommandRunner::HostClosed() const
{
    return m_host->State() == EFP_S_Close;
}

bool TCommandRunner::HostBusy() const
{
    return m_host->State() == EFP_S_Busy;
}

bool TCommandRunner::AuxClosed() const
{
    return m_aux->State() == FEFP_S_Close;
}

bool TCommandRunner::AuxBusy() const
{
    return m_aux->State() == FEFP_S_Busy;
}

void TCommandRunner::PurgeHost()
{
    m_hostCutShort = m_hostCutShort || HostBusy();
    m_host->Purge();
}

void TCommandRunner::PurgeAux()
{
    m_auxCutShort = m_auxCutShort || AuxBusy();
    m_aux->Purge();
}

void TCommandRunner::SetSendAndRepeat(bool enabled)
{
    emit SendEnabledChanged(enabled);
    emit RepeatEnabledChanged(enabled);
}

void TCommandRunner::ReleaseButtons()
{
    const TButtonStates buttons = m_idleButtonRule
        ? m_idleButtonRule()
        : IdleButtons(int(m_command.fields.size()), m_command.port, !HostClosed(), !AuxClosed());
    emit SendEnabledChanged(buttons.Send);
    emit RepeatEnabledChanged(buttons.Repeat);
}

void TCommandRunner::Send()
{
    BeginRun(1);
    m_auxData.clear();
    const bool fiscal = m_command.port == cpFiscalPort;
    if (fiscal ? AuxClosed() : HostClosed()) {
        RefuseClosedPort(m_command.port);
        return;
    }
    if (fiscal ? AuxBusy() : HostBusy()) {
        m_phase = TPhase::WaitSend;
        return;
    }
    SendFields();
}

void TCommandRunner::SendFields()
{
    m_phase = TPhase::Idle;
    for (int i = 0; i < m_command.fields.size(); ++i) {
        const TSendField &field = m_command.fields.at(i);
        if (!field.refusal.isEmpty() || !AddFieldValue(field.value)) {
            BadInput(i, true);
            return;
        }
    }
    if (m_command.fields.isEmpty()) {
        Finish(TRunOutcome::NotSent);
        return;
    }

    if (m_command.port == cpFiscalPort) {
        if (m_aux->SendData(m_auxData)) {
            ++m_auxCommandsSent;
            m_auxCutShort = false;
            m_outcome.sent = 1;
            emit TreeEnabledChanged(false);
            m_commandPending = true;
            emit StatusText(ExecutionTexts::Sending);
            emit SendEnabledChanged(false);
        } else {
            const int error = m_aux->LastError();
            emit StatusText(ExecutionTexts::Error);
            PurgeAux();
            ReleaseButtons();
            Finish(TRunOutcome::KindOfPortError(error), error);
        }
        return;
    }

    if (m_host->SendCommand()) {
        ++m_hostCommandsSent;
        m_hostCutShort = false;
        m_outcome.sent = 1;
        emit TreeEnabledChanged(false);
        m_sentCommandKey = m_command.key;
        m_commandPending = true;
        emit StatusText(ExecutionTexts::Sending);
        SetSendAndRepeat(false);
    } else {
        const int error = m_host->LastError();
        emit StatusText(ExecutionTexts::Error);
        PurgeHost();
        ReleaseButtons();
        Finish(TRunOutcome::KindOfPortError(error), error);
    }
}

bool TCommandRunner::RefuseBadInput()
{
    for (int i = 0; i < m_command.fields.size(); ++i) {
        if (!m_command.fields.at(i).refusal.isEmpty()) {
            BeginRun(0);
            BadInput(i, false);
            return true;
        }
    }
    return false;
}

bool TCommandRunner::AddFieldValue(const QString &value)
{
    const THexExpansion expanded = ExpandHexLiterals(value);
    if (!expanded.ok)
        return false;
    if (m_command.port == cpFiscalPort) {
        m_auxData.append(expanded.bytes);
        return true;
    }
    return m_host->AddDataField(expanded.bytes);
}

void TCommandRunner::BadInput(int field, bool purgeAux)
{
    const bool repeating = m_phase == TPhase::WaitRepeatStep;
    m_phase = TPhase::Idle;
    const int error = m_command.port == cpHostPort ? int(m_host->LastError()) : 0;
    PurgeHost();
    if (purgeAux)
        PurgeAux();
    // A value that does not fit says why, naming its field.
    const QString &refusal = m_command.fields.at(field).refusal;
    emit ErrorMessage(refusal.isEmpty() ? ExecutionTexts::BadInput
                                        : ExecutionTexts::BadInput + QLatin1Char('\n') + refusal);
    if (!m_command.fields.at(field).readOnly)
        emit FocusField(field);
    emit StatusText(ExecutionTexts::Error);
    if (repeating)
        emit TreeEnabledChanged(true);
    ReleaseButtons();
    m_outcome.field = field;
    Finish(TRunOutcome::BadInput, error);
}

void TCommandRunner::Repeat(int count)
{
    if (m_command.port == cpFiscalPort) {
        emit RepeatEnabledChanged(false);
        return;
    }
    PurgeHost();
    m_repeatCancelled = false;
    if (count < 1 || count > MaxRepeatCount)
        return;

    BeginRun(count);
    if (HostClosed()) {
        RefuseClosedPort(cpHostPort);
        return;
    }
    emit TreeEnabledChanged(false);
    m_repeatStep = 1;
    m_repeatCount = count;
    m_phase = TPhase::WaitRepeatStep;
    RepeatStep();
}

void TCommandRunner::RepeatStep()
{
    if (m_repeatCancelled) {
        m_phase = TPhase::Idle;
        emit StatusText(ExecutionTexts::Abort);
        ReleaseButtons();
        Finish(TRunOutcome::Cancelled);
        return;
    }
    if (m_host->LastError() != EFP_Success) {
        StopRepeat(TRunOutcome::KindOfPortError(m_host->LastError()), m_host->LastError());
        return;
    }

    const int step = m_repeatStep;
    for (int i = 0; i < m_command.fields.size(); ++i) {
        const TSendField &field = m_command.fields.at(i);
        const QString value =
            field.autoIncrement ? field.value + AutoIncrementSuffix(step) : field.value;
        if (!field.refusal.isEmpty() || !AddFieldValue(value)) {
            BadInput(i, false);
            return;
        }
    }
    if (!m_host->SendCommand()) {
        StopRepeat(TRunOutcome::KindOfPortError(m_host->LastError()), m_host->LastError());
        return;
    }

    ++m_hostCommandsSent;
    m_hostCutShort = false;
    m_sentCommandKey = m_command.key;
    ++m_outcome.sent;
    if (step == m_repeatCount) {
        m_commandPending = true;
        m_phase = TPhase::Idle;   // the last answer ends the run
    } else {
        ++m_repeatStep;
    }
    SetSendAndRepeat(false);
    emit StatusText(ExecutionTexts::RepeatProgress(step, m_repeatCount));
}

void TCommandRunner::StopRepeat(TRunOutcome::TKind kind, int error)
{
    m_phase = TPhase::Idle;
    emit StatusText(ExecutionTexts::Error);
    PurgeHost();
    emit TreeEnabledChanged(true);
    ReleaseButtons();
    Finish(kind, error);
}

void TCommandRunner::ScheduleResume()
{
    if (m_phase == TPhase::Idle || m_resumeScheduled)
        return;
    m_resumeScheduled = true;
    QMetaObject::invokeMethod(this, &TCommandRunner::Resume, Qt::QueuedConnection);
}

void TCommandRunner::Resume()
{
    m_resumeScheduled = false;
    switch (m_phase) {
    case TPhase::Idle:
        return;
    case TPhase::WaitSend:
        if (m_command.port == cpFiscalPort) {
            if (AuxClosed())
                RefuseClosedPort(cpFiscalPort);
            else if (!AuxBusy())
                SendFields();
        } else {
            if (HostClosed())
                RefuseClosedPort(cpHostPort);
            else if (!HostBusy())
                SendFields();
        }
        return;
    case TPhase::WaitRepeatStep:
        if (HostBusy())
            return;
        if (HostClosed() && !m_repeatCancelled)
            RefuseClosedPort(cpHostPort);
        else
            RepeatStep();
        return;
    }
}

void TCommandRunner::PurgePorts()
{
    PurgeHost();
    PurgeAux();
}

void TCommandRunner::Cancel()
{
    PurgePorts();
    m_commandPending = false;
    m_repeatCancelled = true;
    ReleaseButtons();
    emit TreeEnabledChanged(true);

    switch (m_phase) {
    case TPhase::WaitSend:
        // A Send still waiting for its port is dropped, not sent after all.
        m_phase = TPhase::Idle;
        emit StatusText(ExecutionTexts::Abort);
        Finish(TRunOutcome::Cancelled);
        break;
    case TPhase::WaitRepeatStep:
        ScheduleResume();
        break;
    case TPhase::Idle:
        Finish(TRunOutcome::Cancelled);
        break;
    }
}

void TCommandRunner::ResetPendingCommand()
{
    m_commandPending = false;
    if (m_phase == TPhase::Idle) {
        // Nothing waits to go out: the command ended here, and the window
        // is the user's again rather than waiting for an error box.
        emit TreeEnabledChanged(true);
        ReleaseButtons();
        Finish(TRunOutcome::Cancelled);
    }
    ScheduleResume();
}

void TCommandRunner::HostFinalAnswer(const TReceivedAnswer &received)
{
    // A command cut short may still have got its answer: nothing else follows.
    m_hostCutShort = false;
    RecordElapsed(cpHostPort, received.ElapsedUs);
    if (m_commandPending) {
        emit TreeEnabledChanged(true);
        TReceivedAnswer answer = received;
        answer.commandKey = m_sentCommandKey;
        emit AnswerReady(answer);
        emit StatusText(ExecutionTexts::Answered(received.ElapsedUs));
        ReleaseButtons();
        m_commandPending = false;
        m_outcome.answer = answer;
        m_outcome.ElapsedUs = received.ElapsedUs;
        FinishInFlight(cpHostPort, TRunOutcome::Answer);
    }
    ScheduleResume();
}

void TCommandRunner::RecordElapsed(TCommandPort port, qint64 elapsedUs)
{
    if (m_running && m_command.port == port && elapsedUs >= 0)
        m_outcome.StepElapsedUs.append(elapsedUs);
}

void TCommandRunner::HostError(int lastError)
{
    // The user's Cancel or Reset serial ports ended this command and has
    // already given the window back: the aborted wait is no time-out.
    if (std::exchange(m_hostCutShort, false)) {
        ScheduleResume();
        return;
    }
    emit TreeEnabledChanged(true);
    m_commandPending = false;
    if (lastError == EFP_E_WriteError || lastError == EFP_E_ReadTimeOut) {
        emit ErrorMessage(ExecutionTexts::CommunicationError);
        emit StatusText(ExecutionTexts::TimeOut);
    } else if (lastError == EFP_E_NackReceived) {
        emit ErrorMessage(ExecutionTexts::BadFrame);
        emit StatusText(ExecutionTexts::Error);
    }
    ReleaseButtons();
    FinishInFlight(cpHostPort, TRunOutcome::KindOfPortError(lastError), lastError);
    ScheduleResume();
}

void TCommandRunner::AuxAnswer(const QByteArray &text)
{
    emit FiscalAnswer(text, false);
    if (m_running && m_command.port == cpFiscalPort)
        m_outcome.fiscalAnswers.append(text);
}

void TCommandRunner::AuxFinalAnswer(const QByteArray &text, qint64 elapsedUs)
{
    m_auxCutShort = false;
    emit FiscalAnswer(text, true);
    if (m_running && m_command.port == cpFiscalPort)
        m_outcome.fiscalAnswers.append(text);
    RecordElapsed(cpFiscalPort, elapsedUs);
    emit TreeEnabledChanged(true);
    emit StatusText(ExecutionTexts::Answered(elapsedUs));
    ReleaseButtons();
    m_commandPending = false;
    m_outcome.ElapsedUs = elapsedUs;
    FinishInFlight(cpFiscalPort, TRunOutcome::Answer);
    ScheduleResume();
}

void TCommandRunner::AuxError(int lastError)
{
    if (std::exchange(m_auxCutShort, false)) {
        ScheduleResume();
        return;
    }
    emit TreeEnabledChanged(true);
    m_commandPending = false;
    if (lastError == FEFP_E_WriteError || lastError == FEFP_E_ReadTimeOut) {
        emit ErrorMessage(ExecutionTexts::CommunicationError);
        emit StatusText(ExecutionTexts::TimeOut);
    } else if (lastError == FEFP_E_NackReceived) {
        emit ErrorMessage(ExecutionTexts::BadFrame);
        emit StatusText(ExecutionTexts::Error);
    }
    ReleaseButtons();
    FinishInFlight(cpFiscalPort, TRunOutcome::KindOfPortError(lastError), lastError);
    ScheduleResume();
}

void TCommandRunner::AuxAck(qint64 elapsedUs)
{
    m_auxCutShort = false;
    RecordElapsed(cpFiscalPort, elapsedUs);
    emit TreeEnabledChanged(true);
    emit StatusText(ExecutionTexts::Answered(elapsedUs));
    ReleaseButtons();
    m_commandPending = false;
    m_outcome.ElapsedUs = elapsedUs;
    emit InformationMessage(ExecutionTexts::FiscalPortAlive);
    FinishInFlight(cpFiscalPort, TRunOutcome::Ack);
    ScheduleResume();
}
