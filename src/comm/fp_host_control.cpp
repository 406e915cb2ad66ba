#include "comm/fp_host_control.h"

#include "comm/comm_thread.h"
#include "comm/host_framing.h"
#include "comm/qt_serial_line.h"

#include <QDateTime>
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
    TSerialLine *line = m_externalLine;
    if (!line) {
        m_ownLine = std::make_unique<TQtSerialLine>();
        line = m_ownLine.get();
    }
    TSerialLine::TLineSettings settings;
    settings.Name = PortName();
    settings.BaudRate = THostFraming::BaudRateValue(m_baudRate);
    settings.DataTerminalReady = true;
    settings.RequestToSend = false;

    auto *worker = new TCommThread(line, settings, m_baudRate);
    worker->SetAnswerTimeOut(m_answerTimeOut);
    worker->SetWriteTimeOutMargin(m_writeTimeOutMargin);
    connect(worker, &TCommThread::Notify, this, &TFPHostControl::HandleNotification,
            Qt::QueuedConnection);
    const TErrorType opened = worker->Open();
    if (opened != EFP_Success) {
        delete worker;
        m_ownLine.reset();
        m_lastError = opened;
        return false;
    }
    m_worker = worker;
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
    // The worker drops what is pending, closes the line on its own thread
    // and ends within one short wait of the line.
    m_worker->AbortSignaledEvents();
    m_worker->Terminate();
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
    m_ownLine.reset();
    ++m_commandId;
}

void TFPHostControl::Purge()
{
    if (m_state != EFP_S_Close) {
        m_worker->AbortSignaledEvents();
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

    m_worker->StartCommand(frame, ++m_commandId);
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

void TFPHostControl::SetSerialLine(TSerialLine *line)
{
    m_externalLine = line;
}

void TFPHostControl::SetAnswerTimeOut(int ms)
{
    m_answerTimeOut = ms;
    if (m_worker)
        m_worker->SetAnswerTimeOut(ms);
}

void TFPHostControl::SetWriteTimeOutMargin(int ms)
{
    m_writeTimeOutMargin = ms;
    if (m_worker)
        m_worker->SetWriteTimeOutMargin(ms);
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

void TFPHostControl::HandleNotification(const THostNotification &notification)
{
    if (!m_worker || notification.CommandId != m_commandId)
        return;
    switch (notification.Code) {
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
        HandleFinalAnswer(notification.Fields);
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
        emit OnError();
        break;
    case EFP_N_AnswerTimedOut:
        m_state = EFP_S_Idle;
        if (m_lastError != EFP_E_NackReceived)
            m_lastError = EFP_E_ReadTimeOut;
        m_lastLineFailure = notification.Failure;
        emit OnError();
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

void TFPHostControl::HandleFinalAnswer(const QList<QByteArray> &fields)
{
    const THostAnswer answer = THostFraming::SplitAnswer(m_protocol, fields);
    if (answer.HasExtraFields)
        m_extraFields = answer.ExtraFields;
    m_fiscalStatus = answer.FiscalStatus;
    m_printerStatus = answer.PrinterStatus;
    m_returnCode = answer.ReturnCode;
    m_state = EFP_S_Idle;
    emit OnFinalAnswer();
}
