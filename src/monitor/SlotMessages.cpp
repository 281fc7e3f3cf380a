#include "Families.h"
#include "MessageTexts.h"
#include "link/Identification.h"
#include "link/LinkState.h"
#include "link/MessageReaders.h"
#include "link/Opcode.h"

namespace monitor {

namespace {
QString stationText(const Message& m) {
    const QString station = stationTypeName(stationTypeOfSlot0(m.bytes));
    return QStringLiteral("Slot 0: Zentrale %1, %2").arg(station, trackText(m[7]));
}

QString locoText(const messages::SlotData& s) {
    return QStringLiteral("%1: %2, %3, %4, %5; %6")
        .arg(slotText(s.slot, s.address), slotStatusText(s.status), speedText(s.speed),
             dirfText(s.dirF), functionsText(s.snd, 5, 4), trackText(s.track));
}
} // namespace

// Slot data 0xE7 as the station reports it, 0xEF as a device writes it.
bool readSlotData(const Message& m, const Context&, Reading& r, bool withText) {
    r.kind = MessageKind::Station;
    const bool whole = m[1] == loconet::SlotDataCount;
    const messages::SlotData data = whole ? messages::readSlotData(m.bytes) : messages::SlotData{};
    const int slot = whole ? data.slot : NoSlot;
    const bool loco = slot >= 1 && slot <= loconet::LastLocoSlot;
    if (loco) {
        r.kind = MessageKind::Loco;
        r.slot = slot;
        r.address = data.address;
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
        r.text = what + QStringLiteral(" ") + locoText(data);
    else
        r.text = QStringLiteral("%1 Slot %2 (Systemslot)").arg(what).arg(slot);
    return true;
}

} // namespace monitor
