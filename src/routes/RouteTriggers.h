#pragma once

class RouteTable;

// What the bus reports that a trigger cell can name: the kind letters of
// the cell ("Rm", "Ma") and the letters after "-" for state 0 and 1.
struct TriggerEvent {
    const char16_t* kind;
    const char16_t* state0;
    const char16_t* state1;
};

inline constexpr TriggerEvent FeedbackTrigger{u"Rm", u"f", u"b"};
inline constexpr TriggerEvent AccessoryTrigger{u"Ma", u"r", u"g"};

// Requests every route whose "anfordern" cell names the event and dissolves
// every route whose "auflösen" cell does. address0 is 0-based, the cells
// count from 1.
void FireRouteTriggers(RouteTable& table, const TriggerEvent& event, int address0, int state);
