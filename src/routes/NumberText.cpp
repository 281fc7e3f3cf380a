#include "NumberText.h"

#include <limits>

namespace {
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
} // namespace

double leadingValue(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
    }
    bool ok = false;
    const double value = text.mid(start, i - start).toDouble(&ok);
    return ok ? value : 0.0;
}

qint64 leadingDigitsValue(QStringView text) {
    constexpr qint64 ceiling = std::numeric_limits<qint64>::max() / 10 - 10;
    qint64 value = 0;
    for (const QChar c : text) {
        if (!isDigit(c))
            break;
        if (value < ceiling)
            value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

QString digitsOnly(QStringView text) {
    QString digits;
    for (const QChar c : text) {
        if (isDigit(c))
            digits.append(c);
    }
    return digits;
}
