#include "ProtocolLine.h"

#include <QList>
#include <algorithm>

namespace {
bool isHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}
} // namespace

ProtocolLine ProtocolLine::parse(const QByteArray& line) {
    const qsizetype space = line.indexOf(' ');
    if (space < 0)
        return {line.trimmed(), {}};
    return {line.left(space), line.mid(space + 1).trimmed()};
}

QByteArray hexBytes(const QByteArray& bytes) {
    return bytes.toHex(' ').toUpper();
}

std::optional<QByteArray> bytesOfHex(const QByteArray& text) {
    const QByteArray tokens = text.simplified();
    if (tokens.isEmpty())
        return std::nullopt;
    QByteArray bytes;
    for (const QByteArray& token : tokens.split(' ')) {
        if (token.size() > 2 || !std::all_of(token.begin(), token.end(), isHexDigit))
            return std::nullopt;
        bytes.append(static_cast<char>(token.toUInt(nullptr, 16)));
    }
    return bytes;
}
