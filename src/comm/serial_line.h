#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>

#include <atomic>

// One serial line at 8 data bits, no parity, one stop bit, binary.
//
// A line is driven by one thread at a time: the thread that opens it also
// reads, writes, clears, drives the modem lines and closes it (the port
// workers do all of that). abort() is the one call meant for any other
// thread: it makes the read or write in progress fail promptly, and every
// read or write started after it, until resetAbort().
//
// Every failure is a false result and one error code, set in one place.
class TSerialLine
{
public:
    enum TLineError {
        NoError,
        NotFoundError,   // no such device
        OpenError,       // the device exists but cannot be opened (busy, locked, no permission)
        NotOpenError,
        WriteError,
        ReadError,       // includes a line that went away (unplugged adapter, closed far end)
        TimeoutError,
        AbortedError
    };

    struct TLineSettings
    {
        QString Name;               // device path, e.g. "/dev/ttyS1", "/dev/ttyUSB0", "COM2"
        qint32 BaudRate = 9600;
        bool DataTerminalReady = true;
        bool RequestToSend = false;
    };

    TSerialLine() = default;
    TSerialLine(const TSerialLine &) = delete;
    TSerialLine &operator=(const TSerialLine &) = delete;
    virtual ~TSerialLine() = default;

    virtual bool open(const TLineSettings &settings) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    // Writes every byte, waiting at most timeoutMs for them to leave.
    virtual bool write(const QByteArray &data, int timeoutMs) = 0;

    // Waits at most timeoutMs for at least one byte, then returns at once
    // with what has arrived, never more than maxBytes. Silence until the
    // deadline fails with TimeoutError; maxBytes below 1 fails at once.
    virtual bool read(QByteArray &data, qint64 maxBytes, int timeoutMs) = 0;

    // Discards what was received and not read, and what waits to be sent
    // (on some devices that includes bytes a completed write() handed over).
    virtual void clear() = 0;
    // Discards only what was received and not read.
    virtual void clearInput() = 0;
    // Waits at most timeoutMs for bytes that write() handed to the device to
    // leave it, so closing right after a write does not cut them off. False
    // when some are still queued.
    virtual bool drainOutput(int timeoutMs) { Q_UNUSED(timeoutMs); return true; }

    // Lines a device cannot drive (a pseudo-terminal has none) count as set.
    virtual bool setDataTerminalReady(bool on) = 0;
    virtual bool setRequestToSend(bool on) = 0;

    // Any thread.
    void abort()
    {
        m_aborted.store(true);
        wakeUp();
    }
    void resetAbort() { m_aborted.store(false); }
    bool isAborted() const { return m_aborted.load(); }

    TLineError error() const { return m_error; }
    QString errorString() const { return m_errorString; }
    void clearError() { setError(NoError); }
    // The device went away (an unplugged adapter, a far end that closed):
    // every later read and write fails at once.
    virtual bool isLost() const { return false; }

protected:
    void setError(TLineError error, const QString &text = QString())
    {
        m_error = error;
        m_errorString = text;
    }

    // Called by abort() from any thread: wake a read or write that waits.
    virtual void wakeUp() {}

private:
    std::atomic<bool> m_aborted{false};
    TLineError m_error = NoError;
    QString m_errorString;
};

// How the last read or write of a line failed, as a port worker passes it on
// with its report, so that the log can tell a silent printer from a line
// that was aborted or has gone away.
struct TLineFailure
{
    TSerialLine::TLineError Error = TSerialLine::NoError;
    QString Text;
    bool Lost = false;

    static TLineFailure Of(const TSerialLine &line) { return {line.error(), line.errorString(), line.isLost()}; }
};
Q_DECLARE_METATYPE(TLineFailure)
