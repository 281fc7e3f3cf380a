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

namespace {
// The program with its handheld throttles' windows. The link's calls of
// ZeltronShow reach the manager as the main window hands them on.
struct ZeltronRig {
    LinkHarness h;
    ZeltronManager zt{h.s, h.core.lncv, &F47500::create};

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

    ZeltronEntry& entry(int w) { return h.s.handhelds.ZeltronWindows[w]; }
    QWidget* window(int w) { return dynamic_cast<F47500*>(zt.window(w)); }
    template <typename T = QWidget> T* control(const QString& name, int w = 1) {
        return window(w)->findChild<T*>(name);
    }
    QLineEdit* address(int w = 1) { return control<QLineEdit>("Ladr", w); }
    QPushButton* ok() { return control<QPushButton>("OKButton"); }
    // The lamps F14 .. F0 of window 1, 1 for each lit.
    QString lamps() {
        QString lit;
        for (int f = 14; f >= 0; --f)
            lit += control<IndicatorLamp>(QString("Fanz_%1").arg(f))->colour() == colour::Yellow
                       ? u'1'
                       : u'0';
        return lit;
    }
    // The lines of window 1's direction arrow that can be seen.
    QStringList arrow() {
        QStringList shown;
        for (const char* line : {"DirL", "DirO1", "DirO2", "DirU1", "DirU2"}) {
            if (control(line)->isVisible())
                shown << line;
        }
        return shown;
    }
};

const QStringList forward{"DirL", "DirO1", "DirO2"}, backward{"DirL", "DirU1", "DirU2"};
} // namespace

class ZeltronTest : public QObject {
    Q_OBJECT

private slots:
    // The window opens waiting for an address of 1 to 10000, which Enter
    // sends to the throttle that asked, even when another module answered
    // meanwhile; closing the window frees its entry.
    void windowTakesAnAddress() {
        ZeltronRig r;
        r.announce(12);
        r.receive(moduleAnswer(1234, 2, 7));
        QVERIFY(r.arrow().isEmpty());
        QVERIFY(r.address()->isEnabled() && !r.ok()->isEnabled());
        // Only a sound address is taken; an empty field is not red.
        for (const QString& text : QStringList{"0", "10001", "3a", "", "1", "10000"}) {
            const bool usable = text == "1" || text == "10000";
            r.address()->clear();
            QTest::keyClicks(r.address(), text);
            QCOMPARE(r.ok()->isEnabled(), usable);
            QCOMPARE(r.address()->palette().color(QPalette::Text) == Qt::red,
                     !usable && !text.isEmpty());
            if (!usable) {
                QTest::keyClick(r.address(), Qt::Key_Return);
                r.ticks(2);
                QVERIFY(r.h.port.written.isEmpty());
            }
        }
        QTest::keyClick(r.address(), Qt::Key_Return);
        QCOMPARE(r.entry(1).Address, 10000);
        QCOMPARE(r.entry(1).Waiting, 0);
        QVERIFY(!r.ok()->isEnabled());
        QCOMPARE(hexText(r.h.echoNext()),
                 hexText(msg("ED 0F 01 05 00 20 01 0E 12 0A 00 10 27 00")));
        r.receive(msg("B4 6D 7F"));
        r.ticks(2);
        QVERIFY(r.h.core.jobs.idle() && r.h.messages.messages.isEmpty());
        r.window(1)->close();
        QCOMPARE(r.entry(1).InUse, 0);
    }

    void windowMirrorsItsSlot_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("functions"); // F14 .. F0
        QTest::addColumn<bool>("backward");
        QTest::addColumn<QString>("step");
        const QString none(15, '0');
        QTest::newRow("speed") << msg("A0 05 40") << none << false << "14";
        QTest::newRow("speed, steps unknown") << msg("A0 05 40") << none << false << "-";
        QTest::newRow("light, backward") << msg("A1 05 30") << "000000000000001" << true << "0";
        QTest::newRow("F1..F4") << msg("A1 05 0F") << "000000000011110" << false << "0";
        QTest::newRow("F5..F8") << msg("A2 05 0F") << "000000111100000" << false << "0";
        QTest::newRow("F9..F12") << msg("A3 05 0F") << "001111000000000" << false << "0";
        QTest::newRow("F13, F14") << msg("D4 20 05 08 03") << "110000000000000" << false << "0";
    }
    void windowMirrorsItsSlot() {
        QFETCH(QByteArray, message);
        QFETCH(QString, functions);
        QFETCH(bool, backward);
        QFETCH(QString, step);
        ZeltronRig r;
        r.bindThrottle12ToSlot5();
        // The data format answer of locomotive 3: 28 speed steps.
        if (step != "-")
            r.receive(msg("E5 0F 00 00 00 0B 04 03 00 52 00 00 00 00"));
        r.receive(message);
        QCOMPARE(r.lamps(), functions);
        QCOMPARE(r.arrow(), backward ? ::backward : forward);
        QCOMPARE(r.control<QLabel>("FST")->text(), step);
    }
};

QTEST_MAIN(ZeltronTest)
#include "tst_zeltron.moc"
