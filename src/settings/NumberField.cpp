#include "NumberField.h"

#include "platform/DigitText.h"

FieldValue readField(QStringView text, int maximum) {
    if (text.isEmpty() || text == u"-")
        return {};
    if (!isDigitsOnly(text))
        return {FieldValue::Wrong};
    const qint64 value = leadingDigitsValue(text, qint64(maximum) + 1);
    if (value > maximum)
        return {FieldValue::Wrong};
    return {FieldValue::Number, static_cast<int>(value)};
}
