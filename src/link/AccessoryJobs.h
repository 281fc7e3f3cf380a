#pragma once

class LinkState;

// Job 1: asks the state of the 16 accessories of the keyboard page.
bool AccessoryPageQueryJob(LinkState& s);
// Jobs 10, 11: switch an accessory on and 0.5 s later off again.
bool AccessoryPulseJob(LinkState& s);
// Jobs 16..19: one accessory command (key pressed or released).
bool AccessoryCommandJob(LinkState& s);
// Jobs 20, 21: report a feedback contact free or occupied.
bool FeedbackReportJob(LinkState& s);
