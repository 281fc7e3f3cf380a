#include "ProgrammingJobs.h"

#include "CvRequest.h"
#include "ProgView.h"
#include "link/AnswerWait.h"
#include "link/LinkState.h"
#include "link/Messages.h"

namespace {

class NoProgView final : public ProgView {
public:
    void ShowProgStatus(const QString&) override {}
    void ShowSingleCvValue(const QString&) override {}
    void ShowStandardCvs() override {}
    void RefreshCvList() override {}
    void ShowSpeedTable() override {}
    void SetProgIdle(bool) override {}
};

bool isList(ProgJobKind kind) {
    return kind == ProgJobKind::ReadList || kind == ProgJobKind::WriteList;
}

bool isRead(ProgJobKind kind) {
    return kind == ProgJobKind::ReadList || kind == ProgJobKind::ReadSingle;
}

constexpr int VersionCv = 7;
constexpr int ManufacturerCv = 8;

enum Phase { SendStart = 0, AwaitStart = 1, SendRequest = 2, AwaitAnswer = 3 };

} // namespace

ProgrammingJobs::ProgrammingJobs(LinkState& state, JobMachine& jobs) : s(state), m_jobs(jobs) {
    jobs.registerJobs(
        {Job::CvListRead, Job::CvListWrite, Job::CvRead, Job::CvWrite}, [this] { return step(); },
        [this](bool lineWrites) {
            view().ShowProgStatus(QStringLiteral("Abbruch"));
            if (lineWrites && s.job.JobPhase != SendStart)
                s.link.Tx.place(messages::programmingTrack(false));
            freeWindow();
        });
    s.hooks.OnProgrammingTrackSlot = [this](const ReceiveRing::Row& m) {
        OnProgrammingTrackSlot(m);
    };
}

ProgrammingJobs::~ProgrammingJobs() {
    s.hooks.OnProgrammingTrackSlot = nullptr;
}

void ProgrammingJobs::setView(ProgView* view) {
    m_view = view;
}

ProgView& ProgrammingJobs::view() const {
    static NoProgView nobody;
    return m_view ? *m_view : nobody;
}

bool ProgrammingJobs::startListJob(int list, bool write) {
    if (list < 0 || list >= ProgrammingState::ListCount)
        return false;
    Work work;
    work.kind = write ? ProgJobKind::WriteList : ProgJobKind::ReadList;
    work.list = list;
    work.cvs = prog.CvList[list];
    work.values = prog.CvValue;
    return begin(write ? Job::CvListWrite : Job::CvListRead, std::move(work));
}

bool ProgrammingJobs::startSingleRead(int cv) {
    Work work;
    work.kind = ProgJobKind::ReadSingle;
    work.cvs = {cv};
    return begin(Job::CvRead, std::move(work));
}

bool ProgrammingJobs::startSingleWrite(int cv, int value) {
    Work work;
    work.kind = ProgJobKind::WriteSingle;
    work.cvs = {cv};
    // Handed over apart from ProgAnswer, which any programming-track answer
    // on the bus may change before the job takes it.
    work.values.fill(ProgrammingState::Unknown);
    if (ProgrammingState::isCv(cv))
        work.values[cv] = value & 0xFF;
    return begin(Job::CvWrite, std::move(work));
}

bool ProgrammingJobs::begin(Job job, Work work) {
    if (running())
        return false;
    m_ticket = m_jobs.request({.JobCode = job});
    if (m_ticket == 0)
        return false;
    m_work = std::move(work);
    view().SetProgIdle(false);
    return true;
}

bool ProgrammingJobs::running() const {
    return m_jobs.pending(m_ticket);
}

void ProgrammingJobs::cancel() {
    if (!running())
        return;
    if (s.job.JobTicket == m_ticket) {
        m_work.cancel = true;
        return;
    }
    m_jobs.withdraw([this](const JobRequest& r) { return r.JobTicket == m_ticket; });
    view().ShowProgStatus(QStringLiteral("Abbruch"));
    freeWindow();
}

bool ProgrammingJobs::step() {
    JobRequest& job = s.job;
    if (m_work.cancel) {
        view().ShowProgStatus(QStringLiteral("Abbruch"));
        return finish();
    }
    switch (job.JobPhase) {
    case SendStart:
        s.link.Tx.place(messages::programmingTrack(true));
        job.JobPhase = AwaitStart;
        return false;
    case AwaitStart:
        job.JobPhase = SendRequest;
        return false;
    case SendRequest:
        return placeRequest();
    default:
        return judgeAnswer();
    }
}

