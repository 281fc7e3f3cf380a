#pragma once

#include <QByteArray>
#include <array>
#include <functional>

// Frames the received byte stream into whole messages and keeps them until
// the dispatcher takes them: 32 slots of up to 64 bytes. What comes while
// every slot holds an unread message waits behind the ring, in order, and
// moves in as the dispatcher takes messages: a program held up for a while
// on a busy bus reads more at once than the ring holds, and loses nothing.
// A message whose bytes do not add up to its checksum was garbled on the
// bus: it never enters the ring, so it is never taken for an echo, an
// answer or a report; it is counted and shown to whoever listens.
class ReceiveRing {
public:
    static constexpr int Slots = 32;
    static constexpr int Columns = 65;
    // About a minute and a half of a busy bus at the fastest interface.
    static constexpr qsizetype MaxWaitingBytes = 1024 * 1024;
    using Row = std::array<quint8, Columns>;

    void receive(const QByteArray& bytes);
    // Forgets every message and byte held, as at a new connection.
    void clear();

    bool isEmpty() const { return RxEmpty; }
    // Takes the oldest unread message. Only valid when not empty.
    Row take();
    int unreadCount() const;
    qsizetype waitingBytes() const { return m_waiting.size() - m_waitingFrom; }
    // Messages dropped for a wrong checksum since the ring was made, and
    // those a LocoNet server reports it could not read.
    int damagedCount() const { return m_damaged; }
    void countDamaged() { ++m_damaged; }

    // Told of every damaged message, whole as it came.
    std::function<void(const quint8* message, int length)> onDamaged;

private:
    void receiveByte(quint8 b);
    void moveWaitingIn();

    void completeMessage();

    std::array<Row, Slots> RxRing{};
    int RxFillSlot = 0;
    int RxWriteSlot = 0;
    int RxReadSlot = 0;
    int RxByteIndex = -1;
    int RxMsgLength = 0;
    bool RxInMessage = false;
    bool RxEmpty = true;
    int m_damaged = 0;
    QByteArray m_waiting;
    qsizetype m_waitingFrom = 0;
};
