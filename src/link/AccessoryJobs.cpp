#include "AccessoryJobs.h"

#include "AnswerWait.h"
#include "LinkState.h"
#include "Messages.h"

namespace {
constexpr double PageQueryTimeout = 2.0;
constexpr int PageSize = 16;
} // namespace

JobMachine::Ticket requestPageQuery(JobMachine& jobs, int base) {
    return jobs.request(
        {.JobCode = Job::AccessoryPageQuery,
         .JobCounter = base - 1,
         .JobValue = base + PageSize - 1},
        [](const JobRequest& waiting) { return waiting.JobCode == Job::AccessoryPageQuery; });
}

JobMachine::Ticket requestAccessory(JobMachine& jobs, int address, bool green, bool outputOn) {
    // 16 red off, 17 green off, 18 red on, 19 green on.
    const int code = static_cast<int>(Job::SwitchRedOff) + (green ? 1 : 0) + (outputOn ? 2 : 0);
    return jobs.request({.JobCode = static_cast<Job>(code), .JobCounter = address});
}

JobMachine::Ticket requestFeedbackReport(JobMachine& jobs, int contact, bool occupied) {
    return jobs.request(
        {.JobCode = occupied ? Job::ReportOccupied : Job::ReportFree, .JobCounter = contact});
}

bool AccessoryPageQueryJob(LinkState& s) {
    JobRequest& job = s.job;
    if (job.JobPhase == 0) {
        ++job.JobCounter;
        if (job.JobCounter > job.JobValue)
            return true;
        s.link.Tx.place(messages::accessoryStateQuery(job.JobCounter));
        job.JobPhase = 1;
        job.JobTimeStamp = s.now();
        return false;
    }
    // The dispatcher sets phase 0 again when the answer has come.
    if (awaitAnswer(false, s.now() - job.JobTimeStamp, PageQueryTimeout) == AnswerWait::Missing) {
        s.showError(QStringLiteral("Keine Antwort auf Mag.Art.Abfrage erhalten!"));
        return true;
    }
    return false;
}

bool AccessoryCommandJob(LinkState& s) {
    JobRequest& job = s.job;
    if (job.JobPhase == 0) {
        const int code = static_cast<int>(job.JobCode);
        s.link.Tx.place(messages::accessoryCommand(job.JobCounter, code & 1, (code & 2) != 0));
        job.JobPhase = 1;
        return false;
    }
    return true;
}

bool FeedbackReportJob(LinkState& s) {
    JobRequest& job = s.job;
    if (job.JobPhase == 0) {
        s.link.Tx.place(
            messages::feedbackReport(job.JobCounter, job.JobCode == Job::ReportOccupied));
        job.JobPhase = 1;
        return false;
    }
    return true;
}
