#pragma once

#include "JobRequest.h"

#include <deque>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>

class LinkState;

// Turns requests into one message at a time. A job that has started runs
// to its proper end: what is asked for meanwhile waits its turn, in order,
// and runs as soon as the job before it has ended. A waiting request may be
// superseded by a newer one that makes it pointless (a newer slider
// position, the other power state); everything else keeps its place.
class JobMachine {
public:
    using Ticket = quint64;
    // One step of a job; true when the job is finished.
    using Step = std::function<bool()>;
    // The job is cut short (disconnect, program end, lost line): it frees
    // its window and, while the line still writes, places its end message.
    using Ending = std::function<void(bool lineWrites)>;
    using Match = std::function<bool(const JobRequest& waiting)>;

    explicit JobMachine(LinkState& state) : s(state) {}

    void registerJob(Job code, Step step, Ending ending = {});
    void registerJobs(std::initializer_list<Job> codes, const Step& step,
                      const Ending& ending = {});

    // Asks for a job; waiting requests that `superseded` matches give way to
    // it. Returns its ticket, or 0 when refused because the line is not open.
    Ticket request(JobRequest request, const Match& superseded = {});
    // Withdraws the waiting requests that match; a running job stays.
    void withdraw(const Match& match);
    // Called when the job of this ticket has ended normally, before any
    // request waiting behind it starts: what it asks for runs next. A
    // sequence of jobs, such as the connect, thus runs without a request
    // of the user's cutting in between.
    void whenEnded(Ticket ticket, std::function<void()> then);
    const JobRequest* findWaiting(const Match& match) const;

    // Waiting or running.
    bool pending(Ticket ticket) const;
    // Nothing runs and nothing waits.
    bool idle() const;
    // The line is open and requests are taken.
    bool accepting() const { return m_open; }

    void RunJobStep();

    // The line is open: requests are taken from now on. Nothing asked for
    // earlier carries over.
    void open();
    // The line is about to close: waiting requests are dropped, the running
    // job is cut short through its ending once the transmitter is free, and
    // nothing new is taken. lineWrites false: the line is gone, the ending
    // only frees its window.
    void close(bool lineWrites);

private:
    void start(JobRequest request);
    void endJob();
    void cutShort(bool lineWrites);
    void showBusy();

    struct Routine {
        Step step;
        Ending ending;
    };

    LinkState& s;
    std::map<Job, Routine> m_routines;
    std::deque<JobRequest> m_waiting;
    std::map<Ticket, std::function<void()>> m_continuations;
    // While a continuation runs, where its requests go in the queue.
    std::optional<size_t> m_nextPlace;
    Ticket m_lastTicket = 0;
    bool m_open = false;
    bool m_cutShort = false;
};
