#include "Families.h"
#include "MessageTexts.h"
#include "link/MessageReaders.h"
#include "link/Opcode.h"
#include "programming/ProgErrors.h"
#include "programming/ProgrammingState.h"

namespace monitor {

namespace {
constexpr int StartEndLength = 7;
constexpr int CvRequestLength = 31;
constexpr int WriteBit = 0x40;

bool isStartEnd(const Message& m) {
    return m.opcode() == loconet::PeerTransfer && m.length == StartEndLength &&
           m[1] == loconet::ProgrammingStartEndCount && m[2] == 0x01 &&
           m[3] == loconet::StationAddress1 && m[4] == loconet::StationAddress2;
}

bool isCvRequest(const Message& m) {
    return m.opcode() == loconet::StationRequest && m.length == CvRequestLength &&
           m[1] == loconet::CvRequestCount && m[2] == 0x01 && m[3] == loconet::StationAddress1 &&
           m[4] == loconet::StationAddress2;
}

bool isTrackSlot(const Message& m) {
    return (m.opcode() == loconet::SlotData || m.opcode() == loconet::WriteSlotData) &&
           m[1] == loconet::SlotDataCount && m[2] == loconet::ProgrammingTrackSlot;
}

// The slot carries the CV counted from 0, its bits 7..9 in CVH with bit 7
// of the value.
int cvOfSlot(const Message& m) {
    const int cvh = m[8];
    return ((((cvh & 0x30) >> 3) | (cvh & 0x01)) << 7 | m[9]) + 1;
}

int valueOfSlot(const Message& m) {
    return m[10] | ((m[8] & 0x02) << 6);
}

// In the program's own words for the CV jobs.
QString failure(int status, bool write) {
    return progError(ProgrammingState::StatusBase + status,
                     write ? ProgJobKind::WriteSingle : ProgJobKind::ReadSingle)
        .message();
}

QString slotText(const Message& m, int cv) {
    const bool write = m[3] & WriteBit;
    const int value = valueOfSlot(m);
    if (m.opcode() == loconet::WriteSlotData) {
        if (m[3] == 0)
            return QStringLiteral("Programmierauftrag abbrechen");
        return write ? QStringLiteral("Programmierauftrag: CV %1 schreiben: %2").arg(cv).arg(value)
                     : QStringLiteral("Programmierauftrag: CV %1 lesen").arg(cv);
    }
    const int status = m[4];
    if (status != 0)
        return QStringLiteral("CV %1 %2 – %3")
            .arg(cv)
            .arg(write ? QStringLiteral("schreiben") : QStringLiteral("lesen"),
                 failure(status, write));
    return QStringLiteral("CV %1 %2: %3")
        .arg(cv)
        .arg(write ? QStringLiteral("geschrieben") : QStringLiteral("gelesen"))
        .arg(value);
}

QString requestText(const std::array<int, 7>& d) {
    const int cv = word(d, 1);
    switch (d[0] & 0x7F) {
    case loconet::ReadCv:
        return QStringLiteral("CV %1 lesen").arg(cv);
    case loconet::WriteCv:
        return QStringLiteral("CV %1 schreiben: %2").arg(cv).arg(d[3]);
    default:
        return QStringLiteral("Programmiergleis-Anfrage, Befehl %1").arg(hexByte(d[0] & 0x7F));
    }
}

QString startEndText(const Message& m) {
    switch (m[5]) {
    case loconet::StartProgramming:
        return QStringLiteral("Programmiergleis: Programmierung beginnen");
    case loconet::EndProgramming:
        return QStringLiteral("Programmiergleis: Programmierung beenden");
    default:
        return QStringLiteral("Programmiergleis: Befehl %1").arg(hexByte(m[5]));
    }
}
} // namespace

bool readProgramming(const Message& m, const Context&, Reading& r, bool withText) {
    if (isStartEnd(m)) {
        r.kind = MessageKind::Programming;
        if (withText)
            r.text = startEndText(m);
        return true;
    }
    if (isCvRequest(m)) {
        // Byte 5 holds bit 7 of bytes 6..12.
        const std::array<int, 7> d = messages::restoreHighBits(m.bytes, 5);
        r.kind = MessageKind::Programming;
        r.address = word(d, 1);
        if (withText)
            r.text = requestText(d);
        return true;
    }
    if (isTrackSlot(m)) {
        r.kind = MessageKind::Programming;
        r.address = cvOfSlot(m);
        if (withText)
            r.text = slotText(m, r.address);
        return true;
    }
    return false;
}

} // namespace monitor
