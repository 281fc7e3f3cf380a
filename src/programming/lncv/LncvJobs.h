#pragma once

#include <QtGlobal>

class JobMachine;
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
// The operands of a request are kept apart from the LNCV answer variables:
// every LNCV message on the bus overwrites those, and one arriving before
// the job has sent its request must not change what is written.
class LncvJobs {
public:
    static constexpr int StartJob = 61;
    static constexpr int EndJob = 62;
    static constexpr int ReadJob = 63;
    static constexpr int WriteJob = 64;
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

    // The module the programming window started last (0 = none yet).
    int LncvArticle = 0;
    int LncvModuleAddress = 0;

private:
    enum Flags : quint8 { ReadFlags = 0x00, EndFlags = 0x40, StartFlags = 0x80 };
    enum Command : quint8 { WriteCommand = 0x20, RequestCommand = 0x21 };

    void startJob(int code, const LncvOperands& operands);
    void place(quint8 command, quint8 flags);
    bool LncvRequestJob(quint8 flags);
    bool LncvWriteJob();
    bool timedOut(double limit) const;

    LinkState& s;
    LncvView* m_view = nullptr;
    LncvOperands m_operands;
};
