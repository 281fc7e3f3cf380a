#pragma once

#include "ReceiveRing.h"

class LinkState;

// Takes received messages out of the ring, stores what they report, tells
// the windows, and recognises the echo of the message we sent.
class Dispatcher {
public:
    explicit Dispatcher(LinkState& state) : s(state) {}

    // Every complete message in the ring, oldest first, each with the full
    // bookkeeping of one message. A bus can bring 250 messages a second;
    // taking one per 10 ms tick would let the ring overflow and lose reports.
    void DispatchAll();
    // One message, if there is one.
    void DispatchOne();

private:
    using Row = ReceiveRing::Row;
    void handle(const Row& m);
    void onAccessoryCommand(const Row& m);
    void onFeedbackReport(const Row& m);
    void onLongAcknowledge(const Row& m);
    void onAccessoryState(int code);
    void onEdAnswer(int code);
    void onExtendedFunction(const Row& m);
    void onSlotData(const Row& m);
    void onExtendedSlotData(const Row& m);
    void onDirectionReport(const Row& m);
    void bookkeepEcho(const Row& m);

    void refreshSlot(int slot, bool throttles = true);
    void matchSlotAddress(int slot);

    LinkState& s;
};
