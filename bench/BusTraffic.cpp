#include "BusTraffic.h"

#include "link/LocoNetMessage.h"
#include "link/Messages.h"
#include "sim/Accessories.h"
#include "sim/StationMessage.h"
#include "sim/VirtualStation.h"

#include <algorithm>

namespace {
// How far ahead of the clock the line is kept filled.
constexpr double Ahead = 0.05;
constexpr int Kinds = 6;
constexpr int LastLocoSlot = 119;
constexpr int SlotInUse = 0x33;
// Locomotives no throttle of the program holds.
constexpr int OtherAddresses = 1000;
constexpr int AccessoryAddresses = 2048;
} // namespace

BusTraffic::BusTraffic(int contacts, double share)
    : lastContactState(contacts, -1), m_contacts(contacts), m_share(share) {}

void BusTraffic::keepLineBusy(VirtualStation& layout, double now, long limit) {
    const double byteTime = layout.line().byteTime();
    while (sent < limit && m_busyUntil < now + Ahead) {
        const QByteArray message = next();
        layout.deviceSends(message, now);
        m_busyUntil = std::max(m_busyUntil, now) + message.size() * byteTime / m_share;
    }
}

QByteArray BusTraffic::next() {
    const long n = sent++;
    const long round = n / Kinds;
    const int slot = 1 + round % LastLocoSlot;
    const int value = round % 128;
    switch (n % Kinds) {
    case 0: {
        const int contact = round % m_contacts;
        const bool occupied = (round / m_contacts) % 2 == 0;
        lastContactState[contact] = occupied ? 1 : 0;
        ++feedbackReports;
        return Accessories::contactReport(contact, occupied);
    }
    case 1:
        return sim::message({0xE7, 0x0E, slot, SlotInUse, (OtherAddresses + slot) & 0x7F, value,
                             0x20, 0x07, 0, (OtherAddresses + slot) >> 7, 0, 0, 0});
    case 2:
        return sim::message({0xA0, slot, value});
    case 3:
        return sim::message({0xA1, slot, value & 0x3F});
    case 4:
        return sim::message({0xA2, slot, value & 0x0F});
    default: {
        ++accessoryCommands;
        const messages::Four m =
            messages::accessoryCommand(round % AccessoryAddresses, round % 2, true);
        return loconet::withChecksum(QByteArray(reinterpret_cast<const char*>(m.data()), m.size()));
    }
    }
}
