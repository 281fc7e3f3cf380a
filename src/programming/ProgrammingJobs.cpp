#include "ProgrammingJobs.h"

#include "CvRequest.h"
#include "ProgView.h"
#include "link/HexText.h"
#include "link/JobMachine.h"
#include "link/LinkState.h"

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

} // namespace

ProgrammingJobs::ProgrammingJobs(LinkState& state, JobMachine& jobs) : s(state), m_jobs(jobs) {
    jobs.registerJob(ReadCvList, [this] { return step(ProgJobKind::ReadList); });
    jobs.registerJob(WriteCvList, [this] { return step(ProgJobKind::WriteList); });
    jobs.registerJob(ReadSingleCv, [this] { return step(ProgJobKind::ReadSingle); });
    jobs.registerJob(WriteSingleCv, [this] { return step(ProgJobKind::WriteSingle); });
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
    if (running() || list < 0 || list >= ProgrammingState::ListCount)
        return false;
    prog.CvListPos = 0;
    prog.CvListSel = list;
    begin(write ? WriteCvList : ReadCvList);
    return true;
}

bool ProgrammingJobs::startSingleRead(int cv) {
    if (running())
        return false;
    prog.SingleCv = cv;
    begin(ReadSingleCv);
    return true;
}

bool ProgrammingJobs::startSingleWrite(int cv, int value) {
    if (running())
        return false;
    prog.SingleCv = cv;
    // Handed over apart from ProgAnswer, which any programming-track answer
    // on the bus may change before the job takes it.
    prog.SingleCvValue = value & 0xFF;
    begin(WriteSingleCv);
    return true;
}

void ProgrammingJobs::begin(JobNumber job) {
    prog.ProgCancel = false;
    view().SetProgIdle(false);
    s.job.start(job);
}

bool ProgrammingJobs::running() const {
    switch (s.job.JobCode) {
    case ReadCvList:
    case WriteCvList:
    case ReadSingleCv:
    case WriteSingleCv:
        return true;
    default:
        return false;
    }
}

void ProgrammingJobs::cancel() {
    prog.ProgCancel = true;
    // Nothing has been sent for a job still in phase 0, so there is nothing
    // to end on the track; without a connection it would wait for ever.
    if (!running() || s.job.JobPhase != 0)
        return;
    const bool list = s.job.JobCode == ReadCvList || s.job.JobCode == WriteCvList;
    m_jobs.endJob();
    prog.ProgCancel = false;
    view().ShowProgStatus(QStringLiteral("Abbruch"));
    if (list)
        FinishCvListJob();
    else
        view().SetProgIdle(true);
}

bool ProgrammingJobs::step(ProgJobKind kind) {
    JobRequest& job = s.job;
    switch (job.JobPhase) {
    case 0:
        SendHexText(s.link.Tx, cvrequest::StartMessage);
        job.JobPhase = 1;
        return false;
    case 1:
        if (s.link.Tx.isFree())
            job.JobPhase = 2;
        return false;
    case 2:
        return placeRequest(kind);
    default:
        return judgeAnswer(kind);
    }
}

int ProgrammingJobs::nextEntry(int pos, bool write) const {
    const std::vector<int>& list = prog.CvList[prog.CvListSel];
    for (; pos < static_cast<int>(list.size()); ++pos) {
        const int cv = list[pos];
        if (!ProgrammingState::isCv(cv))
            continue;
        if (!write)
            break;
        const bool readOnly = pos > 0 && (cv == VersionCv || cv == ManufacturerCv);
        if (!readOnly && prog.CvValue[cv] != ProgrammingState::Unknown)
            break;
    }
    return pos;
}

int ProgrammingJobs::currentCv(ProgJobKind kind) const {
    return isList(kind) ? prog.CvList[prog.CvListSel][prog.CvListPos] : prog.SingleCv;
}

