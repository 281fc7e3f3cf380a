#include "support/Hex.h"
#include "support/RouteBus.h"

#include <QTest>

using Messages = QList<QByteArray>;
using L = QStringList;
using RT = RouteTable;

namespace {
// Within one tick of the time wanted.
bool withinATick(double measured, int wantedMs) {
    if (qAbs(measured - wantedMs / 1000.0) <= RouteBus::TickSeconds * 1.01)
        return true;
    qWarning("measured %g s, wanted %d ms", measured, wantedMs);
    return false;
}
} // namespace

class RouteEngineTest : public QObject {
    Q_OBJECT

private slots:
    // A trigger cell requests its route (column 4) or dissolves it (column
    // 5) on the event it names, in every route that names it.
    void triggers_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("feedback"); // the event: a contact, else an accessory
        QTest::addColumn<int>("address0");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("fires");
        QTest::newRow("Rm12-b, contact 12 occupied") << 4 << "Rm12-b" << true << 11 << 1 << true;
        QTest::newRow("Rm12-b, contact 12 free") << 4 << "Rm12-b" << true << 11 << 0 << false;
        QTest::newRow("Rm12-b, contact 13") << 4 << "Rm12-b" << true << 12 << 1 << false;
        QTest::newRow("Rm12-f, free") << 4 << "Rm12-f" << true << 11 << 0 << true;
        QTest::newRow("address 0") << 4 << "Rm0-b" << true << 0 << 1 << false;
        QTest::newRow("accessory names no contact") << 4 << "Ma12-g" << true << 11 << 1 << false;
        QTest::newRow("Ma5-g green") << 4 << "Ma5-g" << false << 4 << 1 << true;
        QTest::newRow("Ma5-g dissolves on green") << 5 << "Ma5-g" << false << 4 << 1 << true;
        QTest::newRow("Ma5-g not on red") << 5 << "Ma5-g" << false << 4 << 0 << false;
        QTest::newRow("Ma5-r on red") << 5 << "Ma5-r" << false << 4 << 0 << true;
    }
    void triggers() {
        QFETCH(int, column);
        QFETCH(QString, trigger);
        QFETCH(bool, feedback);
        QFETCH(int, address0);
        QFETCH(int, state);
        QFETCH(bool, fires);
        RouteBus bus;
        RT& table = bus.routes.table;
        for (int route : {7, 208}) {
            table.setStatus(route, RT::EstablishedColumn, true);
            table.setText(route, column, trigger);
        }
        if (feedback)
            bus.routes.OnFeedbackForRoutes(address0, state);
        else
            bus.routes.OnAccessoryForRoutes(address0, state);
        for (int route = 1; route <= RT::LastRoute; ++route) {
            const bool named = route == 7 || route == 208;
            if (column == RT::RequestTriggerColumn)
                QCOMPARE(table.isSet(route, RT::RequestedColumn), named && fires);
            else
                QCOMPARE(table.isSet(route, RT::EstablishedColumn), named && !fires);
        }
    }

    // Requested routes run lowest first and only when neither established
    // nor blocked; a route's own messages pass the triggers, its route
    // commands set the flags of others. Cells: route|column|text; after:
    // every status cell set at the end.
    void routesRun_data() {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<Messages>("messages");
        QTest::addColumn<QStringList>("after");
        // Route 1 requested with this one command.
        const auto command = [](const char* text, const Messages& messages) {
            QTest::newRow(text) << L{"1|2| ", QString("1|6|") + text} << messages << L{"1|1"};
        };
        command("Ma5-g", {hex("B0 04 30"), hex("B0 04 20")});
        command("Ma129-r", {hex("B0 00 11"), hex("B0 00 01")});
        command("Ma2048-g", {hex("B0 7F 3F"), hex("B0 7F 2F")});
        command("Rm12-b", {hex("B2 05 70")});
        command("Rm1-f", {hex("B2 00 40")});
        command("Rm12-", {hex("B2 05 60")}); // without state: free
        command("Xy3-b", {});
        command("Ma0-g", {});
        command("Ma2049-g", {});
        command("Rm4097-b", {});
        QTest::newRow("lowest requested route first")
            << L{"5|2| ", "5|6|Ma5-g", "3|2| ", "3|6|Ma3-g"}
            << Messages{hex("B0 02 30"), hex("B0 02 20"), hex("B0 04 30"), hex("B0 04 20")}
            << L{"3|1", "5|1"};
        QTest::newRow("established: request discarded")
            << L{"1|1| ", "1|2| ", "1|6|Ma5-g"} << Messages{} << L{"1|1"};
        QTest::newRow("blocked route waits")
            << L{"1|2| ", "1|3| ", "1|6|Rm1-b", "2|2| ", "2|6|Rm2-b"} << Messages{hex("B2 00 70")}
            << L{"1|2", "1|3", "2|1"};
        QTest::newRow("requesting itself runs once")
            << L{"1|2| ", "1|6|Fs1-an", "1|7|Rm1-b"} << Messages{hex("B2 00 50")} << L{"1|1"};
        QTest::newRow("own echo requests another route")
            << L{"1|2| ", "1|6|Ma5-g", "4|4|Ma5-g", "4|6|Rm7-b", "6|4|Ma5-r"}
            << Messages{hex("B0 04 30"), hex("B0 04 20"), hex("B2 03 50")} << L{"1|1", "4|1"};
        QTest::newRow("route commands")
            << L{"9|1| ",      "8|3| ",      "1|2| ",        "1|6|Fs7-bl",
                 "1|7|Fs8-fr", "1|8|Fs9-al", "1|9|Fs209-bl", "1|10|Fs0-an"}
            << Messages{} << L{"1|1", "7|3"};
    }
    void routesRun() {
        QFETCH(QStringList, cells);
        QFETCH(Messages, messages);
        QFETCH(QStringList, after);
        RouteBus bus;
        RT& table = bus.routes.table;
        for (const QString& cell : cells) {
            const QStringList parts = cell.split('|');
            table.setText(parts[0].toInt(), parts[1].toInt(), parts[2]);
        }
        bus.tickUntil([] { return false; }, 400);
        QCOMPARE(bus.messages, messages);
        for (int route = 0; route <= RT::LastRoute; ++route) {
            for (int column = 1; column <= RT::BlockedColumn; ++column)
                QCOMPARE(table.isSet(route, column),
                         after.contains(QString("%1|%2").arg(route).arg(column)));
        }
        QCOMPARE(table.text(0, RT::BlockedColumn), QString("block."));
    }

    // Measured on the clock from the on command to the off command, and from
    // the off command to the next command, which is read one tick after the
    // pause has passed.
    void outputStaysOnForItsSwitchingTime_data() {
        QTest::addColumn<double>("startFraction");
        QTest::addColumn<int>("switchTimeMs");
        QTest::addColumn<int>("pauseTimeMs");
        QTest::newRow("50 ms") << 0.0 << 50 << 0;
        QTest::newRow("1 s from x.50") << 0.5 << 1000 << 250;
        QTest::newRow("2 s from x.71") << 0.71 << 2000 << 1000;
    }
    void outputStaysOnForItsSwitchingTime() {
        QFETCH(double, startFraction);
        QFETCH(int, switchTimeMs);
        QFETCH(int, pauseTimeMs);
        RouteBus bus;
        bus.clock.advance(startFraction);
        bus.routes.table.SwitchTimeMs = switchTimeMs;
        bus.routes.table.PauseTimeMs = pauseTimeMs;
        bus.setCommands(1, {"Ma5-g", "Rm1-b"});
        bus.request(1);
        QVERIFY(bus.tickUntil([&] { return bus.messages.size() == 3; }));
        const QList<double>& at = bus.messageTimes;
        QVERIFY(withinATick(at[1] - at[0], switchTimeMs));
        QVERIFY(withinATick(at[2] - at[1] - RouteBus::TickSeconds, pauseTimeMs));
    }

    // Before the line closes: an output that is on goes off after its
    // switching time, and nothing else is started until the engine resumes.
    void finishSwitchesTheHeldOutputOffOnly_data() {
        QTest::addColumn<QStringList>("commands");
        QTest::addColumn<Messages>("whileFinishing");
        QTest::addColumn<Messages>("afterResume");
        QTest::newRow("output on") << QStringList{"Ma5-g", "Rm1-b"} << Messages{hex("B0 04 20")}
                                   << Messages{hex("B2 00 50"), hex("B2 00 70")};
        QTest::newRow("pause after a report")
            << QStringList{"Rm1-b", "Ma5-g"} << Messages{}
            << Messages{hex("B0 04 30"), hex("B0 04 20"), hex("B2 00 70")};
    }
    void finishSwitchesTheHeldOutputOffOnly() {
        QFETCH(QStringList, commands);
        QFETCH(Messages, whileFinishing);
        QFETCH(Messages, afterResume);
        RouteBus bus;
        RouteEngine& engine = bus.routes.engine;
        bus.routes.table.SwitchTimeMs = 300;
        bus.routes.table.PauseTimeMs = 200;
        bus.setCommands(1, commands);
        bus.setCommands(2, {"Rm2-b"});
        bus.request(1);
        bus.request(2);
        QVERIFY(bus.tickUntil([&] { return !bus.messages.isEmpty(); }));
        engine.finish();
        const qsizetype before = bus.messages.size();
        QVERIFY(bus.tickUntil([&] { return engine.finished(); }));
        bus.tickUntil([] { return false; }, 300);
        QCOMPARE(bus.messages.mid(before), whileFinishing);
        if (!whileFinishing.isEmpty())
            QVERIFY(withinATick(bus.messageTimes[1] - bus.messageTimes[0], 300));
        engine.resume();
        QVERIFY(bus.tickUntil([&] { return bus.established(1) && bus.established(2); }));
        QCOMPARE(bus.messages.mid(before + whileFinishing.size()), afterResume);
    }

    void pauseHoldsTheEngine() {
        RouteBus bus;
        bus.setCommands(1, {"Pa-3", "Rm1-b"});
        bus.request(1);
        QVERIFY(bus.tickUntil([&] { return bus.activity == "Pausenbefehl"; }));
        const double pauseStart = bus.clock.now() - RouteBus::TickSeconds;
        QVERIFY(bus.tickUntil([&] { return !bus.messages.isEmpty(); }));
        QCOMPARE(bus.messages, Messages{hex("B2 00 50")});
        QVERIFY(withinATick(bus.messageTimes[0] - pauseStart, 3000));
    }

    void indicatorColours_data() {
        QTest::addColumn<QList<int>>("statusColumns");
        QTest::addColumn<int>("colour");
        QTest::newRow("nothing") << QList<int>{} << 0xFFFFFF;
        QTest::newRow("requested") << QList<int>{2} << 0x00FFFF;
        QTest::newRow("established and blocked") << QList<int>{1, 3} << 0x0000FF;
    }
    void indicatorColours() {
        QFETCH(QList<int>, statusColumns);
        QFETCH(int, colour);
        RouteBus bus;
        // Route 18 is the second route of page 2; the blocked flag keeps it
        // from running.
        bus.routes.engine.RoutePageBase = 16;
        bus.routes.table.setStatus(1, RT::BlockedColumn, true);
        for (int column : statusColumns)
            bus.routes.table.setStatus(18, column, true);
        bus.tick();
        QCOMPARE(bus.indicators[1], colour);
    }
};

QTEST_GUILESS_MAIN(RouteEngineTest)
#include "tst_route_engine.moc"
