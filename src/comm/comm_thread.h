#pragma once

#include "comm/host_receive_parser.h"
#include "comm/host_types.h"
#include "comm/serial_line.h"

#include <QByteArray>
#include <QList>
#include <QMetaType>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

// One report of the worker. The frames and fields travel with it, so a
// later frame can never replace one that has not been handled yet.
struct THostNotification
{
    THostNotificationCode Code = EFP_N_AckReceived;
    quint64 CommandId = 0;
    QByteArray Frame;          // EFP_N_FrameWritten: the command; EFP_N_FrameRead: the answer
    QList<QByteArray> Fields;  // EFP_N_FinalAnswer: every field of the answer
    TLineFailure Failure;      // EFP_N_WriteFailed, EFP_N_AnswerTimedOut: what the line said
};
Q_DECLARE_METATYPE(THostNotification)

// The worker of the host port. It opens the line on its own thread, then for
// every command it is given writes the frame, parses what the printer sends
// until the answer to that command has arrived, acknowledges it, and reports
// every step through Notify() (to be connected queued). It never sends a
// command twice. Between commands it sleeps.
class TCommThread : public QThread
{
    Q_OBJECT

public:
    TCommThread(TSerialLine *line, const TSerialLine::TLineSettings &settings, TBaudRate baudRate,
                QObject *parent = nullptr);
    ~TCommThread() override;

    // Starts the thread, which opens the line; waits for the outcome.
    // EFP_Success, EFP_E_InvalidCom, EFP_E_ComInUse or EFP_E_BadInitialization.
    // On failure the thread has ended.
    TErrorType Open();

    // Hands over one command; the worker starts it at once.
    void StartCommand(const QByteArray &frame, quint64 commandId);
    // Drops a command not yet started, makes the running one fail at its
    // next wait (it ends with EFP_N_AnswerTimedOut or EFP_N_WriteFailed), and
    // discards the line's buffers.
    void AbortSignaledEvents();
    // Asks the thread to end after closing the line; wait() for it.
    void Terminate();

    void SetAnswerTimeOut(int ms) { m_answerTimeOut.store(ms); }
    void SetWriteTimeOutMargin(int ms) { m_writeTimeOutMargin.store(ms); }

signals:
    void Notify(const THostNotification &notification);

protected:
    void run() override;

private:
    void RunCommand(const QByteArray &frame, quint64 commandId);
    bool WriteComm(const QByteArray &bytes);
    void NotifyStatus(THostNotificationCode code, quint64 commandId,
                      const QByteArray &frame = QByteArray(),
                      const QList<QByteArray> &fields = QList<QByteArray>());
    void NotifyFailure(THostNotificationCode code, quint64 commandId);

    TSerialLine *const m_line;
    const TSerialLine::TLineSettings m_settings;
    const TBaudRate m_baudRate;
    std::atomic<int> m_answerTimeOut;
    std::atomic<int> m_writeTimeOutMargin;
    THostReceiveParser m_parser;

    // Guarded by m_mutex.
    QMutex m_mutex;
    QWaitCondition m_wake;
    bool m_openDone = false;
    TErrorType m_openResult = EFP_Success;
    bool m_terminate = false;
    bool m_pending = false;
    bool m_purge = false;
    QByteArray m_sendBuffer;
    quint64 m_commandId = 0;
};
