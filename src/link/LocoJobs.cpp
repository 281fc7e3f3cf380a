#include "LocoJobs.h"

#include "AnswerWait.h"
#include "LinkState.h"
#include "Messages.h"
#include "OperatingView.h"
#include "StationRequests.h"

namespace {
constexpr double SlotAnswerTimeout = 2.0;
constexpr double FormatAnswerTimeout = 2.0;

enum Phase {
    Start = 0,
    AwaitSlot = 1,
    SendAction = 2,
    ActionSent = 3,
    StopSent = 4,
    ReadFormat = 10,
    AwaitFormat = 11,
};

loconet::Opcode locoRequestOpcode(int stationType) {
    return stationType == 2 || stationType == 3 ? loconet::LocoAddressExpanded
                                                : loconet::LocoAddress;
}

// Returns true when the job ends here.
bool sendAction(LinkState& s, int slot) {
    JobRequest& job = s.job;
    if (slot == -1)
        return true;
    Transmitter& tx = s.link.Tx;
    switch (job.JobCode) {
    case Job::LocoDirectionThenStop:
    case Job::LocoDirectionAndLight:
        tx.place(messages::locoMessage(loconet::LocoDirF, slot, job.JobValue));
        break;
    case Job::LocoHighFunctions:
        tx.place(messages::extendedFunction(slot, job.ExtFnType, job.JobValue));
        break;
    case Job::LocoSoundFunctions:
        tx.place(messages::locoMessage(loconet::LocoSound, slot, job.JobValue));
        break;
    case Job::LocoSpeed:
        tx.place(messages::locoMessage(loconet::LocoSpeed, slot, job.JobValue));
        break;
    default:
        return true;
    }
    job.LocoSlot = slot;
    job.JobPhase = ActionSent;
    return false;
}

bool sameThrottle(const JobRequest& waiting, const JobRequest& newer) {
    return isLocoJob(waiting.JobCode) && waiting.JobThrottle == newer.JobThrottle;
}
} // namespace

JobMachine::Ticket requestLocoAction(JobMachine& jobs, Job action, int t, int address, int slot,
                                     int value, int extFnType) {
    const JobRequest r{.JobCode = action,
                       .JobCounter = address,
                       .JobThrottle = t,
                       .LocoSlot = slot,
                       .ExtFnType = extFnType,
                       .JobValue = value};
    return jobs.request(r, [&r](const JobRequest& waiting) {
        if (!sameThrottle(waiting, r))
            return false;
        if (r.JobCode == Job::LocoDirectionThenStop && waiting.JobCode == Job::LocoSpeed)
            return true;
        return waiting.JobCode == r.JobCode && waiting.ExtFnType == r.ExtFnType;
    });
}

int locoFunctionValue(const JobMachine& jobs, int t, int extFnType, int shown, int bits) {
    const JobRequest* waiting = jobs.findWaiting([t, extFnType](const JobRequest& r) {
        return r.JobCode == Job::LocoHighFunctions && r.JobThrottle == t &&
               r.ExtFnType == extFnType;
    });
    return (waiting ? waiting->JobValue : shown) ^ bits;
}

void withdrawUntakenLocoActions(JobMachine& jobs, int t) {
    jobs.withdraw([t](const JobRequest& r) {
        return isLocoJob(r.JobCode) && r.JobThrottle == t && r.LocoSlot == -1;
    });
}

bool LocoJob(LinkState& s) {
    JobRequest& job = s.job;
    const int t = job.JobThrottle;
    SlotRecord& throttle = s.station.ThrottleData[t];
    const int address = job.JobCounter;
    // A key in the address field lets go of the locomotive while its slot or
    // format is still asked for: what comes back is no longer the throttle's,
    // and no answer is missing.
    const bool asking =
        job.JobPhase == AwaitSlot || job.JobPhase == ReadFormat || job.JobPhase == AwaitFormat;
    if (asking && throttle[SlotRecord::Address] != address)
        return true;

    switch (job.JobPhase) {
    case Start:
        // A locomotive the throttle holds gets its message in this same tick:
        // a key press reaches the wire within one tick.
        if (throttle[SlotRecord::Address] == address)
            return sendAction(s, s.station.ThrottleSlot[t] != -1 ? s.station.ThrottleSlot[t]
                                                                 : job.LocoSlot);
        // The throttle has let go of the locomotive since; the action still
        // goes to the slot it was meant for: a stop must reach the locomotive
        // the user stopped.
        if (job.LocoSlot != -1)
            return sendAction(s, job.LocoSlot);
        s.link.Tx.place(messages::locoRequest(locoRequestOpcode(s.station.StationType), address));
        throttle[SlotRecord::Address] = address;
        s.station.ThrottleSlot[t] = -1;
        job.JobPhase = AwaitSlot;
        job.JobTimeStamp = s.now();
        return false;
    case AwaitSlot:
        switch (awaitAnswer(s.station.ThrottleSlot[t] != -1, s.now() - job.JobTimeStamp,
                            SlotAnswerTimeout)) {
        case AnswerWait::Arrived:
            job.JobPhase = ReadFormat;
            return false;
        case AnswerWait::Missing:
            s.showError(QStringLiteral("Keine Antwort auf Lokanfrage erhalten!"));
            return true;
        case AnswerWait::Pending:
            return false;
        }
        return false;
    case ReadFormat:
        s.link.Tx.place(messages::locoFormatRead(address));
        job.JobPhase = AwaitFormat;
        job.JobTimeStamp = s.now();
        s.answers.LocoFormatAnswer = -1;
        s.answers.AnswerValue = -1;
        return false;
    case AwaitFormat:
        if (s.answers.stationRefused())
            return true;
        switch (awaitAnswer(s.answers.LocoFormatAnswer != -1, s.now() - job.JobTimeStamp,
                            FormatAnswerTimeout)) {
        case AnswerWait::Arrived:
            SetFormat(throttle, s.answers.LocoFormatAnswer);
            s.operating.ShowThrottle(t);
            job.JobPhase = SendAction;
            return false;
        case AnswerWait::Missing:
            s.showError(QStringLiteral("Keine Antwort auf LokCfg-Read erhalten!"));
            return true;
        case AnswerWait::Pending:
            return false;
        }
        return false;
    case SendAction:
        return sendAction(s, s.station.ThrottleSlot[t]);
    case ActionSent:
        if (job.JobCode != Job::LocoDirectionThenStop)
            return true;
        // A direction change is followed by speed 0.
        s.link.Tx.place(messages::locoMessage(loconet::LocoSpeed, job.LocoSlot, 0));
        job.JobPhase = StopSent;
        return false;
    default:
        return true;
    }
}
