#pragma once

#include "comm/fp_aux_control.h"
#include "comm/fp_host_control.h"
#include "execution/comm_log_formatter.h"
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

    // Reset serial ports: both components are purged, then the pending
    // command is forgotten through the attached runner, so a command this
    // cuts short ends without an error box.
    void Reset();
    // The runner of the command on display; it may go before the ports.
    void AttachRunner(TCommandRunner *runner);

    // Status panels: the host port with its line settings; the fiscal port
    // likewise while it is enabled and open, otherwise "Disabled".
    QString HostPanelText(const TPortSettings &settings) const;
    QString FiscalPanelText(const TPortSettings &settings) const;

signals:
    // A line of the communication log for every event of either port but
    // an exchange that failed, in the order the events came.
    void LogLine(const QString &line);
    void ExchangeFailed(TCommandPort port, TCommLogFormatter::TFailure failure, const QString &detail);

private:
    void ConnectLogLines();

    TFPHostControl m_host;
    TFPAuxControl m_aux;
    QPointer<TCommandRunner> m_runner;
};
