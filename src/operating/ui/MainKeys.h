#pragma once

#include "operating/KeyPopupLogic.h"

#include <QObject>
#include <QPointer>
#include <array>
#include <functional>

class KeyPopup;
class QTabWidget;
class QWidget;
class ProgramCore;
class ThrottlePanel;

// The main window worked from the keyboard. A key pressed on a control of
// the tabs, on the tab bar, or on the window itself drives the throttle of
// the tab shown or opens the key popup of the panel shown. The text boxes
// keep their keys: typing an address never drives a locomotive.
class MainKeys : public QObject {
    Q_OBJECT
public:
    struct Window {
        QWidget* form;
        QTabWidget* tabs;
        std::array<ThrottlePanel*, 2> throttles;
        // As a click on the STOP/GO button.
        std::function<void()> powerButton;
    };

    MainKeys(ProgramCore& core, Window window);

    // Listens to the form, the tab bar and every control on the tabs;
    // call it once the tabs are filled.
    void watchControls();
    // The popup of a panel tab, made the first time it is opened.
    KeyPopup* popup(PopupKind kind);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool keyDown(int key);

    ProgramCore& m_core;
    Window m_window;
    std::array<QPointer<KeyPopup>, 3> m_popups;
};
