#include "app/command_line.h"

#include "terminal_model/translations.h"

#include <QCoreApplication>
#include <QLocale>

TCommandLine::TCommandLine()
    : m_help(m_parser.addHelpOption()),
      m_version(m_parser.addVersionOption()),
      m_hostPort(QStringLiteral("host-port"), QCoreApplication::translate("TCommandLine", "Serial device of the host port for this run."), QCoreApplication::translate("TCommandLine", "device")),
      m_fiscalPort(QStringLiteral("fiscal-port"), QCoreApplication::translate("TCommandLine", "Serial device of the fiscal port for this run."),
                   QCoreApplication::translate("TCommandLine", "device")),
      m_language(QStringLiteral("lang"),
                 QCoreApplication::translate("TCommandLine", "Language of the program's texts: en (English) or es (Spanish). "
                    "Without it the system's locale decides."),
                 QCoreApplication::translate("TCommandLine", "language"))
{
    // Qt's own options are single-dash words (-platform, -reverse): read
    // compacted, "-reverse" would hold -v.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.setApplicationDescription(QCoreApplication::translate("TCommandLine", "Test and drive fiscal printers over serial ports."));
    m_parser.addOption(m_hostPort);
    m_parser.addOption(m_fiscalPort);
    m_parser.addOption(m_language);
    m_parser.addPositionalArgument(QCoreApplication::translate("TCommandLine", "file"), QCoreApplication::translate("TCommandLine", "Terminal file (*.tsy) to open."), QCoreApplication::translate("TCommandLine", "[file]"));
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
    QString error;
    if (!parsed && m_parser.unknownOptionNames().isEmpty())
        error = m_parser.errorText();
    else
        TTranslations::Choose(m_parser.value(m_language), QLocale::system(), &error);
    if (!error.isEmpty()) {
        m_error = true;
        m_output = QCoreApplication::applicationName() + QStringLiteral(": ") + error + QLatin1Char('\n');
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
