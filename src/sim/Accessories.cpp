#include "Accessories.h"

#include "Outbox.h"
#include "StationMessage.h"

namespace {

constexpr int DirectionBit = 0x20;
constexpr int OutputBit = 0x10;
// Answers to a state request BC.
constexpr quint8 StateGreen = 0x30;
constexpr quint8 StateRed = 0x50;

} // namespace

std::array<bool, Accessories::Count> Accessories::filled(bool value) {
    std::array<bool, Count> a;
    a.fill(value);
    return a;
}

std::array<Accessories::ContactState, Accessories::Contacts> Accessories::unknownContacts() {
    std::array<ContactState, Contacts> a;
    a.fill(Unknown);
    return a;
}

bool Accessories::handle(const QByteArray& m, Outbox& out) {
    const quint8 op = static_cast<quint8>(m[0]);
    const int low = m[1];
    const int high = m[2];
    switch (op) {
    case 0xB0:
        if (high & OutputBit)
            m_green[(high & 0x0F) * 128 + low] = high & DirectionBit;
        return true;
    case 0xBC:
        out.answer(sim::longAck(op, m_green[(high & 0x0F) * 128 + low] ? StateGreen : StateRed));
        return true;
    case 0xB2: {
        const int contact = (high & 0x0F) * 256 + low * 2 + ((high & DirectionBit) ? 1 : 0);
        m_contacts[contact] = (high & OutputBit) ? Occupied : Free;
        return true;
    }
    default:
        return false;
    }
}

QByteArray Accessories::contactReport(int contact, bool occupied) {
    return sim::message({0xB2, (contact / 2) & 0x7F,
                         ((contact / 256) & 0x0F) | ((contact & 1) ? DirectionBit : 0) |
                             (occupied ? OutputBit : 0) | 0x40});
}
