#include "RouteEngine.h"

#include "NumberText.h"
#include "RouteCommand.h"
#include "RouteTable.h"
#include "RouteView.h"
#include "link/Colours.h"
#include "link/Messages.h"
#include "link/Transmitter.h"
#include "platform/Clock.h"

#include <cmath>
#include <optional>

namespace {

constexpr int NotShown = -1;
constexpr int LastAccessoryAddress = 2048; // 11 address bits on the wire
constexpr int LastFeedbackAddress = 4096;  // 12 address bits on the wire

// The number a cell names when it is a whole number from 1 to last. A cell
// from a hand-edited file may name an address that does not fit the
// message; it must not switch some other accessory or contact instead.
std::optional<int> wholeNumber(const QString& text, int last) {
    const double value = leadingValue(text);
    if (value < 1 || value > last || value != std::floor(value))
        return std::nullopt;
    return static_cast<int>(value);
}

// What an indicator shows: established, requested, blocked added to either.
constexpr int Established = 1;
constexpr int Requested = 2;
constexpr int Blocked = 3;
constexpr int RequestedAndBlocked = Requested + Blocked;

int indicatorColour(int state, int blinkCounter) {
    switch (state) {
    case Established:
        return colour::Orange;
    case Requested:
        return colour::Yellow;
    case Blocked:
    case Established + Blocked:
        return colour::Red;
    case RequestedAndBlocked:
        return blinkCounter < RouteEngine::BlinkTicks / 2 ? colour::Red : colour::Yellow;
    default:
        return colour::White;
    }
}

} // namespace

void RouteEngine::setIndicatorView(RouteIndicatorView* view) {
    m_indicatorView = view;
    m_shownColours.fill(NotShown);
}

void RouteEngine::setMonitorView(RouteMonitorView* view) {
    m_monitorView = view;
    m_shownActivity.clear();
    m_shownCommandNumber.clear();
}

void RouteEngine::RunRouteEngine() {
    const double now = m_clock.now();
    if (m_finishing) {
        switchHeldOutputOff(now);
        return;
    }
    if (WaitDeadline != NoWait) {
        if (now >= WaitDeadline) {
            WaitDeadline = NoWait;
            PauseHold = -1;
        } else if (PauseHold > -1) {
            return;
        }
    }
    BlinkCounter = (BlinkCounter + 1) % BlinkTicks;
    showIndicatorsAndDiscardRequests();
    if (!m_tx.isFree())
        return;

    if (CurrentRoute == -1) {
        showActivity(QStringLiteral("Suche neue Fahrstraße zur Abarbeitung"));
        const int route = requestedRouteToStart();
        if (route == -1) {
            showCommandNumber(QStringLiteral("-"));
            return;
        }
        startRoute(route);
    }
    showCommandNumber(QString::number(CurrentColumn - RouteTable::FirstCommandColumn + 1));

    if (CurrentColumn > RouteTable::LastColumn) {
        finishRoute();
        return;
    }
    if (AccessoryAddress == -1 && !readCommand(now))
        return;
    runAccessorySequence(now);
}

void RouteEngine::showIndicatorsAndDiscardRequests() {
    for (int route = 1; route <= RouteTable::LastRoute; ++route) {
        if (requestToDiscard(route))
            m_table.setStatus(route, RouteTable::RequestedColumn, false);
        const int index = route - RoutePageBase - 1;
        if (index >= 0 && index < Indicators)
            showIndicator(index, indicatorColour(indicatorState(route), BlinkCounter));
    }
}

// A request for an established route is discarded.
bool RouteEngine::requestToDiscard(int route) const {
    return m_table.isSet(route, RouteTable::EstablishedColumn) &&
           m_table.isSet(route, RouteTable::RequestedColumn);
}

bool RouteEngine::startable(int route) const {
    return m_table.isSet(route, RouteTable::RequestedColumn) &&
           m_table.isEmpty(route, RouteTable::BlockedColumn) &&
           m_table.isEmpty(route, RouteTable::EstablishedColumn);
}

int RouteEngine::indicatorState(int route) const {
    int state = m_table.isSet(route, RouteTable::EstablishedColumn) ? Established : 0;
    if (m_table.isSet(route, RouteTable::RequestedColumn))
        state = Requested;
    if (m_table.isSet(route, RouteTable::BlockedColumn))
        state += Blocked;
    return state;
}

bool RouteEngine::hasWork() const {
    if (m_finishing)
        return AccessoryPhase == OutputOn;
    if (CurrentRoute != -1)
        return true;
    for (int route = 1; route <= RouteTable::LastRoute; ++route) {
        if (requestToDiscard(route) || startable(route))
            return true;
    }
    for (int index = 0; index < Indicators && RoutePageBase + index < RouteTable::LastRoute;
         ++index) {
        const int state = indicatorState(RoutePageBase + index + 1);
        if (state == RequestedAndBlocked ||
            (m_indicatorView && m_shownColours[index] != indicatorColour(state, BlinkCounter)))
            return true;
    }
    return false;
}

int RouteEngine::requestedRouteToStart() const {
    for (int route = 1; route <= RouteTable::LastRoute; ++route) {
        if (startable(route))
            return route;
    }
    return -1;
}

