#include "sim/sim_server.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

TSimServer::TSimServer(TSimTrace &trace) : m_trace(trace)
{
    if (::pipe2(m_stopPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        m_stopPipe[0] = m_stopPipe[1] = -1;
    m_clock.start();
}

TSimServer::~TSimServer()
{
    for (int fd : m_stopPipe) {
        if (fd >= 0)
            ::close(fd);
    }
}

void TSimServer::AddPort(const QString &name, TSimPort &port, TSimResponder &responder)
{
    m_ports.append({name, &port, &responder, {}});
}

void TSimServer::RequestStop()
{
    if (m_stopPipe[1] >= 0) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_stopPipe[1], &byte, 1);
    }
}

int TSimServer::Run()
{
    if (!IsValid())
        return 1;
    for (TServed &served : m_ports) {
        if (served.Port->CheckClient())
            m_trace.Note(served.Name, QStringLiteral("client present on %1").arg(served.Port->Path()));
    }
    for (;;) {
        QVarLengthArray<pollfd, 3> fds;
        QVarLengthArray<int, 3> owners;
        fds.append({m_stopPipe[0], POLLIN, 0});
        owners.append(-1);
        qint64 timeout = -1;
        const qint64 now = m_clock.elapsed();
        for (int i = 0; i < m_ports.size(); ++i) {
            const TServed &served = m_ports[i];
            if (served.ReplugDueMs >= 0) {
                const qint64 wait = std::max<qint64>(0, served.ReplugDueMs - now);
                timeout = timeout < 0 ? wait : std::min(timeout, wait);
                continue;
            }
            if (served.Port->HasClient()) {
                fds.append({served.Port->Fd(), POLLIN, 0});
                owners.append(i);
            } else {
                timeout = timeout < 0 ? ClientCheckMs : std::min<qint64>(timeout, ClientCheckMs);
            }
            if (!served.Queue.isEmpty()) {
                const qint64 wait = std::max<qint64>(0, served.Queue.first().DueMs - now);
                timeout = timeout < 0 ? wait : std::min(timeout, wait);
            }
        }
        const int ready = ::poll(fds.data(), nfds_t(fds.size()), int(timeout));
        if (ready < 0 && errno != EINTR)
            return 1;
        for (int k = 1; ready > 0 && k < fds.size(); ++k) {
            TServed &served = m_ports[owners[k]];
            if (fds[k].revents & POLLIN)
                Receive(served);
            // A client that wrote and closed: its last bytes are read first.
            if ((fds[k].revents & (POLLHUP | POLLERR | POLLNVAL)) && served.Port->HasClient())
                ClientGone(served);
        }
        // What arrived together with the stop request is still traced.
        if (ready > 0 && (fds[0].revents & POLLIN))
            return 0;
        for (TServed &served : m_ports) {
            if (served.ReplugDueMs >= 0 && m_clock.elapsed() >= served.ReplugDueMs)
                Replug(served);
            if (served.ReplugDueMs >= 0)
                continue;
            if (!served.Port->HasClient() && served.Port->CheckClient())
                m_trace.Note(served.Name, QStringLiteral("client opened %1").arg(served.Port->Path()));
            if (served.Port->HasClient())
                WriteDue(served);
        }
    }
}

void TSimServer::Receive(TServed &served)
{
    QByteArray bytes;
    const TSimPort::TReadResult result = served.Port->Read(bytes);
    if (result == TSimPort::ClientGone) {
        ClientGone(served);
        return;
    }
    if (result == TSimPort::NoData)
        return;
    const TSimResponder::TReaction reaction = served.Responder->Receive(bytes);
    for (const QByteArray &unit : reaction.Received)
        m_trace.Frame(served.Name, true, unit);
    for (const QString &note : reaction.Notes)
        m_trace.Note(served.Name, note);
    if (reaction.UnplugMs >= 0) {
        Unplug(served, reaction.UnplugMs);
        return;
    }
    // Reactions follow what is already queued, keeping their order and gaps.
    qint64 due = m_clock.elapsed();
    if (!served.Queue.isEmpty())
        due = std::max(due, served.Queue.last().DueMs);
    for (const TSimResponder::TOutput &output : reaction.Outputs) {
        due += output.GapMs;
        served.Queue.append({due, output.Bytes});
    }
}

void TSimServer::ClientGone(TServed &served)
{
    served.Port->DropClient();
    served.Responder->Reset();
    served.Queue.clear();
    m_trace.Note(served.Name, QStringLiteral("client closed %1").arg(served.Port->Path()));
}

void TSimServer::Unplug(TServed &served, int ms)
{
    if (!served.Port->CanUnplug()) {
        m_trace.Note(served.Name, QStringLiteral("a serial device cannot be unplugged"));
        return;
    }
    served.Port->Unplug();
    served.Responder->Reset();
    served.Queue.clear();
    served.ReplugDueMs = m_clock.elapsed() + ms;
    m_trace.Note(served.Name, QStringLiteral("unplugged %1").arg(served.Port->Link().isEmpty() ? served.Port->Path()
                                                                                            : served.Port->Link()));
}

void TSimServer::Replug(TServed &served)
{
    QString error;
    if (!served.Port->Replug(error)) {
        // Tried again a moment later, as a slow adapter would come back.
        m_trace.Note(served.Name, error);
        served.ReplugDueMs = m_clock.elapsed() + ClientCheckMs;
        return;
    }
    served.ReplugDueMs = -1;
    std::printf("%s: %s\n", qPrintable(served.Name), qPrintable(served.Port->Path()));
    std::fflush(stdout);
    m_trace.Note(served.Name, QStringLiteral("plugged in again on %1").arg(served.Port->Path()));
}

void TSimServer::WriteDue(TServed &served)
{
    const qint64 now = m_clock.elapsed();
    while (!served.Queue.isEmpty() && served.Queue.first().DueMs <= now) {
        const QByteArray bytes = served.Queue.takeFirst().Bytes;
        if (!served.Port->Write(bytes)) {
            m_trace.Note(served.Name, QStringLiteral("write failed"));
            ClientGone(served);
            return;
        }
        m_trace.Frame(served.Name, false, bytes);
    }
}
