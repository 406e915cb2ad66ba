#include "comm/comm_thread.h"

#include "comm/host_framing.h"

namespace {
// An ACK at 1200 baud leaves in under 10 ms; a line that takes longer is stuck.
constexpr int kCloseDrainMs = 50;
}

TCommThread::TCommThread(TSerialLine *line, const TSerialLine::TLineSettings &settings,
                         TBaudRate baudRate, QObject *parent)
    : QThread(parent),
      m_line(line),
      m_settings(settings),
      m_baudRate(baudRate),
      m_answerTimeOut(THostFraming::AnswerTimeOutMs),
      m_writeTimeOutMargin(THostFraming::WriteTimeOutMarginMs)
{
    qRegisterMetaType<THostNotification>();
}

TCommThread::~TCommThread()
{
    Terminate();
    wait();
}

TErrorType TCommThread::Open()
{
    start();
    if (!isRunning() && !isFinished())
        return EFP_E_BadInitialization;
    QMutexLocker lock(&m_mutex);
    while (!m_openDone)
        m_wake.wait(&m_mutex);
    const TErrorType result = m_openResult;
    lock.unlock();
    if (result != EFP_Success)
        wait();
    return result;
}

void TCommThread::StartCommand(const QByteArray &frame, quint64 commandId)
{
    QMutexLocker lock(&m_mutex);
    m_sendBuffer = frame;
    m_commandId = commandId;
    m_pending = true;
    m_wake.wakeAll();
}

void TCommThread::AbortSignaledEvents()
{
    QMutexLocker lock(&m_mutex);
    m_pending = false;
    m_purge = true;
    m_line->abort();
    m_wake.wakeAll();
}

void TCommThread::Terminate()
{
    QMutexLocker lock(&m_mutex);
    m_terminate = true;
    m_line->abort();
    m_wake.wakeAll();
}

void TCommThread::run()
{
    // A close of an earlier session leaves the line aborted.
    m_line->resetAbort();
    const bool opened = m_line->open(m_settings);
    {
        QMutexLocker lock(&m_mutex);
        m_openDone = true;
        if (!opened)
            m_openResult = m_line->error() == TSerialLine::NotFoundError ? EFP_E_InvalidCom : EFP_E_ComInUse;
        m_wake.wakeAll();
    }
    if (!opened)
        return;

    QMutexLocker lock(&m_mutex);
    for (;;) {
        while (!m_terminate && !m_pending && !m_purge)
            m_wake.wait(&m_mutex);
        if (m_terminate)
            break;
        const bool hasCommand = m_pending;
        const bool purge = m_purge;
        const QByteArray frame = m_sendBuffer;
        const quint64 commandId = m_commandId;
        m_pending = false;
        m_purge = false;
        // Under the lock, so an abort that comes after taking the command
        // still hits it.
        m_line->resetAbort();
        lock.unlock();

        if (hasCommand)
            RunCommand(frame, commandId);
        // The ACK just written may still wait in the driver: only a purge
        // throws output away.
        if (purge || m_line->isAborted())
            m_line->clear();
        else
            m_line->clearInput();
        m_parser.Reset();

        lock.relock();
    }
    lock.unlock();
    // Let the last ACK leave, but bounded: discarding what a stuck line still
    // holds spares close() the driver's own, much longer wait. A drained line
    // is not flushed: on a pseudo-terminal that would discard what the far
    // end has not read yet.
    if (m_line->drainOutput(kCloseDrainMs))
        m_line->clearInput();
    else
        m_line->clear();
    m_line->close();
}

void TCommThread::RunCommand(const QByteArray &frame, quint64 commandId)
{
    m_line->clearInput();
    if (!WriteComm(frame)) {
        NotifyFailure(EFP_N_WriteFailed, commandId);
        return;
    }
    NotifyStatus(EFP_N_FrameWritten, commandId, frame);

    m_parser.Reset();
    m_parser.SetLastSentSequence(frame.size() > 1 ? quint8(frame.at(1)) : 0);
    for (;;) {
        QByteArray chunk;
        if (!m_line->read(chunk, m_parser.FreeSpace(), m_answerTimeOut.load())) {
            NotifyFailure(EFP_N_AnswerTimedOut, commandId);
            return;
        }
        const THostReceiveParser::TResult result = m_parser.Feed(chunk);
        for (THostReceiveParser::TAction action : result.Actions) {
            switch (action) {
            case THostReceiveParser::NotifyAck:
                NotifyStatus(EFP_N_AckReceived, commandId);
                break;
            case THostReceiveParser::NotifyNak:
                NotifyStatus(EFP_N_NakReceived, commandId);
                break;
            case THostReceiveParser::NotifyIntermediate:
                NotifyStatus(EFP_N_IntermediateAnswer, commandId);
                break;
            case THostReceiveParser::WriteAck:
                WriteComm(QByteArray(1, THostFraming::ACK));
                break;
            }
        }
        if (result.Outcome == THostReceiveParser::BadChecksum) {
            if (WriteComm(QByteArray(1, THostFraming::NAK)))
                NotifyStatus(EFP_N_NakSent, commandId);
        } else if (result.Outcome == THostReceiveParser::FinalFrame) {
            const bool acknowledged = WriteComm(QByteArray(1, THostFraming::ACK));
            NotifyStatus(EFP_N_FrameRead, commandId, m_parser.ReadFrame());
            if (acknowledged)
                NotifyStatus(EFP_N_AckSent, commandId);
            NotifyStatus(EFP_N_FinalAnswer, commandId, QByteArray(), m_parser.Fields());
            return;
        }
    }
}

bool TCommThread::WriteComm(const QByteArray &bytes)
{
    return m_line->write(bytes, THostFraming::WriteTimeOut(m_baudRate, bytes.size(),
                                                           m_writeTimeOutMargin.load()));
}

void TCommThread::NotifyStatus(THostNotificationCode code, quint64 commandId,
                               const QByteArray &frame, const QList<QByteArray> &fields)
{
    emit Notify(THostNotification{code, commandId, frame, fields, {}});
}

void TCommThread::NotifyFailure(THostNotificationCode code, quint64 commandId)
{
    emit Notify(THostNotification{code, commandId, {}, {}, TLineFailure::Of(*m_line)});
}
