#pragma once

#include "sim/sim_port.h"
#include "sim/sim_responder.h"
#include "sim/sim_trace.h"

#include <QElapsedTimer>
#include <QList>

#include <atomic>

// Serves the ports of the simulated printer in one poll() loop: reads what
// each client sends, lets the port's responder react, writes the reactions
// when they fall due, and traces every frame. Without a client a port is
// looked at every ClientCheckMs instead of being polled, so a hung-up
// pseudo-terminal costs nothing. A port unplugged by a fault is not
// looked at until it is put back, with a new pseudo-terminal whose path is
// printed on the output as at the start ("host: PATH"). Run() returns after RequestStop(), which
// any thread and a signal handler may call.
class TSimServer
{
public:
    static constexpr int ClientCheckMs = 50;

    explicit TSimServer(TSimTrace &trace);
    ~TSimServer();
    TSimServer(const TSimServer &) = delete;
    TSimServer &operator=(const TSimServer &) = delete;

    // False when the stop pipe could not be made.
    bool IsValid() const { return m_stopPipe[0] >= 0; }

    // The port and responder stay owned by the caller and must outlive Run().
    void AddPort(const QString &name, TSimPort &port, TSimResponder &responder);

    int Run();
    // Async-signal-safe.
    void RequestStop();

private:
    struct TPending
    {
        qint64 DueMs;
        QByteArray Bytes;
    };
    struct TServed
    {
        QString Name;
        TSimPort *Port;
        TSimResponder *Responder;
        QList<TPending> Queue;
        qint64 ReplugDueMs = -1;   // unplugged until then
    };

    void Receive(TServed &served);
    void ClientGone(TServed &served);
    void Unplug(TServed &served, int ms);
    void Replug(TServed &served);
    void WriteDue(TServed &served);

    TSimTrace &m_trace;
    QList<TServed> m_ports;
    QElapsedTimer m_clock;
    int m_stopPipe[2] = {-1, -1};
};
