#include "Messages.h"

namespace messages {

Request15 request15(quint8 to1, quint8 to2, quint8 command, const RequestData& data) {
    Request15 m{loconet::StationRequest, loconet::Request15Count, 0x01, to1, to2, command, 0x00};
    for (size_t k = 0; k < data.size(); ++k) {
        const auto byte = static_cast<quint8>(data[k] & 0xFF);
        if (byte & 0x80)
            m[6] |= static_cast<quint8>(1 << k);
        m[7 + k] = low7(byte);
    }
    return m;
}

std::array<quint8, 6> programmingTrack(bool enter) {
    return {loconet::PeerTransfer,
            loconet::ProgrammingStartEndCount,
            0x01,
            loconet::StationAddress1,
            loconet::StationAddress2,
            enter ? loconet::StartProgramming : loconet::EndProgramming};
}

} // namespace messages
