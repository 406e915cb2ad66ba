#include "comm/fp_aux_control.h"

#include "comm/aux_exchange.h"
#include "comm/aux_framing.h"
#include "comm/qt_serial_line.h"

#include <QPointer>

TFPAuxControl::TFPAuxControl(QObject *parent)
    : QObject(parent)
{
}

TFPAuxControl::~TFPAuxControl()
{
    StopWorker();
}

void TFPAuxControl::SetCommPort(TFCommPort port)
{
    if (m_state == FEFP_S_Close)
        m_commPort = port;
}

void TFPAuxControl::SetDeviceName(const QString &name)
{
    if (m_state == FEFP_S_Close)
        m_deviceName = name;
}

QString TFPAuxControl::PortName() const
{
    return m_deviceName.isEmpty() ? PortName(m_commPort) : m_deviceName;
}

QString TFPAuxControl::PortName(TFCommPort port)
{
    const int index = port <= FCom4 ? int(port) : 0;
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(index + 1);
#else
    return QStringLiteral("/dev/ttyS%1").arg(index);
#endif
}

void TFPAuxControl::SetLineFactory(TPortWorker::TLineFactory factory)
{
    if (m_state == FEFP_S_Close)
        m_lineFactory = std::move(factory);
}

bool TFPAuxControl::OpenPort()
{
    if (m_state != FEFP_S_Close) {
        m_lastError = FEFP_E_ComAlreadyOpen;
        return false;
    }
    TSerialLine::TLineSettings settings;
    settings.Name = PortName();
    settings.BaudRate = 9600;
    settings.DataTerminalReady = true;
    settings.RequestToSend = true;

    TPortWorker::TLineFactory factory = m_lineFactory;
    if (!factory)
        factory = [] { return std::make_shared<TQtSerialLine>(); };
    auto worker = std::make_unique<TPortWorker>(factory, settings, std::make_unique<TAuxExchange>());
    // Queued: the notices reach this object in order on its own thread, and
    // those still queued when it is destroyed are dropped with it.
    connect(worker.get(), &TPortWorker::Notify, this, &TFPAuxControl::HandleNotices,
            Qt::QueuedConnection);
    const TPortError opened = worker->Open(m_starter);
    if (opened != FEFP_Success) {
        m_lastError = opened;
        return false;
    }
    m_worker = std::move(worker);
    m_lastError = FEFP_Success;
    SetState(FEFP_S_Idle);
    emit OnOpen();
    return true;
}

bool TFPAuxControl::ClosePort()
{
    if (m_state == FEFP_S_Close) {
        m_lastError = FEFP_E_ComAlreadyClose;
        return false;
    }
    StopWorker();
    m_lastError = FEFP_Success;
    SetState(FEFP_S_Close);
    emit OnClose();
    return true;
}

void TFPAuxControl::StopWorker()
{
    if (m_worker) {
        m_worker->Terminate();
        m_worker.reset();
    }
    // Notices still queued from this worker belong to no command now.
    ++m_command;
}

void TFPAuxControl::Purge()
{
    if (m_state != FEFP_S_Close) {
        m_worker->Purge();
        SetState(FEFP_S_Idle);
    }
    m_lastError = FEFP_Success;
}

bool TFPAuxControl::SendData(const QByteArray &data)
{
    if (m_state != FEFP_S_Idle) {
        m_lastError = m_state == FEFP_S_Busy ? FEFP_E_OperationInProgress : FEFP_E_ComClose;
        return false;
    }
    QByteArray bytes;
    if (data.size() == 1 && data.at(0) == TAuxFraming::ENQ) {
        bytes = data;
    } else if (data.size() > TAuxFraming::MaxDataLength) {
        m_lastError = FEFP_E_MaxDataLengthReached;
        return false;
    } else {
        bytes = TAuxFraming::BuildFrame(data);
    }
    m_worker->StartCommand({bytes, ++m_command, m_timeOut});
    m_lastError = FEFP_Success;
    SetState(FEFP_S_Busy);
    return true;
}

void TFPAuxControl::HandleNotices(const QList<TPortNotification> &notices)
{
    // A handler may close the port on the way (each notice checks again) or
    // even destroy the component.
    const QPointer<TFPAuxControl> alive(this);
    for (const TPortNotification &notice : notices) {
        if (!alive)
            return;
        HandleNotice(notice);
    }
}

void TFPAuxControl::HandleNotice(const TPortNotification &notice)
{
    // Only while open, and only for the latest command: the notices of a
    // purged command still end it, but never a newer one.
    if (!m_worker || notice.CommandId != m_command)
        return;
    switch (TFAuxNotification(notice.Code)) {
    case FEFP_N_AckReceived:
        m_answer.clear();
        // The printer answered: a NAK it sent on the way no longer stands.
        m_lastError = FEFP_Success;
        SetState(FEFP_S_Idle);
        emit OnAck(notice.ElapsedUs);
        break;
    case FEFP_N_NakReceived:
        m_lastError = FEFP_E_NackReceived;
        emit OnNack();
        break;
    case FEFP_N_FrameWritten:
        emit OnWrite(notice.Frame);
        break;
    case FEFP_N_WriteFailed:
        SetState(FEFP_S_Idle);
        m_lastError = FEFP_E_WriteError;
        m_lastLineFailure = notice.Failure;
        emit OnError(m_lastError, m_lastLineFailure);
        break;
    case FEFP_N_AnswerFrame:
        emit OnRead(notice.Frame);
        m_answer = TAuxFraming::FrameText(notice.Frame);
        if (notice.Final) {
            m_lastError = FEFP_Success;
            SetState(FEFP_S_Idle);
        }
        emit OnAnswer(m_answer, notice.Final, notice.ElapsedUs);
        break;
    case FEFP_N_AnswerTimedOut:
        SetState(FEFP_S_Idle);
        if (m_lastError != FEFP_E_NackReceived)
            m_lastError = FEFP_E_ReadTimeOut;
        m_lastLineFailure = notice.Failure;
        emit OnError(m_lastError, m_lastLineFailure);
        break;
    case FEFP_N_AckSent:
        emit OnWrite(QByteArray(1, TAuxFraming::ACK));
        break;
    case FEFP_N_NakSent:
        emit OnWrite(QByteArray(1, TAuxFraming::NAK));
        break;
    }
}

void TFPAuxControl::SetState(TFFiscalState state)
{
    if (m_state == state)
        return;
    m_state = state;
    emit StateChanged(state);
}
