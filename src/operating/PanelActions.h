#pragma once

class RouteTable;

// What the panels' route keys and the route popup ask for: they write the
// status cells of route 1..208 the route engine works off.
namespace panel {
void requestRoute(RouteTable& table, int route);
void dissolveRoute(RouteTable& table, int route);
} // namespace panel
