#include "CodePage1252.h"

#include <array>

namespace cp1252 {

namespace {

// The characters of 0x80..0x9F.
constexpr std::array<char16_t, 32> High{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr unsigned FirstHigh = 0x80;
constexpr unsigned AfterHigh = 0xA0;
constexpr unsigned AfterLatin1 = 0x100;

std::optional<char> byteOf(char16_t c) {
    if (c < FirstHigh || (c >= AfterHigh && c < AfterLatin1))
        return char(c);
    for (unsigned i = 0; i < High.size(); ++i) {
        if (High[i] == c)
            return char(FirstHigh + i);
    }
    return std::nullopt;
}

} // namespace

QString decode(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        *out++ = QChar(u >= FirstHigh && u < AfterHigh ? High[u - FirstHigh] : char16_t(u));
    }
    return text;
}

std::optional<QByteArray> encode(QStringView text, QString* refused) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::optional<char> b = byteOf(text[i].unicode());
        if (!b) {
            if (refused) {
                // A character beyond the 16-bit range is named whole.
                const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() &&
                                  text[i + 1].isLowSurrogate();
                *refused = text.mid(i, pair ? 2 : 1).toString();
            }
            return std::nullopt;
        }
        bytes[i] = *b;
    }
    return bytes;
}

} // namespace cp1252
