#pragma once

#include "comm/pseudo_terminal.h"
#include "sim/sim_aux_responder.h"
#include "sim/sim_fault_plan.h"
#include "sim/sim_host_responder.h"
#include "sim/sim_profile.h"

#include <QMap>
#include <QRegularExpression>
#include <QString>

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

enum TPort { Host, Fiscal };

// The printer's side of both lines, served by a thread of its own: the
// simulator's responders behind two pseudo-terminals, plus the faults that no
// printer option covers (noise written at any moment, an unplugged line).
class TSoakPrinter
{
public:
    TSoakPrinter()
    {
        m_profile.SetFiscalFrames(2);
        for (TSide &side : m_sides) {
            side.Plan = TSimFaultPlan(&side == &m_sides[Host] ? TSimFaultPlan::HostPort
                                                                : TSimFaultPlan::FiscalPort);
        }
        m_sides[Host].Responder = std::make_unique<TSimHostResponder>(protocol_Extended, m_profile,
                                                                       m_sides[Host].Plan);
        m_sides[Fiscal].Responder = std::make_unique<TSimAuxResponder>(m_profile, m_sides[Fiscal].Plan);
    }

    ~TSoakPrinter() { Stop(); }

    bool Start(QString &error)
    {
        if (::pipe(m_wake) != 0) {
            error = QStringLiteral("pipe failed");
            return false;
        }
        for (TSide &side : m_sides) {
            if (!side.Line.open()) {
                error = side.Line.errorString();
                return false;
            }
            side.Path = side.Line.slavePath();
        }
        m_thread = std::thread([this] { Serve(); });
        return true;
    }

    void Stop()
    {
        if (!m_thread.joinable())
            return;
        m_stop = true;
        Wake();
        m_thread.join();
        ::close(m_wake[0]);
        ::close(m_wake[1]);
    }

    QString Path(TPort port)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_sides[port].Path;
    }

    // The faults of the next request on the port (and of the host protocol).
    // Returns once the serving thread has taken them, so that nothing of
    // the last command is written after the caller's next request.
    void Prepare(TPort port, TProtocolType protocol, const QStringList &faults)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        m_sides[port].NextFaults = faults;
        m_sides[port].NextProtocol = protocol;
        m_sides[port].Prepared = true;
        Wake();
        m_taken.wait(lock, [&] { return !m_sides[port].Prepared; });
    }

    void Inject(TPort port, const QByteArray &bytes)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_sides[port].Inject += bytes;
        Wake();
    }

    void Unplug(TPort port)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_sides[port].Unplug = true;
        Wake();
    }

    // Has Unplug taken effect? Then Path() names the new line.
    int Generation(TPort port)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_sides[port].Generation;
    }

    QMap<QString, int> FaultsApplied()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_applied;
    }

    QMap<QString, int> Reactions()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_reactions;
    }

private:
    struct TPending {
        qint64 DueMs;
        QByteArray Bytes;
    };
    struct TSide {
        TPseudoTerminal Line;
        TSimFaultPlan Plan;
        std::unique_ptr<TSimResponder> Responder;
        QList<TPending> Queue;
        // Shared with the caller, under m_mutex.
        QString Path;
        bool Prepared = false;
        QStringList NextFaults;
        TProtocolType NextProtocol = protocol_Extended;
        QByteArray Inject;
        bool Unplug = false;
        int Generation = 0;
    };

    void Wake()
    {
        const char byte = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wake[1], &byte, 1);
    }

    // Takes the caller's requests into the serving thread.
    void TakeRequests()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (int port : {Host, Fiscal}) {
            TSide &side = m_sides[port];
            if (side.Unplug) {
                side.Unplug = false;
                side.Queue.clear();
                side.Responder->Reset();
                side.Line.close();
                if (side.Line.open())
                    side.Path = side.Line.slavePath();
                ++side.Generation;
            }
            if (side.Prepared) {
                side.Prepared = false;
                side.Plan = TSimFaultPlan(port == Host ? TSimFaultPlan::HostPort : TSimFaultPlan::FiscalPort);
                QString error;
                for (const QString &fault : side.NextFaults) {
                    if (!side.Plan.Add(fault, error))
                        std::fprintf(stderr, "soak: bad fault %s: %s\n", qPrintable(fault), qPrintable(error));
                }
                // A late answer of the host's last command stays on its way
                // (the sequence number tells it apart); the fiscal port has
                // no such number, so its leftovers are dropped.
                if (port == Host) {
                    side.Responder = std::make_unique<TSimHostResponder>(side.NextProtocol, m_profile, side.Plan);
                } else {
                    side.Queue.clear();
                    side.Responder = std::make_unique<TSimAuxResponder>(m_profile, side.Plan);
                }
                m_taken.notify_all();
            }
            if (!side.Inject.isEmpty()) {
                side.Queue.append({m_clock.elapsed(), side.Inject});
                side.Inject.clear();
            }
        }
    }

    void Serve()
    {
        m_clock.start();
        while (!m_stop) {
            TakeRequests();
            qint64 waitMs = 50;
            pollfd fds[3];
            int count = 0;
            fds[count++] = {m_wake[0], POLLIN, 0};
            for (TSide &side : m_sides) {
                fds[count++] = {side.Line.masterFd(), POLLIN, 0};
                if (!side.Queue.isEmpty())
                    waitMs = qMin(waitMs, qMax<qint64>(0, side.Queue.first().DueMs - m_clock.elapsed()));
            }
            ::poll(fds, nfds_t(count), int(waitMs));
            if (fds[0].revents & POLLIN) {
                char drain[64];
                [[maybe_unused]] const ssize_t n = ::read(m_wake[0], drain, sizeof drain);
            }
            for (int port : {Host, Fiscal}) {
                TSide &side = m_sides[port];
                const QByteArray bytes = side.Line.read(0);
                if (!bytes.isEmpty()) {
                    const TSimResponder::TReaction reaction = side.Responder->Receive(bytes);
                    Count(TPort(port), reaction.Notes);
                    qint64 due = m_clock.elapsed();
                    for (const TSimResponder::TOutput &output : reaction.Outputs) {
                        due += output.GapMs;
                        side.Queue.append({due, output.Bytes});
                    }
                }
                while (!side.Queue.isEmpty() && side.Queue.first().DueMs <= m_clock.elapsed())
                    side.Line.write(side.Queue.takeFirst().Bytes, 200);
            }
        }
    }

    // The simulator notes each fault it applies ("command 3: 2 DC2, 100 ms
    // apart") and each reaction to the host ("answer repeated on NAK").
    void Count(TPort port, const QStringList &notes)
    {
        static const QRegularExpression fault(QStringLiteral("^(command|request) [0-9]+: "));
        static const QRegularExpression number(
            QStringLiteral("\\b[0-9]+\\b|(?<=sequence )[0-9a-f]+\\b"));
        std::lock_guard<std::mutex> lock(m_mutex);
        for (QString note : notes) {
            const bool isFault = note.contains(fault);
            note.remove(fault);
            note.replace(number, QStringLiteral("N"));
            note.prepend(port == Host ? QStringLiteral("host: ") : QStringLiteral("fiscal: "));
            ++(isFault ? m_applied : m_reactions)[note];
        }
    }

    TSimProfile m_profile;
    TSide m_sides[2];
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_taken;
    QMap<QString, int> m_applied;
    QMap<QString, int> m_reactions;
    QElapsedTimer m_clock;
    int m_wake[2] = {-1, -1};
};
