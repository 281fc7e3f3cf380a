#include "TextCommandMode.h"

#include <QList>

namespace {

constexpr int MaxLine = 64;
const QByteArray LocoNetCommand = "x&LN$55AA";
const QList<QByteArray> KnownCommands = {"xB19200", "xRT255", LocoNetCommand};

} // namespace

void TextCommandMode::enter() {
    m_active = true;
    m_line.clear();
}

QByteArray TextCommandMode::receive(char c) {
    if (c == '\n')
        return {};
    if (c != '\r') {
        // A line nobody ends is noise; keep only its tail.
        if (m_line.size() >= MaxLine)
            m_line.remove(0, 1);
        m_line.append(c);
        return {};
    }
    const QByteArray command = m_line;
    m_line.clear();
    if (command.isEmpty())
        return QByteArray("\r\n") + Prompt;
    if (!KnownCommands.contains(command))
        return "\r\n? " + command + "\r\n" + Prompt;
    if (command == LocoNetCommand)
        m_active = false;
    return "\r\n" + command + " OK\r\n" + Prompt;
}
