#pragma once

#include <QByteArray>
#include <QList>

// Cuts what the PC writes into whole LocoNet messages, as every device on
// the bus does: an opcode starts a message and cuts off an unfinished one,
// data bytes outside a message are noise.
class BusFramer {
public:
    QList<QByteArray> receive(const QByteArray& bytes);
    // One byte; a whole message when this byte completed one.
    QByteArray receiveByte(quint8 b);

private:
    QByteArray m_message;
    int m_length = 0;
};
