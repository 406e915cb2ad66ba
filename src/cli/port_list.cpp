#include "cli/port_list.h"

#include <QCoreApplication>
#include <QJsonArray>

namespace {

// Unknown values are null in the JSON, so a reader tells them from empty texts.
QJsonValue Known(const QString &text)
{
    return text.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(text);
}

QJsonValue Known(const std::optional<quint16> &id)
{
    return id ? QJsonValue(QStringLiteral("%1").arg(*id, 4, 16, QLatin1Char('0'))) : QJsonValue(QJsonValue::Null);
}

} // namespace

QString TPortList::Text(const QList<TSerialDevices::TDevice> &devices)
{
    if (devices.isEmpty())
        return QCoreApplication::translate("TPortList", "No serial devices found; a device path can still be given with --port.")
            + QLatin1Char('\n');
    QString text;
    for (const TSerialDevices::TDevice &device : devices) {
        text += device.Label() + QLatin1Char('\n');
        if (!device.ById.isEmpty())
            text += QStringLiteral("    ") + device.ById + QLatin1Char('\n');
    }
    return text;
}

QJsonObject TPortList::Json(const QList<TSerialDevices::TDevice> &devices)
{
    QJsonArray ports;
    for (const TSerialDevices::TDevice &device : devices) {
        ports.append(QJsonObject{{QStringLiteral("path"), device.SystemPath},
                                 {QStringLiteral("byId"), Known(device.ById)},
                                 {QStringLiteral("description"), Known(device.Description)},
                                 {QStringLiteral("manufacturer"), Known(device.Manufacturer)},
                                 {QStringLiteral("serialNumber"), Known(device.SerialNumber)},
                                 {QStringLiteral("vendorId"), Known(device.VendorId)},
                                 {QStringLiteral("productId"), Known(device.ProductId)}});
    }
    return QJsonObject{{QStringLiteral("ports"), ports}};
}
