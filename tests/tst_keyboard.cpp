#include "link/Colours.h"
#include "operating/ui/HelpKey.h"
#include "operating/ui/HelpWindow.h"
#include "operating/ui/KeyPopup.h"
#include "operating/ui/MainWin.h"
#include "support/LinkHarness.h"
#include "widgets/IndicatorLamp.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

namespace {
// The main window on a station whose command station the test plays.
struct Program {
    LinkHarness h;
    MainWin win{h.core, [] { return QList<int>{}; }};

    Program() { h.operating.windows = &win; }

    template <typename T> T* get(const QString& name) {
        T* widget = win.findChild<T*>(name);
        if (!widget)
            qFatal("no %s", qPrintable(name));
        return widget;
    }
    template <typename T = QPushButton> T* key(const char* name, int i) {
        return get<T>(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
    }
    int lamp(const char* name, int i) { return key<IndicatorLamp>(name, i)->colour(); }
    QString text(const char* name) { return get<QLabel>(name)->text(); }
    QTabWidget* tabs() { return get<QTabWidget>("MainTab"); }
    void showTab(int index) { tabs()->setCurrentIndex(index); }
    // The user opens the list and takes entry index, the one shown or another.
    void choosePage(const char* name, int index) {
        auto* list = get<QComboBox>(name);
        list->showPopup();
        list->view()->setCurrentIndex(list->model()->index(index, 0));
        QTest::keyClick(list->view(), Qt::Key_Return);
    }
    KeyPopup* openPopup() {
        for (KeyPopup* popup : win.findChildren<KeyPopup*>()) {
            if (popup->isVisible())
                return popup;
        }
        qFatal("no popup open");
    }
    // Ticks until the program writes, moving the popups' switching on too.
    QByteArray nextWritten(int n = 100) {
        for (int i = 0; i < n && h.port.written.isEmpty(); ++i) {
            h.tick();
            for (KeyPopup* popup : win.findChildren<KeyPopup*>())
                popup->advance();
        }
        return h.port.takeWritten();
    }
    // The 16 states of the keyboard page, asked one after the other.
    void answerPageQuery() {
        for (int k = 0; k < 16; ++k) {
            h.echoNext();
            h.receive("B4 3C 30");
        }
        h.ticks(3);
    }
    // Throttle t drives locomotive 3 in slot 5.
    void driveLocomotive(int t, int dirF) {
        SlotRecord& r = h.s.station.ThrottleData[t];
        r[SlotRecord::Address] = 3;
        r[SlotRecord::DirF] = dirF;
        h.s.station.ThrottleSlot[t] = 5;
        get<QLineEdit>(QStringLiteral("LokAdr_%1").arg(t))->setText("3");
    }
};

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // A keyboard key held down and let go, by the mouse or the space bar;
    // the last page reaches accessory 2048.
    void keyboardKey_data() {
        QTest::addColumn<bool>("lastPage");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("spaceBar");
        QTest::addColumn<QByteArray>("on");
        QTest::addColumn<QByteArray>("off");
        QTest::addColumn<int>("lamp");
        QTest::addColumn<QString>("tip");
        QTest::newRow("2048 red") << true << "KB_rot_15" << false << msg("B0 7F 1F")
                                  << msg("B0 7F 0F") << colour::Red << "Mag.Art. 2048 rot";
        QTest::newRow("2048 green") << true << "KB_grn_15" << false << msg("B0 7F 3F")
                                    << msg("B0 7F 2F") << colour::Green << "Mag.Art. 2048 grün";
        QTest::newRow("3 green, space bar")
            << false << "KB_grn_2" << true << msg("B0 02 30") << msg("B0 02 20") << colour::Green
            << "Mag.Art. 3 grün";
    }
    void keyboardKey() {
        QFETCH(bool, lastPage);
        QFETCH(QString, name);
        QFETCH(bool, spaceBar);
        QFETCH(QByteArray, on);
        QFETCH(QByteArray, off);
        QFETCH(int, lamp);
        QFETCH(QString, tip);
        Program p;
        p.showTab(2);
        if (lastPage) {
            QTest::keyClick(p.get<QComboBox>("KeybNrCo"), Qt::Key_End);
            QCOMPARE(p.text("KeyBAdrBereichTxt"), QString("2033 - 2048"));
            p.answerPageQuery();
        }
        auto* key = p.get<QPushButton>(name);
        QCOMPARE(key->toolTip(), tip);
        if (spaceBar)
            QTest::keyPress(key, Qt::Key_Space);
        else
            QTest::mousePress(key, Qt::LeftButton);
        QCOMPARE(hexText(p.h.echoNext()), hexText(on));
        if (spaceBar)
            QTest::keyRelease(key, Qt::Key_Space);
        else
            QTest::mouseRelease(key, Qt::LeftButton);
        QCOMPARE(hexText(p.h.echoNext()), hexText(off));
        p.h.ticks(3);
        QCOMPARE(p.lamp("KB_Anz", name.section('_', 2).toInt()), lamp);
        QVERIFY(p.h.port.written.isEmpty());
    }

