#pragma once

#include "comm/scripted_serial_line.h"

#include <QByteArray>
#include <QMutex>

// A scripted line whose written bytes wait in an output queue, the way a
// real driver holds them until they have left: they leave when the line is
// next read or written, or drained; clear() throws away what still waits,
// and a drain of an aborted line returns at once, leaving them queued.
// What has left and what was thrown away can be asked for.
class TQueuedOutputLine : public TScriptedSerialLine
{
public:
    bool write(const QByteArray &data, int timeoutMs) override;
    bool read(QByteArray &data, qint64 maxBytes, int timeoutMs) override;
    void clear() override;
    void clearInput() override;
    bool drainOutput(int timeoutMs) override;

    QByteArray transmitted() const;
    QByteArray discarded() const;

private:
    void Transmit();

    mutable QMutex m_outputMutex;
    QByteArray m_queued;
    QByteArray m_transmitted;
    QByteArray m_discarded;
};
