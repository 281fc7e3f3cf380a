#include "DigitText.h"

#include <algorithm>

bool isDecimalDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool isDigitsOnly(QStringView text) {
    return std::all_of(text.begin(), text.end(), isDecimalDigit);
}

QString digitsOnly(QStringView text) {
    QString digits;
    for (const QChar c : text) {
        if (isDecimalDigit(c))
            digits.append(c);
    }
    return digits;
}

qint64 leadingDigitsValue(QStringView text, qint64 ceiling) {
    qint64 value = 0;
    for (const QChar c : text) {
        if (!isDecimalDigit(c))
            break;
        const int digit = c.unicode() - u'0';
        value = value > (ceiling - digit) / 10 ? ceiling : value * 10 + digit;
    }
    return value;
}
