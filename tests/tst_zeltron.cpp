#include "link/Colours.h"
#include "programming/lncv/F47500.h"
#include "programming/lncv/FunctionLamp.h"
#include "programming/lncv/LncvJobs.h"
#include "programming/lncv/ZeltronManager.h"
#include "support/LinkHarness.h"
#include "support/LncvMessages.h"
#include "support/SimRig.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <map>

namespace {
// Records what the manager tells a throttle's window.
struct FakeWindow : ZeltronWindowView {
    void Open(int id) override {
        throttleId = id;
        ++opens;
        loco.reset();
    }
    void AwaitAddress() override { ++awaits; }
    void AddressSent() override { ++sent; }
    void ShowLoco(const ZeltronLoco& l) override {
        loco = l;
        ++shows;
    }

    int throttleId = -1;
    int opens = 0;
    int awaits = 0;
    int sent = 0;
    int shows = 0;
    std::optional<ZeltronLoco> loco;
};

// The program with its throttle windows, fake or real. The link's calls of
// ZeltronShow reach the manager as the main window hands them on.
struct ZeltronRig {
    LinkHarness h;
    LncvJobs lncv{h.s, h.station.jobs};
    std::map<int, FakeWindow*> fakes;
    ZeltronManager zt;

    explicit ZeltronRig(bool realWindows = false)
        : zt(
              h.s, lncv,
              realWindows ? ZeltronManager::WindowFactory(&F47500::create)
                          : [this](ZeltronManager&, int w) {
                                auto window = std::make_unique<FakeWindow>();
                                fakes[w] = window.get();
                                return std::unique_ptr<ZeltronWindowView>(std::move(window));
                            }) {}

    void tick() {
        h.tick();
        for (const int w : std::exchange(h.operating.zeltronShows, {}))
            zt.show(w);
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            tick();
    }
    void receive(const QByteArray& bytes) {
        h.receiveBytes(bytes);
        tick();
    }
    void announce(int throttle) { receive(throttleAnnouncement(throttle)); }
    // The station's slot data: locomotive address in slot, with DIRF.
    void slotData(int slot, int address, int dirF = 0) {
        receive(msg(qPrintable(QString::asprintf("E7 0E %02X 33 %02X 00 %02X 07 00 %02X 00 00 00",
                                                 slot, address & 0x7F, dirF, address >> 7))));
    }
    // Throttle 12 gets window 1, the user confirms address 3, the station
    // acknowledges and hands out slot 5 for it.
    void bindThrottle12ToSlot5() {
        announce(12);
        zt.confirmAddress(1, 3);
        h.echoNext();
        receive(msg("B4 6D 7F"));
        slotData(5, 3);
    }

    F47500* window(int w) { return dynamic_cast<F47500*>(zt.window(w)); }
    template <typename T> T* control(const char* name, int w = 1) {
        return window(w)->findChild<T*>(name);
    }
};

// The program with real throttle windows on the virtual command station.
struct ZeltronOnLayout {
    SimRig rig;
    LncvJobs lncv{rig.s, rig.station.jobs};
    ZeltronManager zt{rig.s, lncv, &F47500::create};

    void run(double seconds) {
        for (int i = 0; i < qRound(seconds / 0.01); ++i) {
            rig.tick();
            for (const int w : std::exchange(rig.operating.zeltronShows, {}))
                zt.show(w);
        }
    }
    // The handheld throttle drives its locomotive: a message on the bus.
    void handheldSends(const char* text) {
        rig.layout.deviceSends(msg(text), rig.clock.now());
        run(0.1);
    }
    F47500* window(int w) { return dynamic_cast<F47500*>(zt.window(w)); }
    template <typename T> T* control(const char* name) { return window(1)->findChild<T*>(name); }
    // The lines of the direction arrow that can be seen.
    QStringList arrow() {
        QStringList shown;
        for (const char* line : {"DirL", "DirO1", "DirO2", "DirU1", "DirU2"}) {
            if (control<QWidget>(line)->isVisible())
                shown << line;
        }
        return shown;
    }
};

QString functionsOf(const ZeltronLoco& loco) {
    return QString::fromStdString(loco.functions.to_string());
}
} // namespace

