#pragma once

#include "JobMachine.h"

class LinkState;

// Jobs 30..39 of a throttle: take the locomotive when the throttle does not
// hold it yet (request its slot, read its data format), then send the
// action: 35 direction and F0..F4 followed by speed 0, 36 F9..F12, 37
// F5..F8, 38 direction and F0..F4, 39 speed; 30 only takes it.
bool LocoJob(LinkState& s);

// What throttle t asks of the locomotive at `address`. slot is the slot the
// throttle holds it in now (-1 while it is still to be taken); value is the
// byte to send. A newer action of the same kind supersedes one still
// waiting, a direction change a waiting speed.
JobMachine::Ticket requestLocoAction(JobMachine& jobs, Job action, int t, int address, int slot,
                                     int value = 0, int extFnType = 0);

// The value a F9..F12 key sends: the toggled bits of its group, on top of
// a change to that group still waiting.
int locoFunctionValue(const JobMachine& jobs, int t, int extFnType, int shown, int bits);

// The throttle lets go of its locomotive: actions for a locomotive it never
// got hold of are dropped; those for a slot it held still go to that slot.
void withdrawUntakenLocoActions(JobMachine& jobs, int t);
