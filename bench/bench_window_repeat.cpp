// Repeat 999 in the terminal window against the simulated printer, offscreen:
// the whole road of each step (input controls, runner, host component,
// pseudo-terminal, simulator and back, the queued notification). Prints the
// commands per second of the run.
//
// Usage: bench_window_repeat [path of tessaly-printer-sim]

#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "terminal_model/settings.h"
#include "terminal_window/command_page.h"
#include "terminal_window/command_tree.h"
#include "terminal_window/form_child_terminal_window.h"
#include "widgets/scripted_prompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <cstdio>

namespace {

const int count = 999;

const QByteArray terminalFile =
    "[General]\nProtocol=1\n\n"
    "[FiscalAnswer]\nRecord1=1,1,0000,0000,\"OK\",clGreen\n\n"
    "[Groups]\nBench=\n\n[Bench]\nSell=\n\n"
    "[BenchSell]\n"
    "Commands=0,\"Command\",\"\",0,\"S1\",0,4,0,1,0,0,0,0,\"Item\",\"\",0,\"Item\",0,20,0,0,0,0,1,"
    "0,\"Price\",\"\",2,\"12.50\",0,10,0,0,9,2,0\n"
    "Answers=\"Echo\",0,0\n";

// The simulator names its two ports on its first two lines.
bool StartSimulator(QProcess &sim, const QString &program, QString &host, QString &fiscal)
{
    sim.setProcessChannelMode(QProcess::SeparateChannels);
    sim.setStandardErrorFile(QProcess::nullDevice());
    sim.start(program, {QStringLiteral("--protocol"), QStringLiteral("extended")});
    if (!sim.waitForStarted(5000))
        return false;
    QString lines;
    while (lines.count(QLatin1Char('\n')) < 2 && sim.waitForReadyRead(5000))
        lines += QString::fromLocal8Bit(sim.readAllStandardOutput());
    for (const QString &line : lines.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("host: ")))
            host = line.mid(6).trimmed();
        else if (line.startsWith(QStringLiteral("fiscal: ")))
            fiscal = line.mid(8).trimmed();
    }
    return !host.isEmpty() && !fiscal.isEmpty();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString program = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                     : app.applicationDirPath() + QStringLiteral("/../src/sim/tessaly-printer-sim");

    QProcess sim;
    QString hostPath;
    QString fiscalPath;
    if (!StartSimulator(sim, program, hostPath, fiscalPath)) {
        std::fprintf(stderr, "cannot start the simulator %s\n", qPrintable(program));
        return 1;
    }
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("bench.tsy"));
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) || file.write(terminalFile) != terminalFile.size())
        return 1;
    file.close();

    TFPHostControl host;
    host.SetDeviceName(hostPath);
    host.SetProtocolType(TProtocolType(1));
    TFPAuxControl aux;
    aux.SetDeviceName(fiscalPath);
    TSettings settings;
    settings.Protocol = 1;
    settings.HostPortOpen = host.OpenPort();
    settings.FiscalPortOpen = aux.OpenPort();
    if (!settings.HostPortOpen) {
        std::fprintf(stderr, "cannot open the host port %s\n", qPrintable(hostPath));
        return 1;
    }
    TScriptedPrompts prompts;
    TFormChildTerminalWindow window(settings, prompts, fileName, nullptr, &host, &aux);
    window.show();
    QTreeWidgetItem *command = window.CommandTree()->RootNode()->child(0)->child(0);
    window.CommandTree()->setCurrentItem(command);
    window.CommandTree()->ShowSelectedCommand();

    TRunOutcome outcome;
    QEventLoop loop;
    QObject::connect(&window.CommandPage()->Runner(), &TCommandRunner::Finished, &loop, [&](const TRunOutcome &o) {
        outcome = o;
        loop.quit();
    });
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    prompts.Inputs.enqueue(QString::number(count));
    QElapsedTimer timer;
    timer.start();
    window.CommandPage()->ButtonRepeat()->click();
    loop.exec();
    const double seconds = timer.nsecsElapsed() / 1e9;

    sim.terminate();
    sim.waitForFinished(5000);
    std::printf("Repeat %d in the terminal window: %s, %d sent, %.2f s, %.0f commands/s (target 300)\n", count,
                qPrintable(TRunOutcome::KindName(outcome.kind)), outcome.sent, seconds,
                outcome.sent / seconds);
    return outcome.kind == TRunOutcome::Answer && outcome.sent == count ? 0 : 1;
}
