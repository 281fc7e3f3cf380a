#pragma once

#include "ProgErrors.h"
#include "ProgrammingState.h"
#include "link/JobMachine.h"
#include "link/ReceiveRing.h"

class LinkState;
class ProgView;

// Reads and writes CVs of the decoder on the programming track: jobs 50/51
// work a whole work list, 54/55 one CV. Each job wraps its requests between
// the programming start and end messages and sends one request at a time,
// each after the answer to the one before. A job works on a copy of its
// list and values taken when it was asked for, so nothing the windows do
// meanwhile changes what is written; however it ends, the end message goes
// out and the window is freed.
class ProgrammingJobs {
public:
    static constexpr double AnswerTimeout = 5.0;

    // Registers the jobs and listens to the programming-track slot.
    ProgrammingJobs(LinkState& state, JobMachine& jobs);
    ~ProgrammingJobs();
    ProgrammingJobs(const ProgrammingJobs&) = delete;
    ProgrammingJobs& operator=(const ProgrammingJobs&) = delete;

    // Where progress and results are shown; nullptr shows nothing.
    void setView(ProgView* view);

    // Starts a list job on a work list from its first entry. Nothing starts
    // while a programming job waits or runs, or while the line is closed;
    // the start functions then return false.
    bool startListJob(int list, bool write);
    bool startSingleRead(int cv);
    bool startSingleWrite(int cv, int value);
    // "Abbruch": a job that waits is withdrawn; a running one ends at its
    // next step, with its end message.
    void cancel();
    // A programming job waits or runs.
    bool running() const;

    ProgrammingState prog;

private:
    // The copy a job works on.
    struct Work {
        ProgJobKind kind = ProgJobKind::ReadSingle;
        int list = ProgrammingState::StandardList;
        std::vector<int> cvs;
        std::array<int, ProgrammingState::MaxCv + 1> values{};
        int pos = 0;
        bool cancel = false;
    };

    bool begin(Job job, Work work);
    bool step();
    bool placeRequest();
    bool judgeAnswer();
    bool readSucceeded(int value);
    bool writeSucceeded();
    bool failed(int answer);
    // Moves to the entry the job acts on, from pos on: reads pass over
    // nothing, writes over CVs 7 and 8 after the first entry of a list and
    // over CVs whose value is unknown. False when no entry is left.
    bool moveToEntry(int pos);
    // A list job goes on with its next entry; false when it has none.
    bool moveOn();
    int currentCv() const;
    // Sends the end message and frees the window.
    bool finish();
    void freeWindow();
    void OnProgrammingTrackSlot(const ReceiveRing::Row& message);
    ProgView& view() const;

    LinkState& s;
    JobMachine& m_jobs;
    ProgView* m_view = nullptr;
    Work m_work;
    JobMachine::Ticket m_ticket = 0;
};
