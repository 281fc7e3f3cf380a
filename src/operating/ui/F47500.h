#pragma once

#include "operating/ZeltronWindowView.h"

#include <QWidget>
#include <array>
#include <memory>

class DirectionArrow;
class IndicatorLamp;
class QLabel;
class QLineEdit;
class QPushButton;
class ZeltronManager;

// The window of one handheld throttle: the user types the locomotive's
// address, and the window then mirrors what the throttle drives.
class F47500 : public QWidget, public ZeltronWindowView {
    Q_OBJECT
public:
    F47500(ZeltronManager& manager, int window, QWidget* parent = nullptr);

    // The window factory the manager takes.
    static std::unique_ptr<ZeltronWindowView> create(ZeltronManager& manager, int window);

    void Open(int throttleId) override;
    void AwaitAddress() override;
    void AddressSent() override;
    void ShowLoco(const ZeltronLoco& loco) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void checkAddress();
    void confirm();

    ZeltronManager& m_manager;
    const int m_window;
    QLineEdit* m_address;
    QPushButton* m_ok;
    QLabel* m_step;
    std::array<IndicatorLamp*, ZeltronLoco::Functions> m_functions{};
    DirectionArrow* m_arrow;
};