bool ProgrammingJobs::moveToEntry(int pos) {
    const bool write = !isRead(m_work.kind);
    for (; pos < static_cast<int>(m_work.cvs.size()); ++pos) {
        const int cv = m_work.cvs[pos];
        if (!ProgrammingState::isCv(cv))
            continue;
        if (!write)
            break;
        const bool readOnly =
            isList(m_work.kind) && pos > 0 && (cv == VersionCv || cv == ManufacturerCv);
        if (!readOnly && m_work.values[cv] != ProgrammingState::Unknown)
            break;
    }
    m_work.pos = pos;
    return pos < static_cast<int>(m_work.cvs.size());
}

bool ProgrammingJobs::moveOn() {
    if (!isList(m_work.kind) || !moveToEntry(m_work.pos + 1))
        return false;
    s.job.JobPhase = SendRequest;
    return true;
}

int ProgrammingJobs::currentCv() const {
    return m_work.cvs[m_work.pos];
}

bool ProgrammingJobs::placeRequest() {
    const bool read = isRead(m_work.kind);
    if (!moveToEntry(m_work.pos)) {
        if (isList(m_work.kind))
            view().ShowProgStatus(read ? QStringLiteral(" Lesevorgang beendet ")
                                       : QStringLiteral(" Schreibvorgang beendet "));
        return finish();
    }
    const int cv = currentCv();
    view().ShowProgStatus((read ? QStringLiteral(" Lese CV ") : QStringLiteral(" Schreibe CV ")) +
                          QString::number(cv));
    s.link.Tx.place(read ? cvrequest::read(cv) : cvrequest::write(cv, m_work.values[cv]));
    s.job.JobPhase = AwaitAnswer;
    s.job.JobTimeStamp = s.now();
    prog.ProgAnswer = read ? ProgrammingState::ReadOutstanding : ProgrammingState::WriteOutstanding;
    return false;
}

bool ProgrammingJobs::judgeAnswer() {
    const bool read = isRead(m_work.kind);
    const int outstanding =
        read ? ProgrammingState::ReadOutstanding : ProgrammingState::WriteOutstanding;
    const int answer = prog.ProgAnswer;
    switch (awaitAnswer(answer != outstanding, s.now() - s.job.JobTimeStamp, AnswerTimeout)) {
    case AnswerWait::Pending:
        return false;
    case AnswerWait::Missing:
        s.showError(read ? QStringLiteral("Keine Antwort auf CV-Lesen erhalten!")
                         : QStringLiteral("Keine Antwort auf CV-Schreiben erhalten!"));
        return finish();
    case AnswerWait::Arrived:
        break;
    }
    if (read && ProgrammingState::isValue(answer))
        return readSucceeded(answer);
    if (!read && answer == ProgrammingState::StatusBase)
        return writeSucceeded();
    return failed(answer);
}

bool ProgrammingJobs::readSucceeded(int value) {
    prog.setValue(currentCv(), value);
    if (moveOn())
        return false;
    view().ShowProgStatus(QStringLiteral(" Lesevorgang beendet "));
    if (m_work.kind == ProgJobKind::ReadSingle) {
        view().ShowSingleCvValue(QString::number(value));
        view().ShowStandardCvs();
        view().RefreshCvList();
    }
    return finish();
}

bool ProgrammingJobs::writeSucceeded() {
    if (moveOn())
        return false;
    view().ShowProgStatus(QStringLiteral(" Schreibvorgang beendet "));
    if (m_work.kind == ProgJobKind::WriteSingle) {
        prog.setValue(currentCv(), m_work.values[currentCv()]);
        view().ShowStandardCvs();
        view().RefreshCvList();
    }
    return finish();
}

bool ProgrammingJobs::failed(int answer) {
    const ProgError error = progError(answer, m_work.kind);
    view().ShowProgStatus(error.status());
    s.showError(error.message());
    if (m_work.kind == ProgJobKind::ReadSingle) {
        const bool noValue =
            error.kind == ProgError::NotFound || error.kind == ProgError::ShortCircuit;
        view().ShowSingleCvValue(noValue ? QStringLiteral("-") : QStringLiteral("_"));
    }
    return finish();
}

bool ProgrammingJobs::finish() {
    s.link.Tx.place(messages::programmingTrack(false));
    freeWindow();
    return true;
}

void ProgrammingJobs::freeWindow() {
    if (isList(m_work.kind)) {
        if (m_work.list == ProgrammingState::StandardList)
            view().ShowStandardCvs();
        view().RefreshCvList();
        if (m_work.list == ProgrammingState::SpeedList)
            view().ShowSpeedTable();
    }
    view().SetProgIdle(true);
}

void ProgrammingJobs::OnProgrammingTrackSlot(const ReceiveRing::Row& message) {
    prog.ProgAnswer = cvrequest::answerFrom(message, prog.ProgAnswer);
}
