#include "CvRequest.h"

#include "ProgrammingState.h"
#include "link/Opcode.h"

#include <algorithm>

namespace cvrequest {

namespace {

constexpr quint8 ReadCommand = 0x72;
constexpr quint8 WriteCommand = 0x71;
// Byte 5 carries bit 7 of bytes 6 + n in its bit n; 0x71 are the bits of
// the fixed bytes 6, 10, 11 and 12.
constexpr quint8 HighBitsBase = 0x71;
constexpr quint8 CvBit7 = 0x02;
constexpr quint8 ValueBit7 = 0x08;

constexpr int StatusIndex = 4;
constexpr int CvhIndex = 8;
constexpr int DataIndex = 10;

Request request(bool write, int cv, int value) {
    Request m{};
    quint8 high = HighBitsBase;
    if (cv & 0x80)
        high |= CvBit7;
    if (write && (value & 0x80))
        high |= ValueBit7;
    const quint8 head[] = {loconet::StationRequest,
                           loconet::CvRequestCount,
                           0x01,
                           loconet::StationAddress1,
                           loconet::StationAddress2,
                           high,
                           write ? WriteCommand : ReadCommand,
                           static_cast<quint8>(cv & 0x7F),
                           static_cast<quint8>((cv / 256) & 0x7F),
                           static_cast<quint8>(write ? value & 0x7F : 0),
                           0x70};
    std::copy(std::begin(head), std::end(head), m.begin());
    m[15] = 0x10;
    return m;
}

} // namespace

Request read(int cv) {
    return request(false, cv, 0);
}

Request write(int cv, int value) {
    return request(true, cv, value);
}

int answerFrom(const ReceiveRing::Row& message, int progAnswer) {
    const int status = message[StatusIndex];
    if (progAnswer != ProgrammingState::ReadOutstanding || status != 0)
        return ProgrammingState::StatusBase + status;
    return message[DataIndex] + (message[CvhIndex] & 0x02) * 64;
}

} // namespace cvrequest
