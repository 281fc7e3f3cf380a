#pragma once

#include "operating/KeyPopupLogic.h"

#include <QDialog>
#include <QTimer>

class Clock;
class QLabel;
class QPushButton;

// Taste_Wadr, Taste_Radr, Taste_Fadr: the small window a digit key opens
// from the keyboard, feedback or memory tab. The user types the number and
// presses the letter of one of its two keys; Esc closes it.
class KeyPopup : public QDialog {
    Q_OBJECT
public:
    KeyPopup(PopupKind kind, const Clock& clock, JobMachine& jobs, RouteTable& routes,
             QWidget* parent);

    // The digit typed in the main window starts a new number and shows the
    // popup in front.
    void startTyping(int digit);
    QString label() const;

    // Moves the accessory popup's switching on; its timer calls it every
    // 10 ms while an output is to be switched off.
    void advance();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void press(KeyPopupLogic::Button button);

    KeyPopupLogic m_logic;
    const Clock& m_clock;
    QLabel* m_address = nullptr;
    QTimer m_timer;
};
