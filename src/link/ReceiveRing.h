#pragma once

#include <QByteArray>
#include <array>

// Frames the received byte stream into whole messages and keeps them until
// the dispatcher takes them: 32 slots of up to 64 bytes. The newest stored
// message is overwritten while the ring is full.
class ReceiveRing {
public:
    static constexpr int Slots = 32;
    static constexpr int Columns = 65;
    using Row = std::array<quint8, Columns>;

    void receive(const QByteArray& bytes);
    void receiveByte(quint8 b);

    bool isEmpty() const { return RxEmpty; }
    // Takes the oldest unread message. Only valid when not empty.
    Row take();
    int unreadCount() const;

    std::array<Row, Slots> RxRing{};
    int RxFillSlot = 0;
    int RxWriteSlot = 0;
    int RxReadSlot = 0;
    int RxByteIndex = -1;
    int RxMsgLength = 0;
    bool RxInMessage = false;
    bool RxEmpty = true;
    bool RxFull = false;
};
