#pragma once

#include <QByteArray>
#include <array>

class Outbox;
class StationSettings;

// The locomotive slots 1..119: which address each holds, and its speed,
// direction and functions as the last messages on the bus set them.
class LocoSlots {
public:
    static constexpr int First = 1;
    static constexpr int Last = 119;

    struct Slot {
        bool inUse = false;
        int address = 0;
        int status = 0;
        int speed = 0;
        int dirf = 0;
        int snd = 0;
        // Value bytes of the function messages D4 20, by their type 0..12.
        std::array<int, 13> extFn{};
    };

    // Loco requests BF/BE, slot reads BB of a loco slot, and the speed,
    // direction and function messages A0, A1, A2, D4 20. False for others.
    bool handle(const QByteArray& message, quint8 trackStatus, const StationSettings& settings,
                Outbox& out);

    const Slot& slot(int number) const { return m_slots.at(number); }
    // The slot that holds the address, or -1.
    int slotOf(int address) const;

    QByteArray slotData(int number, quint8 trackStatus) const;

private:
    // The slot of that address, or a free one taken for it; -1 when all are taken.
    int request(int address, const StationSettings& settings);
    Slot* inUse(int number);

    std::array<Slot, Last + 1> m_slots{};
};
