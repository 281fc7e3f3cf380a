#pragma once

#include "RouteEngine.h"
#include "RouteTable.h"
#include "platform/FileBackup.h"

class Clock;
class LinkView;
class Transmitter;

// The routes of the program: the table every part reads and writes, the
// engine that works it off, the triggers the bus fires, and FS.DAT.
class Routes {
public:
    Routes(const Clock& clock, Transmitter& tx, LinkView& view)
        : engine(table, tx, clock), m_view(view) {}

    // Start-up. A file that does not load whole is reported once, with the
    // line and what was wrong; what could be read is loaded, and the file is
    // kept beside itself before it is first overwritten.
    void LoadRoutes(const QString& path);
    // Program end. A failed write keeps the old file and tells the user.
    bool SaveRoutes(const QString& path);
    // A change the user made in the editor, saved at once so that no crash
    // loses it. A failure is told once, not at every keystroke, until a save
    // works again.
    void SaveEdit(const QString& path);

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
    bool save(const QString& path, QString* error);
    void cannotSave(const QString& path, const QString& error);

    LinkView& m_view;
    FileBackup m_backup;
    bool m_editSaveFailed = false;
};
