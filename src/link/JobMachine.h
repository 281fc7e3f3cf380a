#pragma once

#include <QString>
#include <functional>
#include <map>

class LinkState;

// Turns the shared job request into one message at a time. A job routine
// does one step and returns true when its job is finished.
class JobMachine {
public:
    using JobRoutine = std::function<bool()>;

    explicit JobMachine(LinkState& state) : s(state) {}

    void registerJob(int code, JobRoutine routine);
    void registerJobs(std::initializer_list<int> codes, const JobRoutine& routine);

    void RunJobStep();
    void endJob();

private:
    LinkState& s;
    std::map<int, JobRoutine> m_routines;
};
