#include "link/Colours.h"
#include "operating/ZeltronManager.h"
#include "operating/ui/F47500.h"
#include "support/LinkHarness.h"
#include "support/LncvMessages.h"
#include "widgets/IndicatorLamp.h"

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
    int opens = 0, awaits = 0, sent = 0, shows = 0;
    std::optional<ZeltronLoco> loco;
};

// The program with its throttle windows, fake or real. The link's calls of
// ZeltronShow reach the manager as the main window hands them on.
struct ZeltronRig {
    LinkHarness h;
    std::map<int, FakeWindow*> fakes;
    ZeltronManager zt;

    explicit ZeltronRig(bool realWindows = false)
        : zt(
              h.s, h.core.lncv,
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
    int lamp(int f) {
        return control<IndicatorLamp>(qPrintable(QString("Fanz_%1").arg(f)))->colour();
    }
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
    // Each throttle that announces itself, whatever its number, gets a
    // window of its own, free until an address is confirmed; asking again,
    // it gets its own window back, even when one before it was closed
    // meanwhile. Twenty windows at most.
    void everyThrottleHasItsWindow() {
        ZeltronRig r;
        const int throttles[] = {12, 40000, 65535};
        for (const int throttle : throttles)
            r.announce(throttle);
        for (int w = 1; w <= 3; ++w) {
            QCOMPARE(r.fakes[w]->throttleId, throttles[w - 1]);
            QCOMPARE(r.zt.throttleId(w), throttles[w - 1]);
            QCOMPARE(r.h.s.handhelds.ZeltronWindows[w].InUse, -1);
            QCOMPARE(r.h.s.handhelds.ZeltronWindows[w].Waiting, -1);
        }
        r.zt.confirmAddress(2, 7);
        r.zt.closed(1);
        r.announce(40000);
        QCOMPARE(r.fakes.size(), size_t(3));
        QCOMPARE(r.fakes[2]->opens, 1);
        QCOMPARE(r.fakes[2]->awaits, 1);
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[2].Waiting, -1);
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[1].InUse, 0);
        for (int t = 1; t <= 18; ++t)
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
        QCOMPARE(r.fakes[7]->awaits, 1); // 101 took the closed window 1
    }

    // The address confirmed is written to the throttle that asked, even
    // when another module answered meanwhile.
    void confirmedAddressIsWrittenToTheThrottle() {
        ZeltronRig r;
        r.announce(12);
        r.receive(moduleAnswer(1234, 2, 7));
        r.zt.confirmAddress(1, 200);
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[1].Address, 200);
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[1].Waiting, 0);
        QCOMPARE(r.fakes[1]->sent, 1);
        QCOMPARE(hexText(r.h.echoNext()),
                 hexText(msg("ED 0F 01 05 00 20 11 0E 12 0A 00 48 00 00")));
        r.receive(msg("B4 6D 7F"));
        r.ticks(2);
        QVERIFY(r.h.core.jobs.idle());
        QVERIFY(r.h.messages.messages.isEmpty());
    }

    // A locomotive request on the bus while a window waits gives it that
    // address; the slot data naming a window's address bind it, and no other.
    void slotDataBindTheirWindows() {
        ZeltronRig r;
        r.announce(12);
        r.announce(13);
        r.zt.confirmAddress(2, 3);
        r.h.echoNext();
        r.receive(msg("B4 6D 7F"));
        r.receive(msg("BF 01 07"));
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[1].Address, 135);
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[2].Address, 3);
        r.slotData(9, 135);
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[1].Slot, 9);
        QVERIFY(r.fakes[1]->loco->locked && r.fakes[1]->loco->address == 135);
        QVERIFY(!r.fakes[2]->loco);
        r.slotData(5, 3);
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[2].Slot, 5);
        QCOMPARE(r.h.s.handhelds.SlotOnZeltron[5], 2);
        QVERIFY(r.fakes[2]->loco->locked && r.fakes[2]->loco->address == 3);
        QCOMPARE(r.fakes[1]->loco->address, 135);
    }

    void windowMirrorsItsSlot_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("functions"); // F14 .. F0
        QTest::addColumn<bool>("backward");
        QTest::addColumn<int>("step"); // -1: none shown
        const QString none(15, '0');
        QTest::newRow("speed") << msg("A0 05 40") << none << false << 14;
        QTest::newRow("speed, steps unknown") << msg("A0 05 40") << none << false << -1;
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
        if (step >= 0)
            r.receive(msg("E5 0F 00 00 00 0B 04 03 00 52 00 00 00 00"));
        r.receive(message);
        const ZeltronLoco& loco = *r.fakes[1]->loco;
        QCOMPARE(functionsOf(loco), functions);
        QCOMPARE(loco.backward, backward);
        QCOMPARE(loco.step.value_or(-1), step);
        QCOMPARE(loco.address, 3);
    }

    // A closed window's entry is free; nothing of its locomotive reaches
    // the window that takes the entry next.
    void closingFreesTheEntry() {
        ZeltronRig r;
        r.bindThrottle12ToSlot5();
        r.zt.closed(1);
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[1].InUse, 0);
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
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[1].Waiting, -1);
    }

    // The window opens waiting for an address of 1 to 10000, which Enter
    // sends; closing the window frees its entry.
    void windowTakesAnAddress() {
        ZeltronRig r(true);
        r.announce(12);
        QVERIFY(r.window(1)->isVisible());
        QVERIFY(r.arrow().isEmpty());
        auto* address = r.control<QLineEdit>("Ladr");
        auto* ok = r.control<QPushButton>("OKButton");
        QVERIFY(address->isEnabled() && !ok->isEnabled());
        const struct {
            const char* text;
            bool usable;
            bool red;
        } typed[] = {{"0", false, true}, {"10001", false, true}, {"3a", false, true},
                     {"", false, false}, {"1", true, false},     {"10000", true, false}};
        for (const auto& t : typed) {
            address->clear();
            QTest::keyClicks(address, t.text);
            QCOMPARE(ok->isEnabled(), t.usable);
            QCOMPARE(address->palette().color(QPalette::Text) == Qt::red, t.red);
            if (!t.usable) {
                QTest::keyClick(address, Qt::Key_Return);
                r.ticks(2);
                QVERIFY(r.h.port.written.isEmpty());
            }
        }
        QTest::keyClick(address, Qt::Key_Return);
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[1].Address, 10000);
        QVERIFY(!r.h.nextWritten().isEmpty());
        r.window(1)->close();
        QCOMPARE(r.h.s.handhelds.ZeltronWindows[1].InUse, 0);
    }

    void boundWindowMirrorsTheLocomotive() {
        ZeltronRig r(true);
        r.announce(12);
        QTest::keyClicks(r.control<QLineEdit>("Ladr"), "3");
        QTest::mouseClick(r.control<QPushButton>("OKButton"), Qt::LeftButton);
        QVERIFY(!r.control<QPushButton>("OKButton")->isEnabled());
        QVERIFY(!r.h.echoNext().isEmpty());
        r.receive(msg("B4 6D 7F"));
        r.slotData(5, 3);
        r.receive(msg("E5 0F 00 00 00 0B 04 03 00 52 00 00 00 00"));
        r.receive(msg("A0 05 40"));
        r.receive(msg("A1 05 31"));
        QCOMPARE(r.control<QLineEdit>("Ladr")->text(), QString("3"));
        QVERIFY(!r.control<QLineEdit>("Ladr")->isEnabled());
        QCOMPARE(r.control<QLabel>("FST")->text(), QString("14"));
        QCOMPARE(QList<int>({r.lamp(0), r.lamp(1), r.lamp(2)}),
                 QList<int>({colour::Yellow, colour::Yellow, colour::White}));
        QCOMPARE(r.arrow(), QStringList({"DirL", "DirU1", "DirU2"}));
        // Asked again, the window waits for a new address; what the user
        // types is his, even while the old locomotive still runs.
        r.announce(12);
        auto* address = r.control<QLineEdit>("Ladr");
        QVERIFY(address->isEnabled() && address->text().isEmpty());
        QTest::keyClicks(address, "4");
        r.receive(msg("A1 05 00"));
        QCOMPARE(address->text(), QString("4"));
        QCOMPARE(r.arrow(), QStringList({"DirL", "DirO1", "DirO2"}));
        QVERIFY(r.control<QPushButton>("OKButton")->isEnabled());
    }
};

QTEST_MAIN(ZeltronTest)
#include "tst_zeltron.moc"
