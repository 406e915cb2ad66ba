#include "execution/ports.h"

#include "execution/command_runner.h"
#include "execution/port_settings.h"

#include <type_traits>

TPorts::TPorts(QObject *parent)
    : QObject(parent)
{
    m_host.setObjectName(QStringLiteral("QuveroFPHostControl1"));
    m_aux.setObjectName(QStringLiteral("FPAuxControl1"));
    ConnectLogLines();
}

TPorts::~TPorts()
{
    // The components close their ports as they go; nobody listens then.
    disconnect(&m_host, nullptr, this, nullptr);
    disconnect(&m_aux, nullptr, this, nullptr);
}

bool TPorts::IsOpen(TCommandPort port) const
{
    return port == cpHostPort ? m_host.State() != EFP_S_Close : m_aux.State() != FEFP_S_Close;
}

TPortError TPorts::LastError(TCommandPort port) const
{
    return port == cpHostPort ? m_host.LastError() : m_aux.LastError();
}

bool TPorts::Open(TCommandPort port, const TPortSettings &settings)
{
    Close(port);
    settings.Apply(m_host, m_aux);
    return port == cpHostPort ? m_host.OpenPort() : m_aux.OpenPort();
}

void TPorts::Close(TCommandPort port)
{
    if (!IsOpen(port))
        return;
    if (port == cpHostPort)
        m_host.ClosePort();
    else
        m_aux.ClosePort();
}

void TPorts::AttachRunner(TCommandRunner *runner)
{
    m_runner = runner;
}

void TPorts::Reset()
{
    if (m_runner) {
        m_runner->PurgePorts();
        m_runner->ResetPendingCommand();
        return;
    }
    m_host.Purge();
    m_aux.Purge();
}

QString TPorts::HostPanelText(const TPortSettings &settings) const
{
    return settings.HostPortText();
}

QString TPorts::FiscalPanelText(const TPortSettings &settings) const
{
    return settings.fiscalEnabled && IsOpen(cpFiscalPort) ? settings.FiscalPortText() : tr("Disabled");
}

void TPorts::ConnectLogLines()
{
    connect(&m_host, &TFPHostControl::OnOpen, this, [this] {
        emit LogLine(TCommLogFormatter::HostOpenText(m_host.CommPort(), m_host.BaudRate(), m_host.DeviceName()));
    });
    connect(&m_aux, &TFPAuxControl::OnOpen, this, [this] {
        emit LogLine(TCommLogFormatter::FiscalOpenText(m_aux.CommPort(), m_aux.DeviceName()));
    });
    connect(&m_host, &TFPHostControl::OnWrite, this,
            [this](const QByteArray &frame) { emit LogLine(TCommLogFormatter::HostWritten(frame)); });
    connect(&m_aux, &TFPAuxControl::OnWrite, this,
            [this](const QByteArray &frame) { emit LogLine(TCommLogFormatter::FiscalWritten(frame)); });
    connect(&m_host, &TFPHostControl::OnIntermediateAnswer, this,
            [this] { emit LogLine(TCommLogFormatter::IntermediateReceived()); });
    const auto common = [this](auto *component, TCommandPort port) {
        using TComponent = std::remove_pointer_t<decltype(component)>;
        connect(component, &TComponent::OnClose, this, [this] { emit LogLine(TCommLogFormatter::ClosePort); });
        connect(component, &TComponent::OnRead, this,
                [this](const QByteArray &frame) { emit LogLine(TCommLogFormatter::PrinterRead(frame)); });
        connect(component, &TComponent::OnAck, this, [this] { emit LogLine(TCommLogFormatter::AckReceived()); });
        connect(component, &TComponent::OnNack, this, [this] { emit LogLine(TCommLogFormatter::NakReceived()); });
        connect(component, &TComponent::OnError, this, [this, port](TPortError error, const TLineFailure &line) {
            emit ExchangeFailed(port, TCommLogFormatter::FailureOf(error, line), line.Text);
        });
    };
    common(&m_host, cpHostPort);
    common(&m_aux, cpFiscalPort);
}
