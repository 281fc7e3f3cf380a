#include "Families.h"
#include "MessageTexts.h"
#include "link/Opcode.h"

#include <vector>

namespace monitor {

namespace {
constexpr int PeerLength = 0x10;
constexpr int PacketLength = 0x0B;
constexpr int PacketMarker = 0x7F;

QString hexList(const std::vector<quint8>& bytes) {
    return hexBytes({bytes.data(), static_cast<int>(bytes.size())});
}

// E5 10 SRC DSTL DSTH PXCT1 D1..D4 PXCT2 D5..D8: bit 7 of the data bytes
// in PXCT1 and PXCT2.
QString peerText(const Message& m) {
    if (m.length != PeerLength)
        return QStringLiteral("Peer-Message mit %1 Bytes").arg(m.length);
    std::vector<quint8> data;
    for (int half = 0; half < 2; ++half) {
        const int pxct = m[5 + 5 * half];
        for (int k = 0; k < 4; ++k)
            data.push_back(m[6 + 5 * half + k] | (((pxct >> k) & 1) << 7));
    }
    const int to = m[3] | (m[4] << 7);
    return QStringLiteral("Peer-Message von %1 an %2: %3")
        .arg(m[2])
        .arg(to == 0 ? QStringLiteral("alle") : QString::number(to))
        .arg(hexList(data));
}

// ED 0B 7F REPS DHI IM1..IM5: the number of DCC bytes and the repeats in
// REPS, bit 7 of the DCC bytes in DHI.
QString packetText(const Message& m) {
    const int count = qMin((m[3] >> 4) & 0x07, 5);
    std::vector<quint8> packet;
    for (int k = 0; k < count; ++k)
        packet.push_back(m[5 + k] | (((m[4] >> k) & 1) << 7));
    return QStringLiteral("DCC-Paket ans Gleis: %1, %2 Wiederholungen")
        .arg(hexList(packet))
        .arg(m[3] & 0x07);
}
} // namespace

bool readPeer(const Message& m, const Context&, Reading& r, bool withText) {
    const bool packet =
        m.opcode() == loconet::StationRequest && m[1] == PacketLength && m[2] == PacketMarker;
    if (!packet && m.opcode() != loconet::PeerTransfer)
        return false;
    r.kind = MessageKind::Other;
    if (withText)
        r.text = packet ? packetText(m) : peerText(m);
    return true;
}

} // namespace monitor
