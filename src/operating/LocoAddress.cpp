#include "LocoAddress.h"

#include <QString>

std::optional<int> locoAddressOf(QStringView text) {
    const QStringView number = text.trimmed();
    if (number.isEmpty() || number.size() > 5)
        return std::nullopt;
    int value = 0;
    for (const QChar c : number) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value < 1 || value > HighestLocoAddress)
        return std::nullopt;
    return value;
}

bool isBadAddressText(QStringView text) {
    const QStringView trimmed = text.trimmed();
    return !trimmed.isEmpty() && trimmed != u"-" && !locoAddressOf(text);
}
