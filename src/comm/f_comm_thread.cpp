#include "comm/f_comm_thread.h"

#include "comm/aux_framing.h"

#include <QMutexLocker>

TFCommThread::TFCommThread(std::shared_ptr<TSerialLine> line,
                           const TSerialLine::TLineSettings &settings, TNotify notify,
                           QObject *parent)
    : QThread(parent), m_line(std::move(line)), m_settings(settings), m_notify(std::move(notify))
{
}

TFCommThread::~TFCommThread()
{
    Terminate();
}

bool TFCommThread::Open(TSerialLine::TLineError &error)
{
    start();
    QMutexLocker lock(&m_lock);
    while (!m_openDone)
        m_wake.wait(&m_lock);
    error = m_openError;
    if (!m_opened) {
        lock.unlock();
        wait();
    }
    return m_opened;
}

void TFCommThread::StartCommand(const QByteArray &bytes, quint64 command, int timeOutMs)
{
    QMutexLocker lock(&m_lock);
    m_sendBuffer = bytes;
    m_command = command;
    m_timeOutMs = timeOutMs;
    m_pending = true;
    m_wake.wakeAll();
}

void TFCommThread::AbortSignaledEvents()
{
    QMutexLocker lock(&m_lock);
    m_pending = false;
    m_line->abort();
    m_wake.wakeAll();
}

void TFCommThread::Terminate()
{
    {
        QMutexLocker lock(&m_lock);
        m_terminate = true;
        m_pending = false;
        m_line->abort();
        m_wake.wakeAll();
    }
    wait();
}

void TFCommThread::run()
{
    m_line->resetAbort();
    TSerialLine::TLineSettings settings = m_settings;
    settings.DataTerminalReady = true;
    settings.RequestToSend = true;
    const bool opened = m_line->open(settings);
    {
        QMutexLocker lock(&m_lock);
        m_opened = opened;
        m_openError = opened ? TSerialLine::NoError : m_line->error();
        m_openDone = true;
        m_wake.wakeAll();
    }
    if (!opened)
        return;
    m_line->clear();

    for (;;) {
        QByteArray bytes;
        quint64 command = 0;
        int timeOutMs = 0;
        {
            QMutexLocker lock(&m_lock);
            while (!m_pending && !m_terminate)
                m_wake.wait(&m_lock);
            if (m_terminate)
                break;
            bytes = m_sendBuffer;
            command = m_command;
            timeOutMs = m_timeOutMs;
            m_pending = false;
            // Under the lock, so that an abort after this point is not lost.
            m_line->resetAbort();
        }
        m_line->clear();
        if (!m_line->write(bytes, WriteTimeOut(bytes.size()))) {
            NotifyFailure(FEFP_N_WriteFailed, command);
        } else {
            Notify(FEFP_N_FrameWritten, command, bytes);
            if (!WaitAnswer(command, timeOutMs))
                NotifyFailure(FEFP_N_AnswerTimedOut, command);
        }
        // No discarding here: it could drop our last ACK before it has left
        // the line. Leftovers are discarded before the next command.
        m_parser.Reset();
    }

    m_line->resetAbort();
    m_line->setDataTerminalReady(false);
    m_line->setRequestToSend(false);
    // Closing without discarding lets an ACK just written still reach the printer.
    m_line->close();
}

bool TFCommThread::WaitAnswer(quint64 command, int timeOutMs)
{
    m_parser.Reset();
    const int readMs = timeOutMs > 0 ? timeOutMs : UnlimitedReadSliceMs;
    for (;;) {
        QByteArray chunk;
        if (!m_line->read(chunk, ReceiveBufferSize, readMs)) {
            const bool silence = m_line->error() == TSerialLine::TimeoutError;
            if (silence && timeOutMs <= 0 && !m_line->isAborted())
                continue;
            return false;
        }
        m_parser.Feed(chunk);
        for (;;) {
            const TAuxReceiveParser::TStep step = m_parser.Next();
            switch (step.Kind) {
            case TAuxReceiveParser::TStep::MoreNeeded:
            case TAuxReceiveParser::TStep::OtherByte:
                break;
            case TAuxReceiveParser::TStep::AckReceived:
                Notify(FEFP_N_AckReceived, command);
                return true;
            case TAuxReceiveParser::TStep::NakReceived:
                Notify(FEFP_N_NakReceived, command);
                break;
            case TAuxReceiveParser::TStep::FrameComplete: {
                const bool final = TAuxFraming::IsFinalFrame(step.Frame);
                // The ACK goes out before the answer is reported: a caller
                // that closes the port on the final answer must not cut it
                // off. The answer is still reported first.
                const bool acknowledged =
                    m_line->write(QByteArray(1, TAuxFraming::ACK), WriteTimeOut(1));
                Notify(FEFP_N_AnswerFrame, command, step.Frame, final);
                if (acknowledged)
                    Notify(FEFP_N_AckSent, command);
                if (final)
                    return true;
                break;
            }
            case TAuxReceiveParser::TStep::BadChecksum:
                if (m_line->write(QByteArray(1, TAuxFraming::NAK), WriteTimeOut(1)))
                    Notify(FEFP_N_NakSent, command);
                break;
            case TAuxReceiveParser::TStep::Overflow:
                return false;
            }
            if (step.Kind == TAuxReceiveParser::TStep::MoreNeeded)
                break;
        }
    }
}

void TFCommThread::Notify(TFAuxNotification code, quint64 command, const QByteArray &frame,
                          bool final)
{
    if (m_notify)
        m_notify({code, command, frame, final, {}});
}

void TFCommThread::NotifyFailure(TFAuxNotification code, quint64 command)
{
    if (m_notify)
        m_notify({code, command, {}, false, TLineFailure::Of(*m_line)});
}
