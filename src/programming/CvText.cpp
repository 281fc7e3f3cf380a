#include "CvText.h"

#include "ProgrammingState.h"
#include "platform/DigitText.h"

namespace cvtext {

namespace {
constexpr int Ceiling = 32767;
} // namespace

int fieldNumber(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() && text[i] == u' ')
        ++i;
    return static_cast<int>(leadingDigitsValue(text.mid(i), Ceiling));
}

bool acceptable(QStringView text, int max) {
    if (text == u"-" || text == u"_")
        return true;
    return isDigitsOnly(text) && fieldNumber(text) <= max;
}

bool holdsNumber(QStringView text) {
    return !text.isEmpty() && isDigitsOnly(text);
}

int fieldValue(QStringView text) {
    return holdsNumber(text) ? fieldNumber(text) : ProgrammingState::Unknown;
}

QString FormatCvValue(int value) {
    return value == ProgrammingState::Unknown ? QStringLiteral("-") : QString::number(value);
}

} // namespace cvtext
