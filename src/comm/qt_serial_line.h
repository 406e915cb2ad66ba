#pragma once

#include "comm/serial_line.h"

#include <QDeadlineTimer>

#include <memory>

class QSerialPort;

// A serial line on a real port (or a pseudo-terminal, or a USB adapter).
// QSerialPort opens, configures and closes the device, on the thread that
// calls open(); reads and writes go straight to its descriptor with poll(),
// which also watches an event descriptor that abort() signals from any
// thread, so an abort ends a wait at once and no wait is cut into slices.
// QSerialPort's own waits would add a copy through its buffer and several
// system calls to every byte exchanged.
class TQtSerialLine : public TSerialLine
{
public:
    TQtSerialLine();
    ~TQtSerialLine() override;

    bool open(const TLineSettings &settings) override;
    void close() override;
    bool isOpen() const override;
    bool write(const QByteArray &data, int timeoutMs) override;
    bool read(QByteArray &data, qint64 maxBytes, int timeoutMs) override;
    void clear() override;
    void clearInput() override;
    bool drainOutput(int timeoutMs) override;
    bool setDataTerminalReady(bool on) override;
    bool setRequestToSend(bool on) override;
    bool isLost() const override { return m_lost; }

    // Attempts, and the pause between them, at opening a port that is busy.
    static constexpr int OpenRetries = 4;
    static constexpr int OpenRetryPauseMs = 25;
    // Most bytes one read takes from the driver.
    static constexpr qint64 ReadChunk = 8192;

protected:
    void wakeUp() override;

private:
    enum TWait { Ready, Aborted, TimedOut, Failed };

    bool failIfUnusable(TLineError error);
    bool driveModemLine(bool ok);
    // Waits for events on the device until the deadline or an abort.
    TWait waitFor(short events, const QDeadlineTimer &deadline);
    bool failOnDevice(TLineError error, int code);

    std::unique_ptr<QSerialPort> m_port;
    // The device went away (QSerialPort reports that once and stays open);
    // every later read and write fails at once instead of spinning on it.
    bool m_lost = false;
    // Made with the line and closed with it, so abort() may signal it from
    // any thread at any time, even while the port closes.
    int m_abortSignal = -1;
};
