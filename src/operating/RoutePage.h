#pragma once

#include <QString>

class RouteEngine;
class RouteTable;

// The memory panel: which 16 routes its buttons request and dissolve. The
// route engine colours their indicators.
class RoutePage {
public:
    static constexpr int Routes = 16;

    RoutePage(RouteTable& table, RouteEngine& engine) : m_table(table), m_engine(engine) {}

    int base() const;
    void select(int index);

    // Route number 1..208 of button index.
    int route(int index) const { return base() + index + 1; }
    QString requestTip(int index) const;
    QString dissolveTip(int index) const;
    void request(int index);
    void dissolve(int index);

private:
    RouteTable& m_table;
    RouteEngine& m_engine;
};
