#pragma once

#include "comm/aux_receive_parser.h"
#include "comm/fp_aux_enums.h"
#include "comm/serial_line.h"

#include <QByteArray>
#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <functional>
#include <memory>

// What the auxiliary worker reports about one command. Frame carries the
// written or read frame with the notification, so a later frame cannot
// replace it before the component handles it.
struct TFAuxNotice
{
    TFAuxNotification Code = FEFP_N_AckReceived;
    quint64 Command = 0;   // the number StartCommand was given
    QByteArray Frame;
    bool Final = false;    // FEFP_N_AnswerFrame: the frame starts with a final code
    TLineFailure Failure;  // FEFP_N_WriteFailed, FEFP_N_AnswerTimedOut: what the line said
};

// Worker of the auxiliary fiscal port. It opens the line, writes each
// command's bytes, reads and parses the printer's reaction, acknowledges
// answer frames, and posts every step through the notify function (called on
// this thread; the component queues it to its own). It never touches the
// component's state. Closing the line (DTR and RTS off first) happens here
// too, when the thread is told to terminate.
class TFCommThread : public QThread
{
    Q_OBJECT

public:
    using TNotify = std::function<void(const TFAuxNotice &notice)>;

    // Bytes one chunk of the answer may hold; see TAuxReceiveParser.
    static constexpr int ReceiveBufferSize = TAuxReceiveParser::BufferSize;
    // Longest silence waited in one read while the time-out is unlimited,
    // so that termination is noticed.
    static constexpr int UnlimitedReadSliceMs = 1000;

    TFCommThread(std::shared_ptr<TSerialLine> line, const TSerialLine::TLineSettings &settings,
                 TNotify notify, QObject *parent = nullptr);
    ~TFCommThread() override;

    // Starts the thread and waits until the line is open or has failed to
    // open; on failure the thread has ended and error tells why.
    bool Open(TSerialLine::TLineError &error);

    // Hands over one command: the bytes to write and the answer time-out
    // (0 waits without limit), and wakes the thread.
    void StartCommand(const QByteArray &bytes, quint64 command, int timeOutMs);
    // Drops a command not yet started and makes the line I/O in progress
    // fail, which ends a running command with FEFP_N_WriteFailed or
    // FEFP_N_AnswerTimedOut.
    void AbortSignaledEvents();
    // Ends the thread (the line is closed on the way out) and waits for it.
    void Terminate();

    // Milliseconds a write of count bytes may take at 9600 baud.
    static int WriteTimeOut(qsizetype count) { return int(count) * 10 + 1500; }

protected:
    void run() override;

private:
    bool WaitAnswer(quint64 command, int timeOutMs);
    void Notify(TFAuxNotification code, quint64 command, const QByteArray &frame = {},
                bool final = false);
    void NotifyFailure(TFAuxNotification code, quint64 command);

    const std::shared_ptr<TSerialLine> m_line;
    const TSerialLine::TLineSettings m_settings;
    const TNotify m_notify;
    TAuxReceiveParser m_parser;

    QMutex m_lock;
    QWaitCondition m_wake;
    bool m_opened = false;
    bool m_openDone = false;
    TSerialLine::TLineError m_openError = TSerialLine::NoError;
    bool m_pending = false;
    bool m_terminate = false;
    QByteArray m_sendBuffer;
    quint64 m_command = 0;
    int m_timeOutMs = 0;
};
