#pragma once

#include "SettingsRequests.h"
#include "link/AnswerWait.h"
#include "link/JobMachine.h"

#include <functional>
#include <map>
#include <vector>

class LinkState;

struct SpecialOption {
    int number = 0;
    int value = 0;
    bool operator==(const SpecialOption&) const = default;
};
using SpecialOptions = std::vector<SpecialOption>;

// The command station's own settings, carried by the job machine: one special
// option (jobs 41, 42), a list of them (43, 44), the reset (46) and the data
// format of one loco address (48, 49). A window starts a job here and hears
// what came back through the On… listener it sets. Every request keeps its
// own copy of what it reads or writes, so requests from several windows can
// wait behind each other.
class SettingsJobs {
public:
    static constexpr double AnswerTimeout = 2.0;

    SettingsJobs(LinkState& state, JobMachine& jobs);

    // Each start returns false, and starts nothing, for a number the request
    // cannot carry or while the line is closed.
    bool readOption(int number);
    bool writeOption(int number, int value);
    std::function<void(int value)> OnOptionRead;

    bool readOptions(const std::vector<int>& numbers);
    bool writeOptions(const SpecialOptions& options);
    // Every option of the list has been read; told in list order.
    std::function<void(const SpecialOptions& options)> OnOptionsRead;

    // The answer goes to OnLocoFormatRead unless forgetFormatRead() comes first.
    bool readLocoFormat(int address);
    void forgetFormatRead() { m_formatShown = 0; }
    // The loco's second configuration byte goes back as read for this
    // address, so the address must have been read first.
    bool writeLocoFormat(int address, int code);
    bool locoFormatKnown(int address) const { return address > 0 && address == m_knownAddress; }
    std::function<void(int code)> OnLocoFormatRead;

    bool resetStation(settings::ResetKind kind);

private:
    // What one request works on.
    struct Work {
        SpecialOptions options;
        size_t pos = 0;
        int address = 0;
        int code = 0;
        int extra = 0;
        settings::ResetKind reset = settings::ResetKind::Configuration;
    };

    bool start(Job job, Work work);
    Work& work();
    // Phase 0 places the request and clears the answer marker; later phases
    // wait for the marker to change, up to AnswerTimeout. Missing when the
    // job is over without an answer: the station refused (and has told the
    // user), or no answer came in time (told here as missing).
    AnswerWait ask(const std::function<void()>& place, int& marker, const QString& missing);
    bool optionListReadStep();
    bool optionListWriteStep();
    bool locoFormatReadStep();

    LinkState& s;
    JobMachine& m_jobs;
    std::map<JobMachine::Ticket, Work> m_work;
    JobMachine::Ticket m_formatShown = 0;
    int m_knownAddress = 0;
    int m_knownExtra = 0;
};
