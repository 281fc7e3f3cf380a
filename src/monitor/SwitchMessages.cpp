#include "Families.h"
#include "link/MessageReaders.h"
#include "link/Opcode.h"

namespace monitor {

namespace {
constexpr int DirectionBit = 0x20;
constexpr int OutputBit = 0x10;
// In a switch report: the report is of an input, not of the outputs.
constexpr int InputReportBit = 0x40;

QString onOff(bool on) {
    return on ? QStringLiteral("ein") : QStringLiteral("aus");
}

QString command(const messages::AccessoryCommand& c) {
    return QStringLiteral("%1, Ausgang %2")
        .arg(c.direction ? QStringLiteral("grün") : QStringLiteral("rot"), onOff(c.on));
}

QString report(const Message& m) {
    if (m[2] & InputReportBit)
        return QStringLiteral("%1 %2").arg((m[2] & DirectionBit) ? QStringLiteral("Schalteingang")
                                                                 : QStringLiteral("Hilfseingang"),
                                           onOff(m[2] & OutputBit));
    return QStringLiteral("Ausgang grün %1, Ausgang rot %2")
        .arg(onOff(m[2] & DirectionBit), onOff(m[2] & OutputBit));
}
} // namespace

bool readSwitch(const Message& m, const Context&, Reading& r, bool withText) {
    r.kind = MessageKind::Switch;
    const messages::AccessoryCommand c = messages::readAccessoryCommand(m.bytes);
    r.address = c.address + 1;
    if (!withText)
        return true;
    const QString accessory = QStringLiteral("Mag.Art. %1").arg(r.address);
    switch (m.opcode()) {
    case loconet::SwitchRequest:
        r.text = accessory + QStringLiteral(": ") + command(c);
        return true;
    case loconet::SwitchAck:
        r.text = accessory + QStringLiteral(": ") + command(c) + QStringLiteral(", mit Quittung");
        return true;
    case loconet::SwitchState:
        r.text = QStringLiteral("Stellung von %1 abfragen").arg(accessory);
        return true;
    case loconet::SwitchReport:
        r.text = accessory + QStringLiteral(" meldet: ") + report(m);
        return true;
    default:
        return false;
    }
}

} // namespace monitor
