#include "cli/cli_sender.h"

#include "cli/interrupt_watcher.h"
#include "execution/comm_log_formatter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFileInfo>

namespace {

QString PortErrorText(TPortError error)
{
    switch (error) {
    case EFP_E_ComInUse:
        return QStringLiteral("the port is in use or cannot be opened");
    case EFP_E_InvalidCom:
        return QStringLiteral("no such port");
    case EFP_E_BadInitialization:
        return QStringLiteral("the port refused its line settings");
    default:
        return QStringLiteral("error %1").arg(int(error));
    }
}

}

TCliSender::TCliSender(const TSettings &settings, const TOptions &options, QObject *parent)
    : QObject(parent), m_settings(settings), m_options(options)
{
}

int TCliSender::BaudRateIndex(int bitsPerSecond)
{
    static const int rates[] = {1200, 2400, 4800, 9600, 19200, 38400};
    for (int i = 0; i < 6; ++i)
        if (rates[i] == bitsPerSecond)
            return i;
    return -1;
}

bool TCliSender::OpenLog(QString *error)
{
    if (m_options.logFile.isEmpty())
        return true;
    m_log.setFileName(m_options.logFile);
    const bool isNew = !m_log.exists() || m_log.size() == 0;
    if (!m_log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        *error = QStringLiteral("cannot open the log file %1: %2").arg(m_options.logFile, m_log.errorString());
        return false;
    }
    if (isNew) {
        const QString program = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
        for (const QString &line : TCommLogFormatter::HeaderLines(program))
            m_log.write(TCommLogFormatter::FileLine(line));
    }
    m_log.write(TCommLogFormatter::SessionStart(QDateTime::currentDateTime()));
    m_log.flush();
    return true;
}

void TCliSender::Log(const QString &line)
{
    if (m_log.isOpen()) {
        m_log.write(TCommLogFormatter::FileLine(line));
        m_log.flush();
    }
}

void TCliSender::Frame(bool out, TCommandPort port, const QByteArray &bytes)
{
    m_frames.append({out, port, bytes});
}

void TCliSender::ConnectHost()
{
    connect(&m_host, &TFPHostControl::OnOpen, this, [this] {
        Log(TCommLogFormatter::HostOpenText(m_host.CommPort(), m_host.BaudRate(), m_host.DeviceName()));
    });
    connect(&m_host, &TFPHostControl::OnClose, this, [this] { Log(TCommLogFormatter::ClosePort); });
    connect(&m_host, &TFPHostControl::OnWrite, this, [this](const QByteArray &value) {
        Log(TCommLogFormatter::HostWritten(value));
        Frame(true, cpHostPort, value);
    });
    connect(&m_host, &TFPHostControl::OnRead, this, [this](const QByteArray &value) {
        Log(TCommLogFormatter::PrinterRead(value));
        Frame(false, cpHostPort, value);
    });
    connect(&m_host, &TFPHostControl::OnAck, this, [this] { Log(TCommLogFormatter::AckReceived()); });
    connect(&m_host, &TFPHostControl::OnNack, this, [this] { Log(TCommLogFormatter::NakReceived()); });
    connect(&m_host, &TFPHostControl::OnIntermediateAnswer, this,
            [this] { Log(TCommLogFormatter::IntermediateReceived()); });
    connect(&m_host, &TFPHostControl::OnError, this,
            [this](TPortError error, const TLineFailure &line) { LogFailure(cpHostPort, error, line); });
}

