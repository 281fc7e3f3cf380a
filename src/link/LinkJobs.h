#pragma once

class JobMachine;
class LinkState;

// The jobs the link carries out itself: the accessory page query, accessory
// switching and pulses, feedback reports, track power, the loco jobs of the
// throttles, and the raw message.
void registerLinkJobs(JobMachine& jobs, LinkState& state);
