#include "PseudoTerminal.h"

#include "SharedBus.h"
#include "TerminalBitRate.h"
#include "VirtualStation.h"
#include "platform/Clock.h"

#include <QByteArray>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

// More than this waiting unread means no program has the terminal open.
constexpr int UnreadLimit = 256;

} // namespace

PseudoTerminal::PseudoTerminal(const Clock& clock, VirtualStation& station, SharedBus& bus)
    : m_clock(clock), m_station(station), m_bus(bus) {
    m_bus.listen([this](const QByteArray& bytes) { write(bytes); });
}

PseudoTerminal::~PseudoTerminal() {
    m_notifier.reset();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PseudoTerminal::fail(const QString& what) {
    m_error = what + ": " + QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool PseudoTerminal::open() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (m_master < 0)
        return fail("posix_openpt");
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0)
        return fail("grantpt/unlockpt");
    const char* name = ::ptsname(m_master);
    if (!name)
        return fail("ptsname");
    m_path = QString::fromLocal8Bit(name);

    m_slave = ::open(name, O_RDWR | O_NOCTTY);
    if (m_slave < 0)
        return fail("open " + m_path);
    // Raw: every byte passes unchanged, in both directions.
    termios settings{};
    if (::tcgetattr(m_slave, &settings) != 0)
        return fail("tcgetattr");
    ::cfmakeraw(&settings);
    if (::tcsetattr(m_slave, TCSANOW, &settings) != 0)
        return fail("tcsetattr");

    m_notifier = std::make_unique<QSocketNotifier>(m_master, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &PseudoTerminal::readFromProgram);
    return true;
}

// The program sets the bit rate on its side of the terminal; the answers
// follow it.
void PseudoTerminal::followBitRate() {
    m_station.line().setBitRate(terminalBitRate(m_slave));
}

void PseudoTerminal::readFromProgram() {
    char buffer[512];
    const ssize_t n = ::read(m_master, buffer, sizeof buffer);
    if (n <= 0)
        return;
    followBitRate();
    const double now = m_clock.now();
    m_station.advance(now);
    m_station.receive(QByteArray(buffer, static_cast<qsizetype>(n)), now);
    emit programWrote();
    m_bus.deliverDue();
}

void PseudoTerminal::write(const QByteArray& bytes) {
    if (m_slave < 0)
        return;
    // What nobody reads must not greet the next program that opens the terminal.
    if (int unread = 0; ::ioctl(m_slave, TIOCINQ, &unread) == 0 && unread > UnreadLimit) {
        ::tcflush(m_slave, TCIFLUSH);
        m_unreadDropped += unread;
    }
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, bytes.size() - done);
        if (n <= 0)
            break; // the terminal's buffer is full: what no program reads is lost, as on a line
        done += n;
    }
}
