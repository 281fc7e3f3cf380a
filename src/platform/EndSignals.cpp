#include "EndSignals.h"

#include <QSocketNotifier>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int Handled[] = {SIGTERM, SIGHUP, SIGINT};
// The end of the pipe the handler writes to.
int s_writeEnd = -1;

void onSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(s_writeEnd, &byte, 1);
    errno = saved;
}

void handleWith(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Handled)
        sigaction(signal, &action, nullptr);
}

} // namespace

EndSignals::EndSignals(std::function<void()> end, QObject* parent)
    : QObject(parent), m_end(std::move(end)) {
    int ends[2];
    // Without a pipe the signals keep their default action.
    if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_readEnd = ends[0];
    s_writeEnd = ends[1];
    m_notifier = new QSocketNotifier(m_readEnd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::received);
    handleWith(onSignal);
}

EndSignals::~EndSignals() {
    if (m_readEnd < 0)
        return;
    handleWith(SIG_DFL);
    ::close(s_writeEnd);
    ::close(m_readEnd);
    s_writeEnd = -1;
}

#else

// Windows ends a program by other means than signals.
EndSignals::EndSignals(std::function<void()> end, QObject* parent)
    : QObject(parent), m_end(std::move(end)) {}

EndSignals::~EndSignals() = default;

#endif

void EndSignals::received() {
#ifdef Q_OS_UNIX
    char bytes[16];
    while (::read(m_readEnd, bytes, sizeof bytes) > 0) {
    }
#endif
    m_end();
}
