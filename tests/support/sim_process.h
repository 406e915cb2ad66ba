#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// The simulator program run by a test: started with its options, it names
// its two ports on its first two output lines; Stop() ends it with SIGTERM.
class TSimProcess
{
public:
    ~TSimProcess();

    // False (with a test failure message in Error()) when the program did
    // not name its ports in time.
    bool Start(const QStringList &arguments);
    // SIGTERM; the exit code, or -1 when it did not end cleanly in time.
    int Stop();

    QString HostPath() const { return m_hostPath; }
    QString FiscalPath() const { return m_fiscalPath; }
    QString Error() const { return m_error; }
    // What the program wrote to stderr so far (its trace).
    QString Trace();

private:
    QProcess m_process;
    QString m_hostPath;
    QString m_fiscalPath;
    QString m_error;
    QByteArray m_trace;
};
