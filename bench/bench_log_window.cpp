// Appends 500,000 entries to the log window (offscreen), time stamps on in
// the window and the file, frames shown as hex and text, and prints the
// rate, the peak memory of the process, and how long a find through every
// entry, a scroll to the top and a resize take.
#include "comm/event_clock.h"
#include "shell/form_child_log_window.h"
#include "terminal_model/settings.h"
#include "widgets/scripted_prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>

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
    const int count = argc > 1 ? atoi(argv[1]) : 500000;
    QTemporaryDir dir;
    TSettings settings;
    settings.File = dir.filePath(QStringLiteral("bench.tsy"));
    settings.HostColor = 0x0000FF;
    settings.FPColor = 0x008000;
    settings.LowLevel = true;
    settings.LogTimeShown = true;
    settings.LogFileTimeStamps = true;
    settings.LogFrameForm = 2;   // hex and text

    TScriptedPrompts prompts;
    TFormChildLogWindow window(settings, prompts);
    window.show();
    const QByteArray frame = QByteArray::fromHex("0220813041314E1C3130301C1C03303142ff");
    window.HostOpened(QStringLiteral("Open COM1 9600,N,8,1"));
    const long before = PeakKiB();
    QElapsedTimer timer;
    timer.start();
    // Each entry arrives in its own event-loop turn, as the queued
    // notifications of the ports deliver them; argv[2] groups them.
    const int burst = argc > 2 ? atoi(argv[2]) : 1;
    for (int i = 0; i < count; ++i) {
        const qint64 us = TEventClock::NowUs();
        switch (i % 4) {
        case 0: window.HostWritten(frame, us); break;
        case 1: window.AckReceived(us); break;
        case 2: window.PrinterRead(frame + frame, us); break;
        default: window.HostWritten(QByteArray(1, '\x06'), us); break;
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
    std::printf("rows in view:       %d\n", window.Entries()->rowCount());
    std::printf("peak memory:        %ld KiB (%ld KiB before appending)\n", PeakKiB(), before);

    // A text no entry holds: every entry's hex and text forms are looked at.
    window.FindEdit()->setText(QStringLiteral("<ETX>zz"));
    timer.restart();
    const bool found = window.FindNext(true);
    std::printf("find, no match:     %lld ms (%s)\n", static_cast<long long>(timer.elapsed()), found ? "found" : "not found");
    // The first entry, found from the last one.
    window.RichEditLog()->scrollToBottom();
    window.FindEdit()->setText(QStringLiteral("open"));
    timer.restart();
    window.FindNext(false);
    QCoreApplication::processEvents();
    std::printf("find, backwards:    %lld ms\n", static_cast<long long>(timer.elapsed()));
    timer.restart();
    window.RichEditLog()->scrollToTop();
    QCoreApplication::processEvents();
    std::printf("scroll to the top:  %lld ms\n", static_cast<long long>(timer.elapsed()));
    timer.restart();
    window.resize(window.width() + 200, window.height() + 200);
    QCoreApplication::processEvents();
    std::printf("resize:             %lld ms\n", static_cast<long long>(timer.elapsed()));
    std::printf("peak memory, end:   %ld KiB\n", PeakKiB());
    return 0;
}
