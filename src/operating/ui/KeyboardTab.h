#pragma once

#include "PanelTab.h"
#include "operating/KeyboardPage.h"

#include <array>

class IndicatorLamp;
class JobMachine;
struct PanelPages;
class QPushButton;

// The "Keyboard" tab: 16 red/green key pairs and their lamps. A key
// switches its accessory's output on while it is held down with the left
// mouse button or the space bar.
class KeyboardTab : public PanelTab {
    Q_OBJECT
public:
    KeyboardTab(PanelPages& pages, JobMachine& jobs, QWidget* parent = nullptr);

    // Lamp of key 0..15; colour 0xBBGGRR.
    void ShowKeyLamp(int key, int colour);

protected:
    void pageChosen(int index) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showTips();

    KeyboardPage m_page;
    std::array<QPushButton*, Places> m_red{};
    std::array<QPushButton*, Places> m_green{};
    std::array<IndicatorLamp*, Places> m_lamps{};
};
