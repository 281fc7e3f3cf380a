#pragma once

#include <QString>
#include <array>

class Clock;
class RouteIndicatorView;
class RouteMonitorView;
class RouteTable;
class Transmitter;

// Works off the requested routes, one command cell per tick, lowest route
// number first. It never blocks: every wait is a deadline on the clock that
// later ticks test, so an accessory output stays on for its switching time
// and a pause lasts its length, to the tick. Messages go into the shared
// transmit buffer, and only while it is free.
class RouteEngine {
public:
    static constexpr int Indicators = 16;
    static constexpr int BlinkTicks = 40;

    RouteEngine(RouteTable& table, Transmitter& tx, const Clock& clock)
        : m_table(table), m_tx(tx), m_clock(clock) {}

    void setIndicatorView(RouteIndicatorView* view);
    void setMonitorView(RouteMonitorView* view);

    // One tick of the main timer.
    void RunRouteEngine();
    // False when a tick would do nothing: no route to run or to discard, no
    // wait, no indicator to blink or to paint anew, no output to switch off.
    bool hasWork() const;

    // Before the line closes: from now on no command and no route is
    // started; an accessory output the engine holds on is switched off when
    // its switching time is over, not left on.
    void finish();
    // True once finish() has been called and no output is held on any more:
    // the off command, if one was due, is in the transmit buffer.
    bool finished() const { return m_finishing && AccessoryPhase != OutputOn; }
    // After a new connect: goes on where finish() stopped it.
    void resume() { m_finishing = false; }

    // The route number before the first route of the main window's memory
    // page: 0, 16, 32, ...
    int RoutePageBase = 0;

private:
    static constexpr double NoWait = -1;
    // The steps of one accessory command.
    enum AccessoryStep { NoAccessory = -1, SwitchOnNext = 0, OutputOn = 1, OutputOff = 2 };

    void showIndicatorsAndDiscardRequests();
    bool requestToDiscard(int route) const;
    bool startable(int route) const;
    int indicatorState(int route) const;
    int requestedRouteToStart() const;
    void startRoute(int route);
    void finishRoute();
    // Reads the current command cell; false when the tick ends with it.
    bool readCommand(double now);
    void applyRouteAction(int route, const QString& action);
    void runAccessorySequence(double now);
    void switchHeldOutputOff(double now);
    void nextCell();
    void holdAfterCommand(double deadline);

    void showIndicator(int index, int colour);
    void showActivity(const QString& text);
    void showCommandNumber(const QString& text);

    RouteTable& m_table;
    Transmitter& m_tx;
    const Clock& m_clock;
    RouteIndicatorView* m_indicatorView = nullptr;
    RouteMonitorView* m_monitorView = nullptr;

    int CurrentRoute = -1;
    int CurrentColumn = 0;
    // The wait ends once the clock has reached it.
    double WaitDeadline = NoWait;
    // 1 while the running wait holds the whole engine.
    int PauseHold = -1;
    AccessoryStep AccessoryPhase = NoAccessory;
    int AccessoryAddress = -1;
    int AccessoryDirection = 0;
    int BlinkCounter = 0;
    bool m_finishing = false;

    // What the views show, so they are only told about changes.
    std::array<int, Indicators> m_shownColours{};
    QString m_shownActivity;
    QString m_shownCommandNumber;
};
