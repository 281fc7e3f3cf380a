#include "PanelActions.h"

#include "routes/RouteTable.h"

namespace panel {

void requestRoute(RouteTable& table, int route) {
    if (RouteTable::isRoute(route))
        table.setStatus(route, RouteTable::RequestedColumn, true);
}

void dissolveRoute(RouteTable& table, int route) {
    if (RouteTable::isRoute(route))
        table.setStatus(route, RouteTable::EstablishedColumn, false);
}

} // namespace panel
