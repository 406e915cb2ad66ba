#pragma once

#include "comm/serial_line.h"

#include <memory>

class QSerialPort;

// A serial line on a real port (or a pseudo-terminal, or a USB adapter)
// through QSerialPort. The port object is created by open() on the calling
// thread and destroyed by close(); reads and writes block that thread in
// short waits so that abort() from another thread takes effect promptly.
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

    // Longest a blocked read or write goes without looking at abort().
    static constexpr int AbortPollMs = 10;
    // Attempts, and the pause between them, at opening a port that is busy.
    static constexpr int OpenRetries = 4;
    static constexpr int OpenRetryPauseMs = 25;

private:
    bool failIfUnusable(TLineError error);
    bool driveModemLine(bool ok);

    std::unique_ptr<QSerialPort> m_port;
    // The device went away (QSerialPort reports that once and stays open);
    // every later read and write fails at once instead of spinning on it.
    bool m_lost = false;
};
