#include "Decoder.h"
#include "Families.h"
#include "MessageTexts.h"
#include "link/Opcode.h"
#include "programming/lncv/LncvRefusal.h"

namespace monitor {

namespace {
using loconet::answeredOpcode;

QString code(int value) {
    return QStringLiteral("Code %1").arg(hexByte(value));
}

QString acceptedOr(int value, const QString& refusal) {
    return value == loconet::Accepted ? QStringLiteral("angenommen") : refusal;
}

QString lncvVerdict(int value) {
    if (const QString refusal = lncvWriteRefusal(value); !refusal.isEmpty())
        return refusal;
    return acceptedOr(value, QStringLiteral("abgelehnt (%1)").arg(code(value)));
}

QString programmingVerdict(int value) {
    switch (value) {
    case 0x00:
        return QStringLiteral("abgelehnt, Programmiergleis belegt");
    case 0x01:
        return QStringLiteral("angenommen, Ergebnis folgt");
    case 0x40:
        return QStringLiteral("angenommen, ohne Ergebnis");
    case 0x7F:
        return QStringLiteral("nicht unterstützt");
    default:
        return code(value);
    }
}

QString verdict(int answered, int value, const Message& request) {
    switch (answered) {
    case answeredOpcode(loconet::SwitchRequest):
        return QStringLiteral("nicht bearbeitet (%1)").arg(code(value));
    case answeredOpcode(loconet::SwitchState):
        if (value == loconet::SwitchStateGreen)
            return QStringLiteral("grün");
        if (value == loconet::SwitchStateRed)
            return QStringLiteral("rot");
        return QStringLiteral("Stellung unbekannt (%1)").arg(code(value));
    case answeredOpcode(loconet::SwitchAck):
        return acceptedOr(value, QStringLiteral("abgelehnt, Befehlspuffer voll"));
    case answeredOpcode(loconet::LocoAddress):
    case answeredOpcode(loconet::LocoAddressExpanded):
        return value == 0 ? QStringLiteral("abgelehnt, kein Slot frei")
                          : QStringLiteral("abgelehnt (%1)").arg(code(value));
    case answeredOpcode(loconet::WriteSlotData):
        return programmingVerdict(value);
    case answeredOpcode(loconet::StationRequest):
        if (!request.isEmpty() && isLncvRequest(request))
            return lncvVerdict(value);
        return acceptedOr(value, QStringLiteral("abgelehnt (%1)").arg(code(value)));
    default:
        return acceptedOr(value, QStringLiteral("abgelehnt (%1)").arg(code(value)));
    }
}

MessageKind kindWithoutRequest(int answered) {
    switch (answered) {
    case answeredOpcode(loconet::SwitchRequest):
    case answeredOpcode(loconet::SwitchState):
    case answeredOpcode(loconet::SwitchAck):
        return MessageKind::Switch;
    case answeredOpcode(loconet::LocoAddress):
    case answeredOpcode(loconet::LocoAddressExpanded):
    case answeredOpcode(loconet::UnlinkSlots):
    case answeredOpcode(loconet::LinkSlots):
    case answeredOpcode(loconet::MoveSlots):
    case answeredOpcode(loconet::RequestSlotData):
        return MessageKind::Loco;
    case answeredOpcode(loconet::WriteSlotData):
        return MessageKind::Programming;
    case answeredOpcode(loconet::StationRequest):
        return MessageKind::Station;
    default:
        return MessageKind::Other;
    }
}
} // namespace

// A long acknowledge names the opcode it answers; the request itself is the
// message before it on the bus, which tells what the answer is about.
bool readLongAck(const Message& m, const Context& c, Reading& r, bool withText) {
    const int answered = m[1];
    const bool known = !c.request.isEmpty() && answeredOpcode(c.request.opcode()) == answered;
    const Message request = known ? c.request : Message{};
    if (known) {
        const Reading asked = withText ? meaningOf(request) : subjectOf(request);
        r.kind = asked.kind;
        r.address = asked.address;
        r.slot = asked.slot;
        if (withText)
            r.text = asked.text + QStringLiteral(" – ") + verdict(answered, m[2], request);
        return true;
    }
    r.kind = kindWithoutRequest(answered);
    if (withText)
        r.text = QStringLiteral("Quittung auf %1: %2")
                     .arg(hexByte(answered | 0x80), verdict(answered, m[2], request));
    return true;
}

} // namespace monitor
