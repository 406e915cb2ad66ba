#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

class QCoreApplication;

// The command line of the window program. It is read twice: once before the
// GUI exists, so that --help, --version and malformed options are answered
// without a display, and once more after Qt has taken its own options
// (-platform, -style ...) out of the arguments.
class TCommandLine
{
public:
    TCommandLine();

    // The first reading, arguments with the program name first. True when
    // the program is done: the answer is in Output() and the exit status in
    // ExitStatus(). Options only the GUI knows are left to the second reading.
    bool AnswerEarly(const QStringList &arguments);
    QString Output() const { return m_output; }
    bool IsError() const { return m_error; }
    int ExitStatus() const { return m_error ? 1 : 0; }

    // The second reading, on the arguments Qt left; reports and exits on
    // errors as the parser does.
    void Process(const QCoreApplication &application);

    QStringList Files() const;
    QString HostPort() const;
    QString FiscalPort() const;

private:
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
    QCommandLineOption m_version;
    QCommandLineOption m_hostPort;
    QCommandLineOption m_fiscalPort;
    QCommandLineOption m_language;
    QString m_output;
    bool m_error = false;
};
