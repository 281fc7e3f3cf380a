#pragma once

#include "JobMachine.h"

#include <functional>

class LinkState;

// Job 47: reads the command station's serial number, then its software
// version; onRead is told when both have come.
bool SerialNumberJob(LinkState& s, const std::function<void()>& onRead);

JobMachine::Ticket requestSerialNumberAndVersion(JobMachine& jobs);
