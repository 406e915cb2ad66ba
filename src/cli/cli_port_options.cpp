#include "cli/cli_port_options.h"

#include "terminal_model/ext_ini_file.h"

#include <QCommandLineParser>
#include <QCoreApplication>

TCliPortOptions::TCliPortOptions()
    : port(QStringLiteral("port"),
           QCoreApplication::translate("TCliTool", "Host port device (default: the settings' HPort, else the COM index)."),
           QStringLiteral("DEV"))
    , fiscalPort(QStringLiteral("fiscal-port"),
                 QCoreApplication::translate("TCliTool", "Fiscal port device (default: the settings' DPort, else the COM index)."),
                 QStringLiteral("DEV"))
    , baud(QStringLiteral("baud"),
           QCoreApplication::translate("TCliTool", "Host baud rate: 1200, 2400, 4800, 9600, 19200 or 38400 "
                                                   "(default: the settings')."),
           QStringLiteral("RATE"))
    , protocol(QStringLiteral("protocol"),
               QCoreApplication::translate("TCliTool", "compatible or extended (default: the file's [General])."),
               QStringLiteral("PROTOCOL"))
    , timeOut(QStringLiteral("timeout"),
              QCoreApplication::translate("TCliTool", "Fiscal port time-out in ms, 0 waits without limit "
                                                      "(default: the settings' DTimeOut)."),
              QStringLiteral("MS"))
    , log(QStringLiteral("log"), QCoreApplication::translate("TCliTool", "Append the communication log lines to FILE."),
          QStringLiteral("FILE"))
    , capture(QStringLiteral("capture"),
              QCoreApplication::translate("TCliTool", "Record every exchange of both ports into the capture FILE "
                                                      "(appended to when it is one)."),
              QStringLiteral("FILE"))
    , options{port, fiscalPort, baud, protocol, timeOut, log, capture}
{
}

bool TCliPortOptions::Read(const QCommandLineParser &parser, TCliSender::TOptions *options, QString *error) const
{
    options->hostDevice = parser.value(port);
    options->fiscalDevice = parser.value(fiscalPort);
    options->logFile = parser.value(log);
    options->captureFile = parser.value(capture);
    if (parser.isSet(baud)) {
        options->baudRate = TCliSender::BaudRateIndex(parser.value(baud).toInt());
        if (options->baudRate < 0) {
            *error = QCoreApplication::translate("TCliTool", "--baud %1: use 1200, 2400, 4800, 9600, 19200 or 38400")
                         .arg(parser.value(baud));
            return false;
        }
    }
    if (parser.isSet(timeOut)) {
        bool ok = false;
        options->fiscalTimeOut = parser.value(timeOut).toInt(&ok, 10);
        if (!ok || options->fiscalTimeOut < 0) {
            *error = QCoreApplication::translate("TCliTool", "--timeout %1: give milliseconds, 0 or more").arg(parser.value(timeOut));
            return false;
        }
    }
    return true;
}

bool TCliPortOptions::ReadProtocol(const QCommandLineParser &parser, const TExtIniFile &ini,
                                   TCliSender::TOptions *options, QString *error) const
{
    options->protocol = ini.ReadInteger(QStringLiteral("General"), QStringLiteral("Protocol"), 0) == 1 ? 1 : 0;
    if (!parser.isSet(protocol))
        return true;
    const QString name = parser.value(protocol);
    if (name == QLatin1String("compatible"))
        options->protocol = 0;
    else if (name == QLatin1String("extended"))
        options->protocol = 1;
    else {
        *error = QCoreApplication::translate("TCliTool", "--protocol %1: use compatible or extended").arg(name);
        return false;
    }
    return true;
}
