#pragma once

#include "execution/ports.h"

#include <QObject>
#include <QString>

class QWidget;
class TCommandRunner;
class TFormChildLogWindow;
class TMainActions;
class TPortEventLog;
class TPrompts;
struct TPortSettings;
struct TSettings;

// The main window's side of the two ports: opens them at start, after the
// preferences and by the fiscal-port button, says in an error box when one
// cannot be opened, keeps the run-time flags of the settings, the fiscal
// button and the texts of the port panels, and hands the ports' events to
// the log window of the open file. A port whose device goes away and comes
// back is followed by the flags, the button and the panels.
class TMainPorts : public QObject
{
    Q_OBJECT

public:
    TMainPorts(TSettings &settings, TPrompts &prompts, TMainActions &actions, QWidget *owner);
    ~TMainPorts() override;

    TPorts &Ports() { return m_ports; }
    TPortEventLog &EventLog() { return *m_eventLog; }
    // The port settings as the settings record gives them now.
    TPortSettings PortSettings() const;

    // The host port, then the fiscal port when it is enabled; the panels.
    void OpenAtStart();
    bool OpenHostPort();
    bool OpenFiscalPort();
    void CloseFiscalPort();
    // After the fiscal-port button was toggled: pressed turns the port off.
    void ToggleFiscalPort();
    // Reset serial ports, through the runner of the open file's page.
    void ResetPorts();
    // The terminal file just opened (both null once it is closed).
    void AttachFile(TCommandRunner *runner, TFormChildLogWindow *log);
    // Asks for PanelTexts with the settings as they are now.
    void UpdatePanels();

signals:
    // Status panel 1.
    void StatusText(const QString &text);
    // Status panels 2 and 3.
    void PanelTexts(const QString &hostPort, const QString &fiscalPort);

private:
    // A port's device went away (its port is closed) or came back (open again).
    void DeviceChanged(TCommandPort port, bool back);

    TSettings &m_settings;
    TPrompts &m_prompts;
    TMainActions &m_actions;
    QWidget *m_owner;
    TPorts m_ports;
    TPortEventLog *m_eventLog;
};
