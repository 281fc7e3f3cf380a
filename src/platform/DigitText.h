#pragma once

#include <QString>
#include <QStringView>
#include <limits>

// Decimal digits in what the user types or a file holds: only 0-9 count,
// never the other digits Unicode knows.

bool isDecimalDigit(QChar c);
// True for an empty text too.
bool isDigitsOnly(QStringView text);
// The text with every character other than 0-9 dropped.
QString digitsOnly(QStringView text);
// The number formed by the digits the text starts with; 0 when it starts
// with something else. A long digit run stays at the ceiling instead of
// overflowing.
qint64 leadingDigitsValue(QStringView text, qint64 ceiling = std::numeric_limits<qint64>::max());
