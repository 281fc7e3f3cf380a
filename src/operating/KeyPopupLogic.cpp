#include "KeyPopupLogic.h"

#include "PanelActions.h"
#include "link/AccessoryJobs.h"
#include "routes/RouteTable.h"

#include <Qt>

namespace {
constexpr int LastAddress = 2048;

// The letters on the popup's two keys: [r] [g], [f] [b], [f] [l].
std::pair<int, int> buttonLetters(PopupKind kind) {
    switch (kind) {
    case PopupKind::Accessory:
        return {Qt::Key_R, Qt::Key_G};
    case PopupKind::Feedback:
        return {Qt::Key_F, Qt::Key_B};
    case PopupKind::Route:
        break;
    }
    return {Qt::Key_F, Qt::Key_L};
}
} // namespace

KeyPopupLogic::KeyPopupLogic(PopupKind kind, JobMachine& jobs, RouteTable& routes)
    : m_kind(kind), m_jobs(jobs), m_routes(routes), m_switching(jobs) {}

void KeyPopupLogic::open(int digit) {
    m_label.open(digit);
}

KeyPopupLogic::Key KeyPopupLogic::keyDown(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        m_label.type(key - Qt::Key_0);
        return {KeyOutcome::Typed};
    }
    if (key == Qt::Key_Backspace || key == Qt::Key_Delete) {
        m_label.erase();
        return {KeyOutcome::Typed};
    }
    if (key == Qt::Key_Escape)
        return {KeyOutcome::Hide};
    const auto [first, second] = buttonLetters(m_kind);
    if (key == first)
        return {KeyOutcome::Pressed, FirstButton};
    if (key == second)
        return {KeyOutcome::Pressed, SecondButton};
    return {};
}

bool KeyPopupLogic::numberInRange(int n) const {
    if (m_kind == PopupKind::Route)
        return n >= 1 && n < RouteTable::RowCount;
    return n >= 1 && n <= LastAddress;
}

bool KeyPopupLogic::press(Button button) {
    const int n = m_label.number();
    if (!numberInRange(n))
        return true;
    switch (m_kind) {
    case PopupKind::Accessory:
        // The keys stand red, green.
        return m_switching.add(n - 1, button == SecondButton);
    case PopupKind::Feedback:
        // [f] reports the contact free, [b] occupied.
        return requestFeedbackReport(m_jobs, n - 1, button == SecondButton) != 0;
    case PopupKind::Route:
        if (button == FirstButton)
            panel::requestRoute(m_routes, n);
        else
            panel::dissolveRoute(m_routes, n);
        return true;
    }
    return true;
}
