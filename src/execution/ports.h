#pragma once

#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/comm_log_formatter.h"
#include "execution/device_watch.h"
#include "execution/run_command.h"

#include <QObject>
#include <QPointer>
#include <QString>

class TCommandRunner;
struct TPortSettings;

// The two serial ports of a run: owns the host and fiscal components, opens
// them with TPortSettings, closes and resets them and words their status
// panels, without asking anything: a port that cannot be opened is a false
// result and LastError(), and the caller says so in its own way.
//
// A port whose device goes away (a USB adapter pulled out) is closed: the
// command in progress has already ended with the line's failure. Its
// component keeps its settings, and when the device comes back (the same
// path, or a USB adapter with the same serial number under another name)
// the port is opened again with them.
class TPorts : public QObject
{
    Q_OBJECT

public:
    explicit TPorts(QObject *parent = nullptr);
    ~TPorts() override;

    TFPHostControl &Host() { return m_host; }
    TFPAuxControl &Aux() { return m_aux; }
    bool IsOpen(TCommandPort port) const;
    TPortError LastError(TCommandPort port) const;

    // Closes the port if it is open, applies the settings and opens it.
    bool Open(TCommandPort port, const TPortSettings &settings);
    void Close(TCommandPort port);
    // The port's device went away and has not come back yet.
    bool IsGone(TCommandPort port) const { return m_devices.IsGone(port); }
    // Where the port's device is: its path, or its new name after coming back.
    QString DevicePath(TCommandPort port) const { return m_devices.Path(port); }
    TDeviceWatch &Devices() { return m_devices; }

    // Reset serial ports: both components are purged, then the pending
    // command is forgotten through the attached runner, so a command this
    // cuts short ends without an error box.
    void Reset();
    // The runner of the command on display; it may go before the ports.
    void AttachRunner(TCommandRunner *runner);

    // Status panels: the host port with its line settings; the fiscal port
    // likewise while it is enabled and open, otherwise "Disabled"; a port
    // whose device is gone says so. A device that came back under another
    // name is shown by that name.
    QString HostPanelText(const TPortSettings &settings) const;
    QString FiscalPanelText(const TPortSettings &settings) const;

signals:
    // A line of the communication log for every event of either port but
    // an exchange that failed, in the order the events came.
    void LogLine(const QString &line);
    void ExchangeFailed(TCommandPort port, TCommLogFormatter::TFailure failure, const QString &detail);
    // The port was closed because its device went away; it is opened
    // again by itself when the device is back.
    void PortGone(TCommandPort port, const QString &path);
    // The device is back and the port open again, at path.
    void PortBack(TCommandPort port, const QString &path);

private:
    void ConnectLogLines();
    void DeviceLost(TCommandPort port);
    void DeviceBack(TCommandPort port, const QString &path);
    bool IsBusy(TCommandPort port) const;
    void CloseComponent(TCommandPort port);
    QString ComponentPath(TCommandPort port) const;

    TFPHostControl m_host;
    TFPAuxControl m_aux;
    QPointer<TCommandRunner> m_runner;
    TDeviceWatch m_devices;
    // The name a device came back under, when it is not the one opened.
    QString m_movedTo[2];
};
