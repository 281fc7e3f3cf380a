#include "StationSlots.h"

void StationSlots::reset() {
    StationType = UnknownStation;
    for (int t = 0; t < 2; ++t) {
        ThrottleData[t][SlotRecord::Address] = -1;
        ThrottleSlot[t] = -1;
    }
    SlotTable[BlankSlot] = SlotRecord{};
}

bool FeedbackContacts::store(int contact, int state) {
    if (contact < 0 || contact >= Count)
        return false;
    FeedbackState[contact] = static_cast<qint16>(state);
    return true;
}
