#include "Dispatcher.h"

#include "Colours.h"
#include "LinkState.h"
#include "LocoNetMessage.h"
#include "MessageReaders.h"
#include "MessageTap.h"
#include "OperatingView.h"
#include "PeerTransfer.h"

namespace {
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
        const bool echo = s.link.Tx.echoPending() && s.link.Tx.isEcho(m.data());
        tap->tapMessage(echo ? MessageTap::Origin::Echo : MessageTap::Origin::Bus, m.data(),
                        loconet::lengthOfMessage(m.data()));
    }
    // The bus's idle filler carries nothing and must not disturb the
    // answer that may follow an echo.
    if (m[0] == loconet::Busy)
        return;
    handle(m);
    bookkeepEcho(m);
}

void Dispatcher::handle(const Row& m) {
    using namespace loconet;
    switch (m[0]) {
    case PowerOff:
        s.operating.ShowPowerState(0);
        break;
    case PowerOn:
        s.operating.ShowPowerState(1);
        break;
    case LocoSpeed:
        s.station.SlotTable[m[1]][SlotRecord::Speed] = m[2];
        refreshSlot(m[1]);
        break;
    case LocoDirF:
        s.station.SlotTable[m[1]][SlotRecord::DirF] = m[2];
        refreshSlot(m[1]);
        break;
    case LocoSound:
        s.station.SlotTable[m[1]][SlotRecord::Snd] = m[2];
        refreshSlot(m[1]);
        break;
    case LocoF9to12: {
        SlotRecord& slot = s.station.SlotTable[m[1]];
        slot.ExtFn(5) = (slot.ExtFn(5) & 0xEF) | ((m[2] & 0x08) * 2);
        slot.ExtFn(7) = (slot.ExtFn(7) & 0x0F) | ((m[2] & 0x07) * 16);
        refreshSlot(m[1]);
        break;
    }
    case SwitchRequest:
        onAccessoryCommand(m);
        break;
    case InputReport:
        onFeedbackReport(m);
        break;
    case LongAck:
        if (s.answers.AnswerExpected)
            onLongAcknowledge(m);
        break;
    case LocoAddress:
        for (int w = 1; w <= ZeltronWindowCount; ++w) {
            if (s.handhelds.ZeltronWindows[w].Waiting != 0)
                s.handhelds.ZeltronWindows[w].Address = m[1] * 128 + m[2];
        }
        break;
    case ExtendedFunction:
        onExtendedFunction(m);
        break;
    case PeerTransfer:
        OnPeerTransfer(s, m);
        break;
    case ExtendedSlotData:
        onExtendedSlotData(m);
        break;
    case SlotData:
        onSlotData(m);
        break;
    case StationRequest:
        onDirectionReport(m);
        break;
    default:
        break;
    }
}

void Dispatcher::onAccessoryCommand(const Row& m) {
    const messages::AccessoryCommand command = messages::readAccessoryCommand(m.data());
    if (!command.on)
        return;
    const int key = command.address - s.pages.KeyboardBase;
    if (key >= 0 && key <= 15)
        s.operating.ShowKeyLamp(key, command.direction ? colour::Green : colour::Red);
    if (s.hooks.OnAccessoryForRoutes)
        s.hooks.OnAccessoryForRoutes(command.address, command.direction);
}

void Dispatcher::onFeedbackReport(const Row& m) {
    const messages::FeedbackReport report = messages::readFeedbackReport(m.data());
    if (!s.feedback.store(report.contact, report.state))
        return;
    s.operating.ShowFeedback(report.contact);
    if (s.hooks.OnFeedbackForRoutes)
        s.hooks.OnFeedbackForRoutes(report.contact, report.state);
}

void Dispatcher::onLongAcknowledge(const Row& m) {
    using namespace loconet;
    const messages::LongAck ack = messages::readLongAck(m.data());
    switch (s.answers.AnswerToOpcode) {
    case SwitchRequest:
        s.showLocoNetError(ack.answered == answeredOpcode(SwitchRequest)
                               ? QStringLiteral("Mag.Art.Message wurde nicht bearbeitet")
                               : QStringLiteral("ungültige Antwort auf B0!"));
        break;
    case SwitchState:
        if (ack.answered != answeredOpcode(SwitchState)) {
            s.showLocoNetError(QStringLiteral("ungültige Antwort auf BC!"));
            break;
        }
        onAccessoryState(ack.code);
        break;
    case LocoAddressExpanded:
    case LocoAddress:
        s.showLocoNetError(ack.answered == answeredOpcode(LocoAddress) ||
                                   ack.answered == answeredOpcode(LocoAddressExpanded)
                               ? QStringLiteral("Lok konnte nicht angemeldet werden!")
                               : QStringLiteral("ungültige Antwort auf BF!"));
        break;
    case StationRequest:
        if (ack.answered == answeredOpcode(StationRequest))
            onEdAnswer(ack.code);
        break;
    default:
        break;
    }
}

// The state of the accessory the page query asked last.
void Dispatcher::onAccessoryState(int code) {
    JobRequest& job = s.job;
    if (job.JobCode != Job::AccessoryPageQuery)
        return;
    if (const int key = job.JobCounter - s.pages.KeyboardBase; key >= 0 && key <= 15) {
        if (code == loconet::SwitchStateGreen)
            s.operating.ShowKeyLamp(key, colour::Green);
        else if (code == loconet::SwitchStateRed)
            s.operating.ShowKeyLamp(key, colour::Red);
    }
    job.JobPhase = 0;
}

