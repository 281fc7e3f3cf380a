#include "RoutePage.h"

#include "PanelActions.h"
#include "PanelTexts.h"
#include "routes/RouteEngine.h"

int RoutePage::base() const {
    return m_engine.RoutePageBase;
}

void RoutePage::select(int index) {
    if (index < 0)
        return;
    m_engine.RoutePageBase = index * panel::PageSize;
}

QString RoutePage::requestTip(int index) const {
    return panel::routeRequestTip(route(index));
}

QString RoutePage::dissolveTip(int index) const {
    return panel::routeDissolveTip(route(index));
}

void RoutePage::request(int index) {
    panel::requestRoute(m_table, route(index));
}

void RoutePage::dissolve(int index) {
    panel::dissolveRoute(m_table, route(index));
}
