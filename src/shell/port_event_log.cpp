#include "shell/port_event_log.h"

#include "execution/comm_log_formatter.h"
#include "execution/ports.h"
#include "shell/form_child_log_window.h"

TPortEventLog::TPortEventLog(TPorts &ports, QObject *parent)
    : QObject(parent), m_ports(ports)
{
    ConnectHost();
    ConnectAux();
    const auto device = [this](TCommandPort port, const QString &line) {
        Post([port, line](TFormChildLogWindow *log) { log->DeviceChanged(port == cpFiscalPort, line); });
    };
    connect(&m_ports, &TPorts::PortGone, this, [device](TCommandPort port, const QString &path) {
        device(port, TCommLogFormatter::DeviceGone(path));
    });
    connect(&m_ports, &TPorts::PortBack, this, [device](TCommandPort port, const QString &path) {
        device(port, TCommLogFormatter::DeviceBack(path));
    });
}

void TPortEventLog::Attach(TFormChildLogWindow *log)
{
    m_log = log;
}

void TPortEventLog::SettingsChanged()
{
    Post([](TFormChildLogWindow *log) { log->SettingsChanged(); });
}

// Queued, so the log window handles the event after the component has
// raised it; the log window that goes takes its calls with it.
template <typename Call>
void TPortEventLog::Post(Call call)
{
    if (!m_log)
        return;
    TFormChildLogWindow *log = m_log;
    QMetaObject::invokeMethod(log, [log, call] { call(log); }, Qt::QueuedConnection);
}

void TPortEventLog::PostElapsed(qint64 elapsedUs)
{
    if (elapsedUs >= 0)
        Post([elapsedUs](TFormChildLogWindow *log) { log->ExchangeTimed(elapsedUs); });
}

void TPortEventLog::ConnectHost()
{
    TFPHostControl *host = &m_ports.Host();
    connect(host, &TFPHostControl::OnOpen, this, [this, host] {
        const QString text = TCommLogFormatter::HostOpenText(host->CommPort(), host->BaudRate(), host->DeviceName());
        Post([text](TFormChildLogWindow *log) { log->HostOpened(text); });
    });
    connect(host, &TFPHostControl::OnClose, this, [this] { Post([](TFormChildLogWindow *log) { log->HostClosed(); }); });
    connect(host, &TFPHostControl::OnWrite, this, [this](const QByteArray &frame) {
        if (!m_log)
            return;
        m_lastWrittenFrame = frame;
        Post([frame](TFormChildLogWindow *log) { log->HostWritten(frame); });
    });
    connect(host, &TFPHostControl::OnRead, this, [this](const QByteArray &frame) {
        if (!m_log)
            return;
        m_lastReadFrame = frame;
        Post([frame](TFormChildLogWindow *log) { log->PrinterRead(frame); });
    });
    connect(host, &TFPHostControl::OnAck, this, [this] { Post([](TFormChildLogWindow *log) { log->AckReceived(); }); });
    connect(host, &TFPHostControl::OnNack, this, [this] { Post([](TFormChildLogWindow *log) { log->NakReceived(); }); });
    connect(host, &TFPHostControl::OnIntermediateAnswer, this,
            [this] { Post([](TFormChildLogWindow *log) { log->IntermediateAnswerReceived(); }); });
    connect(host, &TFPHostControl::OnFinalAnswer, this, [this](const THostAnswer &answer) { PostElapsed(answer.ElapsedUs); });
    connect(host, &TFPHostControl::OnError, this, [this](TPortError error, const TLineFailure &line) {
        const QString failure = TCommLogFormatter::FailureText(cpHostPort, error, line);
        Post([failure](TFormChildLogWindow *log) { log->ExchangeFailed(failure); });
    });
}

void TPortEventLog::ConnectAux()
{
    TFPAuxControl *aux = &m_ports.Aux();
    connect(aux, &TFPAuxControl::OnOpen, this, [this, aux] {
        const QString text = TCommLogFormatter::FiscalOpenText(aux->CommPort(), aux->DeviceName());
        Post([text](TFormChildLogWindow *log) { log->FiscalOpened(text); });
    });
    connect(aux, &TFPAuxControl::OnClose, this, [this] { Post([](TFormChildLogWindow *log) { log->FiscalClosed(); }); });
    connect(aux, &TFPAuxControl::OnWrite, this, [this](const QByteArray &frame) {
        if (!m_log)
            return;
        m_lastWrittenFrame = frame;
        Post([frame](TFormChildLogWindow *log) { log->FiscalWritten(frame); });
    });
    connect(aux, &TFPAuxControl::OnRead, this, [this](const QByteArray &frame) {
        if (!m_log)
            return;
        m_lastReadFrame = frame;
        Post([frame](TFormChildLogWindow *log) { log->PrinterRead(frame); });
    });
    connect(aux, &TFPAuxControl::OnAck, this, [this](qint64 elapsedUs) {
        Post([](TFormChildLogWindow *log) { log->AckReceived(); });
        PostElapsed(elapsedUs);
    });
    connect(aux, &TFPAuxControl::OnAnswer, this, [this](const QByteArray &, bool isFinal, qint64 elapsedUs) {
        if (isFinal)
            PostElapsed(elapsedUs);
    });
    connect(aux, &TFPAuxControl::OnNack, this, [this] { Post([](TFormChildLogWindow *log) { log->NakReceived(); }); });
    connect(aux, &TFPAuxControl::OnError, this, [this](TPortError error, const TLineFailure &line) {
        const QString failure = TCommLogFormatter::FailureText(cpFiscalPort, error, line);
        Post([failure](TFormChildLogWindow *log) { log->ExchangeFailed(failure); });
    });
}