void Dispatcher::onEdAnswer(int code) {
    const bool accepted = code == loconet::Accepted;
    const auto storeAndReport = [&](const char* failure) {
        s.answers.AnswerValue = code;
        if (!accepted)
            s.showLocoNetError(QString::fromUtf8(failure));
    };
    switch (s.answers.AnswerToEdCommand) {
    case loconet::WriteOption:
        if (!accepted)
            s.showLocoNetError(QStringLiteral("Fehler: SO schreiben"));
        break;
    case loconet::ReadOption:
        storeAndReport("Fehler: SO lesen");
        break;
    case loconet::WriteLocoFormat:
        storeAndReport("Fehler: Lokdatenformat schreiben");
        break;
    case loconet::ReadLocoFormat:
        storeAndReport("Fehler: Lokdatenformat lesen");
        break;
    case loconet::LncvRequest:
        // A module answers a good read with its value, so any acknowledge
        // to a read is a refusal.
        s.answers.AnswerValue = code;
        s.showLocoNetError(QStringLiteral("Fehler: LNCV lesen"));
        break;
    case loconet::LncvWrite:
        s.answers.AnswerValue = code;
        break;
    default:
        break;
    }
}

void Dispatcher::onExtendedFunction(const Row& m) {
    if (m[1] != loconet::ExtendedFunctionGroup)
        return;
    const int slot = m[2];
    const int type = m[3];
    const bool stored = type >= 5 && type <= 12;
    if (stored)
        s.station.SlotTable[slot].ExtFn(type) = m[4];
    refreshSlot(slot, stored);
}

void Dispatcher::onSlotData(const Row& m) {
    if (!messages::isSlotData(m.data()))
        return;
    const messages::SlotData data = messages::readSlotData(m.data());
    if (data.slot == loconet::StationSlot) {
        SlotRecord& record = s.station.SlotTable[0];
        record[SlotRecord::Address] = 0;
        for (int i = 0; i <= 15; ++i)
            record[5 + i] = m[i];
        s.station.TrackStatus = data.track;
    } else if (data.slot == loconet::ProgrammingTrackSlot) {
        if (s.hooks.OnProgrammingTrackSlot)
            s.hooks.OnProgrammingTrackSlot(m);
    } else if (data.slot >= 1 && data.slot <= loconet::LastLocoSlot) {
        s.station.TrackStatus = data.track;
        SlotRecord& record = s.station.SlotTable[data.slot];
        record[SlotRecord::Address] = data.address;
        record[SlotRecord::Speed] = data.speed;
        record[SlotRecord::DirF] = data.dirF;
        record[SlotRecord::Snd] = data.snd;
        matchSlotAddress(data.slot);
    }
}

void Dispatcher::onExtendedSlotData(const Row& m) {
    if (!messages::isExtendedSlotData(m.data()))
        return;
    const int slot = messages::extendedSlot(m.data());
    SlotRecord& record = s.station.SlotTable[slot];
    record[SlotRecord::Address] = messages::extendedSlotAddress(m.data());
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
    if (!messages::isDirectionReport(m.data()))
        return;
    const int slot = messages::directionReportSlot(m.data());
    if (!isSlot(slot))
        return;
    s.station.SlotTable[slot][SlotRecord::DirF] ^= 0x20;
    refreshSlot(slot);
}

void Dispatcher::refreshSlot(int slot, bool throttles) {
    if (throttles) {
        for (int t = 0; t < 2; ++t) {
            if (s.station.ThrottleSlot[t] == slot) {
                s.station.ThrottleData[t] = s.station.SlotTable[slot];
                s.operating.ShowThrottle(t);
            }
        }
    }
    if (slot < HandheldTable::Slots && s.handhelds.SlotOnZeltron[slot] != 0)
        s.operating.ZeltronShow(s.handhelds.SlotOnZeltron[slot]);
}

void Dispatcher::matchSlotAddress(int slot) {
    const int address = s.station.SlotTable[slot][SlotRecord::Address];
    for (int t = 0; t < 2; ++t) {
        if (s.station.ThrottleData[t][SlotRecord::Address] == address) {
            s.station.ThrottleSlot[t] = slot;
            s.station.ThrottleData[t] = s.station.SlotTable[slot];
            s.operating.ShowLocoPicture(t);
            s.operating.ShowThrottle(t);
        }
    }
    if (slot >= HandheldTable::Slots)
        return;
    for (int w = 1; w <= ZeltronWindowCount; ++w) {
        ZeltronEntry& entry = s.handhelds.ZeltronWindows[w];
        if (entry.InUse != 0 && entry.Address == address) {
            entry.Slot = slot;
            s.handhelds.SlotOnZeltron[slot] = w;
            entry.Waiting = 0;
            s.operating.ZeltronShow(w);
        }
    }
}

void Dispatcher::bookkeepEcho(const Row& m) {
    using namespace loconet;
    s.answers.AnswerExpected = false;
    Transmitter& tx = s.link.Tx;
    if (!tx.echoPending() || !tx.isEcho(m.data()))
        return;
    const quint8 op = tx.message()[0];
    if (op == SwitchRequest || op == SwitchState || op == LocoAddressExpanded ||
        op == LocoAddress || op == StationRequest) {
        s.answers.AnswerExpected = true;
        s.answers.AnswerToOpcode = op;
        if (op == StationRequest)
            s.answers.AnswerToEdCommand = tx.message()[5];
    }
    tx.release();
}