    // Neither other mouse buttons nor choosing the page shown again send.
    void nothingGoesOutUnasked() {
        Program p;
        p.showTab(2);
        for (const char* name : {"KB_rot", "KB_grn"}) {
            QPushButton* key = p.key(name, 0);
            QTest::mousePress(key, Qt::RightButton);
            QTest::mouseRelease(key, Qt::RightButton);
            QTest::mouseClick(key, Qt::MiddleButton);
        }
        QSignalSpy chosen(p.get<QComboBox>("KeybNrCo"), &QComboBox::activated);
        p.choosePage("KeybNrCo", 0);
        QCOMPARE(chosen.count(), 1);
        p.h.ticks(20);
        QVERIFY(p.h.port.written.isEmpty());
        QVERIFY(p.h.core.jobs.idle());
    }

    // Another page asks the command station for its 16 accessories, one
    // after the other, and colours each lamp from the answer.
    void anotherPageQueriesItsStates() {
        Program p;
        p.showTab(2);
        p.choosePage("KeybNrCo", 2);
        QCOMPARE(p.key("KB_grn", 0)->toolTip(), QString("Mag.Art. 33 grün"));
        for (int a = 32; a < 48; ++a) {
            const QByteArray query = loconet::withChecksum(QByteArray("\xBC") + char(a) + '\0');
            QCOMPARE(hexText(p.h.echoNext()), hexText(query));
            p.h.receive(a % 3 ? "B4 3C 30" : "B4 3C 50");
        }
        p.h.ticks(5);
        QVERIFY(p.h.port.written.isEmpty());
        for (int k = 0; k < 16; ++k)
            QCOMPARE(p.lamp("KB_Anz", k), (32 + k) % 3 ? colour::Green : colour::Red);
    }

    // A click reports the contact the other way round; its echo turns the
    // indicator and the tooltip.
    void feedbackButtonTogglesTheContact() {
        Program p;
        p.showTab(3);
        QPushButton* button = p.key("RMChgBut", 1);
        QCOMPARE(p.lamp("RM_Anz", 1), colour::White);
        QCOMPARE(button->toolTip(), QString("Rückm.2 belegt aussenden"));
        const struct {
            const char* wire;
            int lamp;
            const char* tip;
        } clicks[] = {{"B2 00 70", colour::Red, "Rückm.2 frei aussenden"},
                      {"B2 00 60", colour::Yellow, "Rückm.2 belegt aussenden"}};
        for (const auto& click : clicks) {
            QTest::mouseClick(button, Qt::LeftButton);
            QCOMPARE(hexText(p.h.echoNext()), hexText(msg(click.wire)));
            p.h.ticks(2);
            QCOMPARE(p.lamp("RM_Anz", 1), click.lamp);
            QCOMPARE(button->toolTip(), QString(click.tip));
        }
    }

    // Reports for contacts off the page are kept and shown with their page.
    void feedbackPageShowsWhatWasReported() {
        Program p;
        p.showTab(3);
        p.h.receive("B2 0A 50"); // contact 21 occupied
        p.h.receive("B2 0A 60"); // contact 22 free
        p.h.ticks(3);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(p.lamp("RM_Anz", i), colour::White);
        QCOMPARE(p.get<QComboBox>("RMNrCo")->count(), 128);
        p.choosePage("RMNrCo", 1);
        QCOMPARE(p.text("RMAdrBereichTxt"), QString("17 - 32"));
        QCOMPARE(p.lamp("RM_Anz", 4), colour::Red);
        QCOMPARE(p.lamp("RM_Anz", 5), colour::Yellow);
        QCOMPARE(p.lamp("RM_Anz", 6), colour::White);
        QCOMPARE(p.key("RMChgBut", 4)->toolTip(), QString("Rückm.21 frei aussenden"));
        p.h.ticks(5);
        QVERIFY(p.h.port.written.isEmpty());
    }

