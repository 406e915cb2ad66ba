#pragma once

#include <QByteArray>
#include <QString>

// A pseudo-terminal pair for talking to a serial-port client without
// hardware: the client opens slavePath() as its port, and this side reads and
// writes the master. The master is kept in raw mode (no echo, no line
// editing, every byte passed through) and non-blocking.
//
// The slave is held open by this object until releaseSlave(), so the master
// stays usable while no client has the port open. close() drops the master,
// which the client sees as a hang-up (like an unplugged adapter).
class TPseudoTerminal
{
public:
    TPseudoTerminal();
    ~TPseudoTerminal();
    TPseudoTerminal(const TPseudoTerminal &) = delete;
    TPseudoTerminal &operator=(const TPseudoTerminal &) = delete;

    bool open();
    void close();
    void releaseSlave();
    bool isOpen() const { return m_master >= 0; }

    QString slavePath() const { return m_slavePath; }
    int masterFd() const { return m_master; }

    // Puts the line back into raw mode; a client may leave it cooked when it
    // closes its port.
    bool makeRaw();

    // Writes every byte, waiting at most timeoutMs for room.
    bool write(const QByteArray &data, int timeoutMs = 1000);
    // Waits at most timeoutMs for a first byte, then returns what is there
    // (empty on silence, on error and when the client side is gone).
    QByteArray read(int timeoutMs, qint64 maxBytes = 65536);
    // Collects bytes until count have arrived or timeoutMs has passed.
    QByteArray readExactly(qsizetype count, int timeoutMs);

    // The reason of the last failure.
    QString errorString() const { return m_errorString; }

private:
    bool fail(const char *what);

    int m_master = -1;
    int m_slave = -1;
    QString m_slavePath;
    QString m_errorString;
};
