#include "comm/scripted_serial_line.h"

#include <QDeadlineTimer>

#include <algorithm>

TScriptedSerialLine::TScriptedSerialLine()
{
    m_clock.start();
}

TScriptedSerialLine::~TScriptedSerialLine() = default;

bool TScriptedSerialLine::open(const TLineSettings &settings)
{
    QMutexLocker lock(&m_mutex);
    if (m_open) {
        setError(OpenError, QStringLiteral("Line already open"));
        return false;
    }
    if (m_openError != NoError) {
        setError(m_openError, QStringLiteral("Scripted open failure"));
        return false;
    }
    m_settings = settings;
    m_dtr = settings.DataTerminalReady;
    m_rts = settings.RequestToSend;
    m_open = true;
    ++m_openCount;
    setError(NoError);
    return true;
}

void TScriptedSerialLine::close()
{
    QMutexLocker lock(&m_mutex);
    m_open = false;
    m_changed.wakeAll();
}

bool TScriptedSerialLine::isOpen() const
{
    QMutexLocker lock(&m_mutex);
    return m_open;
}

bool TScriptedSerialLine::write(const QByteArray &data, int)
{
    TResponder responder;
    {
        QMutexLocker lock(&m_mutex);
        if (!m_open) {
            setError(NotOpenError, QStringLiteral("Line not open"));
            return false;
        }
        if (isAborted()) {
            setError(AbortedError, QStringLiteral("Write aborted"));
            return false;
        }
        if (m_writeFailing || m_hungUp) {
            setError(WriteError, QStringLiteral("Scripted write failure"));
            return false;
        }
        m_writes.append(data);
        responder = m_responder;
        m_changed.wakeAll();
    }
    if (responder)
        responder(*this, data);
    setError(NoError);
    return true;
}

bool TScriptedSerialLine::read(QByteArray &data, qint64 maxBytes, int timeoutMs)
{
    data.clear();
    QMutexLocker lock(&m_mutex);
    if (!m_open) {
        setError(NotOpenError, QStringLiteral("Line not open"));
        return false;
    }
    if (maxBytes < 1) {
        setError(ReadError, QStringLiteral("No room to read into"));
        return false;
    }
    const qint64 deadline = m_clock.elapsed() + std::max(timeoutMs, 0);
    for (;;) {
        if (isAborted()) {
            setError(AbortedError, QStringLiteral("Read aborted"));
            return false;
        }
        if (m_hungUp) {
            setError(ReadError, QStringLiteral("Line hung up"));
            return false;
        }
        if (!m_open) {
            setError(NotOpenError, QStringLiteral("Line closed"));
            return false;
        }
        const qint64 now = m_clock.elapsed();
        if (!m_incoming.isEmpty() && m_incoming.first().DueMs <= now) {
            TChunk &chunk = m_incoming.first();
            data = chunk.Bytes.left(maxBytes);
            chunk.Bytes.remove(0, data.size());
            if (chunk.Bytes.isEmpty())
                m_incoming.removeFirst();
            setError(NoError);
            return true;
        }
        if (now >= deadline) {
            setError(TimeoutError, QStringLiteral("Read timed out"));
            return false;
        }
        qint64 wakeAt = deadline;
        if (!m_incoming.isEmpty())
            wakeAt = std::min(wakeAt, m_incoming.first().DueMs);
        m_changed.wait(&m_mutex, QDeadlineTimer(wakeAt - now));
    }
}

void TScriptedSerialLine::clear()
{
    QMutexLocker lock(&m_mutex);
    const qint64 now = m_clock.elapsed();
    m_incoming.removeIf([now](const TChunk &chunk) { return chunk.DueMs <= now; });
    ++m_clearCount;
}

void TScriptedSerialLine::clearInput()
{
    clear();
}

bool TScriptedSerialLine::setDataTerminalReady(bool on)
{
    QMutexLocker lock(&m_mutex);
    m_dtr = on;
    return true;
}

bool TScriptedSerialLine::setRequestToSend(bool on)
{
    QMutexLocker lock(&m_mutex);
    m_rts = on;
    return true;
}

void TScriptedSerialLine::deliver(const QByteArray &bytes, int delayMs)
{
    QMutexLocker lock(&m_mutex);
    qint64 base = m_clock.elapsed();
    if (!m_incoming.isEmpty())
        base = std::max(base, m_incoming.last().DueMs);
    m_incoming.append({base + std::max(delayMs, 0), bytes});
    m_changed.wakeAll();
}

void TScriptedSerialLine::setResponder(TResponder responder)
{
    QMutexLocker lock(&m_mutex);
    m_responder = std::move(responder);
}

void TScriptedSerialLine::setOpenError(TLineError error)
{
    QMutexLocker lock(&m_mutex);
    m_openError = error;
}

void TScriptedSerialLine::setWriteFailing(bool failing)
{
    QMutexLocker lock(&m_mutex);
    m_writeFailing = failing;
}

void TScriptedSerialLine::hangUp()
{
    QMutexLocker lock(&m_mutex);
    m_hungUp = true;
    m_changed.wakeAll();
}

bool TScriptedSerialLine::isLost() const
{
    QMutexLocker lock(&m_mutex);
    return m_hungUp;
}

QByteArray TScriptedSerialLine::written() const
{
    QMutexLocker lock(&m_mutex);
    QByteArray all;
    for (const QByteArray &chunk : m_writes)
        all += chunk;
    return all;
}

QList<QByteArray> TScriptedSerialLine::writes() const
{
    QMutexLocker lock(&m_mutex);
    return m_writes;
}

bool TScriptedSerialLine::waitForWrites(int count, int timeoutMs) const
{
    QDeadlineTimer deadline(timeoutMs);
    QMutexLocker lock(&m_mutex);
    while (m_writes.size() < count) {
        if (!m_changed.wait(&m_mutex, deadline))
            return m_writes.size() >= count;
    }
    return true;
}

TSerialLine::TLineSettings TScriptedSerialLine::settings() const
{
    QMutexLocker lock(&m_mutex);
    return m_settings;
}

bool TScriptedSerialLine::dataTerminalReady() const
{
    QMutexLocker lock(&m_mutex);
    return m_dtr;
}

bool TScriptedSerialLine::requestToSend() const
{
    QMutexLocker lock(&m_mutex);
    return m_rts;
}

int TScriptedSerialLine::openCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_openCount;
}

int TScriptedSerialLine::clearCount() const
{
    QMutexLocker lock(&m_mutex);
    return m_clearCount;
}

int TScriptedSerialLine::pendingChunks() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_incoming.size());
}

void TScriptedSerialLine::wakeUp()
{
    QMutexLocker lock(&m_mutex);
    m_changed.wakeAll();
}
