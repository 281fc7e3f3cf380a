#include "LinkState.h"

#include "LinkView.h"
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

void LinkState::resetToStartValues() {
    link.Rx.clear();
    link.Tx.release();
    job = JobRequest{};
    answers.AnswerExpected = false;
    station.reset();
    feedback.reset();
}
