#include "MainKeys.h"

#include "KeyPopup.h"
#include "ThrottlePanel.h"
#include "core/ProgramCore.h"
#include "operating/MainKeyMap.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>

MainKeys::MainKeys(ProgramCore& core, Window window)
    : QObject(window.form), m_core(core), m_window(std::move(window)) {}

void MainKeys::watchControls() {
    m_window.form->installEventFilter(this);
    m_window.tabs->tabBar()->installEventFilter(this);
    for (int tab = 0; tab < m_window.tabs->count(); ++tab) {
        for (QWidget* control : m_window.tabs->widget(tab)->findChildren<QWidget*>()) {
            if (control->focusPolicy() != Qt::NoFocus && !qobject_cast<QLineEdit*>(control))
                control->installEventFilter(this);
        }
    }
}

KeyPopup* MainKeys::popup(PopupKind kind) {
    QPointer<KeyPopup>& popup = m_popups[static_cast<int>(kind)];
    if (!popup)
        popup =
            new KeyPopup(kind, m_core.state.clock, m_core.jobs, m_core.routes.table, m_window.form);
    return popup;
}

bool MainKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    // Keys a control of the window did not take come on to the form; the
    // form acts only on keys that reach it with no control in focus.
    if (watched == m_window.form && m_window.form->focusWidget() &&
        m_window.form->focusWidget() != m_window.form)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return QObject::eventFilter(watched, event);
    return keyDown(key->key()) || QObject::eventFilter(watched, event);
}

bool MainKeys::keyDown(int key) {
    const int tab = m_window.tabs->currentIndex();
    ThrottlePanel* throttle = tab == 0 || tab == 1 ? m_window.throttles[tab] : nullptr;
    const MainKey action = mainKeyDown(tab, key, throttle && throttle->hasLocomotive());
    switch (action.action) {
    case MainKey::None:
        return false;
    case MainKey::PowerButton:
        m_window.powerButton();
        return true;
    case MainKey::Function:
        throttle->toggleFunction(action.value);
        return true;
    case MainKey::SetDirection:
        throttle->setDirection(action.value);
        return true;
    case MainKey::ChangeDirection:
        throttle->changeDirection();
        return true;
    case MainKey::SpeedDigit:
        throttle->setSpeedByDigit(action.value);
        return true;
    case MainKey::FocusAddress:
        throttle->focusAddress();
        return true;
    case MainKey::NextTab: {
        // Focus left on the page going away would pass to the first field
        // of the next page, where the next key would be typed. The tab bar
        // keeps it, or the window while the tab bar is off.
        QTabBar* bar = m_window.tabs->tabBar();
        (bar->isEnabled() ? static_cast<QWidget*>(bar) : m_window.form)
            ->setFocus(Qt::OtherFocusReason);
        m_window.tabs->setCurrentIndex(action.value);
        return true;
    }
    case MainKey::OpenPopup:
        popup(popupOfTab(tab))->startTyping(action.value);
        return true;
    }
    return false;
}
