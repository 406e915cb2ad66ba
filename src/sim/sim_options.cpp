#include "sim/sim_options.h"

#include <QCommandLineParser>

bool TSimOptions::Parse(const QStringList &arguments, QString &error)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A simulated fiscal printer for Tessaly: serves the host port and the auxiliary\n"
        "fiscal port on two pseudo-terminals (or serial devices) until SIGINT or SIGTERM.\n"
        "The first two output lines name the ports: \"host: PATH\" and \"fiscal: PATH\".\n"
        "Faults are KIND[=ARGS][@N|@every]: nak, bad-checksum, dc2=K,M, busy-frame=K,M,\n"
        "other-seq, silence, delay=MS, garbage=K (see docs/simulator.md)."));
    const QCommandLineOption help(QStringList{"h", "help"}, QStringLiteral("Show this help."));
    const QCommandLineOption protocol("protocol", QStringLiteral("Host protocol: compatible or extended (default)."), "name", "extended");
    const QCommandLineOption profile("profile", QStringLiteral("Printer profile (INI file) with the answers."), "file");
    const QCommandLineOption hostDevice("host-device", QStringLiteral("Serve the host port on this serial device."), "device");
    const QCommandLineOption fiscalDevice("fiscal-device", QStringLiteral("Serve the fiscal port on this serial device."), "device");
    const QCommandLineOption baud("baud", QStringLiteral("Baud rate of --host-device (default 9600)."), "rate", "9600");
    const QCommandLineOption fault("fault", QStringLiteral("Inject a fault on the host port (repeatable)."), "spec");
    const QCommandLineOption fiscalFault("fiscal-fault", QStringLiteral("Inject a fault on the fiscal port (repeatable)."), "spec");
    const QCommandLineOption frames("fiscal-frames", QStringLiteral("Answer frames per fiscal request when the profile has no rule (default 1)."), "count", "1");
    const QCommandLineOption trace("trace", QStringLiteral("Append the trace to this file instead of stderr."), "file");
    parser.addOptions({help, protocol, profile, hostDevice, fiscalDevice, baud, fault, fiscalFault, frames, trace});

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
        error = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().first());
        return false;
    }
    const QString protocolName = parser.value(protocol).toLower();
    if (protocolName == QLatin1String("compatible")) {
        Protocol = protocol_Compatible;
    } else if (protocolName == QLatin1String("extended")) {
        Protocol = protocol_Extended;
    } else {
        error = QStringLiteral("--protocol is compatible or extended, not '%1'").arg(parser.value(protocol));
        return false;
    }
    bool ok = false;
    HostBaudRate = parser.value(baud).toInt(&ok);
    static const QList<int> rates = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    if (!ok || !rates.contains(HostBaudRate)) {
        error = QStringLiteral("--baud '%1' is not a supported rate").arg(parser.value(baud));
        return false;
    }
    FiscalFrames = parser.value(frames).toInt(&ok);
    if (!ok || FiscalFrames < 1 || FiscalFrames > 100) {
        error = QStringLiteral("--fiscal-frames is a number from 1 to 100");
        return false;
    }
    ProfileFile = parser.value(profile);
    HostDevice = parser.value(hostDevice);
    FiscalDevice = parser.value(fiscalDevice);
    HostFaults = parser.values(fault);
    FiscalFaults = parser.values(fiscalFault);
    TraceFile = parser.value(trace);
    return true;
}
