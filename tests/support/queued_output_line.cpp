#include "queued_output_line.h"

bool TQueuedOutputLine::write(const QByteArray &data, int timeoutMs)
{
    Transmit();
    if (!TScriptedSerialLine::write(data, timeoutMs))
        return false;
    QMutexLocker lock(&m_outputMutex);
    m_queued += data;
    return true;
}

bool TQueuedOutputLine::read(QByteArray &data, qint64 maxBytes, int timeoutMs)
{
    Transmit();
    return TScriptedSerialLine::read(data, maxBytes, timeoutMs);
}

void TQueuedOutputLine::clear()
{
    {
        QMutexLocker lock(&m_outputMutex);
        m_discarded += m_queued;
        m_queued.clear();
    }
    TScriptedSerialLine::clear();
}

void TQueuedOutputLine::clearInput()
{
    TScriptedSerialLine::clear();
}

bool TQueuedOutputLine::drainOutput(int timeoutMs)
{
    Q_UNUSED(timeoutMs);
    if (isAborted())
        return false;
    Transmit();
    return true;
}

QByteArray TQueuedOutputLine::transmitted() const
{
    QMutexLocker lock(&m_outputMutex);
    return m_transmitted;
}

QByteArray TQueuedOutputLine::discarded() const
{
    QMutexLocker lock(&m_outputMutex);
    return m_discarded;
}

void TQueuedOutputLine::Transmit()
{
    QMutexLocker lock(&m_outputMutex);
    m_transmitted += m_queued;
    m_queued.clear();
}
