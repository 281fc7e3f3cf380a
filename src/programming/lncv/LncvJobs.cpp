#include "LncvJobs.h"

#include "LncvRefusal.h"
#include "LncvView.h"
#include "link/AnswerWait.h"
#include "link/LinkState.h"
#include "link/StationRequests.h"

#include <QString>

namespace {
messages::Request15 lncvRequest(quint8 command, const LncvOperands& o, quint8 flags) {
    using messages::highByte;
    using messages::lowByte;
    return messages::request15(loconet::ModulesAddress1, loconet::ModulesAddress2, command,
                               {lowByte(o.article), highByte(o.article), lowByte(o.number),
                                highByte(o.number), lowByte(o.value), highByte(o.value), flags});
}

} // namespace

LncvJobs::LncvJobs(LinkState& state, JobMachine& jobs) : s(state), m_jobs(jobs) {
    jobs.registerJob(Job::LncvStart, [this] { return LncvRequestJob(StartFlags); });
    jobs.registerJob(Job::LncvEnd, [this] { return LncvRequestJob(EndFlags); });
    jobs.registerJob(Job::LncvRead, [this] { return LncvRequestJob(ReadFlags); });
    jobs.registerJob(Job::LncvWrite, [this] { return LncvWriteJob(); });
}

void LncvJobs::startProgramming(int article, int moduleAddress) {
    LncvArticle = article;
    LncvModuleAddress = moduleAddress;
    startJob(Job::LncvStart, {article, 0, moduleAddress});
}

void LncvJobs::endProgramming() {
    startJob(Job::LncvEnd, {LncvArticle, 0, LncvModuleAddress});
}

void LncvJobs::read(int article, int number) {
    startJob(Job::LncvRead, {article, number, 0});
}

void LncvJobs::write(const LncvOperands& operands) {
    startJob(Job::LncvWrite, operands);
}

void LncvJobs::startJob(Job code, const LncvOperands& operands) {
    // The operands of requests that have ended, however they ended, go.
    std::erase_if(m_operands, [this](const auto& entry) { return !m_jobs.pending(entry.first); });
    if (const JobMachine::Ticket ticket = m_jobs.request({.JobCode = code}))
        m_operands[ticket] = operands;
}

bool LncvJobs::endOpenProgramming() {
    if (!m_inProgramming)
        return true;
    if (!s.link.Tx.isFree())
        return false;
    s.link.Tx.place(
        lncvRequest(loconet::LncvRequest, {LncvArticle, 0, LncvModuleAddress}, EndFlags));
    m_inProgramming = false;
    return false;
}

void LncvJobs::place(quint8 command, quint8 flags) {
    s.link.Tx.place(lncvRequest(command, m_operands[s.job.JobTicket], flags));
    s.job.JobPhase = 1;
    s.job.JobTimeStamp = s.now();
}

bool LncvJobs::LncvRequestJob(quint8 flags) {
    if (s.job.JobPhase == 0) {
        place(loconet::LncvRequest, flags);
        s.answers.LncvValue = -1;
        // A refusal of the module comes as a long acknowledge instead.
        s.answers.AnswerValue = -1;
        if (flags == EndFlags)
            m_inProgramming = false;
        return flags == EndFlags;
    }
    // The dispatcher has already told the user the read was refused.
    if (s.answers.AnswerValue != -1)
        return true;
    switch (awaitAnswer(s.answers.LncvValue != -1, s.now() - s.job.JobTimeStamp, ReadTimeout)) {
    case AnswerWait::Pending:
        return false;
    case AnswerWait::Missing:
        s.showError(QStringLiteral("Keine Antwort auf LNCV-Lesen erhalten!"));
        return true;
    case AnswerWait::Arrived:
        break;
    }
    if (flags == StartFlags)
        m_inProgramming = true;
    if (m_view) {
        m_view->ShowLncv(s.answers.LncvNumber, s.answers.LncvValue);
        if (flags == StartFlags)
            m_view->ShowProgrammingMode();
    }
    return true;
}

bool LncvJobs::LncvWriteJob() {
    if (s.job.JobPhase == 0) {
        place(loconet::LncvWrite, ReadFlags);
        s.answers.AnswerValue = -1;
        return false;
    }
    switch (awaitAnswer(s.answers.AnswerValue != -1, s.now() - s.job.JobTimeStamp, WriteTimeout)) {
    case AnswerWait::Pending:
        return false;
    case AnswerWait::Missing:
        s.showError(QStringLiteral("Keine Antwort auf LNCV-Schreiben erhalten!"));
        return true;
    case AnswerWait::Arrived:
        break;
    }
    if (const QString refusal = lncvWriteRefusal(s.answers.AnswerValue); !refusal.isEmpty())
        s.showError(QStringLiteral("LNCV-Schreiben: ") + refusal);
    return true;
}
