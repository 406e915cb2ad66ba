// Appends 200,000 entries to the log window (offscreen) and prints the rate
// and the peak memory of the process.
#include "shell/form_child_log_window.h"
#include "terminal_model/settings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QPlainTextEdit>

#include <cstdio>

namespace {

long PeakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').constFirst().toLong();
    return -1;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? atoi(argv[1]) : 200000;
    QTemporaryDir dir;
    TSettings settings;
    settings.File = dir.filePath(QStringLiteral("bench.tsy"));
    settings.HostColor = 0x0000FF;
    settings.FPColor = 0x008000;
    settings.LowLevel = true;

    TFormChildLogWindow window(settings);
    window.show();
    const QByteArray frame = QByteArray::fromHex("0220813041314E1C3130301C1C03303142ff");
    const long before = PeakKiB();
    QElapsedTimer timer;
    timer.start();
    // Each entry arrives in its own event-loop turn, as the queued
    // notifications of the ports deliver them; argv[2] groups them.
    const int burst = argc > 2 ? atoi(argv[2]) : 1;
    for (int i = 0; i < count; ++i) {
        switch (i % 4) {
        case 0: window.HostWritten(frame); break;
        case 1: window.AckReceived(); break;
        case 2: window.PrinterRead(frame + frame); break;
        default: window.HostWritten(QByteArray(1, '\x06')); break;
        }
        if (i % burst == burst - 1)
            QCoreApplication::processEvents();
    }
    window.FlushEntries();
    QCoreApplication::processEvents();
    const qint64 ms = qMax<qint64>(1, timer.elapsed());
    std::printf("entries:            %d\n", count);
    std::printf("elapsed:            %lld ms\n", static_cast<long long>(ms));
    std::printf("entries per second: %.0f\n", count * 1000.0 / ms);
    std::printf("blocks in view:     %d\n", window.RichEditLog()->document()->blockCount());
    std::printf("peak memory:        %ld KiB (%ld KiB before appending)\n", PeakKiB(), before);
    return 0;
}
