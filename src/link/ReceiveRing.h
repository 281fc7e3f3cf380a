#pragma once

#include <QByteArray>
#include <array>

// Frames the received byte stream into whole messages and keeps them until
// the dispatcher takes them: 32 slots of up to 64 bytes. What comes while
// every slot holds an unread message waits behind the ring, in order, and
// moves in as the dispatcher takes messages: a program held up for a while
// on a busy bus reads more at once than the ring holds, and loses nothing.
class ReceiveRing {
public:
    static constexpr int Slots = 32;
    static constexpr int Columns = 65;
    // About a minute and a half of a busy bus at the fastest interface.
    static constexpr qsizetype MaxWaitingBytes = 1024 * 1024;
    using Row = std::array<quint8, Columns>;

    void receive(const QByteArray& bytes);

    bool isEmpty() const { return RxEmpty; }
    // Takes the oldest unread message. Only valid when not empty.
    Row take();
    int unreadCount() const;
    qsizetype waitingBytes() const { return m_waiting.size() - m_waitingFrom; }

    std::array<Row, Slots> RxRing{};
    int RxFillSlot = 0;
    int RxWriteSlot = 0;
    int RxReadSlot = 0;
    int RxByteIndex = -1;
    int RxMsgLength = 0;
    bool RxInMessage = false;
    bool RxEmpty = true;

private:
    void receiveByte(quint8 b);
    void moveWaitingIn();

    QByteArray m_waiting;
    qsizetype m_waitingFrom = 0;
};
