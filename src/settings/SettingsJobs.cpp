#include "SettingsJobs.h"

#include "link/LinkState.h"
#include "link/StationRequests.h"

#include <algorithm>

using namespace settings;
using namespace messages;

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

SettingsJobs::SettingsJobs(LinkState& state, JobMachine& jobs) : s(state), m_jobs(jobs) {
    jobs.registerJobs({Job::OptionRead, Job::OptionListRead},
                      [this] { return optionListReadStep(); });
    jobs.registerJob(Job::OptionWrite, [this] {
        const SpecialOption& o = work().options.front();
        s.link.Tx.place(optionWrite(o.number, o.value));
        return true;
    });
    jobs.registerJob(Job::OptionListWrite, [this] { return optionListWriteStep(); });
    jobs.registerJob(Job::StationReset, [this] {
        s.link.Tx.place(configurationReset(static_cast<int>(work().reset)));
        return true;
    });
    jobs.registerJob(Job::LocoFormatRead, [this] { return locoFormatReadStep(); });
    jobs.registerJob(Job::LocoFormatWrite, [this] {
        const Work& w = work();
        s.link.Tx.place(locoFormatWrite(w.address, w.code, w.extra));
        return true;
    });
}

bool SettingsJobs::start(Job job, Work work) {
    // The copies of requests that have ended, however they ended, go.
    std::erase_if(m_work, [this](const auto& entry) { return !m_jobs.pending(entry.first); });
    const JobMachine::Ticket ticket = m_jobs.request({.JobCode = job});
    if (ticket == 0)
        return false;
    m_work[ticket] = std::move(work);
    if (job == Job::LocoFormatRead)
        m_formatShown = ticket;
    return true;
}

SettingsJobs::Work& SettingsJobs::work() {
    return m_work[s.job.JobTicket];
}

bool SettingsJobs::readOption(int number) {
    if (!isOptionNumber(number))
        return false;
    return start(Job::OptionRead, {{{number, -1}}});
}

bool SettingsJobs::writeOption(int number, int value) {
    if (!isOptionNumber(number) || !isOptionValue(value))
        return false;
    return start(Job::OptionWrite, {{{number, value}}});
}

bool SettingsJobs::readOptions(const std::vector<int>& numbers) {
    if (numbers.empty() || !std::all_of(numbers.begin(), numbers.end(), isOptionNumber))
        return false;
    Work w;
    for (const int number : numbers)
        w.options.push_back({number, -1});
    return start(Job::OptionListRead, std::move(w));
}

bool SettingsJobs::writeOptions(const SpecialOptions& options) {
    const auto fits = [](const SpecialOption& o) {
        return isOptionNumber(o.number) && isOptionValue(o.value);
    };
    if (options.empty() || !std::all_of(options.begin(), options.end(), fits))
        return false;
    return start(Job::OptionListWrite, {options});
}

bool SettingsJobs::readLocoFormat(int address) {
    if (!isLocoAddress(address))
        return false;
    Work w;
    w.address = address;
    return start(Job::LocoFormatRead, std::move(w));
}

bool SettingsJobs::writeLocoFormat(int address, int code) {
    if (!locoFormatKnown(address) || !isOptionValue(code))
        return false;
    Work w;
    w.address = address;
    w.code = code;
    w.extra = m_knownExtra;
    if (!start(Job::LocoFormatWrite, std::move(w)))
        return false;
    // A throttle driving this loco asks for it anew and so learns its format.
    for (int t = 0; t < 2; ++t) {
        if (s.station.ThrottleData[t][SlotRecord::Address] == address)
            s.station.ThrottleData[t][SlotRecord::Address] = -1;
    }
    return true;
}

bool SettingsJobs::resetStation(ResetKind kind) {
    Work w;
    w.reset = kind;
    return start(Job::StationReset, std::move(w));
}

AnswerWait SettingsJobs::ask(const std::function<void()>& place, int& marker,
                             const QString& missing) {
    JobRequest& job = s.job;
    if (job.JobPhase == 0) {
        place();
        job.JobPhase = 1;
        job.JobTimeStamp = s.now();
        marker = -1;
        s.answers.AnswerValue = -1;
        return AnswerWait::Pending;
    }
    if (s.answers.stationRefused())
        return AnswerWait::Missing;
    const AnswerWait wait = awaitAnswer(marker != -1, s.now() - job.JobTimeStamp, AnswerTimeout);
    if (wait == AnswerWait::Missing)
        s.showError(missing);
    return wait;
}

bool SettingsJobs::optionListReadStep() {
    Work& w = work();
    int& answer = s.answers.SoValueAnswer;
    switch (ask([&] { s.link.Tx.place(optionRead(w.options[w.pos].number)); }, answer,
                QStringLiteral("Keine Antwort auf SO-Read erhalten!"))) {
    case AnswerWait::Pending:
        return false;
    case AnswerWait::Missing:
        return true;
    case AnswerWait::Arrived:
        w.options[w.pos].value = answer;
        if (w.pos + 1 < w.options.size()) {
            ++w.pos;
            s.job.JobPhase = 0;
            return false;
        }
        if (s.job.JobCode == Job::OptionRead) {
            if (OnOptionRead)
                OnOptionRead(w.options.front().value);
        } else if (OnOptionsRead) {
            OnOptionsRead(w.options);
        }
        return true;
    }
    return true;
}

// The job machine calls this only once the buffer is free again, that is
// when the echo has come back or the transmitter has given up.
bool SettingsJobs::optionListWriteStep() {
    JobRequest& job = s.job;
    Work& w = work();
    if (job.JobPhase == 0) {
        const SpecialOption& option = w.options[w.pos];
        s.link.Tx.place(optionWrite(option.number, option.value));
        job.JobPhase = 1;
        job.JobTimeStamp = s.now();
        return false;
    }
    if (s.now() - job.JobTimeStamp > AnswerTimeout) {
        s.showError(QStringLiteral("SO-Write Konnte nicht gesendet werden!"));
        return true;
    }
    if (w.pos + 1 == w.options.size())
        return true;
    ++w.pos;
    job.JobPhase = 0;
    return false;
}

bool SettingsJobs::locoFormatReadStep() {
    Work& w = work();
    int& answer = s.answers.LocoFormatAnswer;
    switch (ask([&] { s.link.Tx.place(locoFormatRead(w.address)); }, answer,
                QStringLiteral("Keine Antwort auf LokCfg-Read erhalten!"))) {
    case AnswerWait::Pending:
        return false;
    case AnswerWait::Missing:
        return true;
    case AnswerWait::Arrived:
        // Kept apart: other loco jobs read formats into the same answer.
        m_knownAddress = w.address;
        m_knownExtra = s.answers.LocoFormatExtra;
        if (m_formatShown == s.job.JobTicket && OnLocoFormatRead)
            OnLocoFormatRead(answer);
        return true;
    }
    return true;
}
