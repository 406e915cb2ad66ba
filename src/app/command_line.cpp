#include "app/command_line.h"

#include <QCoreApplication>

TCommandLine::TCommandLine()
    : m_help(m_parser.addHelpOption()),
      m_version(m_parser.addVersionOption()),
      m_hostPort(QStringLiteral("host-port"), QStringLiteral("Serial device of the host port for this run."),
                 QStringLiteral("device")),
      m_fiscalPort(QStringLiteral("fiscal-port"), QStringLiteral("Serial device of the fiscal port for this run."),
                   QStringLiteral("device"))
{
    // Qt's own options are single-dash words (-platform, -reverse): read
    // compacted, "-reverse" would hold -v.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setApplicationDescription(QStringLiteral("Test and drive fiscal printers over serial ports."));
    m_parser.addOption(m_hostPort);
    m_parser.addOption(m_fiscalPort);
    m_parser.addPositionalArgument(QStringLiteral("file"), QStringLiteral("Terminal file (*.tsy) to open."),
                                   QStringLiteral("[file]"));
}

bool TCommandLine::AnswerEarly(const QStringList &arguments)
{
    const bool parsed = m_parser.parse(arguments);
    if (m_parser.isSet(m_help)) {
        m_output = m_parser.helpText();
        return true;
    }
    if (m_parser.isSet(m_version)) {
        m_output = QCoreApplication::applicationName() + QLatin1Char(' ')
                   + QCoreApplication::applicationVersion() + QLatin1Char('\n');
        return true;
    }
    // An unknown option may be one of the GUI's; any other error is final.
    if (!parsed && m_parser.unknownOptionNames().isEmpty()) {
        m_error = true;
        m_output = QCoreApplication::applicationName() + QStringLiteral(": ") + m_parser.errorText()
                   + QLatin1Char('\n');
        return true;
    }
    return false;
}

void TCommandLine::Process(const QCoreApplication &application)
{
    m_parser.process(application);
}

QStringList TCommandLine::Files() const
{
    return m_parser.positionalArguments();
}

QString TCommandLine::HostPort() const
{
    return m_parser.value(m_hostPort);
}

QString TCommandLine::FiscalPort() const
{
    return m_parser.value(m_fiscalPort);
}
