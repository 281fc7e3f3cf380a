#include "NumberField.h"

#include <algorithm>

bool isDigitsOnly(QStringView text) {
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

FieldValue readField(QStringView text, int maximum) {
    if (text.isEmpty() || text == u"-")
        return {};
    if (!isDigitsOnly(text))
        return {FieldValue::Wrong};
    // A long run of digits stops growing past the maximum instead of overflowing.
    qint64 value = 0;
    for (const QChar c : text) {
        value = value * 10 + (c.unicode() - u'0');
        if (value > maximum)
            return {FieldValue::Wrong};
    }
    return {FieldValue::Number, static_cast<int>(value)};
}
