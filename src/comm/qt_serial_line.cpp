#include "comm/qt_serial_line.h"

#include "comm/serial_devices.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QThread>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <unistd.h>

TQtSerialLine::TQtSerialLine()
    : m_abortSignal(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC))
{
}

TQtSerialLine::~TQtSerialLine()
{
    close();
    if (m_abortSignal >= 0)
        ::close(m_abortSignal);
}

void TQtSerialLine::wakeUp()
{
    const quint64 one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_abortSignal, &one, sizeof one);
}

bool TQtSerialLine::open(const TLineSettings &settings)
{
    close();
    if (m_abortSignal < 0) {
        setError(OpenError, QStringLiteral("No abort signal could be made for the line"));
        return false;
    }
#ifndef Q_OS_WIN
    // QSerialPort takes its lock file before it looks at the device, so a
    // missing device could be reported as busy while someone else tries it.
    const QString path = TSerialDevices::SystemPathOf(settings.Name);
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

bool TQtSerialLine::failOnDevice(TLineError error, int code)
{
    // EIO is what a pseudo-terminal whose far end closed and an unplugged
    // adapter give; neither comes back.
    m_lost = code == EIO || code == ENXIO || code == ENODEV;
    setError(error, QString::fromLocal8Bit(std::strerror(code)));
    return false;
}

TQtSerialLine::TWait TQtSerialLine::waitFor(short events, const QDeadlineTimer &deadline)
{
    pollfd descriptors[2] = {{int(m_port->handle()), events, 0}, {m_abortSignal, POLLIN, 0}};
    for (;;) {
        if (isAborted())
            return Aborted;
        descriptors[0].revents = descriptors[1].revents = 0;
        const qint64 remaining = std::max<qint64>(deadline.remainingTime(), 0);
        const int ready = ::poll(descriptors, 2, int(std::min<qint64>(remaining, INT_MAX)));
        if (ready < 0 && errno != EINTR)
            return Failed;
        if (descriptors[1].revents & POLLIN) {
            // A signal left by an abort that has been reset since is spent
            // here; the flag says whether this one stands.
            quint64 count = 0;
            [[maybe_unused]] const ssize_t n = ::read(m_abortSignal, &count, sizeof count);
            continue;
        }
        if (ready > 0)
            return Ready;
        if (ready == 0 && deadline.hasExpired())
            return TimedOut;
    }
}

bool TQtSerialLine::write(const QByteArray &data, int timeoutMs)
{
    if (failIfUnusable(WriteError))
        return false;
    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    const char *bytes = data.constData();
    size_t left = size_t(data.size());
    while (left > 0) {
        const ssize_t written = ::write(int(m_port->handle()), bytes, left);
        if (written > 0) {
            bytes += written;
            left -= size_t(written);
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
            const int code = errno;
            m_port->clear(QSerialPort::Output);
            return failOnDevice(WriteError, code);
        }
        const TWait wait = waitFor(POLLOUT, deadline);
        if (wait == Ready)
            continue;
        const int code = errno;
        m_port->clear(QSerialPort::Output);
        if (wait == Failed)
            return failOnDevice(WriteError, code);
        setError(wait == Aborted ? AbortedError : TimeoutError, QStringLiteral("Write did not complete"));
        return false;
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
    // Nothing waits in QSerialPort's buffer: it is never read through.
    const QDeadlineTimer deadline(std::max(timeoutMs, 0));
    for (;;) {
        switch (waitFor(POLLIN, deadline)) {
        case Ready:
            break;
        case Aborted:
            setError(AbortedError, QStringLiteral("Read aborted"));
            return false;
        case TimedOut:
            setError(TimeoutError, QStringLiteral("Read timed out"));
            return false;
        case Failed:
            return failOnDevice(ReadError, errno);
        }
        data.resize(qsizetype(std::min<qint64>(maxBytes, ReadChunk)));
        const ssize_t got = ::read(int(m_port->handle()), data.data(), size_t(data.size()));
        if (got > 0) {
            data.resize(got);
            setError(NoError);
            return true;
        }
        const int code = got < 0 ? errno : EIO;
        data.clear();
        if (code == EINTR || code == EAGAIN || code == EWOULDBLOCK)
            continue;
        // Readable yet nothing to read: the device hung up.
        return failOnDevice(ReadError, code);
    }
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
    // The driver's own queue (writes go straight to it): a dead or
    // flow-stopped line never drains, so the wait is bounded and the caller
    // discards what is left.
    int queued = 0;
    while (::ioctl(int(m_port->handle()), TIOCOUTQ, &queued) == 0 && queued > 0
           && !deadline.hasExpired() && !isAborted())
        QThread::msleep(1);
    return queued == 0;
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
