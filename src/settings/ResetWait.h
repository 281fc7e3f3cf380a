#pragma once

// After a reset the command station needs 10 s before it listens again. The
// reset window waits 40 ticks of its 250 ms timer with its buttons hidden and
// "bitte warten !" blinking black and red.
class ResetWait {
public:
    static constexpr int TickMs = 250;
    static constexpr int Ticks = 40;

    void start();
    // One timer tick; the window stops its timer once waiting() is false.
    void step();

    bool waiting() const { return m_waiting; }
    bool labelShown() const { return m_labelShown; }
    bool labelRed() const { return !m_blink; }

private:
    bool m_waiting = false;
    bool m_labelShown = false;
    bool m_blink = false;
    int m_count = 0;
};
