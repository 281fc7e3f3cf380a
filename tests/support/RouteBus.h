#pragma once

#include "FakeSerialPort.h"
#include "RecordingView.h"
#include "link/Transmitter.h"
#include "platform/Clock.h"
#include "routes/RouteView.h"
#include "routes/Routes.h"

#include <QList>
#include <QStringList>
#include <array>
#include <functional>

// The route engine on a bus that answers at once: each tick runs the engine
// and the transmitter, and a message sent comes straight back as its echo,
// passes the route triggers the way the dispatcher hands them on, and frees
// the transmit buffer. Time moves 10 ms a tick.
class RouteBus : public RouteIndicatorView, public RouteMonitorView {
public:
    static constexpr double TickSeconds = 0.01;

    RouteBus() {
        port.opened = true;
        routes.engine.setIndicatorView(this);
        routes.engine.setMonitorView(this);
    }

    void tick() {
        routes.RunRouteEngine();
        tx.TransmitPending(port, 3);
        const QByteArray sent = port.takeWritten();
        if (!sent.isEmpty()) {
            messages.append(sent.chopped(1));
            messageTimes.append(clock.now());
            echo(sent);
        }
        clock.advance(TickSeconds);
        ++ticks;
    }

    // Ticks until the condition holds; false when it still does not after
    // limit ticks.
    bool tickUntil(const std::function<bool()>& done, int limit = 100000) {
        for (int i = 0; i < limit; ++i) {
            if (done())
                return true;
            tick();
        }
        return done();
    }

    bool established(int route) const {
        return routes.table.isSet(route, RouteTable::EstablishedColumn);
    }
    void request(int route) { routes.table.setStatus(route, RouteTable::RequestedColumn, true); }
    void setCommands(int route, const QStringList& commands) {
        for (int i = 0; i < commands.size(); ++i)
            routes.table.setText(route, RouteTable::FirstCommandColumn + i, commands[i]);
    }

    void ShowRouteIndicator(int index, int colour) override { indicators[index] = colour; }
    void ShowRouteActivity(const QString& text) override { activity = text; }
    void ShowCommandNumber(const QString&) override {}

    ManualClock clock;
    FakeSerialPort port;
    RecordingView view;
    Transmitter tx{clock, view};
    Routes routes{clock, tx, view};

    int ticks = 0;
    QList<QByteArray> messages; // without checksum
    QList<double> messageTimes;
    std::array<int, 16> indicators{};
    QString activity;

private:
    void echo(const QByteArray& message) {
        tx.release();
        const auto b1 = quint8(message[1]);
        const auto b2 = quint8(message[2]);
        if (quint8(message[0]) == 0xB0 && (b2 & 0x10))
            routes.OnAccessoryForRoutes((b2 & 0x0F) * 128 + b1, (b2 >> 5) & 1);
        else if (quint8(message[0]) == 0xB2)
            routes.OnFeedbackForRoutes((b2 & 0x0F) * 256 + b1 * 2 + ((b2 >> 5) & 1), (b2 >> 4) & 1);
    }
};
