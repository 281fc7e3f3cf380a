#include "StationRequests.h"

#include "Outbox.h"
#include "StationMessage.h"
#include "StationProfile.h"
#include "StationSettings.h"

namespace {

constexpr quint8 Accepted = 0x7F;
constexpr quint8 NotAccepted = 0x00;

QByteArray acknowledge(bool accepted) {
    return sim::longAck(0xED, accepted ? Accepted : NotAccepted);
}

// Answers come from the station (source 0) with its signature.
QByteArray answer(quint8 kind, const sim::PeerData& data) {
    return sim::packedMessage(0xE5, {0x00, 0x47, 0x58}, kind, data);
}

// Ten decimal digits as nibbles, high nibble first.
sim::PeerData serialNumberData(qint64 number) {
    sim::PeerData data{};
    qint64 rest = number;
    for (int i = 4; i >= 0; --i) {
        const int low = rest % 10;
        rest /= 10;
        const int high = rest % 10;
        rest /= 10;
        data[i] = (high << 4) | low;
    }
    return data;
}

// 1.55 is carried as byte 8 = 0x15 (units and tenths), byte 7 = 0x50
// (hundredths and thousandths).
sim::PeerData versionData(int thousandths) {
    const int digits[4] = {thousandths / 1000 % 10, thousandths / 100 % 10, thousandths / 10 % 10,
                           thousandths % 10};
    sim::PeerData data{};
    data[0] = (digits[2] << 4) | digits[3];
    data[1] = (digits[0] << 4) | digits[1];
    return data;
}

} // namespace

bool StationRequests::isStationRequest(const QByteArray& m) {
    return m.size() == 15 && static_cast<quint8>(m[0]) == 0xED && m[1] == 0x0F && m[2] == 0x01 &&
           m[3] == 0x47 && m[4] == 0x58;
}

void StationRequests::handle(const QByteArray& request, StationSettings& settings,
                             const StationProfile& profile, Outbox& out) {
    const sim::PeerData d = sim::peerData(request);
    const int number = d[0] | (d[1] << 8);
    switch (static_cast<quint8>(request[5])) {
    case WriteOption:
        out.answer(acknowledge(settings.setOption(number, d[2])));
        break;
    case ReadOption:
        if (number >= StationSettings::Options) {
            out.answer(acknowledge(false));
            break;
        }
        out.answer(acknowledge(true));
        out.answer(answer(OptionValue, {d[0], d[1], settings.option(number), 0, 0, 0, 0}));
        break;
    case WriteLocoFormat:
        out.answer(acknowledge(settings.setFormat(number, {d[2], d[3]})));
        break;
    case ReadLocoFormat: {
        const StationSettings::LocoFormat f = settings.format(number);
        out.answer(acknowledge(true));
        out.answer(answer(LocoFormat, {d[0], d[1], f.code, f.extra, 0, 0, 0}));
        break;
    }
    case ReadSerialNumber:
        out.answer(answer(SerialNumber, serialNumberData(profile.serialNumber)));
        break;
    case ReadVersion:
        out.answer(answer(Version, versionData(profile.versionThousandths)));
        break;
    case Reset:
        if (d[0] == 1)
            settings.resetLocoFormats();
        else
            settings.resetConfiguration();
        out.answer(acknowledge(true));
        break;
    default:
        out.answer(acknowledge(false));
        break;
    }
}
