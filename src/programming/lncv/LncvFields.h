#pragma once

#include <QString>
#include <QStringView>
#include <optional>

// LNCV numbers, values and module addresses are 16 bits wide.
constexpr int LncvMax = 0xFFFF;

// The largest article number whose tenth still fits: 65535 is odd, so a
// half rounds it up past the top.
constexpr int LargestLncvArticleNumber = LncvMax * 10 + 4;

// The article as it goes on the wire: a tenth of the article number the
// user knows, halves rounded to even (12340 → 1234, 12345 → 1234).
qint64 lncvArticleOf(qint64 articleNumber);

// The number a field holds: only the digits 0-9, at most max. None for the
// placeholder "-", an empty field or anything else, so nothing undefined
// can be sent.
std::optional<int> fieldNumber(QStringView text, int max);
// The typed article number, when its tenth fits the wire.
std::optional<int> fieldArticleNumber(QStringView text);

// A field is painted red when it holds neither a usable number nor the
// placeholder "-" (or nothing at all).
bool fieldLooksRight(QStringView text, const std::optional<int>& number);
