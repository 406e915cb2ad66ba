// Round trips of the host component over a pseudo-terminal against a peer
// that answers every command at once (ACK and the answer in one write),
// side by side with a raw client doing the same exchange on a second
// pseudo-terminal with its own copy of the same peer: plain read() and
// write() on the device with poll(), no Qt, no thread hand-off, the
// practical limit of the machine. The two run in alternating blocks, so
// a load that comes and goes weighs on both alike.
//
// Prints for each the round trips per second and the median, 99th
// percentile and worst round trip (frame out to final answer in, ACK
// written), in microseconds, and the component's share of the raw rate.

#include "comm/fp_host_control.h"
#include "comm/host_framing.h"
#include "comm/pseudo_terminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

const int blocks = 4;
const int blockCommands = 500;
const int warmUp = 50;

// The printer: parses every command frame and answers it.
void Answer(TPseudoTerminal &pty, std::atomic<bool> &stop)
{
    QByteArray pending;
    const QList<QByteArray> extra{"0000123", "TESSALY"};
    while (!stop.load()) {
        pending += pty.read(100);
        for (;;) {
            const qsizetype start = pending.indexOf(THostFraming::STX);
            if (start < 0) {
                pending.clear();
                break;
            }
            pending.remove(0, start);
            THostFrame frame;
            const THostFraming::TParseStatus status = THostFraming::ParseFrame(pending, frame);
            if (status == THostFraming::FrameIncomplete)
                break;
            pending.remove(0, frame.Length > 0 ? frame.Length : 1);
            if (status != THostFraming::FrameComplete)
                continue;
            const QByteArray answer = THostFraming::BuildAnswerFrame(
                frame.Sequence, THostFraming::AnswerFields(protocol_Extended, 0x0100, 0x0200, 0, extra));
            pty.write(QByteArray(1, THostFraming::ACK) + answer);
        }
    }
}

struct TPeer
{
    TPseudoTerminal pty;
    std::atomic<bool> stop{false};
    std::thread thread;

    bool Start()
    {
        if (!pty.open()) {
            std::fprintf(stderr, "pseudo-terminal: %s\n", qPrintable(pty.errorString()));
            return false;
        }
        thread = std::thread(Answer, std::ref(pty), std::ref(stop));
        return true;
    }
    ~TPeer()
    {
        stop.store(true);
        if (thread.joinable())
            thread.join();
    }
};

struct TFigures
{
    std::vector<qint64> roundTrips;   // microseconds
    qint64 totalNs = 0;
    int failures = 0;
};

// The client a user would write in a few lines: write the frame, read until
// the answer frame is complete (ETX and four checksum digits), write ACK.
class TRawClient
{
public:
    ~TRawClient()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }

    bool Open(const QString &path)
    {
        m_fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0)
            return false;
        termios settings {};
        ::tcgetattr(m_fd, &settings);
        ::cfmakeraw(&settings);
        ::cfsetspeed(&settings, B38400);
        return ::tcsetattr(m_fd, TCSANOW, &settings) == 0;
    }

    // One exchange; false on silence for a second.
    bool RoundTrip(const std::string &frame)
    {
        if (!WriteAll(frame.data(), frame.size()))
            return false;
        int state = 0;   // 0 before STX, 1 in the frame, 2..5 checksum digits
        char buffer[512];
        for (;;) {
            pollfd descriptor {m_fd, POLLIN, 0};
            if (::poll(&descriptor, 1, 1000) <= 0)
                return false;
            const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
            if (n < 0 && errno == EAGAIN)
                continue;
            if (n <= 0)
                return false;
            for (ssize_t i = 0; i < n; ++i) {
                const char byte = buffer[i];
                if (state == 0 && byte == THostFraming::STX)
                    state = 1;
                else if (state == 1 && byte == THostFraming::ESC)
                    ++i;
                else if (state == 1 && byte == THostFraming::ETX)
                    state = 2;
                else if (state >= 2 && ++state == 6)
                    return WriteAll(&THostFraming::ACK, 1);
            }
        }
    }

private:
    bool WriteAll(const char *bytes, size_t size)
    {
        while (size > 0) {
            const ssize_t n = ::write(m_fd, bytes, size);
            if (n < 0 && errno == EAGAIN) {
                pollfd descriptor {m_fd, POLLOUT, 0};
                ::poll(&descriptor, 1, 100);
                continue;
            }
            if (n <= 0)
                return false;
            bytes += n;
            size -= size_t(n);
        }
        return true;
    }

    int m_fd = -1;
};

