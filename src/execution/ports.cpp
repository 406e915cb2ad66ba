#include "execution/ports.h"

#include "comm/serial_devices.h"
#include "execution/command_runner.h"
#include "execution/port_settings.h"

#include <type_traits>

TPorts::TPorts(QObject *parent)
    : QObject(parent)
{
    m_host.setObjectName(QStringLiteral("QuveroFPHostControl1"));
    m_aux.setObjectName(QStringLiteral("FPAuxControl1"));
    ConnectLogLines();
    connect(&m_devices, &TDeviceWatch::Gone, this, &TPorts::DeviceLost);
    connect(&m_devices, &TDeviceWatch::Back, this, &TPorts::DeviceBack);
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
    const QString awaited = IsGone(port) ? m_devices.Path(port) : QString();
    m_movedTo[port].clear();
    CloseComponent(port);
    settings.Apply(m_host, m_aux);
    if (port == cpHostPort ? m_host.OpenPort() : m_aux.OpenPort()) {
        m_devices.WatchPresent(port, ComponentPath(port));
        return true;
    }
    // Asked for again while its device is away (the fiscal button, the
    // preferences): it is awaited still, and opens by itself on return.
    if (awaited.isEmpty() || ComponentPath(port) != awaited)
        m_devices.Forget(port);
    return false;
}

void TPorts::Close(TCommandPort port)
{
    m_devices.Forget(port);
    m_movedTo[port].clear();
    CloseComponent(port);
}

void TPorts::CloseComponent(TCommandPort port)
{
    if (!IsOpen(port))
        return;
    if (port == cpHostPort)
        m_host.ClosePort();
    else
        m_aux.ClosePort();
}

bool TPorts::IsBusy(TCommandPort port) const
{
    return port == cpHostPort ? m_host.State() == EFP_S_Busy : m_aux.State() == FEFP_S_Busy;
}

QString TPorts::ComponentPath(TCommandPort port) const
{
    return TSerialDevices::SystemPathOf(port == cpHostPort ? m_host.PortName() : m_aux.PortName());
}

void TPorts::DeviceLost(TCommandPort port)
{
    // A command under way ends by its line's own failure, which comes back
    // here; closing under it would leave its runner waiting.
    if (!IsOpen(port) || IsGone(port) || IsBusy(port) || !m_devices.IsWatched(port))
        return;
    const QString path = m_devices.Path(port);
    CloseComponent(port);
    m_devices.WatchReturn(port);
    emit LogLine(TCommLogFormatter::DeviceGone(path));
    emit PortGone(port, path);
}

void TPorts::DeviceBack(TCommandPort port, const QString &path)
{
    if (!IsGone(port) || IsOpen(port))
        return;
    // The component kept every value it was opened with, and those it was
    // given since (the terminal file's protocol); only a new name changes.
    const bool moved = path != m_devices.Path(port);
    if (moved && port == cpHostPort)
        m_host.SetDeviceName(path);
    else if (moved)
        m_aux.SetDeviceName(path);
    // Not openable yet: the watch reports it again.
    if (!(port == cpHostPort ? m_host.OpenPort() : m_aux.OpenPort()))
        return;
    if (moved)
        m_movedTo[port] = path;
    m_devices.WatchPresent(port, path);
    emit LogLine(TCommLogFormatter::DeviceBack(path));
    emit PortBack(port, path);
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
    if (IsGone(cpHostPort))
        return tr("%1: device gone").arg(m_devices.Path(cpHostPort));
    TPortSettings shown = settings;
    if (!m_movedTo[cpHostPort].isEmpty())
        shown.hostDevice = m_movedTo[cpHostPort];
    return shown.HostPortText();
}

QString TPorts::FiscalPanelText(const TPortSettings &settings) const
{
    if (settings.fiscalEnabled && IsGone(cpFiscalPort))
        return tr("%1: device gone").arg(m_devices.Path(cpFiscalPort));
    TPortSettings shown = settings;
    if (!m_movedTo[cpFiscalPort].isEmpty())
        shown.fiscalDevice = m_movedTo[cpFiscalPort];
    return settings.fiscalEnabled && IsOpen(cpFiscalPort) ? shown.FiscalPortText() : tr("Disabled");
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
            // After every listener has heard the error: the port closes then.
            if (line.Lost)
                QMetaObject::invokeMethod(this, [this, port] { DeviceLost(port); }, Qt::QueuedConnection);
        });
    };
    common(&m_host, cpHostPort);
    common(&m_aux, cpFiscalPort);
}
