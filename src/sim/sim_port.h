#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class TPseudoTerminal;

// One port of the simulated printer: the master side of a pseudo-terminal
// that a client opens as its serial port, or a real serial device. The fd is
// non-blocking and raw. A pseudo-terminal whose client has closed reports a
// hang-up until a client opens it again; the port then counts as having no
// client, and CheckClient() tells when one is back.
class TSimPort
{
public:
    TSimPort();
    ~TSimPort();
    TSimPort(const TSimPort &) = delete;
    TSimPort &operator=(const TSimPort &) = delete;

    bool OpenPseudoTerminal(QString &error);
    bool OpenDevice(const QString &path, int baudRate, QString &error);

    // What a client opens: the pseudo-terminal's slave or the device.
    QString Path() const { return m_path; }
    // A symbolic link at link that follows the pseudo-terminal across
    // unplugging, as a new one never gets the old /dev/pts name back. An
    // existing link there is replaced; any other file is refused.
    bool SetLink(const QString &link, QString &error);
    QString Link() const { return m_link; }

    // Only a pseudo-terminal can be pulled out and put back.
    bool CanUnplug() const { return m_pty != nullptr; }
    bool IsUnplugged() const { return m_fd < 0; }
    // The link goes, then the pseudo-terminal: its client reads a hang-up,
    // as from a pulled adapter.
    void Unplug();
    // A new pseudo-terminal, with the link pointing at it.
    bool Replug(QString &error);
    int Fd() const { return m_fd; }
    bool HasClient() const { return m_hasClient; }

    enum TReadResult { Data, NoData, ClientGone };
    TReadResult Read(QByteArray &bytes);
    // Writes every byte, waiting at most timeoutMs for room.
    bool Write(const QByteArray &bytes, int timeoutMs = 2000);

    // The client went away: the line is put back to raw mode, which a
    // closing client may have undone.
    void DropClient();
    // Without a client: looks (without waiting) whether one has come.
    bool CheckClient();

private:
    std::unique_ptr<TPseudoTerminal> m_pty;
    int m_deviceFd = -1;
    int m_fd = -1;
    QString m_path;
    QString m_link;
    bool m_hasClient = false;
};
