#include "Dispatcher.h"

#include "Colours.h"
#include "LinkState.h"
#include "LocoNetMessage.h"
#include "MessageTap.h"
#include "OperatingView.h"
#include "PeerTransfer.h"

namespace {
constexpr int ProgrammingTrackSlot = 124;
constexpr int LastLocoSlot = 119;

bool isSlot(int slot) {
    return slot >= 0 && slot < SlotCount;
}
} // namespace

void Dispatcher::DispatchAll() {
    while (!s.link.Rx.isEmpty())
        DispatchOne();
}

void Dispatcher::DispatchOne() {
    if (s.link.Rx.isEmpty())
        return;
    const Row m = s.link.Rx.take();
    if (MessageTap* tap = s.link.tap) {
        const bool echo = s.link.Tx.EchoPending && s.link.Tx.isEcho(m.data());
        tap->tapMessage(echo ? MessageTap::Origin::Echo : MessageTap::Origin::Bus, m.data(),
                        loconet::lengthOfMessage(m.data()));
    }
    // The bus's idle filler carries nothing and must not disturb the
    // answer that may follow an echo.
    if (m[0] == 0x81)
        return;
    handle(m);
    bookkeepEcho(m);
}

void Dispatcher::handle(const Row& m) {
    switch (m[0]) {
    case 0x82:
        s.operating.ShowPowerState(0);
        break;
    case 0x83:
        s.operating.ShowPowerState(1);
        break;
    case 0xA0:
        s.SlotTable[m[1]][SlotRecord::Speed] = m[2];
        refreshSlot(m[1]);
        break;
    case 0xA1:
        s.SlotTable[m[1]][SlotRecord::DirF] = m[2];
        refreshSlot(m[1]);
        break;
    case 0xA2:
        s.SlotTable[m[1]][SlotRecord::Snd] = m[2];
        refreshSlot(m[1]);
        break;
    case 0xA3: {
        SlotRecord& slot = s.SlotTable[m[1]];
        slot.ExtFn(5) = (slot.ExtFn(5) & 0xEF) | ((m[2] & 0x08) * 2);
        slot.ExtFn(7) = (slot.ExtFn(7) & 0x0F) | ((m[2] & 0x07) * 16);
        refreshSlot(m[1]);
        break;
    }
    case 0xB0:
        onAccessoryCommand(m);
        break;
    case 0xB2:
        onFeedbackReport(m);
        break;
    case 0xB4:
        if (s.AnswerExpected)
            onLongAcknowledge(m);
        break;
    case 0xBF:
        for (int w = 1; w <= ZeltronWindowCount; ++w) {
            if (s.ZeltronWindows[w].Waiting != 0)
                s.ZeltronWindows[w].Address = m[1] * 128 + m[2];
        }
        break;
    case 0xD4:
        onExtendedFunction(m);
        break;
    case 0xE5:
        OnPeerTransfer(s, m);
        break;
    case 0xE6:
        onExtendedSlotData(m);
        break;
    case 0xE7:
        onSlotData(m);
        break;
    case 0xED:
        onDirectionReport(m);
        break;
    default:
        break;
    }
}

void Dispatcher::onAccessoryCommand(const Row& m) {
    if (!(m[2] & 0x10))
        return;
    const int address = (m[2] & 0x0F) * 128 + m[1];
    const int direction = (m[2] >> 5) & 1;
    const int key = address - s.KeyboardBase;
    if (key >= 0 && key <= 15)
        s.operating.ShowKeyLamp(key, direction ? colour::Green : colour::Red);
    if (s.hooks.OnAccessoryForRoutes)
        s.hooks.OnAccessoryForRoutes(address, direction);
}

void Dispatcher::onFeedbackReport(const Row& m) {
    const int contact = (m[2] & 0x0F) * 256 + m[1] * 2 + ((m[2] >> 5) & 1);
    const int state = (m[2] >> 4) & 1;
    // LocoNet counts contacts up to 4095; the program keeps 0..2048.
    if (contact >= LinkState::FeedbackContacts)
        return;
    s.FeedbackState[contact] = static_cast<qint16>(state);
    s.operating.ShowFeedback(contact);
    if (s.hooks.OnFeedbackForRoutes)
        s.hooks.OnFeedbackForRoutes(contact, state);
}

void Dispatcher::onLongAcknowledge(const Row& m) {
    switch (s.AnswerToOpcode) {
    case 0xB0:
        s.showLocoNetError(m[1] == 0x30 ? QStringLiteral("Mag.Art.Message wurde nicht bearbeitet")
                                        : QStringLiteral("ungültige Antwort auf B0!"));
        break;
    case 0xBC:
        if (m[1] != 0x3C) {
            s.showLocoNetError(QStringLiteral("ungültige Antwort auf BC!"));
            break;
        }
        if (const int key = s.job.JobCounter - s.KeyboardBase; key >= 0 && key <= 15) {
            if (m[2] == 0x30)
                s.operating.ShowKeyLamp(key, colour::Green);
            else if (m[2] == 0x50)
                s.operating.ShowKeyLamp(key, colour::Red);
        }
        s.job.JobPhase = 0;
        break;
    case 0xBE:
    case 0xBF:
        s.showLocoNetError(m[1] == 0x3F || m[1] == 0x3E
                               ? QStringLiteral("Lok konnte nicht angemeldet werden!")
                               : QStringLiteral("ungültige Antwort auf BF!"));
        break;
    case 0xED:
        if (m[1] == 0x6D)
            onEdAnswer(m);
        break;
    default:
        break;
    }
}

