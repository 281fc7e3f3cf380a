#include "RouteTriggers.h"

#include "RouteTable.h"
#include "platform/DigitText.h"

namespace {

bool names(const QString& cell, const TriggerEvent& event, int address0, int state) {
    const qsizetype dash = cell.indexOf(u'-');
    if (dash < 0 || !cell.contains(QStringView(event.kind)))
        return false;
    if (leadingDigitsValue(QStringView(cell).mid(2)) != qint64(address0) + 1)
        return false;
    const QStringView after = QStringView(cell).mid(dash + 1);
    const int expected = after == QStringView(event.state0)   ? 0
                         : after == QStringView(event.state1) ? 1
                                                              : -1;
    return expected == state;
}

} // namespace

void FireRouteTriggers(RouteTable& table, const TriggerEvent& event, int address0, int state) {
    for (int route = 1; route <= RouteTable::LastRoute; ++route) {
        if (names(table.text(route, RouteTable::RequestTriggerColumn), event, address0, state))
            table.setStatus(route, RouteTable::RequestedColumn, true);
    }
    for (int route = 1; route <= RouteTable::LastRoute; ++route) {
        if (names(table.text(route, RouteTable::DissolveTriggerColumn), event, address0, state))
            table.setStatus(route, RouteTable::EstablishedColumn, false);
    }
}
