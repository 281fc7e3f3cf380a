#include "link/Colours.h"
#include "operating/ui/HelpKey.h"
#include "operating/ui/HelpWindow.h"
#include "operating/ui/KeyPopup.h"
#include "support/MainWinOnLink.h"
#include "support/MessageText.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTabBar>

namespace {
// The main window with the panels' page lists and key popups.
struct Program : MainWinOnLink {
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
    QByteArray nextWritten() {
        for (int i = 0; i < 100 && h.port.written.isEmpty(); ++i) {
            h.tick();
            for (KeyPopup* popup : win.findChildren<KeyPopup*>())
                popup->advance();
        }
        return h.port.takeWritten();
    }
    // Throttle t drives locomotive 3 in slot 5, backward with the light off.
    void driveLocomotive(int t = 0) {
        SlotRecord& r = h.s.station.ThrottleData[t];
        r[SlotRecord::Address] = 3;
        r[SlotRecord::DirF] = 0x20;
        h.s.station.ThrottleSlot[t] = 5;
        get<QLineEdit>(QStringLiteral("LokAdr_%1").arg(t))->setText("3");
        win.ShowPowerState(1);
    }
};

} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // A keyboard key held down switches its accessory on, and let go off,
    // by the space bar or the left mouse button; other buttons and the page
    // shown chosen again send nothing. Another page asks the command station
    // for its 16 accessories, one after the other, and colours each lamp
    // from the answer; the last page reaches accessory 2048.
    void keyboardPage() {
        Program p;
        p.showTab(2);
        QSignalSpy chosen(p.get<QComboBox>("KeybNrCo"), &QComboBox::activated);
        p.choosePage("KeybNrCo", 0);
        QCOMPARE(chosen.count(), 1);
        QPushButton* green = p.control("KB_grn", 2);
        for (QPushButton* key : {p.control("KB_rot", 2), green}) {
            QTest::mouseClick(key, Qt::RightButton);
            QTest::mouseClick(key, Qt::MiddleButton);
        }
        QTest::keyPress(green, Qt::Key_Space);
        QCOMPARE(hexText(p.h.echoNext()), hexText(msg("B0 02 30")));
        QTest::keyRelease(green, Qt::Key_Space);
        QCOMPARE(hexText(p.h.echoNext()), hexText(msg("B0 02 20")));
        QTest::keyClick(p.get("KeybNrCo"), Qt::Key_End);
        QCOMPARE(p.text("KeyBAdrBereichTxt"), QString("2033 - 2048"));
        QCOMPARE(p.control("KB_grn", 0)->toolTip(), QString("Mag.Art. 2033 grün"));
        for (int a = 2032; a < 2048; ++a) {
            const QByteArray query = QByteArray("\xBC") + char(a & 0x7F) + char(a >> 7);
            QCOMPARE(hexText(p.h.echoNext()), hexText(loconet::withChecksum(query)));
            p.h.receive(a % 3 ? "B4 3C 30" : "B4 3C 50");
        }
        QVERIFY(p.quiet());
        for (int k = 0; k < 16; ++k)
            QCOMPARE(p.lamp("KB_Anz", k), (2032 + k) % 3 ? colour::Green : colour::Red);
        QPushButton* red = p.control("KB_rot", 15);
        QCOMPARE(red->toolTip(), QString("Mag.Art. 2048 rot"));
        QTest::mousePress(red, Qt::LeftButton);
        QCOMPARE(hexText(p.h.echoNext()), hexText(msg("B0 7F 1F")));
        QTest::mouseRelease(red, Qt::LeftButton);
        QCOMPARE(hexText(p.h.echoNext()), hexText(msg("B0 7F 0F")));
        QVERIFY(p.quiet());
        QCOMPARE(p.lamp("KB_Anz", 15), colour::Red);
    }

    // A click reports the contact the other way round; its echo turns the
    // indicator and the tooltip. Reports for contacts off the page are kept
    // and shown with their page.
    void feedbackPage() {
        Program p;
        p.showTab(3);
        QPushButton* button = p.control("RMChgBut", 1);
        QCOMPARE(p.lamp("RM_Anz", 1), colour::White);
        QCOMPARE(button->toolTip(), QString("Rückm.2 belegt aussenden"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(hexText(p.h.echoNext()), hexText(msg("B2 00 70")));
        p.h.ticks(2);
        QCOMPARE(p.lamp("RM_Anz", 1), colour::Red);
        QCOMPARE(button->toolTip(), QString("Rückm.2 frei aussenden"));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(hexText(p.h.echoNext()), hexText(msg("B2 00 60")));
        p.h.receive("B2 0A 50"); // contact 21 occupied
        p.h.receive("B2 0A 60"); // contact 22 free
        p.h.ticks(3);
        QCOMPARE(p.lamp("RM_Anz", 1), colour::Yellow);
        QCOMPARE(p.lamp("RM_Anz", 4), colour::White);
        p.choosePage("RMNrCo", 1);
        QCOMPARE(p.text("RMAdrBereichTxt"), QString("17 - 32"));
        QCOMPARE(p.lamp("RM_Anz", 4), colour::Red);
        QCOMPARE(p.lamp("RM_Anz", 5), colour::Yellow);
        QCOMPARE(p.lamp("RM_Anz", 6), colour::White);
        QCOMPARE(p.control("RMChgBut", 4)->toolTip(), QString("Rückm.21 frei aussenden"));
        QVERIFY(p.quiet());
    }

    // The route page's buttons request and dissolve the routes of the page
    // shown, whose indicators the engine paints; the popup does the same
    // for routes 1 to 208, and nothing for others.
    void routePage() {
        Program p;
        p.showTab(4);
        RouteTable& table = p.h.core.routes.table;
        table.setStatus(20, RouteTable::EstablishedColumn, true);
        p.choosePage("MemNrCo", 1);
        p.h.tick();
        QCOMPARE(p.lamp("FS_Anz", 3), colour::Orange);
        QSignalSpy changes(&table, &RouteTable::cellChanged);
        QTest::keyClick(p.control("FSSetBut", 0), Qt::Key_2);
        KeyPopup* popup = p.openPopup();
        QTest::keyClicks(popup, "09f");
        QVERIFY(!popup->isVisible());
        QCOMPARE(changes.count(), 0);
        QTest::keyClick(p.get("MemNrCo"), Qt::Key_2);
        QTest::keyClicks(popup, "08f");
        QVERIFY(table.isSet(208, RouteTable::RequestedColumn));
        table.setStatus(208, RouteTable::EstablishedColumn, true);
        QTest::keyClick(p.get("FSRsBut_3"), Qt::Key_2);
        QTest::keyClicks(popup, "08l");
        QCOMPARE(table.text(208, RouteTable::EstablishedColumn), QString());
        QTest::mouseClick(p.control("FSSetBut", 14), Qt::LeftButton);
        QVERIFY(table.isSet(31, RouteTable::RequestedColumn));
        table.setStatus(31, RouteTable::EstablishedColumn, true);
        QTest::mouseClick(p.control("FSRsBut", 14), Qt::LeftButton);
        QCOMPARE(table.text(31, RouteTable::EstablishedColumn), QString());
    }

    // Keys on a throttle tab with a locomotive, pressed within one tick,
    // and what goes out.
    void throttleKeys_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<QByteArray>("messages");
        const auto row = [](const char* name, int tab, const char* control, const QList<int>& keys,
                            const char* messages) {
            QTest::newRow(name) << tab << QString(control) << keys << wire(messages);
        };
        row("esc: light", 0, "FSTScroll_0", {Qt::Key_Escape}, "A1 05 30");
        row("F1", 1, "FSTScroll_1", {Qt::Key_F1}, "A1 05 21");
        row("F4", 0, "FCmd_3", {Qt::Key_F4}, "A1 05 28");
        row("F5", 0, "DIR_0", {Qt::Key_F5}, "A2 05 01");
        row("F9", 1, "FCmd_20", {Qt::Key_F9}, "D4 20 05 07 10");
        row("F12", 0, "FSTScroll_0", {Qt::Key_F12}, "D4 20 05 05 10");
        row("minus: forward", 0, "FSTScroll_0", {Qt::Key_Minus}, "A1 05 00 | A0 05 00");
        row("less: backward", 1, "DIR_3", {Qt::Key_Less}, "A1 05 20 | A0 05 00");
        row("backspace: turn", 0, "MainTab", {Qt::Key_Backspace}, "A1 05 00 | A0 05 00");
        row("minus, then F5", 0, "FSTScroll_0", {Qt::Key_Minus, Qt::Key_F5},
            "A1 05 00 | A0 05 00 | A2 05 01");
        row("0: stop", 1, "FSTScroll_1", {Qt::Key_0}, "A0 05 00");
        row("1", 0, "FSTScroll_0", {Qt::Key_1}, "A0 05 0E");
        row("5", 1, "FSTScroll_1", {Qt::Key_5}, "A0 05 47");
        row("9: full", 0, "FCmd_0", {Qt::Key_9}, "A0 05 7F");
        row("pause: power off", 0, "FSTScroll_0", {Qt::Key_Pause}, "82");
    }
    void throttleKeys() {
        QFETCH(int, tab);
        QFETCH(QString, control);
        QFETCH(QList<int>, keys);
        QFETCH(QByteArray, messages);
        Program p;
        p.driveLocomotive(tab);
        p.showTab(tab);
        for (const int key : keys)
            QTest::keyClick(control == "MainTab" ? p.tabs()->tabBar() : p.get(control),
                            Qt::Key(key));
        QCOMPARE(hexText(p.sent().join()), hexText(messages));
        // F1 is the function while it is down, and the help when it comes up.
        QCOMPARE(p.win.help().window() != nullptr, keys.contains(Qt::Key_F1));
    }

    // Keys typed into a text field stay there, and without a locomotive
    // only the address and tab keys act.
    void keysThatDoNotDrive() {
        Program p;
        p.driveLocomotive();
        for (const char* field : {"LokAdr_0", "PortAdr", "MesTxt"}) {
            auto* edit = p.get<QLineEdit>(field);
            edit->setFocus();
            for (const Qt::Key key : {Qt::Key_F1, Qt::Key_Escape, Qt::Key_Pause, Qt::Key_T})
                QTest::keyClick(edit, key);
        }
        QCOMPARE(p.tabs()->currentIndex(), 0);
        p.showTab(1);
        QWidget* slider = p.get("FSTScroll_1");
        for (const Qt::Key key :
             {Qt::Key_0, Qt::Key_9, Qt::Key_F1, Qt::Key_Escape, Qt::Key_Backspace, Qt::Key_Minus})
            QTest::keyClick(slider, key);
        QVERIFY(p.quiet());
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
            p.get("FSTScroll_0")->setFocus();
            for (int expected : {1, 2, 3, 4, 0, 1, 2}) {
                QWidget* focus = p.win.focusWidget();
                QVERIFY2(!qobject_cast<QLineEdit*>(focus), qPrintable(focus->objectName()));
                QTest::keyClick(focus, Qt::Key_T);
                QCOMPARE(p.tabs()->currentIndex(), expected);
            }
        }
        QCOMPARE(p.get<QLineEdit>("LokAdr_1")->text(), QString("-"));
    }

    // A digit on a key opens the popup, a letter or a click acts on the
    // number: an accessory on, and 0.2 s after the on command has gone out,
    // off; a contact report; nothing for a number out of range.
    void popupSends_data() {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("typed"); // "*": the popup's red button clicked
        QTest::addColumn<QByteArrayList>("wire");
        const auto row = [](const char* name, const char* key, const char* typed,
                            const QByteArrayList& wire) {
            QTest::newRow(name) << QString(key) << QString(typed) << wire;
        };
        row("7 R", "KB_grn_0", "7r", {msg("B0 06 10"), msg("B0 06 00")});
        row("12 G", "KB_grn_0", "12g", {msg("B0 0B 30"), msg("B0 0B 20")});
        row("last four digits, red clicked", "KB_rot_4", "92048*",
            {msg("B0 7F 1F"), msg("B0 7F 0F")});
        row("2049", "KB_grn_0", "2049r", {});
        row("0", "KB_grn_0", "0g", {});
        row("erased", "KB_grn_0", "5\br", {});
        row("escaped", "KB_grn_0", "5\x1b", {});
        row("contact 5 free", "RMChgBut_9", "5f", {msg("B2 02 40")});
        row("contact 2048 occupied", "RMChgBut_0", "2048b", {msg("B2 7F 77")});
        row("contact 2049", "RMChgBut_0", "2049b", {});
    }
    void popupSends() {
        QFETCH(QString, key);
        QFETCH(QString, typed);
        QFETCH(QByteArrayList, wire);
        Program p;
        p.showTab(key.startsWith("RM") ? 3 : 2);
        QTest::keyClicks(p.get(key), typed.left(1));
        KeyPopup* popup = p.openPopup();
        QTest::keyClicks(popup, QString(typed.mid(1)).remove('*'));
        if (typed.endsWith('*'))
            QTest::mouseClick(popup->findChild<QPushButton*>("KB_rot"), Qt::LeftButton);
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
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
