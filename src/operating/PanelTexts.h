#pragma once

#include <QString>
#include <QStringList>

// What the keyboard, feedback and memory tabs write: their page lists, the
// range beside the list, and the tooltips that name each key.
namespace panel {
constexpr int PageSize = 16;
// Accessories and contacts 1..2048 in pages of 16.
constexpr int AddressPages = 128;

// "1 - 16" for the page whose first object has the 0-based number base.
QString rangeText(int base);

// "Keyboard 1 Adr.: 1 - 16" .. "Keyboard 128 Adr.: 2033 - 2048"
QStringList keyboardPageEntries();
// "Rückmelder: 1 - 16" .. "Rückmelder: 2033 - 2048"
QStringList feedbackPageEntries();
// One "Fahrstrassen: a - b" per whole 16 rows of a route table.
QStringList routePageEntries(int rowCount);

// 0-based accessory address; "Mag.Art. 5 grün".
QString accessoryKeyTip(int address, bool green);
// What a report for a contact in this state would say: "belegt" for a free
// or never reported contact, "frei" for an occupied one.
QString FeedbackActionText(int feedbackState);
// 0-based contact: "Rückm.5 belegt aussenden".
QString feedbackReportTip(int contact, int feedbackState);
// Route number 1..208: "Fahrstr. 3 anfordern", "Fahrstr. 3 auflösen".
QString routeRequestTip(int route);
QString routeDissolveTip(int route);
} // namespace panel
