#pragma once

#include <QByteArray>

// The station's own serial port speaks a text command set until it is told
// to speak LocoNet. Each command ends with CR and is answered with a text
// that ends in the prompt "]"; "x&LN$55AA" switches to LocoNet. A break on
// the line brings the port back to its text commands.
class TextCommandMode {
public:
    static constexpr char Prompt = ']';

    bool active() const { return m_active; }
    void enter();

    // One character; the answer when it ended a command line. After the
    // answer to the LocoNet command the mode is no longer active.
    QByteArray receive(char c);

private:
    bool m_active = false;
    QByteArray m_line;
};
