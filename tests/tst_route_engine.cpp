#include "routes/RouteCommand.h"
#include "routes/RouteTriggers.h"
#include "support/Hex.h"
#include "support/RouteBus.h"

#include <QTest>

using Messages = QList<QByteArray>;

class RouteEngineTest : public QObject {
    Q_OBJECT

    static constexpr int SecondIndicator = 1;

private slots:
    void splitRouteCommand_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("fields"); // Ma, MaDir, Fs, FsAction, Rm, RmState, Pa
        QTest::newRow("pause") << "Pa-10" << QStringList{"", "", "", "", "", "", "10"};
        QTest::newRow("unknown kind") << "Xy3-b" << QStringList{"", "", "", "", "", "", ""};
        QTest::newRow("no dash") << "Fs3an" << QStringList{"", "", "", "", "", "", ""};
        QTest::newRow("empty") << "" << QStringList{"", "", "", "", "", "", ""};
    }
    void splitRouteCommand() {
        QFETCH(QString, text);
        QFETCH(QStringList, fields);
        const RouteCommandParts p = SplitRouteCommand(text);
        QCOMPARE(
            (QStringList{p.MaAddr, p.MaDir, p.FsNum, p.FsAction, p.RmAddr, p.RmState, p.PaSeconds}),
            fields);
    }

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

    // Deadlines are whole seconds of the clock; a halve rounds to the even one.
    void switchingTimeEndsOnWholeSeconds_data() {
        QTest::addColumn<double>("start");
        QTest::addColumn<int>("switchTimeMs");
        QTest::addColumn<double>("offAt");
        QTest::newRow("0 ms") << 1000.0 << 0 << 1000.01;
        QTest::newRow("200 ms rounded down") << 1000.0 << 200 << 1000.01;
        QTest::newRow("200 ms rounded up") << 1000.4 << 200 << 1001.01;
        QTest::newRow("1000 ms") << 1000.0 << 1000 << 1001.01;
        QTest::newRow("half to even below") << 1000.5 << 0 << 1000.51;
        QTest::newRow("half to even above") << 1001.5 << 0 << 1002.01;
    }
    void switchingTimeEndsOnWholeSeconds() {
        QFETCH(double, start);
        QFETCH(int, switchTimeMs);
        QFETCH(double, offAt);
        RouteBus bus;
        bus.clock.advance(start - bus.clock.now());
        bus.routes.table.SwitchTimeMs = switchTimeMs;
        bus.setCommands(1, {"Ma5-g"});
        bus.request(1);
        QVERIFY(bus.tickUntil([&] { return bus.messages.size() == 2; }));
        QCOMPARE(bus.messages[1], hex("B0 04 20"));
        QVERIFY2(qAbs(bus.messageTimes[0] - start) < 0.001, "switched on in the first tick");
        QVERIFY2(qAbs(bus.messageTimes[1] - offAt) < 0.015,
                 qPrintable(QString::number(bus.messageTimes[1], 'f', 3)));
    }

    void lowestRequestedRouteRunsFirst() {
        RouteBus bus;
        bus.setCommands(5, {"Ma5-g"});
        bus.setCommands(3, {"Ma3-g"});
        bus.request(5);
        bus.request(3);
        QVERIFY(bus.tickUntil([&] { return bus.established(3) && bus.established(5); }));
        QCOMPARE(bus.messages,
                 (Messages{hex("B0 02 30"), hex("B0 02 20"), hex("B0 04 30"), hex("B0 04 20")}));
        QVERIFY(!bus.routes.table.isSet(3, RouteTable::RequestedColumn));
        QVERIFY(!bus.routes.table.isSet(5, RouteTable::RequestedColumn));
    }

    void blockedRouteIsSkippedUntilUnblocked() {
        RouteBus bus;
        RouteTable& table = bus.routes.table;
        bus.setCommands(1, {"Rm1-b"});
        bus.setCommands(2, {"Rm2-b"});
        bus.request(1);
        bus.request(2);
        table.setStatus(1, RouteTable::BlockedColumn, true);
        QVERIFY(bus.tickUntil([&] { return bus.established(2); }));
        bus.tickUntil([] { return false; }, 200);
        QCOMPARE(bus.messages, Messages{hex("B2 00 70")});
        QVERIFY(table.isSet(1, RouteTable::RequestedColumn));

        table.setStatus(1, RouteTable::BlockedColumn, false);
        QVERIFY(bus.tickUntil([&] { return bus.established(1); }));
        QCOMPARE(bus.messages, (Messages{hex("B2 00 70"), hex("B2 00 50")}));
    }

    void requestForEstablishedRouteIsDiscarded() {
        RouteBus bus;
        RouteTable& table = bus.routes.table;
        bus.setCommands(1, {"Ma5-g"});
        table.setStatus(1, RouteTable::EstablishedColumn, true);
        bus.request(1);
        bus.tick();
        QVERIFY(!table.isSet(1, RouteTable::RequestedColumn));
        bus.tickUntil([] { return false; }, 200);
        QVERIFY(bus.messages.isEmpty());
        QVERIFY(bus.established(1));
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
        QVERIFY2(held > 2.5 && held < 3.5, qPrintable(QString::number(held)));
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

    void routeRequestsAnotherThroughItsOwnEcho() {
        RouteBus bus;
        RouteTable& table = bus.routes.table;
        bus.setCommands(1, {"Ma5-g"});
        table.setText(4, RouteTable::RequestTriggerColumn, "Ma5-g");
        bus.setCommands(4, {"Rm7-b"});
        table.setText(6, RouteTable::RequestTriggerColumn, "Ma5-r");
        bus.request(1);
        QVERIFY(bus.tickUntil([&] { return bus.established(4); }));
        QCOMPARE(bus.messages.last(), hex("B2 03 50"));
        QVERIFY(!table.isSet(6, RouteTable::RequestedColumn));
    }

    void routeRequestingItselfRunsOnce() {
        RouteBus bus;
        bus.setCommands(1, {"Fs1-an", "Rm1-b"});
        bus.request(1);
        QVERIFY(bus.tickUntil([&] { return bus.established(1); }));
        bus.tickUntil([] { return false; }, 200);
        QCOMPARE(bus.messages, Messages{hex("B2 00 50")});
        QVERIFY(!bus.routes.table.isSet(1, RouteTable::RequestedColumn));
    }

    void routeCommandsSetFlagsOfOtherRoutes() {
        RouteBus bus;
        RouteTable& table = bus.routes.table;
        table.setStatus(9, RouteTable::EstablishedColumn, true);
        table.setStatus(8, RouteTable::BlockedColumn, true);
        bus.setCommands(1, {"Fs7-bl", "Fs8-fr", "Fs9-al", "Fs209-bl", "Fs0-an"});
        bus.request(1);
        QVERIFY(bus.tickUntil([&] { return bus.established(1); }));
        QVERIFY(table.isSet(7, RouteTable::BlockedColumn));
        QVERIFY(!table.isSet(8, RouteTable::BlockedColumn));
        QVERIFY(!table.isSet(9, RouteTable::EstablishedColumn));
        QCOMPARE(table.text(0, RouteTable::BlockedColumn), QString("block."));
        QCOMPARE(table.text(0, RouteTable::RequestedColumn), QString("angef."));
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
