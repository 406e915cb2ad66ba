#include "sim/sim_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>

bool TSimOptions::Parse(const QStringList &arguments, QString &error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate("TSimOptions", 
        "A simulated fiscal printer for Tessaly: serves the host port and the auxiliary\n"
        "fiscal port on two pseudo-terminals (or serial devices) until SIGINT or SIGTERM.\n"
        "The first two output lines name the ports: \"host: PATH\" and \"fiscal: PATH\".\n"
        "Faults are KIND[=ARGS][@N|@every]: nak, bad-checksum, dc2=K,M, busy-frame=K,M,\n"
        "other-seq, silence, delay=MS, garbage=K, unplug=MS (see docs/simulator.md).\n"
        "--replay answers each command as a capture file recorded it (see docs/captures.md)."));
    const QCommandLineOption help(QStringList{"h", "help"}, QCoreApplication::translate("TSimOptions", "Show this help."));
    const QCommandLineOption protocol("protocol", QCoreApplication::translate("TSimOptions", "Host protocol: compatible or extended (default)."), "name", "extended");
    const QCommandLineOption profile("profile", QCoreApplication::translate("TSimOptions", "Printer profile (INI file) with the answers."), "file");
    const QCommandLineOption hostDevice("host-device", QCoreApplication::translate("TSimOptions", "Serve the host port on this serial device."), "device");
    const QCommandLineOption fiscalDevice("fiscal-device", QCoreApplication::translate("TSimOptions", "Serve the fiscal port on this serial device."), "device");
    const QCommandLineOption hostLink("host-link", QCoreApplication::translate("TSimOptions", "Keep a symbolic link here to the host pseudo-terminal, across unplugging."), "path");
    const QCommandLineOption fiscalLink("fiscal-link", QCoreApplication::translate("TSimOptions", "Keep a symbolic link here to the fiscal pseudo-terminal, across unplugging."), "path");
    const QCommandLineOption baud("baud", QCoreApplication::translate("TSimOptions", "Baud rate of --host-device (default 9600)."), "rate", "9600");
    const QCommandLineOption fault("fault", QCoreApplication::translate("TSimOptions", "Inject a fault on the host port (repeatable)."), "spec");
    const QCommandLineOption fiscalFault("fiscal-fault", QCoreApplication::translate("TSimOptions", "Inject a fault on the fiscal port (repeatable)."), "spec");
    const QCommandLineOption frames("fiscal-frames", QCoreApplication::translate("TSimOptions", "Answer frames per fiscal request when the profile has no rule (default 1)."), "count", "1");
    const QCommandLineOption trace("trace", QCoreApplication::translate("TSimOptions", "Append the trace to this file instead of stderr."), "file");
    const QCommandLineOption replay("replay", QCoreApplication::translate("TSimOptions", "Answer each command as this capture file recorded it."), "file");
    const QCommandLineOption replayDelays("replay-delays", QCoreApplication::translate("TSimOptions", "With --replay: answer after the recorded delays."));
    const QCommandLineOption language(
        "lang", QCoreApplication::translate("TSimOptions", "Language of the texts: en (English) or es (Spanish)."),
        "language");
    parser.addOptions({help, protocol, profile, hostDevice, fiscalDevice, hostLink, fiscalLink, baud, fault, fiscalFault,
                       frames, trace, replay, replayDelays, language});

    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return false;
    }
    if (parser.isSet(help)) {
        ShowHelp = true;
        error = parser.helpText();
        return false;
    }
    if (!parser.positionalArguments().isEmpty()) {
        error = QCoreApplication::translate("TSimOptions", "unexpected argument '%1'").arg(parser.positionalArguments().first());
        return false;
    }
    const QString protocolName = parser.value(protocol).toLower();
    if (protocolName == QLatin1String("compatible")) {
        Protocol = protocol_Compatible;
    } else if (protocolName == QLatin1String("extended")) {
        Protocol = protocol_Extended;
    } else {
        error = QCoreApplication::translate("TSimOptions", "--protocol is compatible or extended, not '%1'").arg(parser.value(protocol));
        return false;
    }
    bool ok = false;
    HostBaudRate = parser.value(baud).toInt(&ok);
    static const QList<int> rates = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    if (!ok || !rates.contains(HostBaudRate)) {
        error = QCoreApplication::translate("TSimOptions", "--baud '%1' is not a supported rate").arg(parser.value(baud));
        return false;
    }
    FiscalFrames = parser.value(frames).toInt(&ok);
    if (!ok || FiscalFrames < 1 || FiscalFrames > 100) {
        error = QCoreApplication::translate("TSimOptions", "--fiscal-frames is a number from 1 to 100");
        return false;
    }
    if (parser.isSet(replay)
        && (parser.isSet(profile) || parser.isSet(fault) || parser.isSet(fiscalFault) || parser.isSet(frames))) {
        error = QCoreApplication::translate("TSimOptions", "--replay answers from the capture; it takes no --profile, --fault, --fiscal-fault or --fiscal-frames");
        return false;
    }
    if (parser.isSet(replayDelays) && !parser.isSet(replay)) {
        error = QCoreApplication::translate("TSimOptions", "--replay-delays needs --replay");
        return false;
    }
    ReplayFile = parser.value(replay);
    ReplayDelays = parser.isSet(replayDelays);
    ProfileFile = parser.value(profile);
    HostDevice = parser.value(hostDevice);
    FiscalDevice = parser.value(fiscalDevice);
    HostLink = parser.value(hostLink);
    FiscalLink = parser.value(fiscalLink);
    if ((!HostLink.isEmpty() && !HostDevice.isEmpty()) || (!FiscalLink.isEmpty() && !FiscalDevice.isEmpty())) {
        error = QCoreApplication::translate("TSimOptions", "a link is kept for a pseudo-terminal only, not for a serial device");
        return false;
    }
    HostFaults = parser.values(fault);
    FiscalFaults = parser.values(fiscalFault);
    TraceFile = parser.value(trace);
    return true;
}
