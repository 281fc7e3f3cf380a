#pragma once

#include "SettingsWindow.h"
#include "settings/ResetWait.h"

#include <array>

class QLabel;
class QPushButton;
class QTimer;
class SettingsJobs;

// "Zurücksetzen": resets the command station's configuration or its loco
// data formats, then waits 10 s with every button hidden, so that no second
// reset can start while the station restarts. The wait goes on while the
// window is closed.
class Reset : public SettingsWindow {
    Q_OBJECT
public:
    explicit Reset(SettingsJobs& jobs, QWidget* parent = nullptr);

    // One tick of TimerWarten.
    void waitTick();

private:
    void startReset(int kind);
    void showWait();

    SettingsJobs& m_jobs;
    std::array<QPushButton*, 3> m_buttons{};
    QLabel* m_waitLabel;
    QTimer* m_timer;
    ResetWait m_wait;
};
