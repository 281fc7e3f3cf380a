#include "JobMachine.h"

#include "LinkState.h"
#include "OperatingView.h"

#include <algorithm>

void JobMachine::registerJob(Job code, Step step, Ending ending) {
    m_routines[code] = {std::move(step), std::move(ending)};
}

void JobMachine::registerJobs(std::initializer_list<Job> codes, const Step& step,
                              const Ending& ending) {
    for (const Job code : codes)
        registerJob(code, step, ending);
}

JobMachine::Ticket JobMachine::request(JobRequest request, const Match& superseded) {
    if (!m_open || request.idle())
        return 0;
    if (superseded)
        withdraw(superseded);
    request.JobPhase = 0;
    request.JobTicket = ++m_lastTicket;
    if (m_nextPlace)
        m_waiting.insert(m_waiting.begin() + static_cast<std::ptrdiff_t>((*m_nextPlace)++),
                         std::move(request));
    else
        m_waiting.push_back(std::move(request));
    showBusy();
    return m_lastTicket;
}

void JobMachine::whenEnded(Ticket ticket, std::function<void()> then) {
    if (pending(ticket))
        m_continuations[ticket] = std::move(then);
}

void JobMachine::withdraw(const Match& match) {
    std::erase_if(m_waiting, [&](const JobRequest& r) {
        if (!match(r))
            return false;
        m_continuations.erase(r.JobTicket);
        return true;
    });
    showBusy();
}

const JobRequest* JobMachine::findWaiting(const Match& match) const {
    const auto found = std::find_if(m_waiting.begin(), m_waiting.end(), match);
    return found == m_waiting.end() ? nullptr : &*found;
}

bool JobMachine::pending(Ticket ticket) const {
    return ticket != 0 && (s.job.JobTicket == ticket || findWaiting([ticket](const JobRequest& r) {
                               return r.JobTicket == ticket;
                           }));
}

bool JobMachine::idle() const {
    return s.job.idle() && m_waiting.empty();
}

void JobMachine::RunJobStep() {
    // Every step of a job runs only once the message before it has gone out
    // and its echo has come back (or the transmitter has given up on it).
    if (!s.link.Tx.isFree())
        return;
    if (s.job.idle()) {
        if (m_waiting.empty())
            return;
        start(std::move(m_waiting.front()));
        m_waiting.pop_front();
    }
    if (m_cutShort)
        return cutShort(true);
    const auto routine = m_routines.find(s.job.JobCode);
    if (routine == m_routines.end() || routine->second.step())
        endJob();
}

void JobMachine::start(JobRequest request) {
    s.job = std::move(request);
    s.operating.SetLinkBusy(true);
}

void JobMachine::endJob() {
    const Ticket ended = s.job.JobTicket;
    s.job = JobRequest{};
    if (const auto then = m_continuations.extract(ended)) {
        m_nextPlace = 0;
        then.mapped()();
        m_nextPlace.reset();
    }
    showBusy();
}

// Without a line the windows are as locked as while a job runs.
void JobMachine::showBusy() {
    s.operating.SetLinkBusy(!m_open || !idle());
}

void JobMachine::open() {
    m_waiting.clear();
    m_continuations.clear();
    m_open = true;
    m_cutShort = false;
    showBusy();
}

void JobMachine::close(bool lineWrites) {
    m_open = false;
    m_waiting.clear();
    m_continuations.clear();
    if (s.job.idle())
        return showBusy();
    if (lineWrites && !s.link.Tx.isFree()) {
        // The message in flight is the job's own: its ending waits for it.
        m_cutShort = true;
        return;
    }
    cutShort(lineWrites);
}

void JobMachine::cutShort(bool lineWrites) {
    m_cutShort = false;
    if (const auto routine = m_routines.find(s.job.JobCode);
        routine != m_routines.end() && routine->second.ending)
        routine->second.ending(lineWrites);
    endJob();
}
