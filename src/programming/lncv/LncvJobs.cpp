#include "LncvJobs.h"

#include "LncvView.h"
#include "link/JobMachine.h"
#include "link/LinkState.h"
#include "link/StationRequest.h"

#include <QString>

namespace {
// LNCV requests go to the modules, not to the command station.
constexpr quint8 ToModules1 = 0x05;
constexpr quint8 ToModules2 = 0x00;

int low(int x) {
    return x & 0xFF;
}
int high(int x) {
    return (x >> 8) & 0xFF;
}

QString writeRefusal(int answer) {
    switch (answer) {
    case 0:
        return QStringLiteral("LNCV-Schreiben: fehlerhaft");
    case 1:
        return QStringLiteral("LNCV-Schreiben: LNCV nicht vorhanden");
    case 2:
        return QStringLiteral("LNCV-Schreiben: LNCV schreibgeschützt");
    case 3:
        return QStringLiteral("LNCV-Schreiben: Wert nicht gültig");
    default:
        return {};
    }
}
} // namespace

LncvJobs::LncvJobs(LinkState& state, JobMachine& jobs) : s(state) {
    jobs.registerJob(StartJob, [this] { return LncvRequestJob(StartFlags); });
    jobs.registerJob(EndJob, [this] { return LncvRequestJob(EndFlags); });
    jobs.registerJob(ReadJob, [this] { return LncvRequestJob(ReadFlags); });
    jobs.registerJob(WriteJob, [this] { return LncvWriteJob(); });
}

void LncvJobs::startProgramming(int article, int moduleAddress) {
    LncvArticle = article;
    LncvModuleAddress = moduleAddress;
    startJob(StartJob, {article, 0, moduleAddress});
}

void LncvJobs::endProgramming() {
    startJob(EndJob, {LncvArticle, 0, LncvModuleAddress});
}

void LncvJobs::read(int article, int number) {
    startJob(ReadJob, {article, number, 0});
}

void LncvJobs::write(const LncvOperands& operands) {
    startJob(WriteJob, operands);
}

void LncvJobs::startJob(int code, const LncvOperands& operands) {
    m_operands = operands;
    s.job.start(code);
}

void LncvJobs::place(quint8 command, quint8 flags) {
    const LncvOperands& o = m_operands;
    placeRequest15(s.link.Tx, ToModules1, ToModules2, command,
                   {low(o.article), high(o.article), low(o.number), high(o.number), low(o.value),
                    high(o.value), flags});
    s.job.JobPhase = 1;
    s.job.JobTimeStamp = s.now();
}

bool LncvJobs::timedOut(double limit) const {
    return s.now() - s.job.JobTimeStamp > limit;
}

bool LncvJobs::LncvRequestJob(quint8 flags) {
    if (s.job.JobPhase == 0) {
        place(RequestCommand, flags);
        s.answers.LncvValue = -1;
        // A refusal of the module comes as a long acknowledge instead.
        s.AnswerValue = -1;
        return flags == EndFlags;
    }
    if (s.answers.LncvValue != -1) {
        if (m_view) {
            m_view->ShowLncv(s.answers.LncvNumber, s.answers.LncvValue);
            if (flags == StartFlags)
                m_view->ShowProgrammingMode();
        }
        return true;
    }
    // The dispatcher has already told the user the read was refused.
    if (s.AnswerValue != -1)
        return true;
    if (timedOut(ReadTimeout)) {
        s.showError(QStringLiteral("Keine Antwort auf LNCV-Lesen erhalten!"));
        return true;
    }
    return false;
}

bool LncvJobs::LncvWriteJob() {
    if (s.job.JobPhase == 0) {
        place(WriteCommand, ReadFlags);
        s.AnswerValue = -1;
        return false;
    }
    if (s.AnswerValue == -1) {
        if (!timedOut(WriteTimeout))
            return false;
        s.showError(QStringLiteral("Keine Antwort auf LNCV-Schreiben erhalten!"));
        return true;
    }
    if (const QString refusal = writeRefusal(s.AnswerValue); !refusal.isEmpty())
        s.showError(refusal);
    return true;
}
