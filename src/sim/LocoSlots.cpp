#include "LocoSlots.h"

#include "Outbox.h"
#include "StationMessage.h"
#include "StationSettings.h"

namespace {

// STAT bits: in use (busy and active), and the decoder type for the speed steps.
constexpr int StatusInUse = 0x30;

int decoderType(int formatCode) {
    switch (formatCode) {
    case 211:
        return 0x03; // 128 steps
    case 192:
    case 193:
    case 208:
        return 0x02; // 14 steps
    default:
        return 0x00; // 28 steps
    }
}

} // namespace

bool LocoSlots::handle(const QByteArray& m, quint8 trackStatus, const StationSettings& settings,
                       Outbox& out) {
    const quint8 op = static_cast<quint8>(m[0]);
    const int arg1 = m[1];
    const int arg2 = m[2];
    switch (op) {
    case 0xBE:
    case 0xBF: {
        const int number = request(arg1 * 128 + arg2, settings);
        out.answer(number < 0 ? sim::longAck(op, 0x00) : slotData(number, trackStatus));
        return true;
    }
    case 0xBB:
        if (arg1 < First || arg1 > Last)
            return false;
        out.answer(slotData(arg1, trackStatus));
        return true;
    case 0xA0:
    case 0xA1:
    case 0xA2:
        if (Slot* s = inUse(arg1))
            (op == 0xA0 ? s->speed : op == 0xA1 ? s->dirf : s->snd) = arg2;
        return true;
    case 0xD4:
        if (m[1] != 0x20)
            return false;
        if (Slot* s = inUse(m[2]); s && m[3] >= 0 && m[3] < static_cast<int>(s->extFn.size()))
            s->extFn[m[3]] = m[4];
        return true;
    default:
        return false;
    }
}

int LocoSlots::request(int address, const StationSettings& settings) {
    if (const int held = slotOf(address); held >= 0)
        return held;
    for (int n = First; n <= Last; ++n) {
        Slot& s = m_slots[n];
        if (s.inUse)
            continue;
        s = Slot{};
        s.inUse = true;
        s.address = address;
        s.status = StatusInUse | decoderType(settings.format(address).code);
        return n;
    }
    return -1;
}

int LocoSlots::slotOf(int address) const {
    for (int n = First; n <= Last; ++n) {
        if (m_slots[n].inUse && m_slots[n].address == address)
            return n;
    }
    return -1;
}

LocoSlots::Slot* LocoSlots::inUse(int number) {
    if (number < First || number > Last || !m_slots[number].inUse)
        return nullptr;
    return &m_slots[number];
}

QByteArray LocoSlots::slotData(int number, quint8 trackStatus) const {
    const Slot& s = m_slots.at(number);
    return sim::message({0xE7, 0x0E, number, s.status, s.address & 0x7F, s.speed, s.dirf,
                         trackStatus, 0x00, (s.address >> 7) & 0x7F, s.snd, 0x00, 0x00});
}
