#include "sim/sim_trace.h"

#include <QDateTime>
#include <QFile>

TSimTrace::TSimTrace() : m_file(stderr) {}

TSimTrace::~TSimTrace()
{
    if (m_ownFile)
        std::fclose(m_file);
}

bool TSimTrace::Open(const QString &fileName, QString &error)
{
    FILE *file = std::fopen(QFile::encodeName(fileName).constData(), "a");
    if (!file) {
        error = QStringLiteral("cannot write the trace to %1").arg(fileName);
        return false;
    }
    QMutexLocker lock(&m_mutex);
    if (m_ownFile)
        std::fclose(m_file);
    m_file = file;
    m_ownFile = true;
    return true;
}

QString TSimTrace::Line(const QString &stamp, const QString &port, bool received,
                        const QByteArray &bytes)
{
    return QStringLiteral("%1 %2 %3 %4")
        .arg(stamp, port.leftJustified(6), received ? QStringLiteral("<-") : QStringLiteral("->"),
             QString::fromLatin1(bytes.toHex(' ')));
}

void TSimTrace::Frame(const QString &port, bool received, const QByteArray &bytes)
{
    Write(Line(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")), port, received, bytes));
}

void TSimTrace::Note(const QString &port, const QString &text)
{
    Write(QStringLiteral("%1 %2 -- %3")
              .arg(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")),
                   port.leftJustified(6), text));
}

void TSimTrace::Write(const QString &line)
{
    QMutexLocker lock(&m_mutex);
    const QByteArray bytes = line.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), m_file);
    std::fflush(m_file);
}
