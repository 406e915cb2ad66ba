#include "comm/fp_host_control.h"

#include "comm/host_exchange.h"
#include "comm/host_framing.h"
#include "comm/qt_serial_line.h"

#include <QDateTime>
#include <QPointer>
#include <QRandomGenerator>

TFPHostControl::TFPHostControl(QObject *parent)
    : QObject(parent),
      m_answerTimeOut(THostFraming::AnswerTimeOutMs),
      m_writeTimeOutMargin(THostFraming::WriteTimeOutMarginMs)
{
}

TFPHostControl::~TFPHostControl()
{
    StopWorker();
}

void TFPHostControl::SetCommPort(TCommPort port)
{
    if (m_state == EFP_S_Close)
        m_commPort = port;
}

void TFPHostControl::SetBaudRate(TBaudRate baudRate)
{
    if (m_state == EFP_S_Close)
        m_baudRate = baudRate;
}

void TFPHostControl::SetDeviceName(const QString &deviceName)
{
    if (m_state == EFP_S_Close)
        m_deviceName = deviceName;
}

void TFPHostControl::SetProtocolType(TProtocolType protocol)
{
    if (m_state == EFP_S_Busy || protocol == m_protocol)
        return;
    m_protocol = protocol;
    SetFirstSequenceNumber();
}

QString TFPHostControl::PortName() const
{
    return m_deviceName.isEmpty() ? THostFraming::PortName(m_commPort) : m_deviceName;
}

bool TFPHostControl::OpenPort()
{
    if (m_state != EFP_S_Close) {
        m_lastError = EFP_E_ComAlreadyOpen;
        return false;
    }
    TSerialLine::TLineSettings settings;
    settings.Name = PortName();
    settings.BaudRate = THostFraming::BaudRateValue(m_baudRate);
    settings.DataTerminalReady = true;
    settings.RequestToSend = false;

    auto exchange = std::make_unique<THostExchange>(m_baudRate);
    exchange->SetAnswerTimeOut(m_answerTimeOut);
    exchange->SetWriteTimeOutMargin(m_writeTimeOutMargin);
    THostExchange *hostExchange = exchange.get();
    TPortWorker::TLineFactory factory = m_lineFactory;
    if (!factory)
        factory = [] { return std::make_shared<TQtSerialLine>(); };
    auto worker = std::make_unique<TPortWorker>(factory, settings, std::move(exchange));
    connect(worker.get(), &TPortWorker::Notify, this, &TFPHostControl::HandleNotifications,
            Qt::QueuedConnection);
    const TPortError opened = worker->Open(m_starter);
    if (opened != EFP_Success) {
        m_lastError = opened;
        return false;
    }
    m_worker = std::move(worker);
    m_exchange = hostExchange;
    ++m_commandId;
    m_extraFields.clear();
    ClearCommand();
    SetFirstSequenceNumber();
    m_state = EFP_S_Idle;
    m_lastError = EFP_Success;
    emit OnOpen();
    return true;
}

bool TFPHostControl::ClosePort()
{
    if (m_state == EFP_S_Close) {
        m_lastError = EFP_E_ComAlreadyClose;
        return false;
    }
    StopWorker();
    m_state = EFP_S_Close;
    m_lastError = EFP_Success;
    emit OnClose();
    return true;
}

void TFPHostControl::StopWorker()
{
    if (!m_worker)
        return;
    // The worker drops what is pending, lets the last ACK leave, closes the
    // line on its own thread and ends within one short wait of the line.
    m_worker->Terminate();
    m_worker.reset();
    m_exchange = nullptr;
    ++m_commandId;
}

void TFPHostControl::Purge()
{
    if (m_state != EFP_S_Close) {
        m_worker->Purge();
        m_state = EFP_S_Idle;
    }
    m_lastError = EFP_Success;
    ClearCommand();
    m_extraFields.clear();
}

bool TFPHostControl::AddDataField(const QByteArray &field)
{
    m_dataLength += qint32(field.size());
    for (char byte : field) {
        if (m_protocol == protocol_Compatible) {
            if (!THostFraming::IsCompatibleDataByte(quint8(byte))) {
                m_lastError = EFP_E_InvalidDataInField;
                return false;
            }
        } else if (THostFraming::NeedsEscape(quint8(byte))) {
            m_command += THostFraming::ESC;
        }
        m_command += byte;
    }
    m_command += THostFraming::FS;
    m_lastError = EFP_Success;
    return true;
}

