#pragma once

#include "Job.h"

#include <QByteArray>
#include <QtGlobal>

// One request for the job machine, with its operands copied when it was
// made, and, once it runs, how far it has got.
struct JobRequest {
    Job JobCode = Job::None;
    // The main operand: an accessory address or feedback contact (0-based),
    // a loco address, or the running counter of a list job.
    int JobCounter = 0;
    int JobThrottle = 0;
    // Loco jobs: the slot the action is meant for (-1 = the locomotive is
    // still to be taken) and the function group of 0xD4.
    int LocoSlot = -1;
    int ExtFnType = 0;
    // The byte a loco job sends; the last address a page query asks.
    int JobValue = 0;
    // The raw message of job 40, without its checksum. Initialised like every
    // member, so that a request may name only the members it sets.
    QByteArray RawBytes{};

    int JobPhase = 0;
    double JobTimeStamp = 0;
    // Told by the job machine; 0 = refused.
    quint64 JobTicket = 0;

    bool idle() const { return JobCode == Job::None; }
};
