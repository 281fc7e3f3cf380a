#include "SerialNumberJob.h"

#include "AnswerWait.h"
#include "LinkState.h"
#include "Messages.h"

namespace {
constexpr double AnswerTimeout = 2.0;
} // namespace

JobMachine::Ticket requestSerialNumberAndVersion(JobMachine& jobs) {
    return jobs.request({.JobCode = Job::SerialNumberAndVersion});
}

bool SerialNumberJob(LinkState& s, const std::function<void()>& onRead) {
    JobRequest& job = s.job;
    AnswerBook& answers = s.answers;
    const auto ask = [&](loconet::StationCommand command, double& marker) {
        s.link.Tx.place(messages::stationRequest(command));
        ++job.JobPhase;
        job.JobTimeStamp = s.now();
        marker = -1;
    };
    if (job.JobPhase == 0) {
        ask(loconet::ReadSerialNumber, answers.SerialNumber);
        return false;
    }
    const double& marker = job.JobPhase == 1 ? answers.SerialNumber : answers.SoftwareVersion;
    switch (awaitAnswer(marker != -1, s.now() - job.JobTimeStamp, AnswerTimeout)) {
    case AnswerWait::Pending:
        return false;
    case AnswerWait::Missing:
        s.showError(QStringLiteral("Keine Antwort Anfrage Seriennummer erhalten!"));
        return true;
    case AnswerWait::Arrived:
        break;
    }
    if (job.JobPhase == 1) {
        ask(loconet::ReadVersion, answers.SoftwareVersion);
        return false;
    }
    if (onRead)
        onRead();
    return true;
}
