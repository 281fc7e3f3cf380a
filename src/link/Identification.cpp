#include "Identification.h"

#include "AnswerWait.h"
#include "LinkState.h"
#include "Messages.h"
#include "OperatingView.h"

#include <array>

namespace {
constexpr double Slot0Timeout = 1.0;

constexpr std::array<std::array<quint8, 13>, 3> Slot0Patterns = {{
    {0xE7, 0x0E, 0x00, 0x00, 0x00, 0x02, 0x00, 0x07, 0x00, 0x00, 0x00, 0x47, 0x58},
    {0xE7, 0x0E, 0x00, 0x00, 0x00, 0x03, 0x00, 0x07, 0x00, 0x00, 0x00, 0x47, 0x58},
    {0xE7, 0x0E, 0x00, 0x02, 0x42, 0x03, 0x00, 0x07, 0x00, 0x00, 0x15, 0x47, 0x58},
}};
} // namespace

int stationTypeOfSlot0(const quint8* message) {
    int type = StationSlots::UnknownStation;
    for (size_t p = 0; p < Slot0Patterns.size(); ++p) {
        bool same = true;
        for (int i = 0; i <= 12; ++i) {
            if (i != 7 && message[i] != Slot0Patterns[p][i])
                same = false;
        }
        if (same)
            type = static_cast<int>(p) + 1;
    }
    return type;
}

JobMachine::Ticket requestIdentification(JobMachine& jobs) {
    return jobs.request({.JobCode = Job::Identification, .JobCounter = -1});
}

bool IdentifySlot0(LinkState& s) {
    JobRequest& job = s.job;
    SlotRecord& slot0 = s.station.SlotTable[0];
    if (job.JobPhase == 0) {
        s.link.Tx.place(messages::slotDataRequest(loconet::StationSlot));
        job.JobPhase = 1;
        job.JobTimeStamp = s.now();
        s.answers.AnswerValue = -1;
        slot0[SlotRecord::Address] = -1;
        return false;
    }
    switch (
        awaitAnswer(slot0[SlotRecord::Address] != -1, s.now() - job.JobTimeStamp, Slot0Timeout)) {
    case AnswerWait::Pending:
        return false;
    case AnswerWait::Missing:
        s.station.StationType = StationSlots::UnknownStation;
        s.showError(QStringLiteral("Keine Antwort auf Slot 0 Anfrage erhalten!"));
        return true;
    case AnswerWait::Arrived:
        break;
    }
    s.operating.ShowPowerState(s.station.TrackStatus & 1);
    // The dispatcher keeps the raw slot 0 message in fields 5..20.
    std::array<quint8, 16> message{};
    for (int i = 0; i < 16; ++i)
        message[i] = static_cast<quint8>(slot0[5 + i]);
    s.station.StationType = stationTypeOfSlot0(message.data());
    return true;
}

QString stationTypeName(int stationType) {
    switch (stationType) {
    case 1:
        return QStringLiteral("GX/ZT Sw.Vers.1.55");
    case 2:
        return QStringLiteral("GX/ZT Sw.Vers.2.0");
    case 3:
        return QStringLiteral("GX-Basic");
    case StationSlots::UnknownStation:
        return QStringLiteral("unbekannt");
    default:
        return {};
    }
}