bool ProgrammingJobs::placeRequest(ProgJobKind kind) {
    const bool read = isRead(kind);
    if (isList(kind)) {
        prog.CvListPos = nextEntry(prog.CvListPos, !read);
        if (prog.CvListPos > prog.CvListLast(prog.CvListSel)) {
            view().ShowProgStatus(read ? QStringLiteral(" Lesevorgang beendet ")
                                       : QStringLiteral(" Schreibvorgang beendet "));
            return finish(kind);
        }
    } else if (!ProgrammingState::isCv(prog.SingleCv)) {
        return finish(kind);
    }
    const int cv = currentCv(kind);
    view().ShowProgStatus((read ? QStringLiteral(" Lese CV ") : QStringLiteral(" Schreibe CV ")) +
                          QString::number(cv));
    if (read) {
        cvrequest::placeRead(s.link.Tx, cv);
    } else {
        const int value = kind == ProgJobKind::WriteList ? prog.CvValue[cv] : prog.SingleCvValue;
        cvrequest::placeWrite(s.link.Tx, cv, value);
    }
    s.job.JobPhase = 3;
    s.job.JobTimeStamp = s.now();
    prog.ProgAnswer = read ? ProgrammingState::ReadOutstanding : ProgrammingState::WriteOutstanding;
    return false;
}

bool ProgrammingJobs::judgeAnswer(ProgJobKind kind) {
    const bool read = isRead(kind);
    if (isList(kind) && prog.ProgCancel) {
        prog.ProgCancel = false;
        view().ShowProgStatus(QStringLiteral("Abbruch"));
        return finish(kind);
    }
    if (s.now() - s.job.JobTimeStamp > AnswerTimeout) {
        s.showError(read ? QStringLiteral("Keine Antwort auf CV-Lesen erhalten!")
                         : QStringLiteral("Keine Antwort auf CV-Schreiben erhalten!"));
        return finish(kind);
    }
    const int answer = prog.ProgAnswer;
    if (answer == (read ? ProgrammingState::ReadOutstanding : ProgrammingState::WriteOutstanding))
        return false;
    if (read && ProgrammingState::isValue(answer))
        return readSucceeded(kind, answer);
    if (!read && answer == ProgrammingState::StatusBase)
        return writeSucceeded(kind);
    return failed(kind, answer);
}

bool ProgrammingJobs::readSucceeded(ProgJobKind kind, int value) {
    prog.setValue(currentCv(kind), value);
    if (kind == ProgJobKind::ReadList) {
        prog.CvListPos = nextEntry(prog.CvListPos + 1, false);
        if (prog.CvListPos <= prog.CvListLast(prog.CvListSel)) {
            s.job.JobPhase = 2;
            return false;
        }
    }
    view().ShowProgStatus(QStringLiteral(" Lesevorgang beendet "));
    if (kind == ProgJobKind::ReadSingle) {
        view().ShowSingleCvValue(QString::number(value));
        view().ShowStandardCvs();
        view().RefreshCvList();
    }
    return finish(kind);
}

bool ProgrammingJobs::writeSucceeded(ProgJobKind kind) {
    if (kind == ProgJobKind::WriteList) {
        prog.CvListPos = nextEntry(prog.CvListPos + 1, true);
        if (prog.CvListPos <= prog.CvListLast(prog.CvListSel)) {
            s.job.JobPhase = 2;
            return false;
        }
    }
    view().ShowProgStatus(QStringLiteral(" Schreibvorgang beendet "));
    if (kind == ProgJobKind::WriteSingle) {
        prog.setValue(prog.SingleCv, prog.SingleCvValue);
        view().ShowStandardCvs();
        view().RefreshCvList();
    }
    return finish(kind);
}

bool ProgrammingJobs::failed(ProgJobKind kind, int answer) {
    const ProgError error = progError(answer, kind);
    view().ShowProgStatus(error.status());
    s.showError(error.message());
    if (kind == ProgJobKind::ReadSingle) {
        const bool noValue =
            error.kind == ProgError::NotFound || error.kind == ProgError::ShortCircuit;
        view().ShowSingleCvValue(noValue ? QStringLiteral("-") : QStringLiteral("_"));
    }
    return finish(kind);
}

bool ProgrammingJobs::finish(ProgJobKind kind) {
    SendHexText(s.link.Tx, cvrequest::EndMessage);
    if (isList(kind))
        FinishCvListJob();
    else
        view().SetProgIdle(true);
    return true;
}

void ProgrammingJobs::FinishCvListJob() {
    if (prog.CvListSel == ProgrammingState::StandardList)
        view().ShowStandardCvs();
    view().RefreshCvList();
    if (prog.CvListSel == ProgrammingState::SpeedList)
        view().ShowSpeedTable();
    view().SetProgIdle(true);
}

void ProgrammingJobs::OnProgrammingTrackSlot(const ReceiveRing::Row& message) {
    prog.ProgAnswer = cvrequest::answerFrom(message, prog.ProgAnswer);
}
