#include "Decoder.h"

#include "Families.h"
#include "MessageTexts.h"
#include "link/LocoNetMessage.h"
#include "link/Opcode.h"

namespace monitor {

namespace {
// What keeps the bytes from being read as a message; empty when nothing.
QString shapeProblem(const Message& m) {
    if (m.isEmpty())
        return QStringLiteral("Keine Bytes");
    if (!(m[0] & 0x80))
        return QStringLiteral("Kein Opcode: das erste Byte %1 hat Bit 7 nicht gesetzt")
            .arg(hexByte(m[0]));
    for (int i = 1; i < m.length; ++i) {
        if (m[i] & 0x80)
            return QStringLiteral("Byte %1 (%2) hat Bit 7 gesetzt und ist kein Datenbyte")
                .arg(i + 1)
                .arg(hexByte(m[i]));
    }
    const int length = loconet::lengthOfOpcode(m[0]);
    if (length == -1 && m.length < 2)
        return QStringLiteral("Unvollständig: das Längenbyte fehlt");
    if (length == -1 && m[1] != m.length)
        return QStringLiteral("Das Längenbyte nennt %1 Bytes, die Message hat %2")
            .arg(m[1])
            .arg(m.length);
    if (length != -1 && length != m.length)
        return QStringLiteral("Opcode %1 verlangt %2 Bytes, die Message hat %3")
            .arg(hexByte(m[0]))
            .arg(length)
            .arg(m.length);
    return {};
}

bool readFamily(const Message& m, const Context& c, Reading& r, bool withText) {
    switch (m.opcode()) {
    case loconet::Busy:
    case loconet::PowerOff:
    case loconet::PowerOn:
    case loconet::Idle:
        return readPower(m, c, r, withText);
    case loconet::SwitchRequest:
    case loconet::SwitchReport:
    case loconet::SwitchState:
    case loconet::SwitchAck:
        return readSwitch(m, c, r, withText);
    case loconet::InputReport:
        return readFeedback(m, c, r, withText);
    case loconet::LongAck:
        return readLongAck(m, c, r, withText);
    case loconet::LocoSpeed:
    case loconet::LocoDirF:
    case loconet::LocoSound:
    case loconet::LocoF9to12:
    case loconet::SlotStatus:
    case loconet::ConsistFunction:
    case loconet::UnlinkSlots:
    case loconet::LinkSlots:
    case loconet::MoveSlots:
    case loconet::RequestSlotData:
    case loconet::LocoAddressExpanded:
    case loconet::LocoAddress:
    case loconet::ExtendedFunction:
    case loconet::ExtendedSlotData:
        return readLoco(m, c, r, withText);
    case loconet::SlotData:
    case loconet::WriteSlotData:
        return readProgramming(m, c, r, withText) || readSlotData(m, c, r, withText);
    case loconet::PeerTransfer:
    case loconet::StationRequest:
        return readProgramming(m, c, r, withText) || readLncv(m, c, r, withText) ||
               readStation(m, c, r, withText) || readPeer(m, c, r, withText);
    default:
        return false;
    }
}

QString lengthClass(const Message& m) {
    const int length = loconet::lengthOfOpcode(m[0]);
    if (length == -1)
        return QStringLiteral("Länge im zweiten Byte");
    return QStringLiteral("%1-Byte-Message").arg(length);
}

QString unknownText(const Message& m) {
    QString text = QStringLiteral("Unbekannter Opcode %1, %2").arg(hexByte(m[0]), lengthClass(m));
    const int dataEnd = m.length - 1;
    const int dataStart = loconet::lengthOfOpcode(m[0]) == -1 ? 2 : 1;
    if (dataEnd > dataStart)
        text += QStringLiteral(", Daten ") + hexBytes({m.bytes + dataStart, dataEnd - dataStart});
    return text;
}

Reading read(const Message& m, const Context& c, bool withText) {
    Reading r;
    if (const QString problem = shapeProblem(m); !problem.isEmpty()) {
        if (withText)
            r.text = problem;
        return r;
    }
    if (!readFamily(m, c, r, withText)) {
        r = Reading{};
        if (withText)
            r.text = unknownText(m);
    }
    if (withText && !checksumOk(m))
        r.text = QStringLiteral("Prüfsumme falsch (%1 statt %2) – %3")
                     .arg(hexByte(m[m.length - 1]),
                          hexByte(loconet::checksum(m.bytes, m.length - 1)), r.text);
    return r;
}
} // namespace

bool checksumOk(const Message& m) {
    return !m.isEmpty() && loconet::checksum(m.bytes, m.length) == 0;
}

Reading subjectOf(const Message& m, const Context& context) {
    return read(m, context, false);
}

Reading meaningOf(const Message& m, const Context& context) {
    return read(m, context, true);
}

TypedMeaning meaningOfTyped(const QByteArray& typed) {
    if (typed.isEmpty())
        return {};
    const QByteArray whole = loconet::withChecksum(typed);
    const Message m{reinterpret_cast<const quint8*>(whole.constData()),
                    static_cast<int>(whole.size())};
    const QString problem = shapeProblem(m);
    if (problem.isEmpty())
        return {meaningOf(m).text, true};
    // One byte too many for its opcode, and that byte the right checksum:
    // the user has typed the checksum the program appends anyway.
    const Message asTyped{m.bytes, m.length - 1};
    if (shapeProblem(asTyped).isEmpty() && checksumOk(asTyped))
        return {QStringLiteral("Die Prüfsumme %1 hängt das Programm selbst an; bitte ohne sie "
                               "eingeben")
                    .arg(hexByte(asTyped[asTyped.length - 1])),
                false};
    return {problem, false};
}

} // namespace monitor
