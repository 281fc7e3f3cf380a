#include "LinkJobs.h"

#include "AccessoryJobs.h"
#include "HexText.h"
#include "Identification.h"
#include "JobMachine.h"
#include "LinkState.h"
#include "LocoJobs.h"
#include "SerialNumberJob.h"

void registerLinkJobs(JobMachine& jobs, LinkState& s) {
    jobs.registerJob(1, [&s] { return AccessoryPageQueryJob(s); });
    jobs.registerJob(3, [&s] {
        s.link.Tx.place({0x82});
        return true;
    });
    jobs.registerJob(4, [&s] {
        s.link.Tx.place({0x83});
        return true;
    });
    jobs.registerJobs({10, 11}, [&s] { return AccessoryPulseJob(s); });
    jobs.registerJobs({16, 17, 18, 19}, [&s] { return AccessoryCommandJob(s); });
    jobs.registerJobs({20, 21}, [&s] { return FeedbackReportJob(s); });
    jobs.registerJobs({30, 31, 32, 33, 34, 35, 36, 37, 38, 39}, [&s] { return LocoJob(s); });
    // The raw text was checked when the user sent it.
    jobs.registerJob(40, [&s] {
        SendHexText(s.link.Tx, s.MonitorSendText);
        return true;
    });
    jobs.registerJob(47, [&s] {
        return SerialNumberJob(s, [&s] {
            if (s.hooks.OnVersionRead)
                s.hooks.OnVersionRead();
        });
    });
    jobs.registerJob(100, [&s] { return IdentifySlot0(s); });
}
