#include "Families.h"
#include "link/Opcode.h"

namespace monitor {

bool readPower(const Message& m, const Context&, Reading& r, bool withText) {
    r.kind = MessageKind::Station;
    if (!withText)
        return true;
    switch (m.opcode()) {
    case loconet::Busy:
        r.text = QStringLiteral("Bus belegt (Füll-Message der Zentrale)");
        return true;
    case loconet::PowerOff:
        r.text = QStringLiteral("Gleisspannung aus (STOP)");
        return true;
    case loconet::PowerOn:
        r.text = QStringLiteral("Gleisspannung ein (GO)");
        return true;
    case loconet::Idle:
        r.text = QStringLiteral("Nothalt für alle Loks");
        return true;
    default:
        return false;
    }
}

} // namespace monitor
