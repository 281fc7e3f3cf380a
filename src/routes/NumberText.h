#pragma once

#include <QString>
#include <QStringView>

// The numeric value of a text the way the route cells and fields read it:
// blanks before it skipped, an optional sign, digits, an optional decimal
// point with more digits. 0 when the text does not start with a number.
double leadingValue(QStringView text);

// The number formed by the decimal digits the text starts with; 0 when it
// starts with something else. Very long digit runs stay at a huge value
// instead of overflowing.
qint64 leadingDigitsValue(QStringView text);

// The text with every character other than 0-9 dropped.
QString digitsOnly(QStringView text);
