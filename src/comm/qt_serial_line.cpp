#include "comm/qt_serial_line.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QThread>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <sys/ioctl.h>
#include <termios.h>
#endif

TQtSerialLine::TQtSerialLine() = default;

TQtSerialLine::~TQtSerialLine()
{
    close();
}

bool TQtSerialLine::open(const TLineSettings &settings)
{
    close();
#ifndef Q_OS_WIN
    // QSerialPort takes its lock file before it looks at the device, so a
    // missing device could be reported as busy while someone else tries it.
    const QString path = settings.Name.contains(QLatin1Char('/'))
        ? settings.Name : QStringLiteral("/dev/") + settings.Name;
    if (!QFileInfo::exists(path)) {
        setError(NotFoundError, QStringLiteral("No such device: %1").arg(path));
        return false;
    }
#endif
    m_port = std::make_unique<QSerialPort>();
    m_port->setPortName(settings.Name);
    // A program that is just releasing the port still holds its lock file
    // for a moment; give it that moment before calling the port busy.
    bool opened = m_port->open(QIODevice::ReadWrite);
    for (int retry = 0; !opened && retry < OpenRetries
                        && m_port->error() == QSerialPort::PermissionError; ++retry) {
        QThread::msleep(OpenRetryPauseMs);
        m_port->clearError();
        opened = m_port->open(QIODevice::ReadWrite);
    }
    if (!opened) {
        const QSerialPort::SerialPortError reason = m_port->error();
        setError(reason == QSerialPort::DeviceNotFoundError ? NotFoundError : OpenError,
                 m_port->errorString());
        m_port.reset();
        return false;
    }
    if (!m_port->setBaudRate(settings.BaudRate) || !m_port->setDataBits(QSerialPort::Data8)
        || !m_port->setParity(QSerialPort::NoParity) || !m_port->setStopBits(QSerialPort::OneStop)
        || !m_port->setFlowControl(QSerialPort::NoFlowControl)) {
        setError(OpenError, m_port->errorString());
        close();
        return false;
    }
    m_lost = false;
    setDataTerminalReady(settings.DataTerminalReady);
    setRequestToSend(settings.RequestToSend);
    m_port->clear();
    m_port->clearError();
    setError(NoError);
    return true;
}

void TQtSerialLine::close()
{
    if (m_port) {
        m_port->close();
        m_port.reset();
    }
}

bool TQtSerialLine::isOpen() const
{
    return m_port && m_port->isOpen();
}

bool TQtSerialLine::failIfUnusable(TLineError error)
{
    if (!isOpen()) {
        setError(NotOpenError, QStringLiteral("Port not open"));
        return true;
    }
    if (isAborted()) {
        setError(AbortedError, QStringLiteral("Aborted"));
        return true;
    }
    if (m_lost) {
        setError(error, QStringLiteral("The device is no longer available"));
        return true;
    }
    return false;
}

bool TQtSerialLine::write(const QByteArray &data, int timeoutMs)
{
    if (failIfUnusable(WriteError))
        return false;
    if (m_port->write(data) != data.size()) {
        setError(WriteError, m_port->errorString());
        m_port->clear(QSerialPort::Output);
        return false;
    }
    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    while (m_port->bytesToWrite() > 0) {
        if (isAborted() || deadline.hasExpired()) {
            setError(isAborted() ? AbortedError : TimeoutError, QStringLiteral("Write did not complete"));
            m_port->clear(QSerialPort::Output);
            return false;
        }
        const int slice = int(std::clamp<qint64>(deadline.remainingTime(), 1, AbortPollMs));
        if (!m_port->waitForBytesWritten(slice)) {
            if (m_port->error() == QSerialPort::TimeoutError) {
                m_port->clearError();
                continue;
            }
            m_lost = m_port->error() == QSerialPort::ResourceError;
            setError(WriteError, m_port->errorString());
            m_port->clearError();
            m_port->clear(QSerialPort::Output);
            return false;
        }
    }
    setError(NoError);
    return true;
}

bool TQtSerialLine::read(QByteArray &data, qint64 maxBytes, int timeoutMs)
{
    data.clear();
    if (failIfUnusable(ReadError))
        return false;
    if (maxBytes < 1) {
        setError(ReadError, QStringLiteral("No room to read into"));
        return false;
    }
    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    while (m_port->bytesAvailable() == 0) {
        if (isAborted()) {
            setError(AbortedError, QStringLiteral("Read aborted"));
            return false;
        }
        if (deadline.hasExpired()) {
            setError(TimeoutError, QStringLiteral("Read timed out"));
            return false;
        }
        const int slice = int(std::clamp<qint64>(deadline.remainingTime(), 1, AbortPollMs));
        if (m_port->waitForReadyRead(slice))
            continue;
        if (m_port->error() == QSerialPort::TimeoutError || m_port->error() == QSerialPort::NoError) {
            m_port->clearError();
            continue;
        }
        m_lost = m_port->error() == QSerialPort::ResourceError;
        setError(ReadError, m_port->errorString());
        m_port->clearError();
        return false;
    }
    data = m_port->read(maxBytes);
    setError(NoError);
    return true;
}

void TQtSerialLine::clear()
{
    if (isOpen()) {
        m_port->clear();
        m_port->clearError();
    }
}

void TQtSerialLine::clearInput()
{
    if (isOpen()) {
        m_port->clear(QSerialPort::Input);
        m_port->clearError();
    }
}

bool TQtSerialLine::drainOutput(int timeoutMs)
{
    if (!isOpen() || m_lost)
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    m_port->waitForBytesWritten(timeoutMs);
#ifdef Q_OS_UNIX
    // The driver's own queue: a dead or flow-stopped line never drains, so
    // the wait is bounded and the caller discards what is left.
    int queued = 0;
    while (::ioctl(int(m_port->handle()), TIOCOUTQ, &queued) == 0 && queued > 0
           && !deadline.hasExpired() && !isAborted())
        QThread::msleep(1);
    return queued == 0 && m_port->bytesToWrite() == 0;
#else
    return m_port->bytesToWrite() == 0;
#endif
}

bool TQtSerialLine::driveModemLine(bool ok)
{
    if (ok)
        return true;
    // A pseudo-terminal has no modem lines: nothing to drive is no failure.
    if (m_port->error() == QSerialPort::UnsupportedOperationError) {
        m_port->clearError();
        return true;
    }
    setError(WriteError, m_port->errorString());
    m_port->clearError();
    return false;
}

bool TQtSerialLine::setDataTerminalReady(bool on)
{
    if (!isOpen()) {
        setError(NotOpenError, QStringLiteral("Port not open"));
        return false;
    }
    return driveModemLine(m_port->setDataTerminalReady(on));
}

bool TQtSerialLine::setRequestToSend(bool on)
{
    if (!isOpen()) {
        setError(NotOpenError, QStringLiteral("Port not open"));
        return false;
    }
    return driveModemLine(m_port->setRequestToSend(on));
}
