#include "ReceiveRing.h"

#include "LocoNetMessage.h"

void ReceiveRing::receive(const QByteArray& bytes) {
    for (const char c : bytes)
        receiveByte(static_cast<quint8>(c));
}

void ReceiveRing::receiveByte(quint8 b) {
    if (b & 0x80) {
        RxInMessage = true;
        if (!RxFull) {
            if ((RxWriteSlot + 1) % Slots == RxReadSlot)
                RxFull = true;
            else
                RxFillSlot = (RxWriteSlot + 1) % Slots;
        }
        RxByteIndex = -1;
        RxMsgLength = loconet::lengthOfOpcode(b);
    }
    if (!RxInMessage)
        return;

    ++RxByteIndex;
    if (RxMsgLength == -1 && RxByteIndex == 1) {
        RxMsgLength = b;
        // A count below 2 could never complete and would run off the row.
        if (RxMsgLength < 2 || RxMsgLength > loconet::MaxMessageLength)
            RxInMessage = false;
    }
    RxRing[RxFillSlot][RxByteIndex] = b;
    if (RxByteIndex == RxMsgLength - 1) {
        RxWriteSlot = RxFillSlot;
        RxEmpty = false;
        RxInMessage = false;
    }
}

ReceiveRing::Row ReceiveRing::take() {
    RxReadSlot = (RxReadSlot + 1) % Slots;
    RxFull = false;
    const Row row = RxRing[RxReadSlot];
    if (RxWriteSlot == RxReadSlot)
        RxEmpty = true;
    return row;
}

int ReceiveRing::unreadCount() const {
    return RxEmpty ? 0 : (RxWriteSlot - RxReadSlot + Slots) % Slots;
}
