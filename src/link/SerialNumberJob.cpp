#include "SerialNumberJob.h"

#include "LinkState.h"
#include "StationRequest.h"

namespace {
constexpr double AnswerTimeout = 2.0;
constexpr quint8 SerialNumberCommand = 0x07;
constexpr quint8 VersionCommand = 0x06;
} // namespace

bool SerialNumberJob(LinkState& s, const std::function<void()>& onRead) {
    JobRequest& job = s.job;
    PeerAnswers& answers = s.answers;
    const auto ask = [&](quint8 command, double& marker) {
        placeStationRequest(s.link.Tx, command);
        ++job.JobPhase;
        job.JobTimeStamp = s.now();
        marker = -1;
    };
    if (job.JobPhase == 0) {
        ask(SerialNumberCommand, answers.SerialNumber);
        return false;
    }
    if (s.now() - job.JobTimeStamp > AnswerTimeout) {
        s.showError(QStringLiteral("Keine Antwort Anfrage Seriennummer erhalten!"));
        return true;
    }
    if (job.JobPhase == 1) {
        if (answers.SerialNumber != -1)
            ask(VersionCommand, answers.SoftwareVersion);
        return false;
    }
    if (answers.SoftwareVersion == -1)
        return false;
    if (onRead)
        onRead();
    return true;
}
