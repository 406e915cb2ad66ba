#include "comm/port_worker.h"

#include <QMutexLocker>

#include <utility>

TPortWorker::TPortWorker(TLineFactory lineFactory, const TSerialLine::TLineSettings &settings,
                         std::unique_ptr<TPortExchange> exchange, QObject *parent)
    : QThread(parent),
      m_lineFactory(std::move(lineFactory)),
      m_settings(settings),
      m_exchange(std::move(exchange))
{
    qRegisterMetaType<QList<TPortNotification>>();
}

TPortWorker::~TPortWorker()
{
    Terminate();
}

TPortError TPortWorker::Open(const TStarter &starter)
{
    if (starter)
        starter(*this);
    else
        start();
    if (!isRunning() && !isFinished())
        return EFP_E_BadInitialization;
    QMutexLocker lock(&m_mutex);
    while (!m_openDone)
        m_wake.wait(&m_mutex);
    const TPortError result = m_openResult;
    lock.unlock();
    if (result != EFP_Success)
        wait();
    return result;
}

void TPortWorker::StartCommand(const TPortExchange::TCommand &command)
{
    QMutexLocker lock(&m_mutex);
    m_command = command;
    m_pending = true;
    m_wake.wakeAll();
}

void TPortWorker::Purge()
{
    QMutexLocker lock(&m_mutex);
    m_pending = false;
    m_purge = true;
    if (m_line)
        m_line->abort();
    m_wake.wakeAll();
}

void TPortWorker::Terminate()
{
    {
        QMutexLocker lock(&m_mutex);
        m_terminate = true;
        m_pending = false;
        if (m_line)
            m_line->abort();
        m_wake.wakeAll();
    }
    wait();
}

void TPortWorker::run()
{
    std::shared_ptr<TSerialLine> line = m_lineFactory ? m_lineFactory() : nullptr;
    bool opened = false;
    if (line) {
        // A close of an earlier session leaves the line aborted.
        line->resetAbort();
        opened = line->open(m_settings);
    }
    {
        QMutexLocker lock(&m_mutex);
        m_openDone = true;
        if (!line)
            m_openResult = EFP_E_BadInitialization;
        else if (!opened)
            m_openResult = line->error() == TSerialLine::NotFoundError ? EFP_E_InvalidCom : EFP_E_ComInUse;
        m_openError = line ? line->error() : TSerialLine::NoError;
        if (opened)
            m_line = line;
        m_wake.wakeAll();
    }
    if (!opened)
        return;
    Serve(*line);
    Close(*line);
    QMutexLocker lock(&m_mutex);
    m_line.reset();
}

void TPortWorker::Serve(TSerialLine &line)
{
    QMutexLocker lock(&m_mutex);
    for (;;) {
        while (!m_terminate && !m_pending && !m_purge)
            m_wake.wait(&m_mutex);
        if (m_terminate)
            return;
        const bool hasCommand = m_pending;
        const bool purge = m_purge;
        const TPortExchange::TCommand command = m_command;
        m_pending = false;
        m_purge = false;
        // Under the lock, so a purge that comes after taking the command
        // still hits it, and one that came before has been taken with it.
        line.resetAbort();
        lock.unlock();

        // A purge drops what the printer sent and nobody read; what was
        // written stays. Those bytes were reported as written, and cutting
        // them out of the driver would leave the printer without the
        // cancelled frame (so it counts one request less than the log
        // shows) or with half of it, which swallows the next frame's start.
        // Applied before the command, never after it, so the command's own
        // bytes are never at stake.
        if (purge || hasCommand)
            line.clearInput();
        if (hasCommand) {
            m_exchange->Run(line, command, *this);
            Flush();
            // What arrives late belongs to no command; the ACK just written
            // may still wait in the driver, so output stays.
            line.clearInput();
        }
        lock.relock();
    }
}

void TPortWorker::Report(TPortNotification notification)
{
    m_reports.append(std::move(notification));
}

void TPortWorker::Flush()
{
    // One queued event per batch: the component wakes once for all of them.
    if (!m_reports.isEmpty())
        emit Notify(std::exchange(m_reports, {}));
}

void TPortWorker::Close(TSerialLine &line)
{
    // The abort that woke the thread must not cut the drain short.
    line.resetAbort();
    m_exchange->BeforeClose(line);
    // Let the last ACK leave, but bounded: discarding what a stuck line still
    // holds spares close() the driver's own, much longer wait. A drained line
    // is not flushed: on a pseudo-terminal that would discard what the far
    // end has not read yet.
    if (line.drainOutput(CloseDrainMs))
        line.clearInput();
    else
        line.clear();
    line.close();
}
