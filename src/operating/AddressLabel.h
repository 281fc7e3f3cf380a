#pragma once

#include <QString>

// The number a key popup's label holds while the user types it: the last
// four digits typed.
class AddressLabel {
public:
    static constexpr int MaxDigits = 4;

    const QString& text() const { return m_text; }

    // The digit that opens the popup replaces what the label held.
    void open(int digit);
    void type(int digit);
    // Backspace and Delete take the last digit away.
    void erase();

    // The number typed; 0 when there is none.
    int number() const;

private:
    QString m_text;
};
