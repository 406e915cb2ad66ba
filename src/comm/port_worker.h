#pragma once

#include "comm/port_error.h"
#include "comm/port_exchange.h"
#include "comm/port_notification.h"
#include "comm/serial_line.h"

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <functional>
#include <memory>

// The worker thread of one port, whichever the protocol. It makes and opens
// the line on its own thread, then sleeps until a command or a purge
// arrives; a purge is applied before the command that follows it, so it
// never discards that command's bytes. Each command runs through the
// protocol's exchange, which reports through Notify() (connect it queued),
// the steps that happen together in one notification.
// On the way out it lets the last bytes written leave, bounded, and closes
// the line.
class TPortWorker : public QThread, private TPortExchange::TReporter
{
    Q_OBJECT

public:
    using TLineFactory = std::function<std::shared_ptr<TSerialLine>()>;
    // Starts the thread; tests replace it to make the start fail.
    using TStarter = std::function<void(QThread &thread)>;

    // An ACK at 1200 baud leaves in under 10 ms; a line that takes longer
    // on closing is stuck.
    static constexpr int CloseDrainMs = 50;

    TPortWorker(TLineFactory lineFactory, const TSerialLine::TLineSettings &settings,
                std::unique_ptr<TPortExchange> exchange, QObject *parent = nullptr);
    ~TPortWorker() override;

    // Starts the thread, which makes and opens the line, and waits for the
    // outcome: EFP_Success, EFP_E_InvalidCom, EFP_E_ComInUse, or
    // EFP_E_BadInitialization when the thread does not start or no line
    // is made. On failure the thread has ended.
    TPortError Open(const TStarter &starter = {});

    // Hands over one command; the thread starts it at once.
    void StartCommand(const TPortExchange::TCommand &command);
    // Drops a command not yet started, makes the running one fail at its
    // next wait, and discards what was received and not read before
    // anything else is sent; bytes already written still leave.
    void Purge();
    // Ends the thread after draining and closing the line, and waits for it.
    void Terminate();

    // How the last open failed.
    TSerialLine::TLineError OpenError() const { return m_openError; }

signals:
    void Notify(const QList<TPortNotification> &notifications);

protected:
    void run() override;

private:
    void Serve(TSerialLine &line);
    void Close(TSerialLine &line);
    // Worker thread only.
    void Report(TPortNotification notification) override;
    void Flush() override;

    const TLineFactory m_lineFactory;
    const TSerialLine::TLineSettings m_settings;
    const std::unique_ptr<TPortExchange> m_exchange;
    QList<TPortNotification> m_reports;   // kept until the next Flush()

    // Guarded by m_mutex.
    QMutex m_mutex;
    QWaitCondition m_wake;
    std::shared_ptr<TSerialLine> m_line;
    bool m_openDone = false;
    TPortError m_openResult = EFP_Success;
    TSerialLine::TLineError m_openError = TSerialLine::NoError;
    bool m_terminate = false;
    bool m_pending = false;
    bool m_purge = false;
    TPortExchange::TCommand m_command;
};
