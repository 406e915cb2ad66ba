#include "comm/pseudo_terminal.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

TPseudoTerminal::TPseudoTerminal() = default;

TPseudoTerminal::~TPseudoTerminal()
{
    close();
}

bool TPseudoTerminal::open()
{
    close();
    char name[256] = {};
    if (::openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
        m_master = m_slave = -1;
        return fail("openpty");
    }
    m_slavePath = QString::fromLocal8Bit(name);
    ::fcntl(m_master, F_SETFD, FD_CLOEXEC);
    ::fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    const int flags = ::fcntl(m_master, F_GETFL);
    if (flags < 0 || ::fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0) {
        const bool result = fail("fcntl");
        close();
        return result;
    }
    if (!makeRaw()) {
        close();
        return false;
    }
    return true;
}

void TPseudoTerminal::close()
{
    releaseSlave();
    if (m_master >= 0) {
        ::close(m_master);
        m_master = -1;
    }
}

void TPseudoTerminal::releaseSlave()
{
    if (m_slave >= 0) {
        ::close(m_slave);
        m_slave = -1;
    }
}

bool TPseudoTerminal::makeRaw()
{
    if (m_master < 0)
        return false;
    termios settings {};
    if (::tcgetattr(m_master, &settings) != 0)
        return fail("tcgetattr");
    ::cfmakeraw(&settings);
    settings.c_cc[VMIN] = 1;
    settings.c_cc[VTIME] = 0;
    if (::tcsetattr(m_master, TCSANOW, &settings) != 0)
        return fail("tcsetattr");
    return true;
}

bool TPseudoTerminal::write(const QByteArray &data, int timeoutMs)
{
    if (m_master < 0) {
        m_errorString = QStringLiteral("Pseudo-terminal not open");
        return false;
    }
    QDeadlineTimer deadline(timeoutMs);
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(m_master, data.constData() + done, size_t(data.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
            return fail("write");
        if (deadline.hasExpired()) {
            m_errorString = QStringLiteral("write: timed out");
            return false;
        }
        pollfd descriptor {m_master, POLLOUT, 0};
        ::poll(&descriptor, 1, int(qMin<qint64>(deadline.remainingTime(), 100)));
    }
    return true;
}

QByteArray TPseudoTerminal::read(int timeoutMs, qint64 maxBytes)
{
    QByteArray result;
    if (m_master < 0 || maxBytes < 1)
        return result;
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        pollfd descriptor {m_master, POLLIN, 0};
        const int ready = ::poll(&descriptor, 1, int(deadline.remainingTime()));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return result;
        if (descriptor.revents & POLLIN) {
            result.resize(maxBytes);
            const ssize_t n = ::read(m_master, result.data(), size_t(maxBytes));
            if (n > 0) {
                result.resize(n);
                return result;
            }
            result.clear();
            if (n < 0 && (errno == EINTR || errno == EAGAIN))
                continue;
            if (n < 0 && errno != EIO) {
                fail("read");
                return result;
            }
        }
        // Hang-up (EIO, POLLHUP): no client has the slave open. Wait out the
        // deadline in short naps instead of spinning on it.
        if (deadline.hasExpired())
            return result;
        ::poll(nullptr, 0, int(qMin<qint64>(deadline.remainingTime(), 20)));
    }
}

QByteArray TPseudoTerminal::readExactly(qsizetype count, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    QByteArray result;
    while (result.size() < count && !deadline.hasExpired()) {
        const QByteArray part = read(int(deadline.remainingTime()), count - result.size());
        if (part.isEmpty())
            break;
        result += part;
    }
    return result;
}

bool TPseudoTerminal::fail(const char *what)
{
    m_errorString = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
    return false;
}
