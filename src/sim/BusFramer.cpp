#include "BusFramer.h"

#include "link/LocoNetMessage.h"

QList<QByteArray> BusFramer::receive(const QByteArray& bytes) {
    QList<QByteArray> messages;
    for (const char c : bytes) {
        QByteArray m = receiveByte(static_cast<quint8>(c));
        if (!m.isEmpty())
            messages.append(m);
    }
    return messages;
}

QByteArray BusFramer::receiveByte(quint8 b) {
    if (b & 0x80) {
        m_message = QByteArray(1, static_cast<char>(b));
        m_length = loconet::lengthOfOpcode(b);
        return {};
    }
    if (m_message.isEmpty())
        return {};
    m_message.append(static_cast<char>(b));
    if (m_length == -1) {
        m_length = b;
        if (m_length < 2 || m_length > loconet::MaxMessageLength) {
            m_message.clear();
            return {};
        }
    }
    if (m_message.size() < m_length)
        return {};
    QByteArray whole;
    whole.swap(m_message);
    return whole;
}
