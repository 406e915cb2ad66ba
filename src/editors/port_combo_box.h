#pragma once

#include "comm/serial_devices.h"

#include <QComboBox>

#include <functional>

// A port list: Com1..Com4 (the settings' COM index), then every serial
// device the system has, by its label, then a path the settings hold that
// no device answers to. A path can be typed as well (a pseudo-terminal, a
// device the system does not list). The devices are read again each time
// the list drops down, so an adapter plugged in meanwhile shows up.
class TPortComboBox : public QComboBox
{
    Q_OBJECT

public:
    using TSource = std::function<QList<TSerialDevices::TDevice>()>;

    // Shown as the first four items; stored as the index 0..3.
    static const QStringList ComPorts;

    // source gives the devices (none when it is empty); the tooltip shows
    // hint and the chosen device's details.
    TPortComboBox(TSource source, const QString &hint, QWidget *parent = nullptr);

    // Shows the settings' choice: the device path when there is one, else
    // the COM index.
    void Select(int comIndex, const QString &device);
    // What to store: a COM item gives its index and no device; a device
    // gives its by-id path when it has one, else its system path; a typed
    // path is kept as typed. An emptied text keeps the COM index.
    void Read(quint8 &comIndex, QString &device) const;

    // Reads the devices again, keeping what is chosen or typed.
    void Refresh();

    void showPopup() override;

private:
    void Fill(const QList<TSerialDevices::TDevice> &devices);
    int DeviceItem(const QString &path) const;
    int AddPath(const QString &path);
    void ShowDetails();

    TSource m_source;
    QString m_hint;
    // Paths the list was asked to show that no device answered to.
    QStringList m_otherPaths;
};