    void routeButtonsOfTheLastPage() {
        Program p;
        p.showTab(4);
        QCOMPARE(p.get<QComboBox>("MemNrCo")->count(), 13);
        p.choosePage("MemNrCo", 12);
        QCOMPARE(p.text("MemAdrBereichTxt"), QString("193 - 208"));
        QCOMPARE(p.key("FSRsBut", 15)->toolTip(), QString("Fahrstr. 208 auflösen"));
        RouteTable& table = p.h.core.routes.table;
        table.setStatus(208, RouteTable::BlockedColumn, true);
        QTest::mouseClick(p.key("FSSetBut", 15), Qt::LeftButton);
        QVERIFY(table.isSet(208, RouteTable::RequestedColumn));
        table.setStatus(208, RouteTable::EstablishedColumn, true);
        QTest::mouseClick(p.key("FSRsBut", 15), Qt::LeftButton);
        QCOMPARE(table.text(208, RouteTable::EstablishedColumn), QString());
    }

    // The engine paints the indicators of the routes on the page shown.
    void routeIndicatorsFollowThePage() {
        Program p;
        p.showTab(4);
        p.h.core.routes.table.setStatus(20, RouteTable::EstablishedColumn, true);
        p.h.tick();
        QCOMPARE(p.lamp("FS_Anz", 3), colour::White);
        p.choosePage("MemNrCo", 1);
        p.h.tick();
        QCOMPARE(p.lamp("FS_Anz", 3), colour::Orange);
    }

