#pragma once

#include <QString>

class RouteTable;

// How the entry dialog was ended.
enum DialogResult : int {
    DialogOpen = 0,
    DialogChange = 1,  // "ändern"
    DialogInsert = 2,  // "einfügen"
    DialogDelete = 3,  // "löschen"
    DialogCancel = 99, // "Abbrechen" or the window closed
};

// What the entry dialog holds: one command or trigger at a time. A choice
// of -1 means no option button is on.
struct RouteEntry {
    QString accessoryAddress;
    int accessoryDirection = -1; // 0 "rot", 1 "grün"
    QString feedbackAddress;
    int feedbackState = -1; // 0 "frei", 1 "belegt"
    QString routeNumber;
    int routeAction = -1; // 0 "blockieren", 1 "freigeben", 2 "anfordern", 3 "auflösen"
    QString pauseSeconds;

    static RouteEntry fromCell(const QString& text);
};

// A left click on status cell (row, column): set it when clear, clear it
// when set.
void ToggleRouteStatus(RouteTable& table, int row, int column);

// Writes what the entry dialog for cell (row, column) ended with. A
// trigger cell takes the entry whatever button ended the dialog; a
// command cell is changed, inserted (command 50 is lost) or deleted (the
// commands after it move one place left). An entry out of range leaves
// the cell as it is. False when the dialog's ending is not taken at all.
bool ApplyRouteEntry(RouteTable& table, int row, int column, int dialogResult,
                     const RouteEntry& entry);

// Empties the route's status, triggers and commands.
void DeleteRoute(RouteTable& table, int row);
