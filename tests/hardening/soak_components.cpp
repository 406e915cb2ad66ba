// Fault-injection soak of the two port components against the simulated
// printer: every command gets random faults of the simulator, random noise
// and cut-off frames arrive between and during commands, and now and then the
// far end of the line is closed mid-command (an unplugged adapter) and a new
// one appears. Every command must end with exactly one final event, leave its
// component idle, and an answer that arrives must be the one asked for;
// resident memory must stay flat.
//
//   soak_components [COMMANDS] [--seed N]      (default 2000 commands)
//
// Prints the counts and the resident memory at start and end; exits 1 when
// any check failed.
#include "comm/aux_framing.h"
#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "comm/host_framing.h"
#include "comm/pseudo_terminal.h"
#include "sim/sim_aux_responder.h"
#include "sim/sim_fault_plan.h"
#include "sim/sim_host_responder.h"
#include "sim/sim_profile.h"
#include "soak_printer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTimer>

#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// Component time-outs short enough for thousands of commands.
constexpr int AnswerTimeOutMs = 250;
// Longer than any command can take: a command still open then has lost its
// final event.
constexpr int CommandDeadlineMs = 8000;

#ifdef TESSALY_SANITIZED
constexpr bool Sanitized = true;   // the sanitizers' own bookkeeping grows
#else
constexpr bool Sanitized = false;
#endif

qint64 ResidentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return 0;
}


struct TCounts {
    int Commands = 0;
    int HostCommands = 0;
    int FiscalCommands = 0;
    int Answers = 0;
    int Errors = 0;
    int Acks = 0;
    QMap<int, int> FinalsPerCommand;   // number of final events -> commands
    int NotIdle = 0;
    int Refused = 0;
    int WrongAnswers = 0;
    int StrayEvents = 0;               // final events while no command was open
    int Unplugs = 0;
    int ReopenFailures = 0;
    QMap<QString, int> Injected;
};

class TSoak
{
public:
    TSoak(int commands, quint32 seed) : m_total(commands), m_random(seed) {}

    bool Run()
    {
        QString error;
        if (!m_printer.Start(error)) {
            std::fprintf(stderr, "soak: cannot start the printer: %s\n", qPrintable(error));
            return false;
        }
        m_host.SetDeviceName(m_printer.Path(Host));
        m_host.SetAnswerTimeOut(AnswerTimeOutMs);
        m_host.SetWriteTimeOutMargin(500);
        m_aux.SetDeviceName(m_printer.Path(Fiscal));
        m_aux.SetTimeOut(AnswerTimeOutMs);
        Connect();
        if (!m_host.OpenPort() || !m_aux.OpenPort()) {
            std::fprintf(stderr, "soak: cannot open the ports\n");
            return false;
        }

        const qint64 startKiB = ResidentKiB();
        qint64 warmKiB = startKiB;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < m_total; ++i) {
            if (i == m_total / 10)
                warmKiB = ResidentKiB();
            OneCommand();
        }
        const qint64 endKiB = ResidentKiB();
        m_host.ClosePort();
        m_aux.ClosePort();
        m_printer.Stop();
        return Report(startKiB, warmKiB, endKiB, clock.elapsed());
    }

