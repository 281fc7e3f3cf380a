#pragma once

#include "RouteEngine.h"
#include "RouteTable.h"

class Clock;
class LinkView;
class Transmitter;

// The routes of the program: the table every part reads and writes, the
// engine that works it off, the triggers the bus fires, and FS.DAT.
class Routes {
public:
    Routes(const Clock& clock, Transmitter& tx, LinkView& view)
        : engine(table, tx, clock), m_view(view) {}

    // Start-up: a missing or broken file leaves what could not be read empty.
    void LoadRoutes(const QString& path);
    // Program end. A failed write keeps the old file and tells the user.
    bool SaveRoutes(const QString& path);

    void RunRouteEngine() { engine.RunRouteEngine(); }

    // Every feedback report seen on the bus: 0-based contact, state 1
    // occupied, 0 free.
    void OnFeedbackForRoutes(int contact, int state);
    // Every accessory command seen on the bus that switches an output on:
    // 0-based address, direction 1 green, 0 red.
    void OnAccessoryForRoutes(int address, int direction);

    RouteTable table;
    RouteEngine engine;

private:
    LinkView& m_view;
};
