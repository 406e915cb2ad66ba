#include "execution/device_watch.h"

#include "comm/serial_devices.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <utility>

TDeviceWatch::TDeviceWatch(QObject *parent)
    : QObject(parent)
{
    m_retry.setInterval(RetryMs);
    connect(&m_folders, &QFileSystemWatcher::directoryChanged, this, &TDeviceWatch::Check);
    connect(&m_retry, &QTimer::timeout, this, &TDeviceWatch::Check);
}

void TDeviceWatch::WatchPresent(TCommandPort port, const QString &path)
{
    m_watched[port] = {path, TargetOf(path), SerialNumberOf(path), false};
    UpdateFolders();
}

void TDeviceWatch::WatchReturn(TCommandPort port)
{
    if (!IsWatched(port))
        return;
    m_watched[port].Gone = true;
    UpdateFolders();
    // A link already pointing at a new device is back at once.
    QTimer::singleShot(0, this, &TDeviceWatch::Check);
}

void TDeviceWatch::Forget(TCommandPort port)
{
    m_watched[port] = {};
    UpdateFolders();
}

QString TDeviceWatch::TargetOf(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

void TDeviceWatch::UpdateFolders()
{
    QSet<QString> wanted;
    bool anyGone = false;
    for (const TWatched &watched : m_watched) {
        if (watched.Path.isEmpty())
            continue;
        wanted.insert(QFileInfo(watched.Path).absolutePath());
        // A USB adapter that comes back under another name shows there.
        if (watched.Gone && !watched.SerialNumber.isEmpty())
            wanted.insert(TSerialDevices::ByIdFolder);
        anyGone = anyGone || watched.Gone;
    }
    const QStringList current = m_folders.directories();
    for (const QString &folder : current) {
        if (!wanted.contains(folder))
            m_folders.removePath(folder);
    }
    for (const QString &folder : std::as_const(wanted)) {
        if (!current.contains(folder) && QFileInfo(folder).isDir())
            m_folders.addPath(folder);
    }
    if (anyGone && !m_retry.isActive())
        m_retry.start();
    else if (!anyGone)
        m_retry.stop();
}

void TDeviceWatch::Check()
{
    // Reported after the look, as a listener reopens or forgets ports.
    QList<TCommandPort> gone;
    QList<std::pair<TCommandPort, QString>> back;
    for (TCommandPort port : {cpHostPort, cpFiscalPort}) {
        TWatched &watched = m_watched[port];
        if (watched.Path.isEmpty())
            continue;
        const QString target = TargetOf(watched.Path);
        if (!watched.Gone) {
            if (target.isEmpty() || target != watched.Target)
                gone.append(port);
            continue;
        }
        if (!target.isEmpty())
            back.append({port, watched.Path});
        else if (const QString moved = PathOfSerialNumber(watched.SerialNumber); !moved.isEmpty())
            back.append({port, moved});
    }
    // A folder that was missing may exist now.
    UpdateFolders();
    for (TCommandPort port : gone)
        emit Gone(port);
    for (const auto &[port, path] : back) {
        if (m_watched[port].Gone)
            emit Back(port, path);
    }
}

QString TDeviceWatch::SerialNumberOf(const QString &path)
{
    const QString target = TargetOf(path);
    if (target.isEmpty())
        return {};
    for (const TSerialDevices::TDevice &device : TSerialDevices::Available()) {
        if (TargetOf(device.SystemPath) == target)
            return device.SerialNumber;
    }
    return {};
}

QString TDeviceWatch::PathOfSerialNumber(const QString &serialNumber)
{
    if (serialNumber.isEmpty())
        return {};
    for (const TSerialDevices::TDevice &device : TSerialDevices::Available()) {
        if (device.SerialNumber == serialNumber)
            return device.SystemPath;
    }
    return {};
}
