#include "SettingsJobs.h"

#include "link/JobMachine.h"
#include "link/LinkState.h"

#include <algorithm>

using namespace settings;

namespace {
bool isOptionNumber(int number) {
    return number >= 0 && number <= MaxOptionNumber;
}
bool isOptionValue(int value) {
    return value >= 0 && value <= MaxOptionValue;
}
bool isLocoAddress(int address) {
    return address > 0 && address <= MaxLocoAddress;
}
} // namespace

SettingsJobs::SettingsJobs(LinkState& state, JobMachine& jobs) : s(state) {
    jobs.registerJobs({OptionRead, OptionListRead}, [this] { return optionListReadStep(); });
    jobs.registerJob(OptionWrite, [this] {
        placeOptionWrite(s.link.Tx, m_option.number, m_option.value);
        return true;
    });
    jobs.registerJob(OptionListWrite, [this] { return optionListWriteStep(); });
    jobs.registerJob(StationReset, [this] {
        placeReset(s.link.Tx, static_cast<ResetKind>(s.job.JobPhase));
        return true;
    });
    jobs.registerJob(LocoFormatRead, [this] { return locoFormatReadStep(); });
    jobs.registerJob(LocoFormatWrite, [this] {
        placeLocoFormatWrite(s.link.Tx, LokCfgAddress, m_formatCode, m_knownExtra);
        return true;
    });
}

bool SettingsJobs::readOption(int number) {
    return startListRead(OptionRead, {number});
}

bool SettingsJobs::writeOption(int number, int value) {
    if (!isOptionNumber(number) || !isOptionValue(value))
        return false;
    m_option = {number, value};
    s.job.start(OptionWrite);
    return true;
}

bool SettingsJobs::readOptions(const std::vector<int>& numbers) {
    return startListRead(OptionListRead, numbers);
}

bool SettingsJobs::startListRead(Job job, const std::vector<int>& numbers) {
    if (numbers.empty() || !std::all_of(numbers.begin(), numbers.end(), isOptionNumber))
        return false;
    SoList.clear();
    for (const int number : numbers)
        SoList.push_back({number, -1});
    SoListPos = 0;
    s.job.start(job);
    return true;
}

bool SettingsJobs::writeOptions(const SpecialOptions& options) {
    const auto fits = [](const SpecialOption& o) {
        return isOptionNumber(o.number) && isOptionValue(o.value);
    };
    if (options.empty() || !std::all_of(options.begin(), options.end(), fits))
        return false;
    SoList = options;
    SoListPos = 0;
    s.job.start(OptionListWrite);
    return true;
}

bool SettingsJobs::readLocoFormat(int address) {
    if (!isLocoAddress(address))
        return false;
    LokCfgAddress = address;
    FormatShowPending = true;
    s.job.start(LocoFormatRead);
    return true;
}

bool SettingsJobs::writeLocoFormat(int address, int code) {
    if (!locoFormatKnown(address) || !isOptionValue(code))
        return false;
    LokCfgAddress = address;
    m_formatCode = code;
    s.job.start(LocoFormatWrite);
    // A throttle driving this loco asks for it anew and so learns its format.
    for (int t = 0; t < 2; ++t) {
        if (s.ThrottleData[t][SlotRecord::Address] == address)
            s.ThrottleData[t][SlotRecord::Address] = -1;
    }
    return true;
}

void SettingsJobs::resetStation(ResetKind kind) {
    s.job.start(StationReset);
    s.job.JobPhase = static_cast<int>(kind);
}

SettingsJobs::Answer SettingsJobs::ask(const std::function<void()>& place, int& marker) {
    JobRequest& job = s.job;
    if (job.JobPhase == 0) {
        place();
        job.JobPhase = 1;
        job.JobTimeStamp = s.now();
        marker = -1;
        return Answer::Pending;
    }
    if (s.now() - job.JobTimeStamp > AnswerTimeout)
        return Answer::Missing;
    return marker == -1 ? Answer::Pending : Answer::Arrived;
}

bool SettingsJobs::optionListReadStep() {
    int& answer = s.answers.SoValueAnswer;
    switch (ask([this] { placeOptionRead(s.link.Tx, SoList[SoListPos].number); }, answer)) {
    case Answer::Pending:
        return false;
    case Answer::Missing:
        s.showError(QStringLiteral("Keine Antwort auf SO-Read erhalten!"));
        return true;
    case Answer::Arrived:
        SoList[SoListPos].value = answer;
        if (SoListPos + 1 == SoList.size()) {
            tellOptionsRead();
            return true;
        }
        ++SoListPos;
        s.job.JobPhase = 0;
        return false;
    }
    return true;
}

void SettingsJobs::tellOptionsRead() const {
    if (s.job.JobCode == OptionRead) {
        if (OnOptionRead)
            OnOptionRead(SoList.front().value);
    } else if (OnOptionsRead) {
        OnOptionsRead(SoList);
    }
}

// The job machine calls this only once the buffer is free again, that is
// when the echo has come back or the transmitter has given up.
bool SettingsJobs::optionListWriteStep() {
    JobRequest& job = s.job;
    if (job.JobPhase == 0) {
        const SpecialOption& option = SoList[SoListPos];
        placeOptionWrite(s.link.Tx, option.number, option.value);
        job.JobPhase = 1;
        job.JobTimeStamp = s.now();
        return false;
    }
    if (s.now() - job.JobTimeStamp > AnswerTimeout) {
        s.showError(QStringLiteral("SO-Write Konnte nicht gesendet werden!"));
        return true;
    }
    if (SoListPos + 1 == SoList.size())
        return true;
    ++SoListPos;
    job.JobPhase = 0;
    return false;
}

bool SettingsJobs::locoFormatReadStep() {
    int& answer = s.answers.LocoFormatAnswer;
    switch (ask([this] { placeLocoFormatRead(s.link.Tx, LokCfgAddress); }, answer)) {
    case Answer::Pending:
        return false;
    case Answer::Missing:
        s.showError(QStringLiteral("Keine Antwort auf LokCfg-Read erhalten!"));
        return true;
    case Answer::Arrived:
        // Kept apart: other loco jobs read formats into the same answer.
        m_knownAddress = LokCfgAddress;
        m_knownExtra = s.answers.LocoFormatExtra;
        if (FormatShowPending) {
            FormatShowPending = false;
            if (OnLocoFormatRead)
                OnLocoFormatRead(answer);
        }
        return true;
    }
    return true;
}