void RouteEngine::startRoute(int route) {
    CurrentRoute = route;
    CurrentColumn = RouteTable::FirstCommandColumn;
    WaitDeadline = NoWait;
    AccessoryPhase = NoAccessory;
    AccessoryAddress = -1;
    PauseHold = -1;
}

void RouteEngine::finishRoute() {
    m_table.setStatus(CurrentRoute, RouteTable::RequestedColumn, false);
    m_table.setStatus(CurrentRoute, RouteTable::EstablishedColumn, true);
    CurrentRoute = -1;
    AccessoryPhase = NoAccessory;
    WaitDeadline = NoWait;
    PauseHold = -1;
    showActivity(QStringLiteral("Fahrstraße beendet"));
}

bool RouteEngine::readCommand(double now) {
    const RouteCommandParts command = SplitRouteCommand(m_table.text(CurrentRoute, CurrentColumn));
    const double pauseSeconds = m_table.PauseTimeMs / 1000.0;
    switch (command.kind()) {
    case RouteCommandParts::Kind::Accessory:
        if (const std::optional<int> address = wholeNumber(command.MaAddr, LastAccessoryAddress)) {
            showActivity(QStringLiteral("Magnetartikel schalten"));
            AccessoryAddress = *address;
            if (command.MaDir == u"r")
                AccessoryDirection = 0;
            else if (command.MaDir == u"g")
                AccessoryDirection = 1;
            AccessoryPhase = SwitchOnNext;
            return true;
        }
        break;
    case RouteCommandParts::Kind::Feedback:
        if (const std::optional<int> address = wholeNumber(command.RmAddr, LastFeedbackAddress)) {
            showActivity(QStringLiteral("Rückmeldung erzeugen"));
            m_tx.place(messages::feedbackReport(*address - 1, command.RmState == u"b"));
            holdAfterCommand(now + pauseSeconds);
            return false;
        }
        break;
    case RouteCommandParts::Kind::Route:
        showActivity(QStringLiteral("Fahrstraßenbefehl"));
        if (const std::optional<int> route = wholeNumber(command.FsNum, RouteTable::LastRoute))
            applyRouteAction(*route, command.FsAction);
        holdAfterCommand(now + pauseSeconds);
        return false;
    case RouteCommandParts::Kind::Pause:
        showActivity(QStringLiteral("Pausenbefehl"));
        holdAfterCommand(now + leadingValue(command.PaSeconds));
        return false;
    case RouteCommandParts::Kind::None:
        break;
    }
    // An empty or unusable cell costs one tick and no pause.
    nextCell();
    return true;
}

void RouteEngine::applyRouteAction(int route, const QString& action) {
    if (action == u"bl")
        m_table.setStatus(route, RouteTable::BlockedColumn, true);
    else if (action == u"fr")
        m_table.setStatus(route, RouteTable::BlockedColumn, false);
    else if (action == u"an")
        m_table.setStatus(route, RouteTable::RequestedColumn, true);
    else if (action == u"al")
        m_table.setStatus(route, RouteTable::EstablishedColumn, false);
}

void RouteEngine::runAccessorySequence(double now) {
    if (WaitDeadline != NoWait)
        return;
    switch (AccessoryPhase) {
    case SwitchOnNext:
        WaitDeadline = now + m_table.SwitchTimeMs / 1000.0;
        AccessoryPhase = OutputOn;
        m_tx.place(messages::accessoryCommand(AccessoryAddress - 1, AccessoryDirection, true));
        break;
    case OutputOn:
        WaitDeadline = now + m_table.PauseTimeMs / 1000.0;
        AccessoryPhase = OutputOff;
        m_tx.place(messages::accessoryCommand(AccessoryAddress - 1, AccessoryDirection, false));
        break;
    case OutputOff:
        nextCell();
        break;
    default:
        break;
    }
}

void RouteEngine::finish() {
    m_finishing = true;
}

// Only the off command of an output that is on; the pause after it and the
// rest of the route wait for resume().
void RouteEngine::switchHeldOutputOff(double now) {
    if (AccessoryPhase != OutputOn || !m_tx.isFree())
        return;
    if (WaitDeadline != NoWait && now < WaitDeadline)
        return;
    WaitDeadline = NoWait;
    runAccessorySequence(now);
}

void RouteEngine::nextCell() {
    ++CurrentColumn;
    WaitDeadline = NoWait;
    AccessoryPhase = NoAccessory;
    AccessoryAddress = -1;
    PauseHold = -1;
}

void RouteEngine::holdAfterCommand(double deadline) {
    ++CurrentColumn;
    WaitDeadline = deadline;
    AccessoryPhase = NoAccessory;
    AccessoryAddress = -1;
    PauseHold = 1;
}

void RouteEngine::showIndicator(int index, int colour) {
    if (!m_indicatorView || m_shownColours[index] == colour)
        return;
    m_shownColours[index] = colour;
    m_indicatorView->ShowRouteIndicator(index, colour);
}

void RouteEngine::showActivity(const QString& text) {
    if (!m_monitorView || m_shownActivity == text)
        return;
    m_shownActivity = text;
    m_monitorView->ShowRouteActivity(text);
}

void RouteEngine::showCommandNumber(const QString& text) {
    if (!m_monitorView || m_shownCommandNumber == text)
        return;
    m_shownCommandNumber = text;
    m_monitorView->ShowCommandNumber(text);
}
