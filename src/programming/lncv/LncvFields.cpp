#include "LncvFields.h"

#include "platform/DigitText.h"

namespace {
// More digits than this cannot be in range and would overflow.
constexpr int MaxDigits = 9;
constexpr int LargestArticleNumber = 999999999;
} // namespace

qint64 lncvArticleOf(qint64 articleNumber) {
    qint64 tenth = articleNumber / 10;
    const qint64 rest = articleNumber % 10;
    if (rest > 5 || (rest == 5 && tenth % 2 == 1))
        ++tenth;
    return tenth;
}

std::optional<int> fieldNumber(QStringView text, int max) {
    if (text.isEmpty() || text.size() > MaxDigits || !isDigitsOnly(text))
        return std::nullopt;
    const int number = text.toInt();
    if (number > max)
        return std::nullopt;
    return number;
}

std::optional<int> fieldArticleNumber(QStringView text) {
    const auto number = fieldNumber(text, LargestArticleNumber);
    if (!number || lncvArticleOf(*number) > LncvMax)
        return std::nullopt;
    return number;
}

bool fieldLooksRight(QStringView text, const std::optional<int>& number) {
    return number || text.isEmpty() || text == u"-";
}
