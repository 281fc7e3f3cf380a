#pragma once

#include <QStringView>

// What a number field of the settings windows holds. An empty text and a
// lone "-" (a field's "nothing yet") are not wrong, but they are no number
// either: nothing may be sent from them.
struct FieldValue {
    enum Kind { Number, Nothing, Wrong };
    Kind kind = Nothing;
    int value = 0; // only for Number

    bool isNumber() const { return kind == Number; }
    // Painted red: not digits only, or beyond what the field may hold.
    bool isWrong() const { return kind == Wrong; }
};

// Reads a field that holds a whole number from 0 to maximum.
FieldValue readField(QStringView text, int maximum);
