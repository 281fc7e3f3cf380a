#include "JobMachine.h"

#include "LinkState.h"
#include "OperatingView.h"

void JobMachine::registerJob(int code, JobRoutine routine) {
    m_routines[code] = std::move(routine);
}

void JobMachine::registerJobs(std::initializer_list<int> codes, const JobRoutine& routine) {
    for (const int code : codes)
        registerJob(code, routine);
}

void JobMachine::RunJobStep() {
    if (s.job.JobCode == 0)
        return;
    s.operating.SetLinkBusy(true);
    if (!s.link.Tx.isFree())
        return;
    // An unknown code does nothing and waits for a window to replace it.
    const auto routine = m_routines.find(s.job.JobCode);
    if (routine != m_routines.end() && routine->second())
        endJob();
}

void JobMachine::endJob() {
    s.job.LocoJobActive = false;
    s.job.JobCode = 0;
    s.job.JobCounter = 0;
    s.job.JobPhase = 0;
    s.operating.SetLinkBusy(false);
}
