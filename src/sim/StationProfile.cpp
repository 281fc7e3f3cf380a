#include "StationProfile.h"

#include "link/LocoNetMessage.h"

StationProfile StationProfile::forType(int type) {
    StationProfile p;
    p.type = type;
    switch (type) {
    case 1:
        p.slot0 = {0xE7, 0x0E, 0x00, 0x00, 0x00, 0x02, 0x00, 0x07, 0x00, 0x00, 0x00, 0x47, 0x58};
        p.serialNumber = 1100155;
        p.versionThousandths = 1550;
        break;
    case 2:
        p.slot0 = {0xE7, 0x0E, 0x00, 0x00, 0x00, 0x03, 0x00, 0x07, 0x00, 0x00, 0x00, 0x47, 0x58};
        p.serialNumber = 2200200;
        p.versionThousandths = 2000;
        break;
    case 3:
        p.slot0 = {0xE7, 0x0E, 0x00, 0x02, 0x42, 0x03, 0x00, 0x07, 0x00, 0x00, 0x15, 0x47, 0x58};
        p.serialNumber = 3300130;
        p.versionThousandths = 1300;
        break;
    default:
        // A plain LocoNet master that carries no signature in its slot 0.
        p.type = UnknownType;
        p.slot0 = {0xE7, 0x0E, 0x00, 0x00, 0x00, 0x00, 0x00, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00};
        p.serialNumber = 9900001;
        p.versionThousandths = 1000;
        break;
    }
    return p;
}

QByteArray StationProfile::slot0Data(quint8 trackStatus) const {
    QByteArray m(reinterpret_cast<const char*>(slot0.data()), static_cast<qsizetype>(slot0.size()));
    m[7] = static_cast<char>(trackStatus);
    return loconet::withChecksum(m);
}
