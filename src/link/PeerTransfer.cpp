#include "PeerTransfer.h"

#include "LinkState.h"
#include "MessageReaders.h"

namespace {
int hi(quint8 b) {
    return b >> 4;
}
int lo(quint8 b) {
    return b & 0x0F;
}

void onDataFormat(LinkState& s, const messages::PeerBytes& m) {
    const int address = m[8] * 256 + m[7];
    s.answers.LocoFormatAnswer = m[9];
    s.answers.LocoFormatExtra = m[10];
    for (int slot = 1; slot <= 120; ++slot) {
        SlotRecord& record = s.station.SlotTable[slot];
        if (record[SlotRecord::Address] != address)
            continue;
        SetFormat(record, m[9]);
        for (int t = 0; t < 2; ++t) {
            if (s.station.ThrottleData[t][SlotRecord::Address] == address)
                s.station.ThrottleData[t] = record;
        }
        return;
    }
}

void onLncv(LinkState& s, const messages::PeerBytes& m) {
    s.answers.LncvAnswerArticle = m[8] * 256 + m[7];
    s.answers.LncvNumber = m[10] * 256 + m[9];
    s.answers.LncvValue = m[12] * 256 + m[11];
    const bool fromThrottle = m[2] == 0 && m[3] == 0 && m[4] == 0;
    if (fromThrottle && s.answers.LncvAnswerArticle == loconet::HandheldThrottleArticle &&
        s.answers.LncvNumber == loconet::HandheldAnnouncementLncv && s.hooks.ZeltronRequest)
        s.hooks.ZeltronRequest(s.answers.LncvValue);
}
} // namespace

double decodeSerialNumber(const quint8* b) {
    double number = 0;
    for (int i = 0; i < 5; ++i)
        number = (number * 10 + hi(b[i])) * 10 + lo(b[i]);
    return number;
}

double decodeSoftwareVersion(quint8 first, quint8 second) {
    return hi(second) + lo(second) * 0.1 + hi(first) * 0.01 + lo(first) * 0.001;
}

void OnPeerTransfer(LinkState& s, const ReceiveRing::Row& row) {
    if (!messages::isPeer15(row.data()))
        return;
    const messages::PeerBytes m = messages::readPeer15(row.data());
    switch (m[5]) {
    case loconet::OptionValueAnswer:
        s.answers.SoValueAnswer = m[9];
        break;
    case loconet::LocoFormatAnswer:
        onDataFormat(s, m);
        break;
    case loconet::VersionAnswer:
        s.answers.SoftwareVersion = decodeSoftwareVersion(m[7], m[8]);
        break;
    case loconet::SerialNumberAnswer:
        s.answers.SerialNumber = decodeSerialNumber(&m[7]);
        break;
    case loconet::LncvAnswer:
        onLncv(s, m);
        break;
    default:
        break;
    }
}