    // Tab goes from the tab bar through the page shown as it reads, then on
    // to the raw message line.
    void tabOrderFollowsThePanels_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("keyboard") << 2 << QStringList{"KeybNrCo", "KB_rot_0", "KB_grn_0",
                                                      "KB_rot_1", "KB_grn_1", "KB_rot_2"};
        QTest::newRow("feedback") << 3
                                  << QStringList{"RMNrCo", "RMChgBut_0", "RMChgBut_1",
                                                 "RMChgBut_2"};
        QTest::newRow("memory") << 4
                                << QStringList{"MemNrCo", "FSSetBut_0", "FSRsBut_0", "FSSetBut_1"};
    }
    void tabOrderFollowsThePanels() {
        QFETCH(int, tab);
        QFETCH(QStringList, expected);
        Program p;
        p.showTab(tab);
        QStringList seen;
        QWidget* w = p.tabs()->tabBar();
        for (int i = 0; i < 1000 && seen.size() < 40; ++i) {
            w = w->nextInFocusChain();
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&p.win) && w->isEnabled())
                seen.append(w->objectName());
        }
        QCOMPARE(seen.mid(0, expected.size()), expected);
        // The list, then all keys of the page, then the raw message line.
        QCOMPARE(seen.indexOf("MesTxt"), tab == 3 ? 17 : 33);
    }

    // Each key on a throttle tab with a locomotive, and what goes out.
    void throttleKeys_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("key");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("esc: light") << 0 << "FSTScroll_0" << int(Qt::Key_Escape) << msg("A1 05 30");
        QTest::newRow("F1") << 1 << "FSTScroll_1" << int(Qt::Key_F1) << msg("A1 05 21");
        QTest::newRow("F4") << 0 << "FCmd_3" << int(Qt::Key_F4) << msg("A1 05 28");
        QTest::newRow("F5") << 0 << "DIR_0" << int(Qt::Key_F5) << msg("A2 05 01");
        QTest::newRow("F9") << 1 << "FCmd_20" << int(Qt::Key_F9) << msg("D4 20 05 07 10");
        QTest::newRow("F12") << 0 << "FSTScroll_0" << int(Qt::Key_F12) << msg("D4 20 05 05 10");
        QTest::newRow("minus: forward")
            << 0 << "FSTScroll_0" << int(Qt::Key_Minus) << msg("A1 05 00");
        QTest::newRow("less: backward") << 1 << "DIR_3" << int(Qt::Key_Less) << msg("A1 05 20");
        QTest::newRow("backspace: turn")
            << 0 << "MainTab" << int(Qt::Key_Backspace) << msg("A1 05 00");
        QTest::newRow("0: stop") << 0 << "FSTScroll_0" << int(Qt::Key_0) << msg("A0 05 00");
        QTest::newRow("5") << 1 << "FSTScroll_1" << int(Qt::Key_5) << msg("A0 05 47");
        QTest::newRow("9: full") << 0 << "FCmd_0" << int(Qt::Key_9) << msg("A0 05 7F");
        QTest::newRow("pause: power off") << 0 << "FSTScroll_0" << int(Qt::Key_Pause) << msg("82");
    }
    void throttleKeys() {
        QFETCH(int, tab);
        QFETCH(QString, control);
        QFETCH(int, key);
        QFETCH(QByteArray, wire);
        Program p;
        p.driveLocomotive(tab, 0x20);
        p.win.ShowPowerState(1);
        p.showTab(tab);
        QWidget* receiver = control == "MainTab" ? p.tabs()->tabBar() : p.get<QWidget>(control);
        QTest::keyClick(receiver, Qt::Key(key));
        QCOMPARE(hexText(p.h.echoNext()), hexText(wire));
    }

    void textBoxesKeepTheirKeys() {
        Program p;
        p.driveLocomotive(0, 0x20);
        p.win.ShowPowerState(1);
        for (const char* field : {"LokAdr_0", "PortAdr", "MesTxt"}) {
            auto* edit = p.get<QLineEdit>(field);
            edit->setFocus();
            for (const Qt::Key key : {Qt::Key_F1, Qt::Key_Escape, Qt::Key_Pause, Qt::Key_T})
                QTest::keyClick(edit, key);
        }
        p.h.ticks(20);
        QVERIFY(p.h.port.written.isEmpty());
        QCOMPARE(p.tabs()->currentIndex(), 0);
    }

    void withoutLocomotiveOnlyAddressAndTabKeysAct() {
        Program p;
        p.showTab(1);
        QWidget* slider = p.get<QWidget>("FSTScroll_1");
        for (const Qt::Key key :
             {Qt::Key_0, Qt::Key_9, Qt::Key_F1, Qt::Key_Escape, Qt::Key_Backspace, Qt::Key_Minus})
            QTest::keyClick(slider, key);
        p.h.ticks(20);
        QVERIFY(p.h.port.written.isEmpty());
        QVERIFY(p.h.core.jobs.idle());
        auto* address = p.get<QLineEdit>("LokAdr_1");
        QCOMPARE(address->text(), QString("-"));
        QTest::keyClick(slider, Qt::Key_A);
        QCOMPARE(address->text(), QString());
        QCOMPARE(p.win.focusWidget(), address);
    }

    // T goes on from wherever the focus is, with the tab bar off before a
    // connection and on after it; it never leaves the focus in an address
    // field, where the next T would be typed.
    void tKeyWalksThroughTheTabs() {
        Program p;
        p.win.show();
        for (const bool busy : {true, false}) {
            p.win.SetLinkBusy(busy);
            p.showTab(0);
            p.get<QWidget>("FSTScroll_0")->setFocus();
            for (int expected : {1, 2, 3, 4, 0, 1, 2}) {
                QWidget* focus = p.win.focusWidget();
                QVERIFY2(!qobject_cast<QLineEdit*>(focus), qPrintable(focus->objectName()));
                QTest::keyClick(focus, Qt::Key_T);
                QCOMPARE(p.tabs()->currentIndex(), expected);
            }
        }
        QCOMPARE(p.get<QLineEdit>("LokAdr_1")->text(), QString("-"));
    }

    // F1 is the locomotive's function while it is down, and the help when
    // it comes up.
    void f1TogglesTheFunctionAndOpensHelp() {
        Program p;
        p.driveLocomotive(0, 0x20);
        QWidget* slider = p.get<QWidget>("FSTScroll_0");
        QTest::keyPress(slider, Qt::Key_F1);
        QVERIFY(!p.win.help().window());
        QCOMPARE(hexText(p.h.echoNext()), hexText(msg("A1 05 21")));
        QTest::keyRelease(slider, Qt::Key_F1);
        QVERIFY(p.win.help().window());
        QVERIFY(p.win.help().window()->isVisible());
        p.h.ticks(10);
        QVERIFY(p.h.port.written.isEmpty());
    }

    void popupKeepsTheLastFourDigits() {
        Program p;
        p.showTab(2);
        QTest::keyClick(p.key("KB_rot", 3), Qt::Key_1);
        KeyPopup* popup = p.openPopup();
        QCOMPARE(popup->label(), QString("1"));
        QTest::keyClicks(popup, "2345");
        QCOMPARE(popup->label(), QString("2345"));
        QTest::keyClick(p.get<QWidget>("KeybNrCo"), Qt::Key_8);
        QCOMPARE(popup->label(), QString("8"));
        QTest::keyClick(popup, Qt::Key_Backspace);
        QCOMPARE(popup->label(), QString());
        QTest::keyClick(popup, Qt::Key_Escape);
        QVERIFY(!popup->isVisible());
        QVERIFY(p.h.core.jobs.idle());
    }

    // A digit on a key opens the popup, a letter or a click acts on the
    // number: an accessory on, and 0.2 s after the on command has gone out,
    // off; a contact report; nothing for a number out of range.
    void popupSends_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArrayList>("wire");
        QTest::newRow("7 R") << 2 << "KB_grn_0"
                             << "7r" << QString()
                             << QByteArrayList{msg("B0 06 10"), msg("B0 06 00")};
        QTest::newRow("12 G") << 2 << "KB_grn_0"
                              << "12g" << QString()
                              << QByteArrayList{msg("B0 0B 30"), msg("B0 0B 20")};
        QTest::newRow("2048, red clicked")
            << 2 << "KB_rot_4"
            << "2048"
            << "KB_rot" << QByteArrayList{msg("B0 7F 1F"), msg("B0 7F 0F")};
        QTest::newRow("2049") << 2 << "KB_grn_0"
                              << "2049r" << QString() << QByteArrayList{};
        QTest::newRow("0") << 2 << "KB_grn_0"
                           << "0g" << QString() << QByteArrayList{};
        QTest::newRow("erased") << 2 << "KB_grn_0"
                                << "5\br" << QString() << QByteArrayList{};
        QTest::newRow("contact 5 free") << 3 << "RMChgBut_9"
                                        << "5f" << QString() << QByteArrayList{msg("B2 02 40")};
        QTest::newRow("contact 5 occupied") << 3 << "RMChgBut_9"
                                            << "5b" << QString() << QByteArrayList{msg("B2 02 50")};
        QTest::newRow("contact 2048 occupied")
            << 3 << "RMChgBut_0"
            << "2048b" << QString() << QByteArrayList{msg("B2 7F 77")};
        QTest::newRow("contact 2049") << 3 << "RMChgBut_0"
                                      << "2049b" << QString() << QByteArrayList{};
    }
    void popupSends() {
        QFETCH(int, tab);
        QFETCH(QString, key);
        QFETCH(QString, typed);
        QFETCH(QString, button);
        QFETCH(QByteArrayList, wire);
        Program p;
        p.showTab(tab);
        QTest::keyClicks(p.get<QWidget>(key), typed.left(1));
        KeyPopup* popup = p.openPopup();
        QTest::keyClicks(popup, typed.mid(1));
        if (!button.isEmpty())
            QTest::mouseClick(popup->findChild<QPushButton*>(button), Qt::LeftButton);
        QVERIFY(!popup->isVisible());
        double onSent = 0;
        for (const QByteArray& message : wire) {
            QCOMPARE(hexText(p.nextWritten()), hexText(message));
            const double held = p.h.clock.now() - onSent;
            if (onSent > 0)
                QVERIFY2(held > 0.2 && held < 0.25, qPrintable(QString::number(held)));
            onSent = p.h.clock.now();
            p.h.receiveBytes(message);
        }
        QVERIFY(p.nextWritten().isEmpty());
    }

    // Routes 1 to 208 are requested and dissolved by the popup, others not.
    void routePopup() {
        Program p;
        p.showTab(4);
        RouteTable& table = p.h.core.routes.table;
        QSignalSpy changes(&table, &RouteTable::cellChanged);
        QTest::keyClick(p.key("FSSetBut", 0), Qt::Key_2);
        KeyPopup* popup = p.openPopup();
        QTest::keyClicks(popup, "09");
        QCOMPARE(popup->findChild<QLabel*>("Fadr")->text(), QString("209"));
        QTest::keyClick(popup, Qt::Key_F);
        QVERIFY(!popup->isVisible());
        QTest::keyClick(p.key("FSSetBut", 1), Qt::Key_0);
        QTest::keyClick(popup, Qt::Key_F);
        QCOMPARE(changes.count(), 0);
        QTest::keyClick(p.get<QWidget>("MemNrCo"), Qt::Key_2);
        QTest::keyClicks(popup, "08f");
        QVERIFY(table.isSet(208, RouteTable::RequestedColumn));
        table.setStatus(208, RouteTable::EstablishedColumn, true);
        QTest::keyClick(p.get<QWidget>("FSRsBut_3"), Qt::Key_2);
        QTest::keyClicks(popup, "08l");
        QCOMPARE(table.text(208, RouteTable::EstablishedColumn), QString());
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
