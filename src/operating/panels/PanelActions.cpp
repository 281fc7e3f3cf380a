#include "PanelActions.h"

#include "link/JobRequest.h"
#include "routes/RouteTable.h"

namespace panel {
namespace {
constexpr int RedOffJob = 16;
constexpr int ReportFreeJob = 20;
} // namespace

void switchAccessory(JobRequest& job, int address, bool green, bool outputOn) {
    // 16 red off, 17 green off, 18 red on, 19 green on.
    job.start(RedOffJob + (green ? 1 : 0) + (outputOn ? 2 : 0), address);
}

void reportContact(JobRequest& job, int contact, bool occupied) {
    job.start(ReportFreeJob + (occupied ? 1 : 0), contact);
}

void requestRoute(RouteTable& table, int route) {
    if (RouteTable::isRoute(route))
        table.setStatus(route, RouteTable::RequestedColumn, true);
}

void dissolveRoute(RouteTable& table, int route) {
    if (RouteTable::isRoute(route))
        table.setStatus(route, RouteTable::EstablishedColumn, false);
}
} // namespace panel