void TCliSender::ConnectAux()
{
    connect(&m_aux, &TFPAuxControl::OnOpen, this, [this] {
        Log(TCommLogFormatter::FiscalOpenText(m_aux.CommPort(), m_aux.DeviceName()));
    });
    connect(&m_aux, &TFPAuxControl::OnClose, this, [this] { Log(TCommLogFormatter::ClosePort); });
    connect(&m_aux, &TFPAuxControl::OnWrite, this, [this](const QByteArray &value) {
        Log(TCommLogFormatter::FiscalWritten(value));
        Frame(true, cpFiscalPort, value);
    });
    connect(&m_aux, &TFPAuxControl::OnRead, this, [this](const QByteArray &value) {
        Log(TCommLogFormatter::PrinterRead(value));
        Frame(false, cpFiscalPort, value);
    });
    connect(&m_aux, &TFPAuxControl::OnAck, this, [this] { Log(TCommLogFormatter::AckReceived()); });
    connect(&m_aux, &TFPAuxControl::OnNack, this, [this] { Log(TCommLogFormatter::NakReceived()); });
    connect(&m_aux, &TFPAuxControl::OnError, this,
            [this](TPortError error, const TLineFailure &line) { LogFailure(cpFiscalPort, error, line); });
}

void TCliSender::LogFailure(TCommandPort port, int lastError, const TLineFailure &line)
{
    // The purge of an interrupted run may not report back before the port
    // closes; its line is written from the run's outcome instead.
    const TCommLogFormatter::TFailure failure = TCommLogFormatter::FailureOf(lastError, line);
    if (failure != TCommLogFormatter::TFailure::Cancelled)
        Log(TCommLogFormatter::FailureLine(port, failure, line.Text));
}

TCliSender::TResult TCliSender::Run(const TRunCommand &command)
{
    TResult result;
    result.outcome.port = command.port;
    result.outcome.count = m_options.repeat > 0 ? m_options.repeat : 1;
    ConnectHost();
    ConnectAux();
    if (command.port == cpHostPort) {
        const QString device = !m_options.hostDevice.isEmpty() ? m_options.hostDevice : m_settings.HPort;
        m_host.SetCommPort(TCommPort(qMin<int>(m_settings.HComm, Com4)));
        m_host.SetDeviceName(device);
        const int baud = m_options.baudRate >= 0 ? m_options.baudRate : m_settings.HBaud;
        m_host.SetBaudRate(TBaudRate(qBound(0, baud, int(br38400))));
        m_host.SetProtocolType(TProtocolType(m_options.protocol));
        if (!m_host.OpenPort()) {
            result.error = QStringLiteral("cannot open the host port %1: %2")
                               .arg(m_host.PortName(), PortErrorText(m_host.LastError()));
            result.outcome.kind = TRunOutcome::PortError;
            result.outcome.error = m_host.LastError();
            return result;
        }
    } else {
        const QString device = !m_options.fiscalDevice.isEmpty() ? m_options.fiscalDevice : m_settings.DPort;
        m_aux.SetCommPort(TFCommPort(qMin<int>(m_settings.DComm, FCom4)));
        m_aux.SetDeviceName(device);
        m_aux.SetTimeOut(m_options.fiscalTimeOut >= 0 ? m_options.fiscalTimeOut : m_settings.DTimeOut);
        if (!m_aux.OpenPort()) {
            result.error = QStringLiteral("cannot open the fiscal port %1: %2")
                               .arg(m_aux.PortName(), PortErrorText(m_aux.LastError()));
            result.outcome.kind = TRunOutcome::PortError;
            result.outcome.error = m_aux.LastError();
            return result;
        }
    }

    TCommandRunner runner(&m_host, &m_aux);
    runner.ConnectComponents();
    runner.SetCommand(command);
    TInterruptWatcher interrupt;
    connect(&interrupt, &TInterruptWatcher::Interrupted, &runner, &TCommandRunner::Cancel);
    QEventLoop loop;
    bool finished = false;
    connect(&runner, &TCommandRunner::Finished, &loop, [&](const TRunOutcome &outcome) {
        if (outcome.kind == TRunOutcome::Cancelled)
            Log(TCommLogFormatter::FailureLine(command.port, TCommLogFormatter::TFailure::Cancelled));
        result.outcome = outcome;
        finished = true;
        loop.quit();
    });
    if (m_options.repeat > 0)
        runner.Repeat(m_options.repeat);
    else
        runner.Send();
    if (!finished)
        loop.exec();

    if (command.port == cpHostPort)
        m_host.ClosePort();
    else
        m_aux.ClosePort();
    result.frames = m_frames;
    return result;
}
