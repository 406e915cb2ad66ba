#include "cli/cli_sender.h"

#include "cli/interrupt_watcher.h"
#include "comm/event_clock.h"
#include "execution/comm_log_formatter.h"
#include "execution/port_settings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QFileInfo>

namespace {

QString PortErrorText(TPortError error)
{
    switch (error) {
    case EFP_E_ComInUse:
        return TCliSender::tr("the port is in use or cannot be opened");
    case EFP_E_InvalidCom:
        return TCliSender::tr("no such port");
    case EFP_E_BadInitialization:
        return TCliSender::tr("the port refused its line settings");
    default:
        return TCliSender::tr("error %1").arg(int(error));
    }
}

}

TCliSender::TCliSender(const TSettings &settings, const TOptions &options, QObject *parent)
    : QObject(parent), m_settings(settings), m_options(options), m_runner(&m_ports.Host(), &m_ports.Aux())
{
    connect(&m_capture, &TCaptureWriter::Failed, this, [this](const QString &error) { m_captureError = error; });
    ConnectPorts();
    m_runner.ConnectComponents();
    // The line of an interrupted command, written from its outcome.
    connect(&m_runner, &TCommandRunner::Finished, this, [this](const TRunOutcome &outcome) {
        if (outcome.kind == TRunOutcome::Cancelled)
            Log(TCommLogFormatter::FailureLine(outcome.port, TCommLogFormatter::TFailure::Cancelled));
    });
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
    if (!m_options.captureFile.isEmpty()
        && !m_capture.Start(m_options.captureFile, TCaptureWriter::TMode::Append, error))
        return false;
    if (m_options.logFile.isEmpty())
        return true;
    m_log.setFileName(m_options.logFile);
    const bool isNew = !m_log.exists() || m_log.size() == 0;
    if (!m_log.open(QIODevice::WriteOnly | QIODevice::Append)) {
        *error = tr("cannot open the log file %1: %2").arg(m_options.logFile, m_log.errorString());
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
    // Written as the event is raised, so this is the time it happened.
    const qint64 us = TEventClock::NowUs();
    if (m_log.isOpen()) {
        m_log.write(m_settings.LogFileTimeStamps ? TCommLogFormatter::StampedFileLine(us, line)
                                                 : TCommLogFormatter::FileLine(line));
        m_log.flush();
    }
}

void TCliSender::Frame(bool out, TCommandPort port, const QByteArray &bytes)
{
    m_frames.append({out, port, bytes});
}

void TCliSender::ConnectPorts()
{
    connect(&m_ports, &TPorts::LogLine, this, &TCliSender::Log);
    // The purge of an interrupted run may not report back before the port
    // closes; its line is written from the run's outcome instead.
    connect(&m_ports, &TPorts::ExchangeFailed, this,
            [this](TCommandPort port, TCommLogFormatter::TFailure failure, const QString &detail) {
                if (failure != TCommLogFormatter::TFailure::Cancelled)
                    Log(TCommLogFormatter::FailureLine(port, failure, detail));
                if (failure == TCommLogFormatter::TFailure::PortGone) {
                    const QString name = port == cpHostPort ? m_ports.Host().PortName() : m_ports.Aux().PortName();
                    m_deviceGone = tr("the device %1 went away (%2)").arg(name, detail);
                }
            });
    connect(&m_ports.Host(), &TFPHostControl::OnWrite, this,
            [this](const QByteArray &frame) { Frame(true, cpHostPort, frame); });
    connect(&m_ports.Host(), &TFPHostControl::OnRead, this,
            [this](const QByteArray &frame) { Frame(false, cpHostPort, frame); });
    connect(&m_ports.Aux(), &TFPAuxControl::OnWrite, this,
            [this](const QByteArray &frame) { Frame(true, cpFiscalPort, frame); });
    connect(&m_ports.Aux(), &TFPAuxControl::OnRead, this,
            [this](const QByteArray &frame) { Frame(false, cpFiscalPort, frame); });
    // After the port's own lines of the same event: the time follows the
    // answer's frames, as in the log window.
    const auto logElapsed = [this](qint64 elapsedUs) {
        if (elapsedUs >= 0)
            Log(TCommLogFormatter::Elapsed(elapsedUs));
    };
    connect(&m_ports.Host(), &TFPHostControl::OnFinalAnswer, this,
            [logElapsed](const THostAnswer &answer) { logElapsed(answer.ElapsedUs); });
    connect(&m_ports.Aux(), &TFPAuxControl::OnAck, this, logElapsed);
    connect(&m_ports.Aux(), &TFPAuxControl::OnAnswer, this,
            [logElapsed](const QByteArray &, bool isFinal, qint64 elapsedUs) {
                if (isFinal)
                    logElapsed(elapsedUs);
            });
}

bool TCliSender::OpenPort(TCommandPort port, QString *error)
{
    TPortSettings::TOverrides overrides;
    overrides.hostDevice = m_options.hostDevice;
    overrides.fiscalDevice = m_options.fiscalDevice;
    overrides.baudRate = m_options.baudRate;
    overrides.protocol = m_options.protocol;
    overrides.fiscalTimeOut = m_options.fiscalTimeOut;
    if (m_ports.Open(port, TPortSettings::FromSettings(m_settings, overrides)))
        return true;
    const QString failure = port == cpHostPort ? tr("cannot open the host port %1: %2")
                                               : tr("cannot open the fiscal port %1: %2");
    const QString name = port == cpHostPort ? m_ports.Host().PortName() : m_ports.Aux().PortName();
    *error = failure.arg(name, PortErrorText(m_ports.LastError(port)));
    return false;
}

void TCliSender::ClosePorts()
{
    m_ports.Close(cpHostPort);
    m_ports.Close(cpFiscalPort);
}

TCliSender::TResult TCliSender::Run(const TRunCommand &command)
{
    TResult result;
    result.outcome.port = command.port;
    result.outcome.count = m_options.repeat > 0 ? m_options.repeat : 1;
    // Only the port the command needs is opened.
    if (!OpenPort(command.port, &result.error)) {
        result.outcome.kind = TRunOutcome::PortError;
        result.outcome.error = m_ports.LastError(command.port);
        return result;
    }

    m_runner.SetCommand(command);
    TInterruptWatcher interrupt;
    connect(&interrupt, &TInterruptWatcher::Interrupted, &m_runner, &TCommandRunner::Cancel);
    QEventLoop loop;
    bool finished = false;
    connect(&m_runner, &TCommandRunner::Finished, &loop, [&](const TRunOutcome &outcome) {
        result.outcome = outcome;
        finished = true;
        loop.quit();
    });
    if (m_options.repeat > 0)
        m_runner.Repeat(m_options.repeat);
    else
        m_runner.Send();
    if (!finished)
        loop.exec();

    m_ports.Close(command.port);
    result.frames = m_frames;
    result.captureError = m_captureError;
    result.deviceGone = m_deviceGone;
    return result;
}
