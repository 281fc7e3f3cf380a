#pragma once

#include "ProgErrors.h"
#include "ProgrammingState.h"
#include "link/ReceiveRing.h"

class JobMachine;
class LinkState;
class ProgView;

// Reads and writes CVs of the decoder on the programming track: jobs 50/51
// work a whole work list, 54/55 one CV. Each job wraps its requests between
// the programming start and end messages and sends one request at a time,
// each after the answer to the one before.
class ProgrammingJobs {
public:
    enum JobNumber { ReadCvList = 50, WriteCvList = 51, ReadSingleCv = 54, WriteSingleCv = 55 };
    static constexpr double AnswerTimeout = 5.0;

    // Registers the jobs and listens to the programming-track slot.
    ProgrammingJobs(LinkState& state, JobMachine& jobs);
    ~ProgrammingJobs();
    ProgrammingJobs(const ProgrammingJobs&) = delete;
    ProgrammingJobs& operator=(const ProgrammingJobs&) = delete;

    // Where progress and results are shown; nullptr shows nothing.
    void setView(ProgView* view);

    // Starts a list job on a work list from its first entry. Nothing starts
    // while a programming job runs; the start functions then return false.
    bool startListJob(int list, bool write);
    bool startSingleRead(int cv);
    bool startSingleWrite(int cv, int value);
    // "Abbruch": a list job stops at its next answer check. A job the job
    // machine has not taken yet is withdrawn at once.
    void cancel();
    // A programming job is set or running.
    bool running() const;

    ProgrammingState prog;

private:
    void begin(JobNumber job);
    bool step(ProgJobKind kind);
    bool placeRequest(ProgJobKind kind);
    bool judgeAnswer(ProgJobKind kind);
    bool readSucceeded(ProgJobKind kind, int value);
    bool writeSucceeded(ProgJobKind kind);
    bool failed(ProgJobKind kind, int answer);
    // The work-list entry the list job acts on, from pos on: reads pass over
    // nothing, writes over CVs 7 and 8 after the first entry and over CVs
    // whose value is unknown.
    int nextEntry(int pos, bool write) const;
    int currentCv(ProgJobKind kind) const;
    // Sends the end message and ends the job.
    bool finish(ProgJobKind kind);
    void FinishCvListJob();
    void OnProgrammingTrackSlot(const ReceiveRing::Row& message);
    ProgView& view() const;

    LinkState& s;
    JobMachine& m_jobs;
    ProgView* m_view = nullptr;
};