qint64 NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch()).count();
}

void RunRaw(TRawClient &client, int count, quint8 &sequence, TFigures *figures)
{
    for (int i = 0; i < count; ++i) {
        sequence = THostFraming::NextSequenceNumber(protocol_Extended, sequence);
        const QByteArray built = THostFraming::BuildCommandFrame(
            protocol_Extended, sequence, {QByteArray("\x4A", 1), QByteArray::number(i)});
        const std::string frame(built.constData(), size_t(built.size()));
        const qint64 start = NowNs();
        const bool ok = client.RoundTrip(frame);
        const qint64 spent = NowNs() - start;
        if (!figures)
            continue;
        figures->totalNs += spent;
        figures->roundTrips.push_back(spent / 1000);
        figures->failures += ok ? 0 : 1;
    }
}

void RunComponent(TFPHostControl &host, QEventLoop &loop, int count, TFigures *figures)
{
    for (int i = 0; i < count; ++i) {
        host.AddDataField(QByteArray("\x4A", 1));
        host.AddDataField(QByteArray::number(i));
        const qint64 start = NowNs();
        if (!host.SendCommand()) {
            std::fprintf(stderr, "SendCommand failed (error %d)\n", int(host.LastError()));
            if (figures)
                ++figures->failures;
            continue;
        }
        loop.exec();
        const qint64 spent = NowNs() - start;
        if (!figures)
            continue;
        figures->totalNs += spent;
        figures->roundTrips.push_back(spent / 1000);
    }
}

struct TSummary
{
    double perSecond = 0;
    qint64 median = 0;
    qint64 p99 = 0;
    qint64 worst = 0;
};

TSummary Summarise(TFigures &figures)
{
    std::vector<qint64> &trips = figures.roundTrips;
    std::sort(trips.begin(), trips.end());
    const auto percentile = [&](double p) {
        return trips[std::min(trips.size() - 1, size_t(p * double(trips.size())))];
    };
    return {double(trips.size()) / (double(figures.totalNs) / 1e9), percentile(0.5), percentile(0.99),
            trips.back()};
}

void Print(const char *name, const TSummary &summary, int failures)
{
    std::printf("%-10s %10.0f %9lld %9lld %9lld %7d\n", name, summary.perSecond,
                static_cast<long long>(summary.median), static_cast<long long>(summary.p99),
                static_cast<long long>(summary.worst), failures);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    TPeer componentPeer;
    TPeer rawPeer;
    if (!componentPeer.Start() || !rawPeer.Start())
        return 1;

    TRawClient raw;
    if (!raw.Open(rawPeer.pty.slavePath())) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(rawPeer.pty.slavePath()), std::strerror(errno));
        return 1;
    }

    TFPHostControl host;
    host.SetDeviceName(componentPeer.pty.slavePath());
    host.SetBaudRate(br38400);
    host.SetProtocolType(protocol_Extended);
    if (!host.OpenPort()) {
        std::fprintf(stderr, "cannot open %s (error %d)\n", qPrintable(componentPeer.pty.slavePath()),
                     int(host.LastError()));
        return 1;
    }

    QEventLoop loop;
    TFigures component;
    TFigures client;
    QObject::connect(&host, &TFPHostControl::OnFinalAnswer, &loop, &QEventLoop::quit);
    QObject::connect(&host, &TFPHostControl::OnError, &loop, [&] {
        ++component.failures;
        loop.quit();
    });

    quint8 sequence = 0x81;
    RunRaw(raw, warmUp, sequence, nullptr);
    RunComponent(host, loop, warmUp, nullptr);
    component.failures = 0;
    for (int block = 0; block < blocks; ++block) {
        RunRaw(raw, blockCommands, sequence, &client);
        RunComponent(host, loop, blockCommands, &component);
    }
    host.ClosePort();

    const TSummary rawSummary = Summarise(client);
    const TSummary componentSummary = Summarise(component);
    std::printf("host round trips over a pseudo-terminal, peer answering at once\n");
    std::printf("commands: %d each (after %d each to warm up), in %d alternating blocks\n",
                blocks * blockCommands, warmUp, blocks);
    std::printf("%-10s %10s %9s %9s %9s %7s\n", "", "trips/s", "median", "p99", "worst", "failed");
    Print("raw", rawSummary, client.failures);
    Print("component", componentSummary, component.failures);
    std::printf("component/raw rate: %.2f\n", componentSummary.perSecond / rawSummary.perSecond);
    return component.failures == 0 && client.failures == 0 ? 0 : 1;
}
