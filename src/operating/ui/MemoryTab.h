#pragma once

#include "PanelTab.h"
#include "operating/RoutePage.h"
#include "routes/RouteView.h"

#include <array>

class IndicatorLamp;
class QPushButton;
class Routes;

// The "Memory" tab: 16 routes, each with a button that requests it, one
// that dissolves it, and the indicator the route engine colours.
class MemoryTab : public PanelTab, public RouteIndicatorView {
    Q_OBJECT
public:
    explicit MemoryTab(Routes& routes, QWidget* parent = nullptr);
    ~MemoryTab() override;

    void ShowRouteIndicator(int index, int colour) override;

protected:
    void pageChosen(int index) override;

private:
    void showTips();

    Routes& m_routes;
    RoutePage m_page;
    std::array<QPushButton*, Places> m_request{};
    std::array<QPushButton*, Places> m_dissolve{};
    std::array<IndicatorLamp*, Places> m_lamps{};
};
