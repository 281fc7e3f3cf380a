#pragma once

#include "operating/ThrottleControl.h"
#include "operating/pictures/LocoLook.h"

#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>

class IndicatorLamp;
class JobMachine;
struct StationSlots;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QToolButton;
class SpeedGauge;

// One locomotive throttle of the main window ("Fahrpult 1" is t = 0,
// "Fahrpult 2" is t = 1): address, format, speed slider and gauge,
// direction, light and F1..F12, and the locomotive's picture. It never
// writes to the line: every action becomes the job request.
class ThrottlePanel : public QWidget {
    Q_OBJECT
public:
    ThrottlePanel(int t, StationSlots& station, JobMachine& jobs, QWidget* parent = nullptr);

    // The folder the locomotive pictures are loaded from.
    void setConfFolder(const QString& folder);

    int throttle() const { return m_control.throttle(); }

    // Shows what ThrottleData[t] holds.
    void ShowThrottle();
    // Forgets the picture shown, so the next ShowThrottle loads it afresh.
    void ShowLocoPicture();
    // Blanks the throttle: no locomotive, no speed, grey lamps.
    void ResetThrottle();

    // The actions the keyboard drives; each does nothing without a
    // locomotive address.
    bool hasLocomotive() const { return m_control.address().has_value(); }
    void toggleFunction(int n); // 0 = light, 1..12 = F1..F12
    void setDirection(int d);   // 0 forward, 1 backward
    void changeDirection();
    void setSpeedByDigit(int digit); // 0..9: stop .. full speed
    // Puts the focus into the address field, ready for a new address.
    void focusAddress();

    // The picture file shown last ("Loklv.bmp", "Lok0.bmp").
    QString shownPicture() const { return m_shownPicture; }

    // Zeiger_Timer: every 100 ms the gauge pointer moves a quarter of the way.
    void ZeigerTimerTick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void onAddressEdited();
    void onAddressEntered();
    void onSliderMoved(int position);
    void setSliderQuietly(int value);
    void showPicture(const std::optional<LocoLook>& look);
    void showAddressValidity();

    ThrottleControl m_control;
    QString m_confFolder;
    QString m_shownPicture;
    std::optional<LocoLook> m_shownLook;

    QLineEdit* m_address = nullptr;
    QLabel* m_format = nullptr;
    QSlider* m_slider = nullptr;
    SpeedGauge* m_gauge = nullptr;
    QLabel* m_speedStep = nullptr;
    std::array<QPushButton*, 2> m_direction{};
    std::array<QPushButton*, ThrottleControl::FunctionCount> m_functions{};
    std::array<IndicatorLamp*, ThrottleControl::FunctionCount> m_lamps{};
    QToolButton* m_picture = nullptr;
    QTimer m_timer;
};
