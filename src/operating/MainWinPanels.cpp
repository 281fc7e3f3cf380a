#include "FeedbackTab.h"
#include "KeyboardTab.h"
#include "MainKeys.h"
#include "MainWin.h"
#include "MemoryTab.h"
#include "app/Station.h"

#include <QTabWidget>

// The keyboard, feedback and memory tabs, and the keys that work the whole
// window without the mouse.
void MainWin::buildPanels() {
    m_keyboard = new KeyboardTab(m_station.state);
    m_feedback = new FeedbackTab(m_station.state);
    setTabPage(2, m_keyboard);
    setTabPage(3, m_feedback);
    setTabPage(4, new MemoryTab(m_station.routes));
    m_keys = new MainKeys(m_station, {this, m_tabs, m_throttles, [this] { onStopGo(); }});
    m_keys->watchControls();
}

void MainWin::ShowKeyLamp(int key, int colour) {
    m_keyboard->ShowKeyLamp(key, colour);
}

void MainWin::ShowFeedback(int contact) {
    m_feedback->ShowFeedback(contact);
}
