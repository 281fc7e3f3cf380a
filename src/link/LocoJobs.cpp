#include "LocoJobs.h"

#include "LinkState.h"
#include "OperatingView.h"
#include "StationRequest.h"

namespace {
constexpr double SlotAnswerTimeout = 2.0;
constexpr double FormatAnswerTimeout = 2.0;
constexpr quint8 FormatReadCommand = 0x0D;

enum Phase {
    Start = 0,
    AwaitSlot = 1,
    SendAction = 2,
    ActionSent = 3,
    ReadFormat = 10,
    AwaitFormat = 11,
};

quint8 locoRequestOpcode(int stationType) {
    return stationType == 2 || stationType == 3 ? 0xBE : 0xBF;
}

// Returns true when the job ends here.
bool sendAction(LinkState& s, int t) {
    JobRequest& job = s.job;
    const int slot = s.ThrottleSlot[t];
    if (slot == -1)
        return true;
    const SlotRecord& r = s.ThrottleData[t];
    const auto byte = [](int v) { return static_cast<quint8>(v & 0xFF); };
    switch (job.JobCode % 10) {
    case 5:
    case 8:
        s.link.Tx.place({0xA1, byte(slot), byte(r[SlotRecord::DirF])});
        break;
    case 6:
        s.link.Tx.place({0xD4, 0x20, byte(slot), byte(job.ExtFnType), byte(job.ExtFnValue)});
        break;
    case 7:
        s.link.Tx.place({0xA2, byte(slot), byte(r[SlotRecord::Snd])});
        break;
    case 9:
        s.link.Tx.place({0xA0, byte(slot), byte(r[SlotRecord::Speed])});
        break;
    default:
        return true;
    }
    job.JobPhase = ActionSent;
    return false;
}
} // namespace

bool LocoJob(LinkState& s) {
    JobRequest& job = s.job;
    job.LocoJobActive = true;
    const int t = job.JobThrottle;
    SlotRecord& throttle = s.ThrottleData[t];
    // A key in the address field lets go of the locomotive while its slot or
    // format is still asked for: what comes back is no longer the throttle's,
    // and no answer is missing.
    const bool asking =
        job.JobPhase == AwaitSlot || job.JobPhase == ReadFormat || job.JobPhase == AwaitFormat;
    if (asking && throttle[SlotRecord::Address] != job.JobCounter)
        return true;

    switch (job.JobPhase) {
    case Start: {
        const int address = job.JobCounter;
        // A locomotive already on the throttle gets its message in this same
        // tick: a key press reaches the wire within one tick.
        if (throttle[SlotRecord::Address] == address)
            return sendAction(s, t);
        s.link.Tx.place({locoRequestOpcode(s.StationType),
                         static_cast<quint8>((address / 128) & 127),
                         static_cast<quint8>(address & 127)});
        throttle[SlotRecord::Address] = address;
        s.ThrottleSlot[t] = -1;
        job.JobPhase = AwaitSlot;
        job.JobTimeStamp = s.now();
        return false;
    }
    case AwaitSlot:
        if (s.ThrottleSlot[t] != -1) {
            job.JobPhase = ReadFormat;
            return false;
        }
        if (s.now() - job.JobTimeStamp > SlotAnswerTimeout) {
            s.showError(QStringLiteral("Keine Antwort auf Lokanfrage erhalten!"));
            return true;
        }
        return false;
    case ReadFormat: {
        const int address = throttle[SlotRecord::Address];
        placeStationRequest(s.link.Tx, FormatReadCommand,
                            {address & 0xFF, (address >> 8) & 0x3F, 0, 0, 0, 0, 0});
        job.JobPhase = AwaitFormat;
        job.JobTimeStamp = s.now();
        s.answers.LocoFormatAnswer = -1;
        return false;
    }
    case AwaitFormat:
        if (s.now() - job.JobTimeStamp > FormatAnswerTimeout) {
            s.showError(QStringLiteral("Keine Antwort auf LokCfg-Read erhalten!"));
            return true;
        }
        if (s.answers.LocoFormatAnswer != -1) {
            SetFormat(throttle, s.answers.LocoFormatAnswer);
            s.operating.ShowThrottle(t);
            job.JobPhase = SendAction;
        }
        return false;
    case SendAction:
        return sendAction(s, t);
    case ActionSent:
        if (job.JobCode == 35) {
            // A direction change is followed by speed 0.
            job.JobCode = 39;
            job.JobPhase = Start;
            throttle[SlotRecord::Speed] = 0;
            return false;
        }
        return true;
    default:
        return true;
    }
}
