#include "HelpKey.h"

#include "HelpWindow.h"

#include <QKeyEvent>

HelpKey::HelpKey(QString helpFile, QWidget* owner)
    : QObject(owner), m_helpFile(std::move(helpFile)), m_owner(owner) {}

// A closed window is on its way out; the next one reads the file afresh.
void HelpKey::open() {
    if (!m_window || !m_window->isVisible())
        m_window = new HelpWindow(m_helpFile, m_owner);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && !key->isAutoRepeat()) {
            open();
            // Taken here, so a widget and its parents do not open it again.
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

HelpWindow* HelpKey::window() const {
    return m_window;
}
