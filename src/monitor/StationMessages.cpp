#include "Families.h"
#include "MessageTexts.h"
#include "link/MessageReaders.h"
#include "link/Opcode.h"
#include "link/PeerTransfer.h"
#include "link/SlotRecord.h"

namespace monitor {

namespace {
constexpr int Length15 = 15;

bool isRequest(const Message& m) {
    return m.opcode() == loconet::StationRequest && m.length == Length15 &&
           m[1] == loconet::Request15Count && m[2] == 0x01 && m[3] == loconet::StationAddress1 &&
           m[4] == loconet::StationAddress2;
}

bool isAnswer(const Message& m) {
    if (m.opcode() != loconet::PeerTransfer || m.length != Length15 ||
        m[1] != loconet::Request15Count)
        return false;
    switch (m[5]) {
    case loconet::OptionValueAnswer:
    case loconet::VersionAnswer:
    case loconet::SerialNumberAnswer:
    case loconet::LocoFormatAnswer:
        return true;
    default:
        return false;
    }
}

QString formatText(int code) {
    const DataFormat format = dataFormatOfCode(code);
    if (format.speedSteps == 0)
        return QStringLiteral("unbekanntes Format (Code %1)").arg(hexByte(code));
    return QString::fromLatin1(format.name);
}

QString requestText(const Message& m, const std::array<int, 7>& d, const Context& c,
                    const Reading& r) {
    switch (m[5]) {
    case loconet::WriteOption:
        return QStringLiteral("Sonderoption %1 schreiben: %2").arg(word(d, 0)).arg(d[2]);
    case loconet::ReadOption:
        return QStringLiteral("Sonderoption %1 lesen").arg(word(d, 0));
    case loconet::ReadVersion:
        return QStringLiteral("Softwareversion abfragen");
    case loconet::ReadSerialNumber:
        return QStringLiteral("Seriennummer abfragen");
    case loconet::WriteLocoFormat:
        return QStringLiteral("Lokdatenformat von Lok %1 schreiben: %2")
            .arg(r.address)
            .arg(formatText(d[2]));
    case loconet::ReadLocoFormat:
        return QStringLiteral("Lokdatenformat von Lok %1 lesen").arg(r.address);
    case loconet::DirectionReport:
        return QStringLiteral("Zentrale meldet: Richtung von %1 umgedreht")
            .arg(slotText(r.slot, c.locoAddress));
    case loconet::ResetConfiguration:
        return d[0] == 1 ? QStringLiteral("Lokdatenformate zurücksetzen")
                         : QStringLiteral("Konfiguration zurücksetzen");
    default:
        return QStringLiteral("Anfrage an die Zentrale, Befehl %1").arg(hexByte(m[5]));
    }
}

QString answerText(const Message& m, const std::array<int, 7>& d, const Reading& r) {
    switch (m[5]) {
    case loconet::OptionValueAnswer:
        return QStringLiteral("Sonderoption %1 = %2").arg(word(d, 0)).arg(d[2]);
    case loconet::VersionAnswer:
        return QStringLiteral("Softwareversion %1")
            .arg(decodeSoftwareVersion(quint8(d[0]), quint8(d[1])), 0, 'f', 3);
    case loconet::SerialNumberAnswer: {
        const quint8 digits[5] = {quint8(d[0]), quint8(d[1]), quint8(d[2]), quint8(d[3]),
                                  quint8(d[4])};
        return QStringLiteral("Seriennummer %1").arg(decodeSerialNumber(digits), 0, 'f', 0);
    }
    default:
        return QStringLiteral("Lokdatenformat von Lok %1: %2").arg(r.address).arg(formatText(d[2]));
    }
}
} // namespace

bool readStation(const Message& m, const Context& c, Reading& r, bool withText) {
    const bool request = isRequest(m);
    if (!request && !isAnswer(m))
        return false;
    const std::array<int, 7> d = messages::restoreHighBits(m.bytes, 6);
    r.kind = MessageKind::Station;
    switch (m[5]) {
    case loconet::WriteLocoFormat:
    case loconet::ReadLocoFormat:
    case loconet::LocoFormatAnswer:
        r.address = word(d, 0);
        break;
    case loconet::DirectionReport:
        if (request) {
            r.kind = MessageKind::Loco;
            r.slot = d[0];
        }
        break;
    default:
        break;
    }
    if (withText)
        r.text = request ? requestText(m, d, c, r) : answerText(m, d, r);
    return true;
}

} // namespace monitor
