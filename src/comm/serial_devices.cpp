#include "comm/serial_devices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace {

QString Hex(quint16 id)
{
    return QStringLiteral("%1").arg(id, 4, 16, QLatin1Char('0'));
}

// ttyS2 before ttyS10: the trailing number compares as a number.
bool PathBefore(const QString &left, const QString &right)
{
    const auto split = [](const QString &path) {
        qsizetype digits = path.size();
        while (digits > 0 && path.at(digits - 1).isDigit())
            --digits;
        return std::make_pair(path.left(digits), path.mid(digits));
    };
    const auto [leftStem, leftNumber] = split(left);
    const auto [rightStem, rightNumber] = split(right);
    if (leftStem != rightStem)
        return leftStem < rightStem;
    if (leftNumber.size() != rightNumber.size())
        return leftNumber.size() < rightNumber.size();
    return leftNumber < rightNumber;
}

} // namespace

const QString TSerialDevices::ByIdFolder = QStringLiteral("/dev/serial/by-id");

QString TSerialDevices::TDevice::Label() const
{
    QStringList known;
    if (!Manufacturer.isEmpty())
        known.append(Manufacturer);
    if (!SerialNumber.isEmpty())
        known.append(QCoreApplication::translate("TSerialDevices", "serial %1").arg(SerialNumber));
    QString label = SystemPath;
    if (!Description.isEmpty())
        label += QStringLiteral(" \u2014 ") + Description;
    if (!known.isEmpty())
        label += QStringLiteral(" (") + known.join(QStringLiteral(", ")) + QLatin1Char(')');
    return label;
}

QString TSerialDevices::TDevice::Details() const
{
    QStringList lines{SystemPath};
    if (!ById.isEmpty())
        lines.append(ById);
    if (!Description.isEmpty())
        lines.append(QCoreApplication::translate("TSerialDevices", "Description: %1").arg(Description));
    if (!Manufacturer.isEmpty())
        lines.append(QCoreApplication::translate("TSerialDevices", "Manufacturer: %1").arg(Manufacturer));
    if (!SerialNumber.isEmpty())
        lines.append(QCoreApplication::translate("TSerialDevices", "Serial number: %1").arg(SerialNumber));
    if (VendorId || ProductId)
        lines.append(QCoreApplication::translate("TSerialDevices", "USB id: %1:%2")
                         .arg(VendorId ? Hex(*VendorId) : QStringLiteral("?"),
                              ProductId ? Hex(*ProductId) : QStringLiteral("?")));
    return lines.join(QLatin1Char('\n'));
}

bool TSerialDevices::TDevice::IsNamedBy(const QString &path) const
{
    if (path.isEmpty())
        return false;
    return SystemPathOf(path) == SystemPath || (!ById.isEmpty() && path == ById);
}

QString TSerialDevices::SystemPathOf(const QString &name)
{
    return name.contains(QLatin1Char('/')) ? name : QStringLiteral("/dev/") + name;
}

QMap<QString, QString> TSerialDevices::ScanLinks(const QString &folder)
{
    QMap<QString, QString> links;
    const QDir dir(folder);
    for (const QFileInfo &entry : dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        if (!entry.isSymLink())
            continue;
        const QString target = entry.canonicalFilePath();
        if (!target.isEmpty())
            links.insert(entry.absoluteFilePath(), target);
    }
    return links;
}

QList<TSerialDevices::TDevice> TSerialDevices::Build(QList<TDevice> ports, const QMap<QString, QString> &links)
{
    for (TDevice &port : ports) {
        // The map is ordered by link path, so the first match is the first by name.
        for (auto link = links.cbegin(); link != links.cend(); ++link) {
            if (link.value() == port.SystemPath) {
                port.ById = link.key();
                break;
            }
        }
    }
    std::sort(ports.begin(), ports.end(),
              [](const TDevice &left, const TDevice &right) { return PathBefore(left.SystemPath, right.SystemPath); });
    return ports;
}

TSerialDevices::TDevice TSerialDevices::FromInfo(const QSerialPortInfo &info)
{
    TDevice device;
    device.SystemPath = info.systemLocation();
    device.Description = info.description().trimmed();
    device.Manufacturer = info.manufacturer().trimmed();
    device.SerialNumber = info.serialNumber().trimmed();
    if (info.hasVendorIdentifier())
        device.VendorId = info.vendorIdentifier();
    if (info.hasProductIdentifier())
        device.ProductId = info.productIdentifier();
    return device;
}

QList<TSerialDevices::TDevice> TSerialDevices::Available(const QString &byIdFolder)
{
    QList<TDevice> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        ports.append(FromInfo(info));
    return Build(ports, ScanLinks(byIdFolder));
}
