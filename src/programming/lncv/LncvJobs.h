#pragma once

#include "link/JobMachine.h"

#include <QtGlobal>
#include <map>

class LinkState;
class LncvView;

// What an LNCV request carries: the article as it goes on the wire (a tenth
// of the article number), the LNCV and a value.
struct LncvOperands {
    int article = 0;
    int number = 0;
    int value = 0;
};

// Programs LocoNet modules by their LNCVs: start and end a module's
// programming mode, read an LNCV, write one. Handheld throttles get their
// locomotive address by the same write.
//
// Every request keeps its operands apart from the LNCV answer variables:
// every LNCV message on the bus overwrites those, and one arriving before
// the job has sent its request must not change what is written. Requests
// from the module window and from the handheld throttles wait behind each
// other.
class LncvJobs {
public:
    static constexpr double ReadTimeout = 1.0;
    static constexpr double WriteTimeout = 2.0;

    LncvJobs(LinkState& state, JobMachine& jobs);

    // The module programming window, when it is open; answers go there.
    void setView(LncvView* view) { m_view = view; }

    // Puts the module into programming mode: its article, LNCV 0 and its
    // module address, which the end request uses again.
    void startProgramming(int article, int moduleAddress);
    // Ends the programming mode of the module started last. No answer.
    void endProgramming();
    void read(int article, int number);
    void write(const LncvOperands& operands);

    // The line is about to close: a module still in programming mode gets
    // its end request. True once nothing is left to end.
    bool endOpenProgramming();

    // The module the programming window started last (0 = none yet).
    int LncvArticle = 0;
    int LncvModuleAddress = 0;

private:
    enum Flags : quint8 { ReadFlags = 0x00, EndFlags = 0x40, StartFlags = 0x80 };

    void startJob(Job code, const LncvOperands& operands);
    void place(quint8 command, quint8 flags);
    bool LncvRequestJob(quint8 flags);
    bool LncvWriteJob();

    LinkState& s;
    JobMachine& m_jobs;
    LncvView* m_view = nullptr;
    std::map<JobMachine::Ticket, LncvOperands> m_operands;
    bool m_inProgramming = false;
};
