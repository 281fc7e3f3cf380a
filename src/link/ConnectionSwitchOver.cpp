#include "ConnectionSwitchOver.h"

#include "CtsPacing.h"
#include "LinkView.h"
#include "platform/Clock.h"
#include "platform/SerialPort.h"

#include <array>

namespace {
constexpr std::array<const char*, 3> Commands = {"xB19200\r", "xRT255\r", "x&LN$55AA\r"};
constexpr char Prompt = ']';
constexpr const char* LocoNetSettings = "19200,n,8,2";
} // namespace

void ConnectionSwitchOver::begin(int comPortNumber) {
    m_comPortNumber = comPortNumber;
    m_port.setBreak(true);
    enter(Phase::Break);
}

void ConnectionSwitchOver::enter(Phase phase) {
    m_phase = phase;
    m_since = m_clock.now();
}

void ConnectionSwitchOver::sendCommand(int index) {
    m_command = index;
    m_written = 0;
    m_port.clearOutput();
    enter(Phase::Command);
}

ConnectionSwitchOver::Result ConnectionSwitchOver::advance() {
    const double elapsed = m_clock.now() - m_since;
    switch (m_phase) {
    case Phase::Break:
        if (elapsed > BreakLength) {
            m_port.setBreak(false);
            enter(Phase::Quiet);
        }
        return Result::Running;
    case Phase::Quiet:
        if (elapsed > Pause)
            sendCommand(0);
        return Result::Running;
    case Phase::Command:
        return writeCommand(elapsed);
    case Phase::Answer:
        return readAnswer(elapsed);
    case Phase::Settle:
        if (elapsed <= Pause)
            return Result::Running;
        if (!reopen(LocoNetSettings))
            return Result::Failed;
        sendCommand(1);
        return Result::Running;
    }
    return Result::Running;
}

// The station paces its text port with CTS: write what it allows now and
// go on in the next tick.
ConnectionSwitchOver::Result ConnectionSwitchOver::writeCommand(double elapsed) {
    const QByteArray text(Commands[m_command]);
    m_written = writeCtsPaced(m_port, text, m_written);
    if (m_written == text.size()) {
        m_reply.clear();
        enter(Phase::Answer);
        return Result::Running;
    }
    return elapsed > TextTimeout ? textFailed() : Result::Running;
}

ConnectionSwitchOver::Result ConnectionSwitchOver::readAnswer(double elapsed) {
    if (m_port.bytesWaiting() > 0)
        m_reply += m_port.readAll();
    if (!m_reply.contains(Prompt))
        return elapsed > TextTimeout ? textFailed() : Result::Running;
    switch (m_command) {
    case 0:
        enter(Phase::Settle);
        return Result::Running;
    case 1:
        sendCommand(2);
        return Result::Running;
    default:
        // A fresh start on the line that now speaks LocoNet.
        return reopen(LocoNetSettings) ? Result::Done : Result::Failed;
    }
}

bool ConnectionSwitchOver::reopen(const char* settings) {
    m_port.close();
    if (m_port.setSettings(QString::fromLatin1(settings)) && m_port.open(m_comPortNumber))
        return true;
    m_messages.ShowMessage(m_port.errorText(), QStringLiteral("Verbindungsfehler:"),
                           MessageIcon::None);
    return false;
}

ConnectionSwitchOver::Result ConnectionSwitchOver::textFailed() {
    m_messages.ShowMessage(QStringLiteral("Zeichenübertragung nicht möglich!"),
                           QStringLiteral("Gantrex 1:"), MessageIcon::None);
    return Result::Failed;
}
