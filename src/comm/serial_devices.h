#pragma once

#include <QList>
#include <QMap>
#include <QString>

#include <optional>

class QSerialPortInfo;

// The serial devices the system has, each with what identifies it to a
// person (description, manufacturer, serial number) and, when udev made one,
// its link in /dev/serial/by-id: that name stays the same when an adapter is
// plugged into another socket or after the other adapters, where the ttyUSBn
// name does not. Building the list from plain inputs is separate from asking
// the system, so it can be checked without devices.
class TSerialDevices
{
public:
    struct TDevice
    {
        QString SystemPath;    // /dev/ttyUSB0
        QString ById;          // /dev/serial/by-id/usb-...; empty when no link names it
        QString Description;
        QString Manufacturer;
        QString SerialNumber;
        std::optional<quint16> VendorId;
        std::optional<quint16> ProductId;

        // The path to keep in the settings: the stable link when there is one.
        QString PreferredPath() const { return ById.isEmpty() ? SystemPath : ById; }
        // One line for a list: "/dev/ttyUSB0 — FT232R USB UART (FTDI, serial A50285BI)".
        QString Label() const;
        // Everything known, one item a line, for a tooltip.
        QString Details() const;
        // Whether path names this device, by its system path, its short
        // name ("ttyUSB0", as QSerialPort takes it) or its by-id link.
        bool IsNamedBy(const QString &path) const;
    };

    static const QString ByIdFolder;

    // The devices the system reports now, sorted by system path.
    static QList<TDevice> Available(const QString &byIdFolder = ByIdFolder);

    // The links of a by-id folder: link path -> the device path it resolves
    // to. Dangling links are left out; a missing folder gives none.
    static QMap<QString, QString> ScanLinks(const QString &folder);

    // The devices of ports (system path and what the driver says) with the
    // by-id link that resolves to each (the first by name when several do),
    // sorted by system path with numbers in numeric order.
    static QList<TDevice> Build(QList<TDevice> ports, const QMap<QString, QString> &links);

    static TDevice FromInfo(const QSerialPortInfo &info);

    // A device name as the line opens it: a name without a folder is in /dev.
    static QString SystemPathOf(const QString &name);
};
