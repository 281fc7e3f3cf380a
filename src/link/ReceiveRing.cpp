#include "ReceiveRing.h"

#include "LocoNetMessage.h"

void ReceiveRing::receive(const QByteArray& bytes) {
    m_waiting.remove(0, m_waitingFrom);
    m_waitingFrom = 0;
    m_waiting += bytes;
    // Nobody has taken a message for a long time: the oldest waiting bytes
    // go, and framing starts again at the next opcode, so memory stays
    // bounded and no message is pieced together from two.
    if (m_waiting.size() > MaxWaitingBytes) {
        m_waiting.remove(0, m_waiting.size() - MaxWaitingBytes);
        RxInMessage = false;
    }
    moveWaitingIn();
}

void ReceiveRing::clear() {
    RxFillSlot = RxWriteSlot = RxReadSlot = 0;
    RxByteIndex = -1;
    RxMsgLength = 0;
    RxInMessage = false;
    RxEmpty = true;
    m_waiting.clear();
    m_waitingFrom = 0;
}

// A message starts only in a free slot; the bytes of one under way always
// have theirs.
void ReceiveRing::moveWaitingIn() {
    for (; m_waitingFrom < m_waiting.size(); ++m_waitingFrom) {
        const auto b = static_cast<quint8>(m_waiting[m_waitingFrom]);
        if ((b & 0x80) && (RxWriteSlot + 1) % Slots == RxReadSlot)
            return;
        receiveByte(b);
    }
    m_waiting.clear();
    m_waitingFrom = 0;
}

void ReceiveRing::receiveByte(quint8 b) {
    if (b & 0x80) {
        RxInMessage = true;
        RxFillSlot = (RxWriteSlot + 1) % Slots;
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
    if (RxByteIndex == RxMsgLength - 1)
        completeMessage();
}

void ReceiveRing::completeMessage() {
    RxInMessage = false;
    const quint8* message = RxRing[RxFillSlot].data();
    if (loconet::checksum(message, RxMsgLength) != 0) {
        ++m_damaged;
        if (onDamaged)
            onDamaged(message, RxMsgLength);
        return;
    }
    RxWriteSlot = RxFillSlot;
    RxEmpty = false;
}

ReceiveRing::Row ReceiveRing::take() {
    RxReadSlot = (RxReadSlot + 1) % Slots;
    const Row row = RxRing[RxReadSlot];
    if (RxWriteSlot == RxReadSlot)
        RxEmpty = true;
    moveWaitingIn();
    return row;
}

int ReceiveRing::unreadCount() const {
    return RxEmpty ? 0 : (RxWriteSlot - RxReadSlot + Slots) % Slots;
}
