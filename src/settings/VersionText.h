#pragma once

#include <QString>

// How the version window shows what job 47 read. Both texts look the same
// whatever the user's locale: a plain number, and the version with a point
// and three decimals (1.55 → "1.550").
QString serialNumberText(double serialNumber);
QString softwareVersionText(double version);
