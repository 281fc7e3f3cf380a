#pragma once

#include <QByteArray>
#include <array>
#include <initializer_list>

// Building and reading the messages the station sends and hears.
namespace sim {

// The bytes with their checksum appended.
QByteArray message(std::initializer_list<int> bytes);

// The station's refusal or acknowledgement of a request: B4, the request's
// opcode without bit 7, the code.
QByteArray longAck(quint8 requestOpcode, quint8 code);

// True when the XOR of all bytes, checksum included, is 0xFF.
bool checksumValid(const QByteArray& message);

// The data bytes that follow a high-bit byte, each with bit 7 restored from
// the high-bit byte's bit k for the k-th byte.
template <int N> std::array<int, N> restoreHighBits(const QByteArray& message, int highBitIndex) {
    std::array<int, N> data{};
    const int high = static_cast<quint8>(message.at(highBitIndex));
    for (int k = 0; k < N; ++k)
        data[k] = (static_cast<quint8>(message.at(highBitIndex + 1 + k)) & 0x7F) |
                  (((high >> k) & 1) << 7);
    return data;
}

// Seven data bytes of a 15-byte message (bytes 7..13, high bits in byte 6).
using PeerData = std::array<int, 7>;
inline PeerData peerData(const QByteArray& message) {
    return restoreHighBits<7>(message, 6);
}

// A 15-byte message <opcode> 0F: three address bytes, the kind of content
// (or command) in byte 5, and seven data bytes whose bit 7 goes into byte 6.
QByteArray packedMessage(quint8 opcode, const std::array<quint8, 3>& address, quint8 kind,
                         const PeerData& data);

} // namespace sim
