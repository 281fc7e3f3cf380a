#include "CvText.h"

#include "ProgrammingState.h"

namespace cvtext {

namespace {
constexpr int Ceiling = 32767;

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool onlyDigits(QStringView text) {
    for (const QChar c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}
} // namespace

int fieldNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    int value = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        value = qMin(Ceiling, value * 10 + (text[i].unicode() - u'0'));
    return value;
}

bool acceptable(QStringView text, int max) {
    if (text == u"-" || text == u"_")
        return true;
    return onlyDigits(text) && fieldNumber(text) <= max;
}

bool holdsNumber(QStringView text) {
    return !text.isEmpty() && onlyDigits(text);
}

int fieldValue(QStringView text) {
    return holdsNumber(text) ? fieldNumber(text) : ProgrammingState::Unknown;
}

QString FormatCvValue(int value) {
    return value == ProgrammingState::Unknown ? QStringLiteral("-") : QString::number(value);
}

} // namespace cvtext
