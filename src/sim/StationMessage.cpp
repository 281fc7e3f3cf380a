#include "StationMessage.h"

#include "link/LocoNetMessage.h"

namespace sim {

QByteArray message(std::initializer_list<int> bytes) {
    QByteArray m;
    for (const int b : bytes)
        m.append(static_cast<char>(b));
    return loconet::withChecksum(m);
}

QByteArray longAck(quint8 requestOpcode, quint8 code) {
    return message({0xB4, requestOpcode & 0x7F, code});
}

bool checksumValid(const QByteArray& message) {
    quint8 sum = 0;
    for (const char c : message)
        sum ^= static_cast<quint8>(c);
    return sum == 0xFF;
}

QByteArray packedMessage(quint8 opcode, const std::array<quint8, 3>& address, quint8 kind,
                         const PeerData& data) {
    QByteArray m;
    m.append(static_cast<char>(opcode));
    m.append(static_cast<char>(0x0F));
    for (const quint8 b : address)
        m.append(static_cast<char>(b));
    m.append(static_cast<char>(kind));
    quint8 high = 0;
    for (int k = 0; k < 7; ++k) {
        if (data[k] & 0x80)
            high |= static_cast<quint8>(1 << k);
    }
    m.append(static_cast<char>(high));
    for (const int b : data)
        m.append(static_cast<char>(b & 0x7F));
    return loconet::withChecksum(m);
}

} // namespace sim
