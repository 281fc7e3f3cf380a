#pragma once

class LinkState;

// Jobs 30..39 of a throttle: acquire the locomotive (request its slot and
// read its data format) when the address changed, then send what the last
// digit asks for: 5/8 direction and F0..F4, 6 F9..F12, 7 F5..F8, 9 speed.
bool LocoJob(LinkState& s);
