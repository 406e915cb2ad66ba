#include "sim_process.h"

#include <QDeadlineTimer>

TSimProcess::~TSimProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(3000);
    }
}

bool TSimProcess::Start(const QStringList &arguments)
{
    m_process.start(QStringLiteral(TESSALY_PRINTER_SIM), arguments);
    if (!m_process.waitForStarted(5000)) {
        m_error = QStringLiteral("simulator did not start: %1").arg(m_process.errorString());
        return false;
    }
    QDeadlineTimer deadline(5000);
    QByteArray output;
    while (output.count('\n') < 2) {
        if (deadline.hasExpired() || m_process.state() == QProcess::NotRunning) {
            m_error = QStringLiteral("simulator named no ports; stdout: %1; stderr: %2")
                          .arg(QString::fromLocal8Bit(output),
                               QString::fromLocal8Bit(m_process.readAllStandardError()));
            return false;
        }
        m_process.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
        output += m_process.readAllStandardOutput();
    }
    const QList<QByteArray> lines = output.split('\n');
    if (!lines[0].startsWith("host: ") || !lines[1].startsWith("fiscal: ")) {
        m_error = QStringLiteral("unexpected first lines: %1").arg(QString::fromLocal8Bit(output));
        return false;
    }
    m_hostPath = QString::fromLocal8Bit(lines[0].mid(6));
    m_fiscalPath = QString::fromLocal8Bit(lines[1].mid(8));
    return true;
}

int TSimProcess::Stop()
{
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        return -1;
    m_trace += m_process.readAllStandardError();
    return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
}

QString TSimProcess::Trace()
{
    m_trace += m_process.readAllStandardError();
    return QString::fromLocal8Bit(m_trace);
}
