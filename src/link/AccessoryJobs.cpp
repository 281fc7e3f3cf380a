#include "AccessoryJobs.h"

#include "LinkState.h"
#include "Messages.h"

namespace {
constexpr double PageQueryTimeout = 2.0;
constexpr double PulseLength = 0.5;

} // namespace

bool AccessoryPageQueryJob(LinkState& s) {
    JobRequest& job = s.job;
    if (job.JobPhase == 0) {
        ++job.JobCounter;
        if (job.JobCounter > s.KeyboardBase + 15)
            return true;
        s.link.Tx.place({0xBC, static_cast<quint8>(job.JobCounter & 0x7F),
                         static_cast<quint8>((job.JobCounter / 128) & 0x0F)});
        job.JobPhase = 1;
        job.JobTimeStamp = s.now();
        return false;
    }
    // The dispatcher sets phase 0 again when the answer has come.
    if (s.now() - job.JobTimeStamp > PageQueryTimeout) {
        s.showError(QStringLiteral("Keine Antwort auf Mag.Art.Abfrage erhalten!"));
        return true;
    }
    return false;
}

bool AccessoryPulseJob(LinkState& s) {
    JobRequest& job = s.job;
    const int direction = job.JobCode - 10;
    switch (job.JobPhase) {
    case 0:
        s.link.Tx.place(messages::accessoryCommand(job.JobCounter, direction, true));
        job.JobPhase = 1;
        return false;
    case 1:
        job.JobPulseTime = s.now();
        job.JobPhase = 2;
        return false;
    case 2:
        if (s.now() - job.JobPulseTime > PulseLength)
            job.JobPhase = 3;
        return false;
    case 3:
        s.link.Tx.place(messages::accessoryCommand(job.JobCounter, direction, false));
        job.JobPhase = 4;
        return false;
    default:
        return true;
    }
}

bool AccessoryCommandJob(LinkState& s) {
    JobRequest& job = s.job;
    if (job.JobPhase == 0) {
        s.link.Tx.place(
            messages::accessoryCommand(job.JobCounter, job.JobCode & 1, (job.JobCode & 2) != 0));
        job.JobPhase = 1;
        return false;
    }
    return true;
}

bool FeedbackReportJob(LinkState& s) {
    JobRequest& job = s.job;
    if (job.JobPhase == 0) {
        s.link.Tx.place(messages::feedbackReport(job.JobCounter, job.JobCode == 21));
        job.JobPhase = 1;
        return false;
    }
    return true;
}
