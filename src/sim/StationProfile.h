#pragma once

#include <QByteArray>
#include <array>

// What tells one kind of command station from another: the bytes of its
// slot 0, its serial number and its software version.
struct StationProfile {
    static constexpr int UnknownType = 99;

    int type = 1;
    // Slot 0 data without checksum; byte 7 is replaced by the track status.
    std::array<quint8, 13> slot0{};
    // Up to ten decimal digits.
    qint64 serialNumber = 0;
    // In thousandths: 1550 is version 1.55.
    int versionThousandths = 0;

    // Types 1, 2 and 3; any other number gives a station of unknown kind.
    static StationProfile forType(int type);

    QByteArray slot0Data(quint8 trackStatus) const;
};
