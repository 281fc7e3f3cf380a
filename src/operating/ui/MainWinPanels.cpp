#include "FeedbackTab.h"
#include "KeyboardTab.h"
#include "MainKeys.h"
#include "MainWin.h"
#include "MemoryTab.h"
#include "core/ProgramCore.h"

#include <QLineEdit>
#include <QTabWidget>

namespace {
// A page put on a tab after the window was built would come last in Tab
// order; it belongs before next, as the window reads.
void tabOrderBefore(QWidget* page, QWidget* next) {
    QList<QWidget*> controls;
    for (QWidget* w = page->nextInFocusChain(); page->isAncestorOf(w); w = w->nextInFocusChain()) {
        if (w->focusPolicy() != Qt::NoFocus)
            controls.append(w);
    }
    QWidget* previous = next->previousInFocusChain();
    while (previous->focusPolicy() == Qt::NoFocus)
        previous = previous->previousInFocusChain();
    for (QWidget* control : controls) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
}
} // namespace

// The keyboard, feedback and memory tabs, and the keys that work the whole
// window without the mouse.
void MainWin::buildPanels() {
    LinkState& s = m_core.state;
    m_keyboard = new KeyboardTab(s.pages, m_core.jobs);
    m_feedback = new FeedbackTab(s.pages, s.feedback, m_core.jobs);
    setTabPage(2, m_keyboard);
    setTabPage(3, m_feedback);
    setTabPage(4, new MemoryTab(m_core.routes));
    for (int tab = 2; tab <= 4; ++tab)
        tabOrderBefore(m_tabs->widget(tab), m_message);
    m_keys = new MainKeys(m_core, {this, m_tabs, m_throttles, [this] { onStopGo(); }});
    m_keys->watchControls();
}

void MainWin::ShowKeyLamp(int key, int colour) {
    m_keyboard->ShowKeyLamp(key, colour);
}

void MainWin::ShowFeedback(int contact) {
    m_feedback->ShowFeedback(contact);
}