class ZeltronTest : public QObject {
    Q_OBJECT

private slots:
    void announcementOpensAWindow_data() {
        QTest::addColumn<int>("throttle");
        QTest::newRow("12") << 12;
        QTest::newRow("above 32767") << 40000;
        QTest::newRow("largest") << 65535;
    }
    void announcementOpensAWindow() {
        QFETCH(int, throttle);
        ZeltronRig r;
        r.announce(throttle);
        QCOMPARE(r.fakes.size(), size_t(1));
        QCOMPARE(r.fakes[1]->throttleId, throttle);
        QCOMPARE(r.zt.throttleId(1), throttle);
        QCOMPARE(r.h.s.ZeltronWindows[1].InUse, -1);
        QCOMPARE(r.h.s.ZeltronWindows[1].Waiting, -1);
    }

    // A throttle that asks again gets its own window back, even when a
    // window before it has been closed meanwhile.
    void aThrottleKeepsItsWindow() {
        ZeltronRig r;
        r.announce(12);
        r.announce(13);
        r.zt.confirmAddress(2, 7);
        r.zt.closed(1);
        r.announce(13);
        QCOMPARE(r.fakes.size(), size_t(2));
        QCOMPARE(r.fakes[1]->opens, 1);
        QCOMPARE(r.fakes[2]->opens, 1);
        QCOMPARE(r.fakes[2]->awaits, 1);
        QCOMPARE(r.h.s.ZeltronWindows[2].Waiting, -1);
        QCOMPARE(r.h.s.ZeltronWindows[1].InUse, 0);
    }

    void twentyWindowsAtMost() {
        ZeltronRig r;
        for (int t = 1; t <= 20; ++t)
            r.announce(100 + t);
        QVERIFY(r.h.messages.messages.isEmpty());
        r.announce(121);
        QCOMPARE(r.h.messages.messages,
                 QStringList{"Max. Anzahl von Fenstern für Zeltron Fahrregler erreicht!"});
        QCOMPARE(r.h.messages.titles, QStringList{"Achtung!"});
        QCOMPARE(r.h.messages.icons.first(), MessageIcon::Critical);
        QCOMPARE(r.fakes.size(), size_t(20));
        r.announce(105);
        QCOMPARE(r.h.messages.messages.size(), 1);
        QCOMPARE(r.fakes[5]->awaits, 1);
    }

    void confirmedAddressIsWrittenToTheThrottle_data() {
        QTest::addColumn<int>("address");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("3") << 3 << msg("ED 0F 01 05 00 20 01 0E 12 0A 00 03 00 00");
        QTest::newRow("200") << 200 << msg("ED 0F 01 05 00 20 11 0E 12 0A 00 48 00 00");
        QTest::newRow("10000") << 10000 << msg("ED 0F 01 05 00 20 01 0E 12 0A 00 10 27 00");
    }
    void confirmedAddressIsWrittenToTheThrottle() {
        QFETCH(int, address);
        QFETCH(QByteArray, wire);
        ZeltronRig r;
        r.announce(12);
        // Another module's answer meanwhile does not redirect the write.
        r.receive(moduleAnswer(1234, 2, 7));
        r.zt.confirmAddress(1, address);
        QCOMPARE(r.h.s.ZeltronWindows[1].Address, address);
        QCOMPARE(r.h.s.ZeltronWindows[1].Waiting, 0);
        QCOMPARE(r.fakes[1]->sent, 1);
        QCOMPARE(hexText(r.h.echoNext()), hexText(wire));
        r.receive(msg("B4 6D 7F"));
        r.ticks(2);
        QVERIFY(r.h.s.job.idle());
        QVERIFY(r.h.messages.messages.isEmpty());
    }

