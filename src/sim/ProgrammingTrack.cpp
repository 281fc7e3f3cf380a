#include "ProgrammingTrack.h"

#include "Outbox.h"
#include "StationMessage.h"

#include <algorithm>

namespace {

constexpr quint8 ReadCommand = 0x72;
constexpr quint8 WriteCommand = 0x71;
constexpr quint8 Start = 0x41;
constexpr quint8 End = 0x40;
// PCMD of the answer: direct byte mode, read or write.
constexpr int AnswerRead = 0x2B;
constexpr int AnswerWrite = 0x6B;

bool hasSignature(const QByteArray& m) {
    return m[2] == 0x01 && m[3] == 0x47 && m[4] == 0x58;
}

// The CV goes back the LocoNet way: counted from 0, bits 7..9 in CVH with
// bit 7 of the value.
QByteArray answer(bool write, quint8 status, int cv, int value, quint8 trackStatus) {
    const int index = std::clamp(cv - 1, 0, VirtualDecoder::Cvs - 1);
    const int cvh = ((index >> 7) & 0x01) | (((index >> 8) & 0x03) << 4) | ((value >> 7) & 1) << 1;
    return sim::message({0xE7, 0x0E, ProgrammingTrack::Slot, write ? AnswerWrite : AnswerRead,
                         status, 0x00, 0x00, trackStatus, cvh, index & 0x7F, value & 0x7F, 0x00,
                         0x00});
}

quint8 trackFault(Faults::ProgrammingTrack condition) {
    switch (condition) {
    case Faults::ProgrammingTrack::NoDecoder:
        return ProgrammingTrack::NoDecoder;
    case Faults::ProgrammingTrack::ShortCircuit:
        return ProgrammingTrack::ShortCircuit;
    default:
        return ProgrammingTrack::Done;
    }
}

} // namespace

bool ProgrammingTrack::handleStartEnd(const QByteArray& m) {
    if (m.size() != 7 || static_cast<quint8>(m[0]) != 0xE5 || !hasSignature(m))
        return false;
    if (m[5] == Start)
        m_active = true;
    else if (m[5] == End)
        m_active = false;
    else
        return false;
    return true;
}

bool ProgrammingTrack::handleRequest(const QByteArray& m, Faults::ProgrammingTrack condition,
                                     quint8 trackStatus, Outbox& out) {
    if (m.size() != 31 || static_cast<quint8>(m[0]) != 0xED || !hasSignature(m))
        return false;
    // Byte 5 holds bit 7 of bytes 6..12.
    const std::array<int, 7> d = sim::restoreHighBits<7>(m, 5);
    const int command = d[0] & 0x7F;
    if (command != ReadCommand && command != WriteCommand)
        return false;
    const bool write = command == WriteCommand;
    const int cv = d[1] | (d[2] << 8);
    const int value = write ? d[3] : 0;

    if (const quint8 fault = trackFault(condition); fault != Done) {
        out.answer(answer(write, fault, cv, value, trackStatus));
    } else if (write) {
        out.answer(
            answer(true, decoder.write(cv, value) ? Done : NoAcknowledge, cv, value, trackStatus));
    } else if (const std::optional<int> read = decoder.read(cv)) {
        out.answer(answer(false, Done, cv, *read, trackStatus));
    } else {
        out.answer(answer(false, NoAcknowledge, cv, 0, trackStatus));
    }
    return true;
}
