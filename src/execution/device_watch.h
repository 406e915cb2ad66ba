#pragma once

#include "execution/run_command.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>

// Watches the devices of the two ports through the system's notifications
// on their folders (inotify), so nothing runs while every device is there.
// The device of an open port is reported Gone when its path disappears or,
// for a link, points at another device. Once a port's device is gone, it is
// reported Back when its path is there again or, for a USB adapter, when a
// port with the same serial number appears under another name. While a
// device is gone a slow timer looks as well, for what no notification
// announces (a folder that does not exist yet, a node that is there before
// it can be opened).
class TDeviceWatch : public QObject
{
    Q_OBJECT

public:
    static constexpr int RetryMs = 1000;

    explicit TDeviceWatch(QObject *parent = nullptr);

    // The device of a port just opened; its serial number is read now,
    // while it is there.
    void WatchPresent(TCommandPort port, const QString &path);
    // The port's device is gone: Back once it returns. Stays so until
    // WatchPresent, so a return that cannot be opened yet is reported again.
    void WatchReturn(TCommandPort port);
    void Forget(TCommandPort port);

    bool IsWatched(TCommandPort port) const { return !m_watched[port].Path.isEmpty(); }
    bool IsGone(TCommandPort port) const { return m_watched[port].Gone; }
    QString Path(TCommandPort port) const { return m_watched[port].Path; }
    QString SerialNumber(TCommandPort port) const { return m_watched[port].SerialNumber; }

    // Tests shorten or lengthen the look while a device is gone.
    void SetRetryInterval(int ms) { m_retry.setInterval(ms); }
    // Looks at every watched device now.
    void Check();

    // The serial number of the USB adapter at path, from the system's list
    // of serial ports; empty for a device without one.
    static QString SerialNumberOf(const QString &path);
    // The path of the port with this serial number; empty when none has it.
    static QString PathOfSerialNumber(const QString &serialNumber);

signals:
    void Gone(TCommandPort port);
    // path: where the device is now, the old path or its new name.
    void Back(TCommandPort port, const QString &path);

private:
    struct TWatched
    {
        QString Path;
        QString Target;         // the device the path led to when opened
        QString SerialNumber;
        bool Gone = false;
    };

    void UpdateFolders();
    static QString TargetOf(const QString &path);

    std::array<TWatched, 2> m_watched;
    QFileSystemWatcher m_folders;
    QTimer m_retry;
};