    void addressesOutsideTheRangeAreNotSent_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("address");
        QTest::newRow("0") << "0" << -1;
        QTest::newRow("1") << "1" << 1;
        QTest::newRow("10000") << "10000" << 10000;
        QTest::newRow("10001") << "10001" << -1;
        QTest::newRow("letters") << "12a" << -1;
        QTest::newRow("empty") << "" << -1;
    }
    void addressesOutsideTheRangeAreNotSent() {
        QFETCH(QString, text);
        QFETCH(int, address);
        QCOMPARE(ZeltronManager::addressOf(text).value_or(-1), address);
        ZeltronRig r;
        r.announce(12);
        r.zt.confirmAddress(1, ZeltronManager::addressOf(text).value_or(0));
        r.ticks(3);
        QCOMPARE(r.h.port.written.isEmpty(), address == -1);
    }

    void slotDataBindsTheConfirmedWindow() {
        ZeltronRig r;
        r.announce(12);
        r.announce(13);
        r.zt.confirmAddress(1, 3);
        r.h.echoNext();
        r.receive(msg("B4 6D 7F"));
        r.slotData(5, 3);
        QCOMPARE(r.h.s.ZeltronWindows[1].Slot, 5);
        QCOMPARE(r.h.s.SlotOnZeltron[5], 1);
        QVERIFY(r.fakes[1]->loco);
        QCOMPARE(r.fakes[1]->loco->address, 3);
        QVERIFY(r.fakes[1]->loco->locked);
        QVERIFY(!r.fakes[2]->loco);
    }

    // A locomotive request on the bus while a window waits gives it that
    // address; the slot data that answer the request bind it.
    void locoRequestBindsAWaitingWindow() {
        ZeltronRig r;
        r.announce(12);
        r.announce(13);
        r.zt.confirmAddress(2, 3);
        r.h.echoNext();
        r.receive(msg("B4 6D 7F"));
        r.receive(msg("BF 01 07"));
        QCOMPARE(r.h.s.ZeltronWindows[1].Address, 135);
        QCOMPARE(r.h.s.ZeltronWindows[2].Address, 3);
        r.slotData(9, 135);
        QCOMPARE(r.h.s.ZeltronWindows[1].Slot, 9);
        QCOMPARE(r.fakes[1]->loco->address, 135);
        QVERIFY(r.fakes[1]->loco->locked);
        QVERIFY(!r.fakes[2]->loco);
    }

    void windowMirrorsItsSlot_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("functions"); // F14 .. F0
        QTest::addColumn<bool>("backward");
        QTest::addColumn<int>("step");
        const QString none(15, '0');
        QTest::newRow("speed") << msg("A0 05 40") << none << false << 14;
        QTest::newRow("light, backward") << msg("A1 05 30") << "000000000000001" << true << 0;
        QTest::newRow("F1..F4") << msg("A1 05 0F") << "000000000011110" << false << 0;
        QTest::newRow("F5..F8") << msg("A2 05 0F") << "000000111100000" << false << 0;
        QTest::newRow("F9..F12") << msg("A3 05 0F") << "001111000000000" << false << 0;
        QTest::newRow("F9..F11 by D4") << msg("D4 20 05 07 70") << "000111000000000" << false << 0;
        QTest::newRow("F13, F14") << msg("D4 20 05 08 03") << "110000000000000" << false << 0;
    }
    void windowMirrorsItsSlot() {
        QFETCH(QByteArray, message);
        QFETCH(QString, functions);
        QFETCH(bool, backward);
        QFETCH(int, step);
        ZeltronRig r;
        r.bindThrottle12ToSlot5();
        // The data format answer of locomotive 3: 28 speed steps.
        r.receive(msg("E5 0F 00 00 00 0B 04 03 00 52 00 00 00 00"));
        r.receive(message);
        const ZeltronLoco& loco = *r.fakes[1]->loco;
        QCOMPARE(functionsOf(loco), functions);
        QCOMPARE(loco.backward, backward);
        QCOMPARE(loco.step.value_or(-1), step);
        QCOMPARE(loco.address, 3);
    }

    void unknownSpeedStepsShowNoStep() {
        ZeltronRig r;
        r.bindThrottle12ToSlot5();
        r.receive(msg("A0 05 40"));
        QVERIFY(!r.fakes[1]->loco->step);
    }

    // A closed window's entry is free; nothing of its locomotive reaches
    // the window that takes the entry next.
    void closingFreesTheEntry() {
        ZeltronRig r;
        r.bindThrottle12ToSlot5();
        r.zt.closed(1);
        QCOMPARE(r.h.s.ZeltronWindows[1].InUse, 0);
        QCOMPARE(r.zt.throttleId(1), 0);
        const int shows = r.fakes[1]->shows;
        r.receive(msg("A0 05 40"));
        QCOMPARE(r.fakes[1]->shows, shows);

        r.announce(13);
        QCOMPARE(r.fakes.size(), size_t(1));
        QCOMPARE(r.fakes[1]->opens, 2);
        QCOMPARE(r.fakes[1]->throttleId, 13);
        r.receive(msg("A0 05 50"));
        r.slotData(5, 3);
        r.slotData(6, 0);
        QCOMPARE(r.fakes[1]->shows, shows);
        QCOMPARE(r.h.s.ZeltronWindows[1].Waiting, -1);
    }

    void windowOpensWaitingForTheAddress() {
        ZeltronRig r(true);
        r.announce(12);
        F47500* w = r.window(1);
        QVERIFY(w->isVisible());
        QCOMPARE(w->windowTitle(), QString("ZT Fahrpult 12"));
        auto* address = r.control<QLineEdit>("Ladr");
        QVERIFY(address->isEnabled());
        QVERIFY(address->text().isEmpty());
        QVERIFY(!r.control<QPushButton>("OKButton")->isEnabled());
        QCOMPARE(r.control<QLabel>("FST")->text(), QString("-"));
        for (int f = 0; f < ZeltronLoco::Functions; ++f)
            QCOMPARE(r.control<FunctionLamp>(qPrintable(QString("Fanz_%1").arg(f)))->colour(),
                     colour::White);
        for (const char* line : {"DirL", "DirO1", "DirO2", "DirU1", "DirU2"})
            QVERIFY(!r.control<QWidget>(line)->isVisible());
    }

    void addressFieldIsChecked_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<bool>("red");
        QTest::newRow("0") << "0" << false << true;
        QTest::newRow("10000") << "10000" << true << false;
        QTest::newRow("10001") << "10001" << false << true;
        QTest::newRow("letters") << "3a" << false << true;
        QTest::newRow("3") << "3" << true << false;
    }
    void addressFieldIsChecked() {
        QFETCH(QString, text);
        QFETCH(bool, usable);
        QFETCH(bool, red);
        ZeltronRig r(true);
        r.announce(12);
        auto* address = r.control<QLineEdit>("Ladr");
        QTest::keyClicks(address, text);
        QCOMPARE(r.control<QPushButton>("OKButton")->isEnabled(), usable);
        QCOMPARE(address->palette().color(QPalette::Text) == Qt::red, red);
        QTest::keyClick(address, Qt::Key_Return);
        r.ticks(2);
        QCOMPARE(r.h.port.written.isEmpty(), !usable);
    }

    void boundWindowMirrorsTheLocomotive() {
        ZeltronRig r(true);
        r.announce(12);
        QTest::keyClicks(r.control<QLineEdit>("Ladr"), "3");
        QTest::mouseClick(r.control<QPushButton>("OKButton"), Qt::LeftButton);
        QVERIFY(!r.control<QPushButton>("OKButton")->isEnabled());
        QCOMPARE(hexText(r.h.echoNext()),
                 hexText(msg("ED 0F 01 05 00 20 01 0E 12 0A 00 03 00 00")));
        r.receive(msg("B4 6D 7F"));
        r.slotData(5, 3);
        r.receive(msg("E5 0F 00 00 00 0B 04 03 00 52 00 00 00 00"));
        r.receive(msg("A0 05 40"));
        r.receive(msg("A1 05 31"));
        QCOMPARE(r.control<QLineEdit>("Ladr")->text(), QString("3"));
        QVERIFY(!r.control<QLineEdit>("Ladr")->isEnabled());
        QVERIFY(!r.control<QPushButton>("OKButton")->isEnabled());
        QCOMPARE(r.control<QLabel>("FST")->text(), QString("14"));
        QCOMPARE(r.control<FunctionLamp>("Fanz_0")->colour(), colour::Yellow);
        QCOMPARE(r.control<FunctionLamp>("Fanz_1")->colour(), colour::Yellow);
        QCOMPARE(r.control<FunctionLamp>("Fanz_2")->colour(), colour::White);
        for (const char* line : {"DirL", "DirU1", "DirU2"})
            QVERIFY(r.control<QWidget>(line)->isVisible());
        for (const char* line : {"DirO1", "DirO2"})
            QVERIFY(!r.control<QWidget>(line)->isVisible());
        r.receive(msg("A1 05 00"));
        for (const char* line : {"DirL", "DirO1", "DirO2"})
            QVERIFY(r.control<QWidget>(line)->isVisible());
        for (const char* line : {"DirU1", "DirU2"})
            QVERIFY(!r.control<QWidget>(line)->isVisible());
    }

    // Asked again, the window waits for a new address; what the user types
    // is his, even while the old locomotive still runs.
    void askingAgainFreesTheAddressField() {
        ZeltronRig r(true);
        r.bindThrottle12ToSlot5();
        r.announce(12);
        auto* address = r.control<QLineEdit>("Ladr");
        QVERIFY(address->isEnabled());
        QVERIFY(address->text().isEmpty());
        QTest::keyClicks(address, "4");
        r.receive(msg("A1 05 20"));
        QCOMPARE(address->text(), QString("4"));
        QVERIFY(r.control<QWidget>("DirU1")->isVisible());
        QVERIFY(r.control<QPushButton>("OKButton")->isEnabled());
    }

    void closingTheWindowFreesItsEntry() {
        ZeltronRig r(true);
        r.announce(12);
        r.window(1)->close();
        QCOMPARE(r.h.s.ZeltronWindows[1].InUse, 0);
        r.announce(14);
        QVERIFY(r.window(1)->isVisible());
        QCOMPARE(r.window(1)->windowTitle(), QString("ZT Fahrpult 14"));
    }

    // A handheld throttle asks for a locomotive, the user gives it one, and
    // the window follows what the throttle does with it.
    void handheldThrottleOnTheLayout() {
        ZeltronOnLayout z;
        z.rig.layout.announceThrottle(12, z.rig.clock.now());
        z.run(0.2);
        QVERIFY(z.window(1));
        QVERIFY(z.window(1)->isVisible());
        QCOMPARE(z.window(1)->windowTitle(), QString("ZT Fahrpult 12"));

        QTest::keyClicks(z.control<QLineEdit>("Ladr"), "3");
        QTest::mouseClick(z.control<QPushButton>("OKButton"), Qt::LeftButton);
        z.run(0.5);
        const HandheldThrottles::Throttle* handheld = z.rig.layout.throttles.throttle(12);
        QCOMPARE(handheld->address, 3);
        QVERIFY(!handheld->waiting);
        const int slot = z.rig.layout.locos.slotOf(3);
        QVERIFY(slot >= 1);
        QCOMPARE(z.rig.s.ZeltronWindows[1].Slot, slot);
        QCOMPARE(z.rig.s.SlotOnZeltron[slot], 1);
        QCOMPARE(z.control<QLineEdit>("Ladr")->text(), QString("3"));
        QVERIFY(!z.control<QLineEdit>("Ladr")->isEnabled());
        QVERIFY(!z.control<QPushButton>("OKButton")->isEnabled());

        // The locomotive's data format, as the raw message window would ask.
        z.rig.s.MonitorSendText = "ED 0F 01 47 58 0D 00 03 00 00 00 00 00 00";
        z.rig.s.job.start(40);
        z.run(0.3);
        const QString s = QString::asprintf("%02X", slot);
        z.handheldSends(qPrintable("A0 " + s + " 40"));
        z.handheldSends(qPrintable("A1 " + s + " 31"));
        z.handheldSends(qPrintable("A2 " + s + " 01"));
        QCOMPARE(z.control<QLabel>("FST")->text(), QString("14"));
        for (const int f : {0, 1, 5})
            QCOMPARE(z.control<FunctionLamp>(qPrintable(QString("Fanz_%1").arg(f)))->colour(),
                     colour::Yellow);
        QCOMPARE(z.control<FunctionLamp>("Fanz_2")->colour(), colour::White);
        QCOMPARE(z.arrow(), QStringList({"DirL", "DirU1", "DirU2"}));
        z.handheldSends(qPrintable("A1 " + s + " 00"));
        QCOMPARE(z.arrow(), QStringList({"DirL", "DirO1", "DirO2"}));
        QVERIFY(z.rig.messages.messages.isEmpty());

        // Asked again, the same window waits for the next address.
        z.rig.layout.announceThrottle(12, z.rig.clock.now());
        z.run(0.2);
        QVERIFY(!z.zt.window(2));
        QCOMPARE(z.window(1)->windowTitle(), QString("ZT Fahrpult 12"));
        QVERIFY(z.control<QLineEdit>("Ladr")->isEnabled());
        QVERIFY(z.control<QLineEdit>("Ladr")->text().isEmpty());
        QCOMPARE(z.rig.s.ZeltronWindows[1].Waiting, -1);
    }
};

QTEST_MAIN(ZeltronTest)
#include "tst_zeltron.moc"
