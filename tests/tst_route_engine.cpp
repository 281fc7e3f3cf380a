#include "support/Hex.h"
#include "support/RouteBus.h"

#include <QTest>

using Messages = QList<QByteArray>;

class RouteEngineTest : public QObject {
    Q_OBJECT

    static constexpr int SecondIndicator = 1;

private slots:
    void triggers_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("trigger");
        QTest::addColumn<bool>("feedback");
        QTest::addColumn<int>("address0");
        QTest::addColumn<int>("state");
        QTest::addColumn<bool>("fires");
        QTest::newRow("Rm12-b, contact 12 occupied") << 4 << "Rm12-b" << true << 11 << 1 << true;
        QTest::newRow("Rm12-b, contact 12 free") << 4 << "Rm12-b" << true << 11 << 0 << false;
        QTest::newRow("Rm12-b, contact 13") << 4 << "Rm12-b" << true << 12 << 1 << false;
        QTest::newRow("Rm12-f, free") << 4 << "Rm12-f" << true << 11 << 0 << true;
        QTest::newRow("other state letter") << 4 << "Rm12-x" << true << 11 << 1 << false;
        QTest::newRow("no dash") << 4 << "Rm12b" << true << 11 << 1 << false;
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
        RouteTable& table = bus.routes.table;
        table.setStatus(7, RouteTable::EstablishedColumn, true);
        table.setText(7, column, trigger);
        if (feedback)
            bus.routes.OnFeedbackForRoutes(address0, state);
        else
            bus.routes.OnAccessoryForRoutes(address0, state);
        if (column == RouteTable::RequestTriggerColumn)
            QCOMPARE(table.isSet(7, RouteTable::RequestedColumn), fires);
        else
            QCOMPARE(table.isSet(7, RouteTable::EstablishedColumn), !fires);
    }

    void oneEventFiresEveryRouteNamingIt() {
        RouteBus bus;
        for (int route : {3, 100, 208})
            bus.routes.table.setText(route, RouteTable::RequestTriggerColumn, "Rm2-b");
        bus.routes.OnFeedbackForRoutes(1, 1);
        for (int route = 1; route <= RouteTable::LastRoute; ++route)
            QCOMPARE(bus.routes.table.isSet(route, RouteTable::RequestedColumn),
                     route == 3 || route == 100 || route == 208);
    }

    void messagesOfACommand_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<Messages>("messages");
        QTest::newRow("Ma5-g") << "Ma5-g" << Messages{hex("B0 04 30"), hex("B0 04 20")};
        QTest::newRow("Ma5-r") << "Ma5-r" << Messages{hex("B0 04 10"), hex("B0 04 00")};
        QTest::newRow("Ma129-r") << "Ma129-r" << Messages{hex("B0 00 11"), hex("B0 00 01")};
        QTest::newRow("Ma2048-g") << "Ma2048-g" << Messages{hex("B0 7F 3F"), hex("B0 7F 2F")};
        QTest::newRow("Rm12-b") << "Rm12-b" << Messages{hex("B2 05 70")};
        QTest::newRow("Rm1-f") << "Rm1-f" << Messages{hex("B2 00 40")};
        QTest::newRow("Rm2-b") << "Rm2-b" << Messages{hex("B2 00 70")};
        QTest::newRow("feedback without state reports free")
            << "Rm12-" << Messages{hex("B2 05 60")};
        QTest::newRow("unknown kind") << "Xy3-b" << Messages{};
        QTest::newRow("accessory 0 fits no message") << "Ma0-g" << Messages{};
        QTest::newRow("accessory 2049 fits no message") << "Ma2049-g" << Messages{};
        QTest::newRow("contact 4097 fits no message") << "Rm4097-b" << Messages{};
    }
    void messagesOfACommand() {
        QFETCH(QString, command);
        QFETCH(Messages, messages);
        RouteBus bus;
        bus.setCommands(1, {command});
        bus.request(1);
        QVERIFY(bus.tickUntil([&] { return bus.established(1); }));
        QCOMPARE(bus.messages, messages);
    }

    // Measured on the clock from the on command to the off command, and from
    // the off command to the next command, which is read one tick after the
    // pause has passed.
    void outputStaysOnForItsSwitchingTime_data() {
        QTest::addColumn<double>("startFraction");
        QTest::addColumn<int>("switchTimeMs");
        QTest::addColumn<int>("pauseTimeMs");
        QTest::newRow("50 ms") << 0.0 << 50 << 0;
        QTest::newRow("200 ms from x.30") << 0.3 << 200 << 100;
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
        QCOMPARE(bus.messages[1], hex("B0 04 20"));
        const double on = bus.messageTimes[1] - bus.messageTimes[0];
        const double pause = bus.messageTimes[2] - bus.messageTimes[1] - RouteBus::TickSeconds;
        QVERIFY2(qAbs(on - switchTimeMs / 1000.0) <= RouteBus::TickSeconds * 1.01,
                 qPrintable(QString::number(on, 'f', 3)));
        QVERIFY2(qAbs(pause - pauseTimeMs / 1000.0) <= RouteBus::TickSeconds * 1.01,
                 qPrintable(QString::number(pause, 'f', 3)));
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
        constexpr int SwitchTimeMs = 300;
        RouteBus bus;
        RouteEngine& engine = bus.routes.engine;
        bus.routes.table.SwitchTimeMs = SwitchTimeMs;
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
            QVERIFY(qAbs(bus.messageTimes[1] - bus.messageTimes[0] - SwitchTimeMs / 1000.0) <=
                    RouteBus::TickSeconds * 1.01);

        engine.resume();
        QVERIFY(bus.tickUntil([&] { return bus.established(1) && bus.established(2); }));
        QCOMPARE(bus.messages.mid(before + whileFinishing.size()), afterResume);
    }

    // Requested routes run lowest first and only when neither established
    // nor blocked; a route's own messages pass the triggers, its route
    // commands set the flags of others. Cells: route|column|text; after:
    // every status cell set at the end.
    void routesRun_data() {
        QTest::addColumn<QStringList>("cells");
        QTest::addColumn<Messages>("messages");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("lowest requested route first")
            << QStringList{"5|2| ", "5|6|Ma5-g", "3|2| ", "3|6|Ma3-g"}
            << Messages{hex("B0 02 30"), hex("B0 02 20"), hex("B0 04 30"), hex("B0 04 20")}
            << QStringList{"3|1", "5|1"};
        QTest::newRow("request for an established route is discarded")
            << QStringList{"1|1| ", "1|2| ", "1|6|Ma5-g"} << Messages{} << QStringList{"1|1"};
        QTest::newRow("blocked route waits")
            << QStringList{"1|2| ", "1|3| ", "1|6|Rm1-b", "2|2| ", "2|6|Rm2-b"}
            << Messages{hex("B2 00 70")} << QStringList{"1|2", "1|3", "2|1"};
        QTest::newRow("route requesting itself runs once")
            << QStringList{"1|2| ", "1|6|Fs1-an", "1|7|Rm1-b"} << Messages{hex("B2 00 50")}
            << QStringList{"1|1"};
        QTest::newRow("own echo requests another route")
            << QStringList{"1|2| ", "1|6|Ma5-g", "4|4|Ma5-g", "4|6|Rm7-b", "6|4|Ma5-r"}
            << Messages{hex("B0 04 30"), hex("B0 04 20"), hex("B2 03 50")}
            << QStringList{"1|1", "4|1"};
        QTest::newRow("route commands")
            << QStringList{"9|1| ",      "8|3| ",      "1|2| ",        "1|6|Fs7-bl",
                           "1|7|Fs8-fr", "1|8|Fs9-al", "1|9|Fs209-bl", "1|10|Fs0-an"}
            << Messages{} << QStringList{"1|1", "7|3"};
    }
    void routesRun() {
        QFETCH(QStringList, cells);
        QFETCH(Messages, messages);
        QFETCH(QStringList, after);
        RouteBus bus;
        RouteTable& table = bus.routes.table;
        for (const QString& cell : cells) {
            const QStringList parts = cell.split('|');
            table.setText(parts[0].toInt(), parts[1].toInt(), parts[2]);
        }
        bus.tickUntil([] { return false; }, 400);
        QCOMPARE(bus.messages, messages);
        for (int route = 0; route <= RouteTable::LastRoute; ++route) {
            for (int column = 1; column <= RouteTable::BlockedColumn; ++column)
                QCOMPARE(table.isSet(route, column),
                         after.contains(QString("%1|%2").arg(route).arg(column)));
        }
        QCOMPARE(table.text(0, RouteTable::BlockedColumn), QString("block."));
    }

    void pauseHoldsTheEngineAndFreezesIndicators() {
        RouteBus bus;
        RouteTable& table = bus.routes.table;
        bus.setCommands(1, {"Pa-3", "Rm1-b"});
        bus.request(1);
        // Route 2 requested and blocked: its indicator blinks.
        bus.request(2);
        table.setStatus(2, RouteTable::BlockedColumn, true);

        QVERIFY(bus.tickUntil([&] { return bus.activity == "Pausenbefehl"; }));
        const double pauseStart = bus.clock.now() - RouteBus::TickSeconds;
        const int changesBefore = bus.indicatorChanges;
        int changesDuringHold = 0;
        while (bus.messages.isEmpty() && bus.ticks < 1000) {
            changesDuringHold = bus.indicatorChanges - changesBefore;
            bus.tick();
        }
        QCOMPARE(bus.messages, Messages{hex("B2 00 50")});
        const double held = bus.messageTimes[0] - pauseStart;
        QVERIFY2(qAbs(held - 3) <= RouteBus::TickSeconds * 1.01, qPrintable(QString::number(held)));
        QCOMPARE(changesDuringHold, 0);

        // Outside a hold the same indicator blinks.
        const int changesAfter = bus.indicatorChanges;
        bus.tickUntil([] { return false; }, RouteEngine::BlinkTicks);
        QVERIFY(bus.indicatorChanges > changesAfter);
    }

    void indicatorColours_data() {
        QTest::addColumn<QList<int>>("statusColumns");
        QTest::addColumn<int>("colour");
        QTest::newRow("nothing") << QList<int>{} << 0xFFFFFF;
        QTest::newRow("requested") << QList<int>{2} << 0x00FFFF;
        QTest::newRow("blocked") << QList<int>{3} << 0x0000FF;
        QTest::newRow("established and blocked") << QList<int>{1, 3} << 0x0000FF;
    }
    void indicatorColours() {
        QFETCH(QList<int>, statusColumns);
        QFETCH(int, colour);
        RouteBus bus;
        // Route 18 is the second route of page 2; the blocked flag keeps it
        // from running.
        bus.routes.engine.RoutePageBase = 16;
        bus.routes.table.setStatus(1, RouteTable::BlockedColumn, true);
        for (int column : statusColumns)
            bus.routes.table.setStatus(18, column, true);
        bus.tick();
        QCOMPARE(bus.indicators[SecondIndicator], colour);
    }

    void oneFilledCommandStillTakesFiftyCellSteps() {
        RouteBus bus;
        bus.setCommands(1, {"Rm1-b"});
        bus.request(1);
        QVERIFY(bus.tickUntil([&] { return bus.activity == "Fahrstraße beendet"; }));
        // One tick for the command, one for each of the 49 empty cells, one
        // to finish.
        QCOMPARE(bus.ticks, 51);
        QStringList shown;
        for (int command = 1; command <= RouteTable::Commands; ++command)
            shown.append(QString::number(command));
        QCOMPARE(bus.commandNumbers.mid(bus.commandNumbers.indexOf("1"), RouteTable::Commands),
                 shown);
    }
};

QTEST_GUILESS_MAIN(RouteEngineTest)
#include "tst_route_engine.moc"
