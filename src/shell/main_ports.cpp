#include "shell/main_ports.h"

#include "execution/execution_texts.h"
#include "execution/port_settings.h"
#include "shell/main_actions.h"
#include "shell/port_event_log.h"
#include "terminal_model/settings.h"
#include "widgets/prompts.h"

#include <QAction>
#include <QWidget>

namespace {

const char *const ErrorCaption = QT_TRANSLATE_NOOP("TMainPorts", "Error");
const char *const HostPortError = QT_TRANSLATE_NOOP("TMainPorts", "Error when trying to open the Host port");
const char *const FiscalPortError = QT_TRANSLATE_NOOP("TMainPorts", "Error when trying to open the Fiscal port");

}

TMainPorts::TMainPorts(TSettings &settings, TPrompts &prompts, TMainActions &actions, QWidget *owner)
    : QObject(owner), m_settings(settings), m_prompts(prompts), m_actions(actions), m_owner(owner),
      m_eventLog(new TPortEventLog(m_ports, this))
{
    connect(&m_ports, &TPorts::PortGone, this, [this](TCommandPort port) { DeviceChanged(port, false); });
    connect(&m_ports, &TPorts::PortBack, this, [this](TCommandPort port) { DeviceChanged(port, true); });
}

TMainPorts::~TMainPorts()
{
    // The components close their ports as they go; nothing is logged then.
    delete m_eventLog;
}

TPortSettings TMainPorts::PortSettings() const
{
    return TPortSettings::FromSettings(m_settings);
}

void TMainPorts::OpenAtStart()
{
    OpenHostPort();
    if (m_settings.DGIEnabled) {
        m_actions.ShowFiscalButton(OpenFiscalPort());
    } else {
        CloseFiscalPort();
        m_actions.ShowFiscalButton(false);
    }
    UpdatePanels();
}

bool TMainPorts::OpenHostPort()
{
    m_settings.HostPortOpen = m_ports.Open(cpHostPort, PortSettings());
    if (!m_settings.HostPortOpen)
        m_prompts.Error(m_owner, tr(ErrorCaption), tr(HostPortError));
    emit StatusText(m_settings.HostPortOpen ? ExecutionTexts::Ready : ExecutionTexts::Error);
    return m_settings.HostPortOpen;
}

bool TMainPorts::OpenFiscalPort()
{
    m_settings.FiscalPortOpen = m_ports.Open(cpFiscalPort, PortSettings());
    if (!m_settings.FiscalPortOpen)
        m_prompts.Error(m_owner, tr(ErrorCaption), tr(FiscalPortError));
    emit StatusText(m_settings.FiscalPortOpen ? ExecutionTexts::Ready : ExecutionTexts::Error);
    return m_settings.FiscalPortOpen;
}

void TMainPorts::CloseFiscalPort()
{
    m_ports.Close(cpFiscalPort);
    m_settings.FiscalPortOpen = false;
}

void TMainPorts::ToggleFiscalPort()
{
    if (m_actions.FiscalPortAction()->isChecked()) {
        m_settings.DGIEnabled = false;
        m_actions.ShowFiscalButton(false);
        CloseFiscalPort();
        UpdatePanels();
        return;
    }
    m_settings.DGIEnabled = true;
    if (!OpenFiscalPort()) {
        // The port stays wanted, so the next start tries again.
        m_actions.FiscalPortAction()->setChecked(true);
        return;
    }
    m_actions.ShowFiscalButton(true);
    UpdatePanels();
}

void TMainPorts::ResetPorts()
{
    // Through the page's runner, the commands this cuts short end without
    // an error box: their aborted waits are no time-outs.
    m_ports.Reset();
    emit StatusText(ExecutionTexts::Ready);
}

void TMainPorts::AttachFile(TCommandRunner *runner, TFormChildLogWindow *log)
{
    m_ports.AttachRunner(runner);
    m_eventLog->Attach(log);
}

void TMainPorts::DeviceChanged(TCommandPort port, bool back)
{
    // The port is wanted still: only its run-time flag and the button follow.
    if (port == cpHostPort) {
        m_settings.HostPortOpen = back;
    } else {
        m_settings.FiscalPortOpen = back;
        m_actions.ShowFiscalButton(back);
    }
    UpdatePanels();
}

void TMainPorts::UpdatePanels()
{
    const TPortSettings ports = PortSettings();
    emit PanelTexts(m_ports.HostPanelText(ports), m_ports.FiscalPanelText(ports));
}
