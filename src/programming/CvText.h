#pragma once

#include <QString>
#include <QStringView>

// How the programming windows read and show numbers.
namespace cvtext {

// The largest CV number a field of the windows takes.
constexpr int MaxFieldCv = 1023;

// The leading decimal number of a field (blanks before it skipped), 0 when
// it has none; long digit runs stay at 32767 instead of overflowing.
int fieldNumber(QStringView text);

// check_val: "-" (unknown) or "_" (the decoder gave no value), or nothing
// but the digits 0-9 (an empty text too) with a number not above max.
bool acceptable(QStringView text, int max);

// A field that holds a number: digits only, not empty.
bool holdsNumber(QStringView text);

// The value a field stands for: unknown (256) for "-" and an empty field.
int fieldValue(QStringView text);

// FormatCvValue: "-" for an unknown value, else the number.
QString FormatCvValue(int value);

} // namespace cvtext
