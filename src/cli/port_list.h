#pragma once

#include "comm/serial_devices.h"

#include <QJsonObject>
#include <QString>

// What `tessaly-cli ports` prints about the serial devices: one block per
// device as text (its label, then its by-id link indented), or one JSON
// object with a "ports" array.
class TPortList
{
public:
    static QString Text(const QList<TSerialDevices::TDevice> &devices);
    static QJsonObject Json(const QList<TSerialDevices::TDevice> &devices);
};
