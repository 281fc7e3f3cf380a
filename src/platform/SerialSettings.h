#pragma once

#include <QString>
#include <optional>

// A port setting in the classic text form "19200,n,8,2".
struct SerialSettings {
    int bitRate = 19200;
    char parity = 'n'; // n, e, o, m, s
    int dataBits = 8;
    int stopBits = 1;

    static std::optional<SerialSettings> parse(const QString& text);
    bool operator==(const SerialSettings&) const = default;
};
