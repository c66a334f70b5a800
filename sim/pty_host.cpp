#include "pty_host.h"

#include "simline.h"
#include "simmodem.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace torvel::sim {

namespace {
// Without pacing nothing holds back a client that stopped reading: cap what waits.
constexpr qsizetype kMaxPending = 64 * 1024;

bool makeRaw(int fd)
{
    termios t {};
    if (tcgetattr(fd, &t) != 0)
        return false;
    cfmakeraw(&t);
    return tcsetattr(fd, TCSANOW, &t) == 0;
}

void trace(const char *direction, const QByteArray &bytes)
{
    std::fprintf(stderr, "%s %s\n", direction, bytes.toHex(' ').constData());
}
} // namespace

PtyHost::PtyHost(SimLine *line, QObject *parent)
    : QObject(parent), m_deliver([line](const QByteArray &bytes) { line->receive(bytes); })
{
    connect(line, &SimLine::toPc, this, &PtyHost::send);
}

PtyHost::PtyHost(SimModem *modem, QObject *parent)
    : QObject(parent), m_deliver([modem](const QByteArray &bytes) { modem->fromDte(bytes); }), m_modem(modem)
{
    connect(modem, &SimModem::toDte, this, &PtyHost::send);
}

PtyHost::~PtyHost()
{
    delete m_readNotifier;
    delete m_writeNotifier;
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

void PtyHost::hangUp()
{
    // Called from the read notifier's own signal: the notifiers go once it has returned.
    for (QSocketNotifier *n : {m_readNotifier, m_writeNotifier}) {
        n->setEnabled(false);
        n->deleteLater();
    }
    m_readNotifier = nullptr;
    m_writeNotifier = nullptr;
    for (int *fd : {&m_slave, &m_master}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
    m_pending.clear();
    emit hungUp();
}

bool PtyHost::open(QString *error)
{
    const auto failed = [&](const char *what) {
        if (error)
            *error = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    };
    m_master = posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return failed("posix_openpt");
    if (grantpt(m_master) != 0)
        return failed("grantpt");
    if (unlockpt(m_master) != 0)
        return failed("unlockpt");
    const char *name = ptsname(m_master);
    if (!name)
        return failed("ptsname");
    m_slavePath = QString::fromLocal8Bit(name);
    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0)
        return failed("open slave");
    // Raw on both sides: no echo by the terminal driver, no line editing, no CR/LF mapping.
    if (!makeRaw(m_master) || !makeRaw(m_slave))
        return failed("tcsetattr");
    const int flags = fcntl(m_master, F_GETFL);
    if (flags < 0 || fcntl(m_master, F_SETFL, flags | O_NONBLOCK) != 0)
        return failed("fcntl");

    m_readNotifier = new QSocketNotifier(m_master, QSocketNotifier::Read);
    connect(m_readNotifier, &QSocketNotifier::activated, this, &PtyHost::onReadable);
    m_writeNotifier = new QSocketNotifier(m_master, QSocketNotifier::Write);
    m_writeNotifier->setEnabled(false);
    connect(m_writeNotifier, &QSocketNotifier::activated, this, &PtyHost::onWritable);
    return true;
}

void PtyHost::onReadable()
{
    char buffer[512];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n > 0) {
            const QByteArray bytes(buffer, static_cast<qsizetype>(n));
            if (m_trace)
                trace("pc  ", bytes);
            emit activity();
            m_received += n;
            if (m_hangUpAfter >= 0 && m_received >= m_hangUpAfter) {
                hangUp();
                return;
            }
            if (m_modem)
                m_modem->setDteRate(clientSpeed());
            m_deliver(bytes);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: all read
    }
}

int PtyHost::clientSpeed() const
{
    // Both ends share the slave's settings: the speed the client set.
    termios t {};
    if (tcgetattr(m_slave, &t) != 0)
        return 9600;
    switch (cfgetospeed(&t)) {
    case B38400:
        return 38400;
    case B19200:
        return 19200;
    case B57600:
        return 57600;
    case B115200:
        return 115200;
    default:
        return 9600;
    }
}

void PtyHost::send(const QByteArray &bytes)
{
    if (m_master < 0)
        return;
    if (m_trace)
        trace("line", bytes);
    m_pending += bytes;
    if (m_pending.size() > kMaxPending)
        m_pending.remove(0, m_pending.size() - kMaxPending);
    flushPending();
}

void PtyHost::onWritable()
{
    flushPending();
}

void PtyHost::flushPending()
{
    while (!m_pending.isEmpty()) {
        const ssize_t n = ::write(m_master, m_pending.constData(), static_cast<size_t>(m_pending.size()));
        if (n > 0) {
            m_pending.remove(0, static_cast<qsizetype>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN: the pty is full, wait until it can take more
    }
    if (m_writeNotifier)
        m_writeNotifier->setEnabled(!m_pending.isEmpty());
}

} // namespace torvel::sim
