#include "execution/capture_reader.h"
#include "sim/sim_aux_responder.h"
#include "sim/sim_fault_plan.h"
#include "sim/sim_host_responder.h"
#include "sim/sim_options.h"
#include "sim/sim_port.h"
#include "sim/sim_profile.h"
#include "sim/sim_replay_responder.h"
#include "sim/sim_server.h"
#include "sim/sim_trace.h"
#include "terminal_model/translations.h"

#include <QCoreApplication>
#include <QLocale>

#include <csignal>
#include <cstdio>

namespace {

TSimServer *RunningServer = nullptr;

void StopOnSignal(int)
{
    if (RunningServer)
        RunningServer->RequestStop();
}

int Fail(const QString &message)
{
    std::fprintf(stderr, "tessaly-printer-sim: %s\n", qPrintable(message));
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tessaly-printer-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));

    QString error;
    TTranslations translations;
    translations.Install(TTranslations::Choose(TTranslations::LanguageOption(QCoreApplication::arguments()),
                                               QLocale::system(), &error));
    if (!error.isEmpty())
        return Fail(error);

    TSimOptions options;
    if (!options.Parse(QCoreApplication::arguments(), error)) {
        if (options.ShowHelp) {
            std::fputs(qPrintable(error), stdout);
            return 0;
        }
        return Fail(error);
    }

    TSimProfile profile;
    profile.SetFiscalFrames(options.FiscalFrames);
    if (!options.ProfileFile.isEmpty() && !profile.Load(options.ProfileFile))
        return Fail(profile.ErrorString());

    TSimFaultPlan hostFaults(TSimFaultPlan::HostPort);
    for (const QString &spec : options.HostFaults) {
        if (!hostFaults.Add(spec, error))
            return Fail(error);
    }
    TSimFaultPlan fiscalFaults(TSimFaultPlan::FiscalPort);
    for (const QString &spec : options.FiscalFaults) {
        if (!fiscalFaults.Add(spec, error))
            return Fail(error);
    }

    TCaptureReader capture;
    if (!options.ReplayFile.isEmpty() && !capture.Read(options.ReplayFile))
        return Fail(capture.ErrorString());

    TSimTrace trace;
    if (!options.TraceFile.isEmpty() && !trace.Open(options.TraceFile, error))
        return Fail(error);

    TSimPort hostPort;
    TSimPort fiscalPort;
    const bool hostOpened = options.HostDevice.isEmpty()
                                ? hostPort.OpenPseudoTerminal(error)
                                : hostPort.OpenDevice(options.HostDevice, options.HostBaudRate, error);
    if (!hostOpened)
        return Fail(error);
    const bool fiscalOpened = options.FiscalDevice.isEmpty()
                                  ? fiscalPort.OpenPseudoTerminal(error)
                                  : fiscalPort.OpenDevice(options.FiscalDevice, 9600, error);
    if (!fiscalOpened)
        return Fail(error);
    if (!options.HostLink.isEmpty() && !hostPort.SetLink(options.HostLink, error))
        return Fail(error);
    if (!options.FiscalLink.isEmpty() && !fiscalPort.SetLink(options.FiscalLink, error))
        return Fail(error);

    TSimHostResponder hostResponder(options.Protocol, profile, hostFaults);
    TSimAuxResponder fiscalResponder(profile, fiscalFaults);
    TSimReplayResponder hostReplay(capture.Records(), cpHostPort, options.ReplayDelays);
    TSimReplayResponder fiscalReplay(capture.Records(), cpFiscalPort, options.ReplayDelays);
    const bool replaying = !options.ReplayFile.isEmpty();
    TSimServer server(trace);
    if (!server.IsValid())
        return Fail(QStringLiteral("cannot set up the stop pipe"));
    server.AddPort(QStringLiteral("host"), hostPort, replaying ? static_cast<TSimResponder &>(hostReplay) : hostResponder);
    server.AddPort(QStringLiteral("fiscal"), fiscalPort,
                   replaying ? static_cast<TSimResponder &>(fiscalReplay) : fiscalResponder);

    RunningServer = &server;
    struct sigaction action {};
    action.sa_handler = StopOnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("host: %s\nfiscal: %s\n", qPrintable(hostPort.Path()), qPrintable(fiscalPort.Path()));
    std::fflush(stdout);
    if (replaying)
        trace.Note(QStringLiteral("sim"), QStringLiteral("replaying %1: %2 host commands, %3 fiscal requests%4")
                                              .arg(options.ReplayFile)
                                              .arg(hostReplay.RecordedCount())
                                              .arg(fiscalReplay.RecordedCount())
                                              .arg(options.ReplayDelays ? QStringLiteral(", recorded delays") : QString()));
    else
        trace.Note(QStringLiteral("sim"),
                   QStringLiteral("serving, %1 protocol")
                       .arg(options.Protocol == protocol_Compatible ? "compatible" : "extended"));

    const int result = server.Run();
    RunningServer = nullptr;
    trace.Note(QStringLiteral("sim"), QStringLiteral("stopped"));
    return result;
}
