#include "Families.h"
#include "MessageTexts.h"
#include "link/Identification.h"
#include "link/LinkState.h"
#include "link/Opcode.h"

namespace monitor {

namespace {
QString stationText(const Message& m) {
    const QString station = stationTypeName(stationTypeOfSlot0(m.bytes));
    return QStringLiteral("Slot 0: Zentrale %1, %2").arg(station, trackText(m[7]));
}

QString locoText(const Message& m, const Reading& r) {
    return QStringLiteral("%1: %2, %3, %4, %5; %6")
        .arg(slotText(r.slot, r.address), slotStatusText(m[3]), speedText(m[5]), dirfText(m[6]),
             functionsText(m[10], 5, 4), trackText(m[7]));
}
} // namespace

// Slot data 0xE7 as the station reports it, 0xEF as a device writes it.
bool readSlotData(const Message& m, const Context&, Reading& r, bool withText) {
    r.kind = MessageKind::Station;
    const bool whole = m[1] == loconet::SlotDataCount;
    const int slot = whole ? m[2] : NoSlot;
    const bool loco = slot >= 1 && slot <= loconet::LastLocoSlot;
    if (loco) {
        r.kind = MessageKind::Loco;
        r.slot = slot;
        r.address = m[9] * 128 + m[4];
    }
    if (!withText)
        return true;
    const QString what = m.opcode() == loconet::SlotData ? QStringLiteral("Slotdaten")
                                                         : QStringLiteral("Slot schreiben");
    if (!whole)
        r.text = QStringLiteral("%1 mit %2 Bytes statt 14").arg(what).arg(m.length);
    else if (slot == loconet::StationSlot)
        r.text = what + QStringLiteral(" ") + stationText(m);
    else if (loco)
        r.text = what + QStringLiteral(" ") + locoText(m, r);
    else
        r.text = QStringLiteral("%1 Slot %2 (Systemslot)").arg(what).arg(slot);
    return true;
}

} // namespace monitor
