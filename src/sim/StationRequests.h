#pragma once

#include <QByteArray>

class Outbox;
class StationSettings;
struct StationProfile;

// The station's own 15-byte requests ED 0F 01 47 58 <command> <high bits>
// <seven data bytes>: special options, locomotive data formats, serial
// number, software version and the configuration reset.
class StationRequests {
public:
    enum Command : quint8 {
        WriteOption = 0x01,
        ReadOption = 0x02,
        ReadVersion = 0x06,
        ReadSerialNumber = 0x07,
        WriteLocoFormat = 0x0C,
        ReadLocoFormat = 0x0D,
        Reset = 0x18,
    };
    // Kinds of content of the station's peer answers (byte 5).
    enum AnswerKind : quint8 {
        OptionValue = 0x00,
        Version = 0x08,
        SerialNumber = 0x09,
        LocoFormat = 0x0B,
    };

    static bool isStationRequest(const QByteArray& message);

    static void handle(const QByteArray& request, StationSettings& settings,
                       const StationProfile& profile, Outbox& out);
};
