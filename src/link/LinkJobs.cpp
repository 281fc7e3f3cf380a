#include "LinkJobs.h"

#include "AccessoryJobs.h"
#include "Identification.h"
#include "LinkState.h"
#include "LocoJobs.h"
#include "Messages.h"
#include "SerialNumberJob.h"

void registerLinkJobs(JobMachine& jobs, LinkState& s) {
    jobs.registerJob(Job::AccessoryPageQuery, [&s] { return AccessoryPageQueryJob(s); });
    jobs.registerJobs({Job::PowerOff, Job::PowerOn}, [&s] {
        s.link.Tx.place(messages::power(s.job.JobCode == Job::PowerOn));
        return true;
    });
    jobs.registerJobs(
        {Job::SwitchRedOff, Job::SwitchGreenOff, Job::SwitchRedOn, Job::SwitchGreenOn},
        [&s] { return AccessoryCommandJob(s); });
    jobs.registerJobs({Job::ReportFree, Job::ReportOccupied},
                      [&s] { return FeedbackReportJob(s); });
    jobs.registerJobs({Job::LocoAcquire, Job::LocoDirectionThenStop, Job::LocoHighFunctions,
                       Job::LocoSoundFunctions, Job::LocoDirectionAndLight, Job::LocoSpeed},
                      [&s] { return LocoJob(s); });
    jobs.registerJob(Job::RawMessage, [&s] {
        const QByteArray& bytes = s.job.RawBytes;
        s.link.Tx.place(reinterpret_cast<const quint8*>(bytes.constData()),
                        static_cast<int>(bytes.size()));
        return true;
    });
    jobs.registerJob(Job::SerialNumberAndVersion, [&s] {
        return SerialNumberJob(s, [&s] {
            if (s.hooks.OnVersionRead)
                s.hooks.OnVersionRead();
        });
    });
    jobs.registerJob(Job::Identification, [&s] { return IdentifySlot0(s); });
}

JobMachine::Ticket requestPower(JobMachine& jobs, bool on) {
    return jobs.request(
        {.JobCode = on ? Job::PowerOn : Job::PowerOff}, [](const JobRequest& waiting) {
            return waiting.JobCode == Job::PowerOn || waiting.JobCode == Job::PowerOff;
        });
}

JobMachine::Ticket requestRawMessage(JobMachine& jobs, const QByteArray& bytes) {
    return jobs.request({.JobCode = Job::RawMessage, .RawBytes = bytes});
}