void Dispatcher::onEdAnswer(const Row& m) {
    const bool accepted = m[2] == 0x7F;
    const auto storeAndReport = [&](const char* failure) {
        s.AnswerValue = m[2];
        if (!accepted)
            s.showLocoNetError(QString::fromUtf8(failure));
    };
    switch (s.AnswerToEdCommand) {
    case 1:
        if (!accepted)
            s.showLocoNetError(QStringLiteral("Fehler: SO schreiben"));
        break;
    case 2:
        storeAndReport("Fehler: SO lesen");
        break;
    case 12:
        storeAndReport("Fehler: Lokdatenformat schreiben");
        break;
    case 13:
        storeAndReport("Fehler: Lokdatenformat lesen");
        break;
    case 33:
        // A module answers a good read with its value, so any acknowledge
        // to a read is a refusal.
        s.AnswerValue = m[2];
        s.showLocoNetError(QStringLiteral("Fehler: LNCV lesen"));
        break;
    case 32:
        s.AnswerValue = m[2];
        break;
    default:
        break;
    }
}

void Dispatcher::onExtendedFunction(const Row& m) {
    if (m[1] != 0x20)
        return;
    const int slot = m[2];
    const int type = m[3];
    const bool stored = type >= 5 && type <= 12;
    if (stored)
        s.SlotTable[slot].ExtFn(type) = m[4];
    refreshSlot(slot, stored);
}

void Dispatcher::onSlotData(const Row& m) {
    if (m[1] != 0x0E)
        return;
    const int slot = m[2];
    if (slot == 0) {
        SlotRecord& record = s.SlotTable[0];
        record[SlotRecord::Address] = 0;
        for (int i = 0; i <= 15; ++i)
            record[5 + i] = m[i];
        s.TrackStatus = m[7];
    } else if (slot == ProgrammingTrackSlot) {
        if (s.hooks.OnProgrammingTrackSlot)
            s.hooks.OnProgrammingTrackSlot(m);
    } else if (slot >= 1 && slot <= LastLocoSlot) {
        s.TrackStatus = m[7];
        SlotRecord& record = s.SlotTable[slot];
        record[SlotRecord::Address] = m[9] * 128 + m[4];
        record[SlotRecord::Speed] = m[5];
        record[SlotRecord::DirF] = m[6];
        record[SlotRecord::Snd] = m[10];
        matchSlotAddress(slot);
    }
}

void Dispatcher::onExtendedSlotData(const Row& m) {
    if (m[1] != 0x15 || m[2] != 0)
        return;
    const int slot = m[3];
    SlotRecord& record = s.SlotTable[slot];
    record[SlotRecord::Address] = m[6] * 128 + m[5];
    record[SlotRecord::Speed] = m[8];
    record[10] = m[9];
    record[11] = m[10];
    record[SlotRecord::DirF] = m[10];
    record[12] = m[11];
    record[SlotRecord::Snd] = m[11] & 0x0F;
    record[13] = m[12];
    record[14] = m[13];
    record[15] = m[14] + ((record[11] & 0x40) ? 128 : 0);
    record[16] = m[15];
    matchSlotAddress(slot);
}

void Dispatcher::onDirectionReport(const Row& m) {
    if (m[1] != 0x0F || m[2] != 0x01 || m[3] != 0x47 || m[4] != 0x58 || m[5] != 0x15)
        return;
    const int slot = m[7] + 128 * (m[6] & 1);
    if (!isSlot(slot))
        return;
    s.SlotTable[slot][SlotRecord::DirF] ^= 0x20;
    refreshSlot(slot);
}

void Dispatcher::refreshSlot(int slot, bool throttles) {
    if (throttles) {
        for (int t = 0; t < 2; ++t) {
            if (s.ThrottleSlot[t] == slot) {
                s.ThrottleData[t] = s.SlotTable[slot];
                s.operating.ShowThrottle(t);
            }
        }
    }
    if (slot < LinkState::ZeltronSlots && s.SlotOnZeltron[slot] != 0)
        s.operating.ZeltronShow(s.SlotOnZeltron[slot]);
}

void Dispatcher::matchSlotAddress(int slot) {
    const int address = s.SlotTable[slot][SlotRecord::Address];
    for (int t = 0; t < 2; ++t) {
        if (s.ThrottleData[t][SlotRecord::Address] == address) {
            s.ThrottleSlot[t] = slot;
            s.ThrottleData[t] = s.SlotTable[slot];
            s.operating.ShowLocoPicture(t);
            s.operating.ShowThrottle(t);
        }
    }
    if (slot >= LinkState::ZeltronSlots)
        return;
    for (int w = 1; w <= ZeltronWindowCount; ++w) {
        ZeltronEntry& entry = s.ZeltronWindows[w];
        if (entry.InUse != 0 && entry.Address == address) {
            entry.Slot = slot;
            s.SlotOnZeltron[slot] = w;
            entry.Waiting = 0;
            s.operating.ZeltronShow(w);
        }
    }
}

void Dispatcher::bookkeepEcho(const Row& m) {
    s.AnswerExpected = false;
    Transmitter& tx = s.link.Tx;
    if (!tx.EchoPending || !tx.isEcho(m.data()))
        return;
    const quint8 op = tx.TxBuffer[0];
    if (op == 0xB0 || op == 0xBC || op == 0xBE || op == 0xBF || op == 0xED) {
        s.AnswerExpected = true;
        s.AnswerToOpcode = op;
        if (op == 0xED)
            s.AnswerToEdCommand = tx.TxBuffer[5];
    }
    tx.release();
}
