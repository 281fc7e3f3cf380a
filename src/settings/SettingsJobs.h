#pragma once

#include "SettingsRequests.h"

#include <functional>
#include <vector>

class JobMachine;
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
// what came back through the On… listener it sets.
class SettingsJobs {
public:
    enum Job {
        OptionRead = 41,
        OptionWrite = 42,
        OptionListRead = 43,
        OptionListWrite = 44,
        StationReset = 46,
        LocoFormatRead = 48,
        LocoFormatWrite = 49,
    };
    static constexpr double AnswerTimeout = 2.0;

    SettingsJobs(LinkState& state, JobMachine& jobs);

    // Each start returns false, and starts nothing, for a number the request
    // cannot carry.
    bool readOption(int number);
    bool writeOption(int number, int value);
    std::function<void(int value)> OnOptionRead;

    bool readOptions(const std::vector<int>& numbers);
    bool writeOptions(const SpecialOptions& options);
    // Every option of the list has been read; told in list order.
    std::function<void(const SpecialOptions& options)> OnOptionsRead;

    // Sets FormatShowPending: the answer goes to OnLocoFormatRead.
    bool readLocoFormat(int address);
    // The loco's second configuration byte goes back as read for this
    // address, so the address must have been read first.
    bool writeLocoFormat(int address, int code);
    bool locoFormatKnown(int address) const { return address > 0 && address == m_knownAddress; }
    std::function<void(int code)> OnLocoFormatRead;
    bool FormatShowPending = false;

    void resetStation(settings::ResetKind kind);

private:
    enum class Answer { Pending, Arrived, Missing };
    // Phase 0 places the request and clears the answer marker; later phases
    // wait for the marker to change, up to AnswerTimeout.
    Answer ask(const std::function<void()>& place, int& marker);

    bool startListRead(Job job, const std::vector<int>& numbers);
    // Job 41 reads a list of one.
    bool optionListReadStep();
    void tellOptionsRead() const;
    bool optionListWriteStep();
    bool locoFormatReadStep();

    LinkState& s;
    SpecialOption m_option; // job 42
    SpecialOptions SoList;
    size_t SoListPos = 0;
    int LokCfgAddress = 0;
    int m_formatCode = 0;
    int m_knownAddress = 0;
    int m_knownExtra = 0;
};
