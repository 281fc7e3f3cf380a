#pragma once

#include "JobMachine.h"

#include <QByteArray>

class LinkState;

// The jobs the link carries out itself: the accessory page query, accessory
// switching, feedback reports, track power, the loco jobs of the
// throttles, the raw message, the serial number and the identification.
void registerLinkJobs(JobMachine& jobs, LinkState& state);

// Track power on or off; a newer choice supersedes one still waiting.
JobMachine::Ticket requestPower(JobMachine& jobs, bool on);
// A message the user typed, without its checksum (at most 63 bytes).
JobMachine::Ticket requestRawMessage(JobMachine& jobs, const QByteArray& bytes);
