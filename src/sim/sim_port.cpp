#include "sim/sim_port.h"

#include "comm/pseudo_terminal.h"

#include <QDeadlineTimer>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

speed_t Speed(int baudRate)
{
    switch (baudRate) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    default: return B9600;
    }
}

} // namespace

TSimPort::TSimPort() = default;

TSimPort::~TSimPort()
{
    if (!m_link.isEmpty())
        ::unlink(QFile::encodeName(m_link).constData());
    if (m_deviceFd >= 0)
        ::close(m_deviceFd);
}

bool TSimPort::OpenPseudoTerminal(QString &error)
{
    m_pty = std::make_unique<TPseudoTerminal>();
    if (!m_pty->open()) {
        error = QStringLiteral("cannot create a pseudo-terminal: %1").arg(m_pty->errorString());
        return false;
    }
    // Without our own hold on the slave, a client's close shows as a hang-up.
    m_pty->releaseSlave();
    m_fd = m_pty->masterFd();
    m_path = m_pty->slavePath();
    m_hasClient = false;
    return true;
}

bool TSimPort::OpenDevice(const QString &path, int baudRate, QString &error)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = QStringLiteral("cannot open %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    termios settings {};
    if (::tcgetattr(fd, &settings) != 0) {
        error = QStringLiteral("%1 is not a serial device: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
        return false;
    }
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CSTOPB | PARENB | CRTSCTS);
    settings.c_iflag &= ~(IXON | IXOFF | IXANY);
    ::cfsetispeed(&settings, Speed(baudRate));
    ::cfsetospeed(&settings, Speed(baudRate));
    if (::tcsetattr(fd, TCSANOW, &settings) != 0) {
        error = QStringLiteral("cannot set up %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno)));
        ::close(fd);
        return false;
    }
    ::tcflush(fd, TCIOFLUSH);
    m_deviceFd = m_fd = fd;
    m_path = path;
    m_hasClient = true;
    return true;
}

bool TSimPort::SetLink(const QString &link, QString &error)
{
    const QByteArray name = QFile::encodeName(link);
    struct stat info {};
    if (::lstat(name.constData(), &info) == 0 && !S_ISLNK(info.st_mode)) {
        error = QStringLiteral("%1 exists and is no symbolic link").arg(link);
        return false;
    }
    ::unlink(name.constData());
    if (::symlink(QFile::encodeName(m_path).constData(), name.constData()) != 0) {
        error = QStringLiteral("cannot make the link %1: %2").arg(link, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    m_link = link;
    return true;
}

void TSimPort::Unplug()
{
    if (!CanUnplug() || IsUnplugged())
        return;
    if (!m_link.isEmpty())
        ::unlink(QFile::encodeName(m_link).constData());
    m_pty->close();
    m_fd = -1;
    m_hasClient = false;
}

bool TSimPort::Replug(QString &error)
{
    if (!IsUnplugged())
        return true;
    if (!OpenPseudoTerminal(error))
        return false;
    return m_link.isEmpty() || SetLink(m_link, error);
}

TSimPort::TReadResult TSimPort::Read(QByteArray &bytes)
{
    bytes.clear();
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, n);
            if (size_t(n) < sizeof buffer)
                return Data;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (!bytes.isEmpty())
            return Data;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            return NoData;
        // EIO on a pseudo-terminal: the client closed; end of file or an
        // error on a device: the adapter went away.
        return ClientGone;
    }
}

bool TSimPort::Write(const QByteArray &bytes, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if ((n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) || deadline.hasExpired())
            return false;
        pollfd descriptor {m_fd, POLLOUT, 0};
        ::poll(&descriptor, 1, int(qMin<qint64>(deadline.remainingTime(), 100)));
    }
    return true;
}

void TSimPort::DropClient()
{
    m_hasClient = false;
    if (m_pty)
        m_pty->makeRaw();
}

bool TSimPort::CheckClient()
{
    if (m_hasClient)
        return true;
    pollfd descriptor {m_fd, POLLIN, 0};
    if (::poll(&descriptor, 1, 0) < 0)
        return false;
    if (descriptor.revents & (POLLHUP | POLLERR | POLLNVAL))
        return false;
    m_hasClient = true;
    return true;
}
