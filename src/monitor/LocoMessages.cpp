#include "Families.h"
#include "MessageTexts.h"
#include "link/MessageReaders.h"
#include "link/Opcode.h"

namespace monitor {

namespace {
QString onOff(int bits, int mask) {
    return (bits & mask) ? QStringLiteral("ein") : QStringLiteral("aus");
}

// Byte 3 of 0xD4 0x20 names the group, byte 4 holds its functions.
QString functionGroupText(int group, int bits) {
    switch (group) {
    case 0x05:
        return QStringLiteral("F12 %1, F20 %2, F28 %3")
            .arg(onOff(bits, 0x10), onOff(bits, 0x20), onOff(bits, 0x40));
    case 0x06:
        return QStringLiteral("Licht %1, %2").arg(onOff(bits, 0x10), functionsText(bits, 1, 4));
    case 0x07:
        return functionsText(bits, 5, 7);
    case 0x08:
        return functionsText(bits, 13, 7);
    case 0x09:
        return functionsText(bits, 21, 7);
    default:
        return QStringLiteral("Funktionsgruppe %1: %2").arg(hexByte(group), hexByte(bits));
    }
}

QString moveText(int from, int to, int locoAddress) {
    if (from == to)
        return slotText(from, locoAddress) + QStringLiteral(" in Benutzung nehmen");
    if (from == 0)
        return QStringLiteral("Übergabe-Slot abholen");
    if (to == 0)
        return slotText(from, locoAddress) + QStringLiteral(" zur Übergabe bereitstellen");
    return QStringLiteral("%1 nach Slot %2 verschieben").arg(slotText(from, locoAddress)).arg(to);
}

// The subject of each loco message: the slot it names, or the address.
void readSubject(const Message& m, Reading& r) {
    r.kind = MessageKind::Loco;
    switch (m.opcode()) {
    case loconet::LocoAddress:
    case loconet::LocoAddressExpanded:
        r.address = m[1] * 128 + m[2];
        return;
    case loconet::RequestSlotData:
        if (m[1] == loconet::StationSlot)
            r.kind = MessageKind::Station;
        else if (m[1] == loconet::ProgrammingTrackSlot)
            r.kind = MessageKind::Programming;
        else
            r.slot = m[1];
        return;
    case loconet::ExtendedFunction:
        if (m[1] == loconet::ExtendedFunctionGroup)
            r.slot = m[2];
        return;
    case loconet::ExtendedSlotData:
        if (messages::isExtendedSlotData(m.bytes)) {
            r.slot = messages::extendedSlot(m.bytes);
            r.address = messages::extendedSlotAddress(m.bytes);
        }
        return;
    default:
        r.slot = m[1];
        return;
    }
}

QString text(const Message& m, const Context& c, const Reading& r) {
    const QString slot = slotText(r.slot, c.locoAddress);
    switch (m.opcode()) {
    case loconet::LocoSpeed:
        return slot + QStringLiteral(": ") + speedText(m[2]);
    case loconet::LocoDirF:
        return slot + QStringLiteral(": ") + dirfText(m[2]);
    case loconet::LocoSound:
        return slot + QStringLiteral(": ") + functionsText(m[2], 5, 4);
    case loconet::LocoF9to12:
        return slot + QStringLiteral(": ") + functionsText(m[2], 9, 4);
    case loconet::SlotStatus:
        return slot + QStringLiteral(": Status ") + slotStatusText(m[2]);
    case loconet::ConsistFunction:
        return slot + QStringLiteral(" in Traktion: ") + dirfText(m[2]);
    case loconet::UnlinkSlots:
        return QStringLiteral("Traktion auflösen: Slot %1 von Slot %2").arg(m[1]).arg(m[2]);
    case loconet::LinkSlots:
        return QStringLiteral("Traktion bilden: Slot %1 an Slot %2").arg(m[1]).arg(m[2]);
    case loconet::MoveSlots:
        return moveText(m[1], m[2], c.locoAddress);
    case loconet::RequestSlotData:
        if (r.kind == MessageKind::Station)
            return QStringLiteral("Slot 0 abfragen (Kennung der Zentrale)");
        if (r.kind == MessageKind::Programming)
            return QStringLiteral("Slot 124 abfragen (Programmiergleis)");
        return QStringLiteral("Slotdaten von %1 abfragen").arg(slot);
    case loconet::LocoAddress:
    case loconet::LocoAddressExpanded:
        return QStringLiteral("Lok %1 anmelden (Slot anfordern)").arg(r.address);
    case loconet::ExtendedFunction:
        if (r.slot == NoSlot)
            return QStringLiteral("Erweiterte Slot-Message");
        return slot + QStringLiteral(": ") + functionGroupText(m[3], m[4]);
    case loconet::ExtendedSlotData:
        if (r.slot == NoSlot)
            return QStringLiteral("Erweiterte Slotdaten");
        return QStringLiteral("Erweiterte Slotdaten %1: %2, %3, %4")
            .arg(slotText(r.slot, r.address), speedText(m[8]), dirfText(m[10]),
                 functionsText(m[11], 5, 4));
    default:
        return {};
    }
}
} // namespace

bool readLoco(const Message& m, const Context& c, Reading& r, bool withText) {
    readSubject(m, r);
    if (withText)
        r.text = text(m, c, r);
    return true;
}

} // namespace monitor
