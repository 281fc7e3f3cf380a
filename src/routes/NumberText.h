#pragma once

#include <QStringView>

// The numeric value of a text the way the route cells and fields read it:
// blanks before it skipped, an optional sign, digits, an optional decimal
// point with more digits. 0 when the text does not start with a number.
double leadingValue(QStringView text);
