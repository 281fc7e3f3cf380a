#include "ResetWait.h"

void ResetWait::start() {
    m_waiting = true;
    m_count = 0;
}

void ResetWait::step() {
    if (!m_waiting)
        return;
    m_labelShown = true;
    m_blink = !m_blink;
    if (++m_count < Ticks)
        return;
    m_waiting = false;
    m_labelShown = false;
}
