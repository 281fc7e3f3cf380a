#pragma once

#include "JobMachine.h"

class LinkState;

// Job 1: asks the state of the 16 accessories of the keyboard page.
bool AccessoryPageQueryJob(LinkState& s);
// Jobs 16..19: one accessory command (key pressed or released).
bool AccessoryCommandJob(LinkState& s);
// Jobs 20, 21: report a feedback contact free or occupied.
bool FeedbackReportJob(LinkState& s);

// The 16 accessories from the 0-based address base on; a newer page
// supersedes one still waiting.
JobMachine::Ticket requestPageQuery(JobMachine& jobs, int base);
// One switch command for a 0-based accessory address.
JobMachine::Ticket requestAccessory(JobMachine& jobs, int address, bool green, bool outputOn);
// A feedback report for a 0-based contact.
JobMachine::Ticket requestFeedbackReport(JobMachine& jobs, int contact, bool occupied);
