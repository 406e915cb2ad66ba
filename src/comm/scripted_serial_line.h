#pragma once

#include "comm/serial_line.h"

#include <QElapsedTimer>
#include <QList>
#include <QMutex>
#include <QWaitCondition>

#include <functional>

// An in-memory serial line whose far end a test scripts: bytes are queued
// to arrive at given delays, and a responder sees every write as it happens
// (the way a printer reacts to a command). Every member is safe to call from
// any thread; the responder runs on the writing thread, outside the lock, and
// may queue arrivals itself.
class TScriptedSerialLine : public TSerialLine
{
public:
    using TResponder = std::function<void(TScriptedSerialLine &line, const QByteArray &written)>;

    TScriptedSerialLine();
    ~TScriptedSerialLine() override;

    bool open(const TLineSettings &settings) override;
    void close() override;
    bool isOpen() const override;
    bool write(const QByteArray &data, int timeoutMs) override;
    bool read(QByteArray &data, qint64 maxBytes, int timeoutMs) override;
    void clear() override;
    void clearInput() override;
    bool setDataTerminalReady(bool on) override;
    bool setRequestToSend(bool on) override;
    bool isLost() const override;

    // The far end. Bytes queued by one call arrive together, as one chunk
    // (a read returns at most one queued chunk), delayMs after the later of
    // now and the arrival of the chunk queued before.
    void deliver(const QByteArray &bytes, int delayMs = 0);
    void setResponder(TResponder responder);

    // Faults. The next open fails with the given error (NoError: opens).
    void setOpenError(TLineError error);
    void setWriteFailing(bool failing);
    // Like an unplugged adapter: from now on reads and writes fail at once.
    void hangUp();

    // What the near end did.
    QByteArray written() const;
    QList<QByteArray> writes() const;
    bool waitForWrites(int count, int timeoutMs) const;
    TLineSettings settings() const;
    bool dataTerminalReady() const;
    bool requestToSend() const;
    int openCount() const;
    int clearCount() const;
    // Chunks queued and not yet read (arrived or still to come).
    int pendingChunks() const;

protected:
    void wakeUp() override;

private:
    struct TChunk
    {
        qint64 DueMs;
        QByteArray Bytes;
    };

    mutable QMutex m_mutex;
    mutable QWaitCondition m_changed;
    QElapsedTimer m_clock;
    QList<TChunk> m_incoming;
    QList<QByteArray> m_writes;
    TResponder m_responder;
    TLineSettings m_settings;
    TLineError m_openError = NoError;
    bool m_open = false;
    bool m_writeFailing = false;
    bool m_hungUp = false;
    bool m_dtr = false;
    bool m_rts = false;
    int m_openCount = 0;
    int m_clearCount = 0;
};
