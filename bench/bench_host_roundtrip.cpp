// Round trips of the host component over a pseudo-terminal against a peer
// that answers every command at once (ACK and the answer in one write).
// Prints round trips per second and the median, 99th percentile and worst
// round trip, from SendCommand to OnFinalAnswer, in microseconds.

#include "comm/fp_host_control.h"
#include "comm/host_framing.h"
#include "comm/pseudo_terminal.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

namespace {

const int warmUp = 50;
const int commands = 1000;

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

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    TPseudoTerminal pty;
    if (!pty.open()) {
        std::fprintf(stderr, "pseudo-terminal: %s\n", qPrintable(pty.errorString()));
        return 1;
    }
    std::atomic<bool> stop{false};
    std::thread printer(Answer, std::ref(pty), std::ref(stop));

    TFPHostControl host;
    host.SetDeviceName(pty.slavePath());
    host.SetBaudRate(br38400);
    host.SetProtocolType(protocol_Extended);
    if (!host.OpenPort()) {
        std::fprintf(stderr, "cannot open %s (error %d)\n", qPrintable(pty.slavePath()), int(host.LastError()));
        stop.store(true);
        printer.join();
        return 1;
    }

    QEventLoop loop;
    int failures = 0;
    QObject::connect(&host, &TFPHostControl::OnFinalAnswer, &loop, &QEventLoop::quit);
    QObject::connect(&host, &TFPHostControl::OnError, &loop, [&] {
        ++failures;
        loop.quit();
    });

    std::vector<qint64> roundTrips;
    roundTrips.reserve(commands);
    QElapsedTimer total;
    QElapsedTimer clock;
    for (int i = 0; i < warmUp + commands; ++i) {
        if (i == warmUp)
            total.start();
        host.AddDataField(QByteArray("\x4A", 1));
        host.AddDataField(QByteArray::number(i));
        clock.start();
        if (!host.SendCommand()) {
            std::fprintf(stderr, "SendCommand failed (error %d)\n", int(host.LastError()));
            return 1;
        }
        loop.exec();
        if (i >= warmUp)
            roundTrips.push_back(clock.nsecsElapsed() / 1000);
    }
    const double seconds = double(total.nsecsElapsed()) / 1e9;

    host.ClosePort();
    stop.store(true);
    printer.join();

    std::sort(roundTrips.begin(), roundTrips.end());
    const auto percentile = [&](double p) {
        return roundTrips[std::min(roundTrips.size() - 1, size_t(p * double(roundTrips.size())))];
    };
    std::printf("host round trips over a pseudo-terminal, peer answering at once\n");
    std::printf("commands:            %d (after %d to warm up)\n", commands, warmUp);
    std::printf("failed:              %d\n", failures);
    std::printf("round trips/s:       %.0f\n", double(commands) / seconds);
    std::printf("median round trip:   %lld us\n", static_cast<long long>(percentile(0.5)));
    std::printf("99th percentile:     %lld us\n", static_cast<long long>(percentile(0.99)));
    std::printf("worst:               %lld us\n", static_cast<long long>(roundTrips.back()));
    return failures == 0 ? 0 : 1;
}