bool TFPHostControl::SendCommand()
{
    m_extraFields.clear();
    if (m_state != EFP_S_Idle) {
        m_lastError = m_state == EFP_S_Busy ? EFP_E_OperationInProgress : EFP_E_ComClose;
        return false;
    }
    if (!m_command.isEmpty())
        m_command.chop(1);
    // STX, sequence number, ETX and four checksum digits around the fields.
    const qsizetype frameSize = m_command.size() + 7;
    if (m_dataLength > THostFraming::MaxDataLength || frameSize > THostFraming::SendBufferSize) {
        m_lastError = EFP_E_MaxDataLengthReached;
        return false;
    }
    m_sequence = THostFraming::NextSequenceNumber(m_protocol, m_sequence);
    QByteArray frame;
    frame.reserve(frameSize);
    frame += THostFraming::STX;
    frame += char(m_sequence);
    frame += m_command;
    frame += THostFraming::ETX;
    frame += GetFrameCheckSum(frame);

    m_worker->StartCommand({frame, ++m_commandId});
    ClearCommand();
    m_state = EFP_S_Busy;
    m_lastError = EFP_Success;
    return true;
}

QByteArray TFPHostControl::GetExtraField(int index)
{
    if (index < 1 || index > ExtraFieldsCount()) {
        m_lastError = EFP_E_InvalidIndex;
        return QByteArray();
    }
    m_lastError = EFP_Success;
    return m_extraFields.at(index - 1);
}

QByteArray TFPHostControl::GetFrameCheckSum(const QByteArray &frame)
{
    return THostFraming::GetFrameCheckSum(frame);
}

void TFPHostControl::SetLineFactory(TPortWorker::TLineFactory factory)
{
    m_lineFactory = std::move(factory);
}

void TFPHostControl::SetAnswerTimeOut(int ms)
{
    m_answerTimeOut = ms;
    if (m_exchange)
        m_exchange->SetAnswerTimeOut(ms);
}

void TFPHostControl::SetWriteTimeOutMargin(int ms)
{
    m_writeTimeOutMargin = ms;
    if (m_exchange)
        m_exchange->SetWriteTimeOutMargin(ms);
}

void TFPHostControl::SetFirstSequenceNumber()
{
    QRandomGenerator random(quint32(QDateTime::currentMSecsSinceEpoch()));
    m_sequence = THostFraming::FirstSequenceNumber(m_protocol, random.generate());
}

void TFPHostControl::ClearCommand()
{
    m_command.clear();
    m_dataLength = 0;
}

void TFPHostControl::HandleNotifications(const QList<TPortNotification> &notifications)
{
    // A handler may close the port on the way (each step checks again) or
    // even destroy the component.
    const QPointer<TFPHostControl> alive(this);
    for (const TPortNotification &notification : notifications) {
        if (!alive)
            return;
        HandleNotification(notification);
    }
}

void TFPHostControl::HandleNotification(const TPortNotification &notification)
{
    if (!m_worker || notification.CommandId != m_commandId)
        return;
    switch (THostNotificationCode(notification.Code)) {
    case EFP_N_AckReceived:
        emit OnAck();
        break;
    case EFP_N_NakReceived:
        m_lastError = EFP_E_NackReceived;
        emit OnNack();
        break;
    case EFP_N_IntermediateAnswer:
        emit OnIntermediateAnswer();
        break;
    case EFP_N_FinalAnswer:
        HandleFinalAnswer(notification.Fields, notification.ElapsedUs);
        break;
    case EFP_N_FrameWritten:
        RaiseWrite(notification.Frame);
        break;
    case EFP_N_FrameRead:
        m_lastReadFrame = notification.Frame;
        emit OnRead(notification.Frame);
        break;
    case EFP_N_WriteFailed:
        m_state = EFP_S_Idle;
        m_lastError = EFP_E_WriteError;
        m_lastLineFailure = notification.Failure;
        emit OnError(m_lastError, m_lastLineFailure);
        break;
    case EFP_N_AnswerTimedOut:
        m_state = EFP_S_Idle;
        if (m_lastError != EFP_E_NackReceived)
            m_lastError = EFP_E_ReadTimeOut;
        m_lastLineFailure = notification.Failure;
        emit OnError(m_lastError, m_lastLineFailure);
        break;
    case EFP_N_AckSent:
        RaiseWrite(QByteArray(1, THostFraming::ACK));
        break;
    case EFP_N_NakSent:
        RaiseWrite(QByteArray(1, THostFraming::NAK));
        break;
    }
}

void TFPHostControl::RaiseWrite(const QByteArray &value)
{
    m_lastWrittenFrame = value;
    emit OnWrite(value);
}

void TFPHostControl::HandleFinalAnswer(const QList<QByteArray> &fields, qint64 elapsedUs)
{
    const TSplitAnswer split = THostFraming::SplitAnswer(m_protocol, fields);
    if (split.HasExtraFields)
        m_extraFields = split.ExtraFields;
    m_fiscalStatus = split.FiscalStatus;
    m_printerStatus = split.PrinterStatus;
    m_returnCode = split.ReturnCode;
    m_state = EFP_S_Idle;
    // The printer answered: a NAK it sent on the way no longer stands.
    m_lastError = EFP_Success;
    const THostAnswer answer{quint16(m_fiscalStatus), quint16(m_printerStatus),
                             quint16(m_returnCode), m_extraFields, elapsedUs};
    emit OnFinalAnswer(answer);
}
