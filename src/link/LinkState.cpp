#include "LinkState.h"

#include "LinkView.h"
#include "Opcode.h"
#include "platform/Clock.h"

LinkState::LinkState(const Clock& clock, SerialPort& port, LinkView& messages,
                     OperatingView& operating)
    : clock(clock), messages(messages), operating(operating), link(clock, port, messages) {
    resetToStartValues();
}

double LinkState::now() const {
    return clock.now();
}

void LinkState::showError(const QString& text) const {
    messages.ShowMessage(text, QStringLiteral("Fehler"), MessageIcon::Critical);
}

void LinkState::showLocoNetError(const QString& text) const {
    messages.ShowMessage(text, QStringLiteral("LocoNet Fehler"), MessageIcon::Critical);
}

bool LinkState::stationRefused() const {
    return AnswerValue != -1 && AnswerValue != loconet::Accepted;
}

void LinkState::resetToStartValues() {
    link.Rx.clear();
    link.Tx.release();
    job = JobRequest{};
    AnswerExpected = false;
    StationType = UnknownStation;
    for (int t = 0; t < 2; ++t) {
        ThrottleData[t][SlotRecord::Address] = -1;
        ThrottleSlot[t] = -1;
    }
    FeedbackState.fill(-1);
    SlotTable[BlankSlot] = SlotRecord{};
}
