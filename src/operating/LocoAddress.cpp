#include "LocoAddress.h"

#include "platform/DigitText.h"

std::optional<int> locoAddressOf(QStringView text) {
    const QStringView number = text.trimmed();
    if (number.isEmpty() || number.size() > 5 || !isDigitsOnly(number))
        return std::nullopt;
    const int value = number.toInt();
    if (value < 1 || value > HighestLocoAddress)
        return std::nullopt;
    return value;
}

bool isBadAddressText(QStringView text) {
    const QStringView trimmed = text.trimmed();
    return !trimmed.isEmpty() && trimmed != u"-" && !locoAddressOf(text);
}