private:
    void Connect()
    {
        QObject::connect(&m_host, &TFPHostControl::OnFinalAnswer, [this](const THostAnswer &answer) {
            Final(Host);
            ++m_counts.Answers;
            if (answer.Fields != m_sentFields)
                ++m_counts.WrongAnswers;
        });
        QObject::connect(&m_host, &TFPHostControl::OnError, [this] {
            Final(Host);
            ++m_counts.Errors;
        });
        QObject::connect(&m_aux, &TFPAuxControl::OnAnswer, [this](const QByteArray &answer, bool final) {
            if (!final)
                return;
            Final(Fiscal);
            ++m_counts.Answers;
            // The simulator's final frame: the final code, then the request.
            if (!TAuxFraming::IsFinalText(answer) || !answer.endsWith(m_sentRequest))
                ++m_counts.WrongAnswers;
        });
        QObject::connect(&m_aux, &TFPAuxControl::OnAck, [this] {
            Final(Fiscal);
            ++m_counts.Acks;
        });
        QObject::connect(&m_aux, &TFPAuxControl::OnError, [this] {
            Final(Fiscal);
            ++m_counts.Errors;
        });
    }

    void Final(TPort port)
    {
        if (!m_open || port != m_port) {
            ++m_counts.StrayEvents;
            return;
        }
        ++m_finals;
        if (m_loop)
            m_loop->quit();
    }

    int Between(int low, int high) { return int(m_random.bounded(low, high + 1)); }
    bool Chance(int percent) { return Between(1, 100) <= percent; }

    QByteArray Printable(int length)
    {
        QByteArray bytes;
        for (int i = 0; i < length; ++i)
            bytes.append(char(Between(0x20, 0x7E)));
        return bytes;
    }

    // Noise with every byte value, control bytes of both protocols included.
    QByteArray Noise()
    {
        QByteArray bytes;
        const int length = Between(1, 24);
        for (int i = 0; i < length; ++i)
            bytes.append(char(Between(0, 255)));
        return bytes;
    }

    // An answer frame cut short somewhere after its STX.
    QByteArray TruncatedFrame(TPort port)
    {
        const QByteArray frame = port == Host
            ? THostFraming::BuildAnswerFrame(quint8(Between(0x20, 0xFF)), {Printable(4), Printable(6)})
            : TAuxFraming::BuildFrame("0000 " + Printable(6));
        return frame.left(Between(1, int(frame.size()) - 1));
    }

    QStringList HostFaults()
    {
        QStringList faults;
        const int count = Chance(50) ? 0 : Between(1, 2);
        for (int i = 0; i < count; ++i) {
            switch (Between(0, 7)) {
            case 0: faults << QStringLiteral("nak"); break;
            case 1: faults << QStringLiteral("bad-checksum"); break;
            case 2: faults << QStringLiteral("dc2=%1,%2").arg(Between(1, 3)).arg(Between(5, 120)); break;
            case 3: faults << QStringLiteral("busy-frame=%1,%2").arg(Between(1, 3)).arg(Between(5, 120)); break;
            case 4: faults << QStringLiteral("other-seq"); break;
            case 5: faults << QStringLiteral("silence"); break;
            case 6: faults << QStringLiteral("delay=%1").arg(Between(0, 2 * AnswerTimeOutMs)); break;
            default: faults << QStringLiteral("garbage=%1").arg(Between(1, 40)); break;
            }
        }
        return faults;
    }

    QStringList FiscalFaults()
    {
        QStringList faults;
        const int count = Chance(50) ? 0 : Between(1, 2);
        for (int i = 0; i < count; ++i) {
            switch (Between(0, 4)) {
            case 0: faults << QStringLiteral("nak"); break;
            case 1: faults << QStringLiteral("bad-checksum"); break;
            case 2: faults << QStringLiteral("silence"); break;
            case 3: faults << QStringLiteral("delay=%1").arg(Between(0, 2 * AnswerTimeOutMs)); break;
            default: faults << QStringLiteral("garbage=%1").arg(Between(1, 40)); break;
            }
        }
        return faults;
    }

    void OneCommand()
    {
        m_port = Chance(65) ? Host : Fiscal;
        const TProtocolType protocol = Chance(50) ? protocol_Extended : protocol_Compatible;
        m_printer.Prepare(m_port, protocol, m_port == Host ? HostFaults() : FiscalFaults());

        // Between commands: noise or a frame cut short, which the next command
        // must not take for its answer.
        if (Chance(10)) {
            m_printer.Inject(m_port, Chance(50) ? Noise() : TruncatedFrame(m_port));
            ++m_counts.Injected[QStringLiteral("noise or cut frame between commands")];
        }

        ++m_counts.Commands;
        m_finals = 0;
        m_open = true;
        bool sent = false;
        if (m_port == Host) {
            ++m_counts.HostCommands;
            m_host.SetProtocolType(protocol);
            m_sentFields.clear();
            const int count = Between(1, 4);
            for (int i = 0; i < count; ++i) {
                m_sentFields.append(Printable(Between(1, 12)));
                m_host.AddDataField(m_sentFields.last());
            }
            sent = m_host.SendCommand();
        } else {
            ++m_counts.FiscalCommands;
            m_sentRequest = Printable(Between(1, 40));
            sent = m_aux.SendData(m_sentRequest);
        }
        if (!sent) {
            ++m_counts.Refused;
            m_open = false;
            return;
        }

        // During the command: noise, a cut frame, or the line pulled out.
        const int generation = m_printer.Generation(m_port);
        bool unplugged = false;
        if (Chance(8)) {
            const bool unplug = Chance(40);
            const TPort port = m_port;
            const int command = m_counts.Commands;
            QTimer::singleShot(Between(0, 60), [this, unplug, port, command] {
                if (unplug) {
                    m_printer.Unplug(port);
                } else if (m_open && m_counts.Commands == command) {
                    m_printer.Inject(port, Chance(50) ? Noise() : TruncatedFrame(port));
                    ++m_counts.Injected[QStringLiteral("noise or cut frame during a command")];
                }
            });
            if (unplug) {
                unplugged = true;
                ++m_counts.Unplugs;
            }
        }

        WaitUntil([this] { return m_finals > 0; }, CommandDeadlineMs);
        // Late or doubled events of this command would show up now.
        WaitUntil([] { return false; }, 2);
        m_open = false;
        ++m_counts.FinalsPerCommand[m_finals];
        const bool idle = m_port == Host ? m_host.State() == EFP_S_Idle : m_aux.State() == FEFP_S_Idle;
        if (!idle && !unplugged)
            ++m_counts.NotIdle;

        if (unplugged) {
            WaitUntil([&] { return m_printer.Generation(m_port) != generation; }, CommandDeadlineMs);
            Reopen(m_port);
        }
    }

    void Reopen(TPort port)
    {
        bool ok = false;
        if (port == Host) {
            m_host.ClosePort();
            m_host.SetDeviceName(m_printer.Path(Host));
            ok = m_host.OpenPort() && m_host.State() == EFP_S_Idle;
        } else {
            m_aux.ClosePort();
            m_aux.SetDeviceName(m_printer.Path(Fiscal));
            ok = m_aux.OpenPort() && m_aux.State() == FEFP_S_Idle;
        }
        if (!ok)
            ++m_counts.ReopenFailures;
    }

    template <typename Condition>
    bool WaitUntil(Condition condition, int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (!condition()) {
            const qint64 left = ms - clock.elapsed();
            if (left <= 0)
                return false;
            QEventLoop loop;
            m_loop = &loop;
            QTimer::singleShot(int(qMin<qint64>(left, 5)), &loop, &QEventLoop::quit);
            loop.exec();
            m_loop = nullptr;
        }
        return true;
    }

    bool Report(qint64 startKiB, qint64 warmKiB, qint64 endKiB, qint64 elapsedMs)
    {
        const TCounts &c = m_counts;
        std::printf("commands run:            %d (host %d, fiscal %d) in %.1f s\n", c.Commands,
                    c.HostCommands, c.FiscalCommands, double(elapsedMs) / 1000.0);
        int faults = 0;
        std::printf("faults injected by the simulator:\n");
        const QMap<QString, int> applied = m_printer.FaultsApplied();
        for (auto it = applied.cbegin(); it != applied.cend(); ++it) {
            std::printf("  %-46s %d\n", qPrintable(it.key()), it.value());
            faults += it.value();
        }
        std::printf("faults injected by the soak:\n");
        for (auto it = c.Injected.cbegin(); it != c.Injected.cend(); ++it) {
            std::printf("  %-46s %d\n", qPrintable(it.key()), it.value());
            faults += it.value();
        }
        std::printf("  %-46s %d\n", "line unplugged mid-command", c.Unplugs);
        faults += c.Unplugs;
        std::printf("faults in total:         %d\n", faults);
        std::printf("the simulator's reactions to the host:\n");
        const QMap<QString, int> reactions = m_printer.Reactions();
        for (auto it = reactions.cbegin(); it != reactions.cend(); ++it)
            std::printf("  %-46s %d\n", qPrintable(it.key()), it.value());
        std::printf("final events per command:");
        for (auto it = c.FinalsPerCommand.cbegin(); it != c.FinalsPerCommand.cend(); ++it)
            std::printf(" %d event(s): %d commands;", it.key(), it.value());
        std::printf("\noutcomes:                %d answers, %d ACKs, %d errors\n", c.Answers, c.Acks, c.Errors);
        std::printf("problems:                %d refused, %d not idle, %d wrong answers, %d stray events, "
                    "%d failed reopenings\n",
                    c.Refused, c.NotIdle, c.WrongAnswers, c.StrayEvents, c.ReopenFailures);
        std::printf("resident memory:         %lld KiB at start, %lld KiB after warm-up, %lld KiB at end\n",
                    startKiB, warmKiB, endKiB);

        bool ok = c.FinalsPerCommand.value(1) == c.Commands && c.Refused == 0 && c.NotIdle == 0
                  && c.WrongAnswers == 0 && c.StrayEvents == 0 && c.ReopenFailures == 0;
        // Growth after warm-up is what a leak per command would show; a few
        // MiB are allocator noise.
        const qint64 growthKiB = endKiB - warmKiB;
        if (!Sanitized && growthKiB > 8 * 1024) {
            std::printf("memory grew by %lld KiB after warm-up\n", growthKiB);
            ok = false;
        }
        std::printf("%s\n", ok ? "PASS" : "FAIL");
        return ok;
    }

    int m_total;
    QRandomGenerator m_random;
    TSoakPrinter m_printer;
    TFPHostControl m_host;
    TFPAuxControl m_aux;
    TCounts m_counts;
    TPort m_port = Host;
    bool m_open = false;
    int m_finals = 0;
    QList<QByteArray> m_sentFields;
    QByteArray m_sentRequest;
    QEventLoop *m_loop = nullptr;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    int commands = 2000;
    quint32 seed = QRandomGenerator::global()->generate();
    const QStringList arguments = app.arguments().mid(1);
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        bool ok = true;
        if (arguments[i] == QLatin1String("--seed") && i + 1 < arguments.size())
            seed = arguments[++i].toUInt(&ok);
        else
            commands = arguments[i].toInt(&ok);
        if (!ok || commands < 1) {
            std::fprintf(stderr, "usage: soak_components [COMMANDS] [--seed N]\n");
            return 2;
        }
    }
    std::printf("seed %u (repeat with --seed %u)\n", seed, seed);
    TSoak soak(commands, seed);
    return soak.Run() ? 0 : 1;
}
