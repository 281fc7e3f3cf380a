#include "LocoNetMessage.h"

namespace loconet {

int lengthOfOpcode(quint8 opcode) {
    switch ((opcode >> 5) & 0x03) {
    case 0:
        return 2;
    case 1:
        return 4;
    case 2:
        return 6;
    default:
        return -1;
    }
}

int lengthOfMessage(const quint8* message) {
    const int length = lengthOfOpcode(message[0]);
    return length == -1 ? message[1] : length;
}

quint8 checksum(const quint8* bytes, int count) {
    quint8 sum = 0xFF;
    for (int i = 0; i < count; ++i)
        sum ^= bytes[i];
    return sum;
}

QByteArray withChecksum(QByteArray bytes) {
    bytes.append(static_cast<char>(
        checksum(reinterpret_cast<const quint8*>(bytes.constData()), bytes.size())));
    return bytes;
}

} // namespace loconet
