#include "MonitorFilter.h"

bool MonitorFilter::accepts(const monitor::Reading& reading) const {
    if (!kinds[static_cast<int>(reading.kind)])
        return false;
    if (from == monitor::NoAddress && to == monitor::NoAddress)
        return true;
    return reading.address != monitor::NoAddress &&
           (from == monitor::NoAddress || reading.address >= from) &&
           (to == monitor::NoAddress || reading.address <= to);
}
