#include "link/Colours.h"
#include "operating/FeedbackTab.h"
#include "operating/IndicatorLamp.h"
#include "operating/KeyPopup.h"
#include "operating/KeyboardTab.h"
#include "operating/MemoryTab.h"
#include "support/LinkHarness.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {
// The three panel tabs on a station whose command station the test plays.
struct Panels : OperatingView {
    LinkHarness h;
    KeyboardTab keyboard{h.s};
    FeedbackTab feedback{h.s};
    MemoryTab memory{h.station.routes};

    Panels() { h.operating.windows = this; }
    void ShowKeyLamp(int key, int colour) override { keyboard.ShowKeyLamp(key, colour); }
    void ShowFeedback(int contact) override { feedback.ShowFeedback(contact); }

    template <typename T> T* get(QWidget& tab, const QString& name) {
        T* widget = tab.findChild<T*>(name);
        if (!widget)
            qFatal("no %s", qPrintable(name));
        return widget;
    }
    QPushButton* key(QWidget& tab, const char* name, int i) {
        return get<QPushButton>(tab, QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i));
    }
    int lamp(QWidget& tab, const char* name, int i) {
        return get<IndicatorLamp>(tab, QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i))
            ->colour();
    }
    // The user opens the list and takes entry index, the one shown or another.
    void choosePage(QComboBox* list, int index) {
        list->showPopup();
        list->view()->setCurrentIndex(list->model()->index(index, 0));
        QTest::keyClick(list->view(), Qt::Key_Return);
    }
    // Ticks until the program writes, moving the popup's switching on too.
    QByteArray nextWritten(KeyPopup& popup, int n = 100) {
        for (int i = 0; i < n && h.port.written.isEmpty(); ++i) {
            h.tick();
            popup.advance();
        }
        return h.port.takeWritten();
    }
};
} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT

private slots:
    // The last key of the last page, held down and let go.
    void lastKeyboardKey_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("on");
        QTest::addColumn<QByteArray>("off");
        QTest::addColumn<int>("lamp");
        QTest::addColumn<QString>("tip");
        QTest::newRow("red") << "KB_rot" << msg("B0 7F 1F") << msg("B0 7F 0F") << colour::Red
                             << "Mag.Art. 2048 rot";
        QTest::newRow("green") << "KB_grn" << msg("B0 7F 3F") << msg("B0 7F 2F") << colour::Green
                               << "Mag.Art. 2048 grün";
    }
    void lastKeyboardKey() {
        QFETCH(QString, name);
        QFETCH(QByteArray, on);
        QFETCH(QByteArray, off);
        QFETCH(int, lamp);
        QFETCH(QString, tip);
        Panels p;
        auto* list = p.get<QComboBox>(p.keyboard, "KeybNrCo");
        QTest::keyClick(list, Qt::Key_End);
        QCOMPARE(list->currentText(), QString("Keyboard 128 Adr.: 2033 - 2048"));
        QCOMPARE(p.get<QLabel>(p.keyboard, "KeyBAdrBereichTxt")->text(), QString("2033 - 2048"));
        QPushButton* key = p.key(p.keyboard, qPrintable(name), 15);
        QCOMPARE(key->toolTip(), tip);
        QTest::mousePress(key, Qt::LeftButton);
        QCOMPARE(hexText(p.h.echoNext()), hexText(on));
        QTest::mouseRelease(key, Qt::LeftButton);
        QCOMPARE(hexText(p.h.echoNext()), hexText(off));
        p.h.ticks(3);
        QCOMPARE(p.lamp(p.keyboard, "KB_Anz", 15), lamp);
        QVERIFY(p.h.port.written.isEmpty());
    }

    void spaceBarHoldsAKeyLikeTheMouse() {
        Panels p;
        QPushButton* key = p.key(p.keyboard, "KB_grn", 2);
        QTest::keyPress(key, Qt::Key_Space);
        QCOMPARE(hexText(p.h.echoNext()), hexText(msg("B0 02 30")));
        QTest::keyRelease(key, Qt::Key_Space);
        QCOMPARE(hexText(p.h.echoNext()), hexText(msg("B0 02 20")));
    }

    void rightClickSendsNothing() {
        Panels p;
        for (const char* name : {"KB_rot", "KB_grn"}) {
            QPushButton* key = p.key(p.keyboard, name, 0);
            QTest::mousePress(key, Qt::RightButton);
            QTest::mouseRelease(key, Qt::RightButton);
            QTest::mouseClick(key, Qt::MiddleButton);
        }
        p.h.ticks(20);
        QVERIFY(p.h.port.written.isEmpty());
        QVERIFY(p.h.s.job.idle());
    }

    void choosingTheShownPageSendsNothing() {
        Panels p;
        auto* list = p.get<QComboBox>(p.keyboard, "KeybNrCo");
        QSignalSpy chosen(list, &QComboBox::activated);
        p.choosePage(list, 0);
        QCOMPARE(chosen.count(), 1);
        p.h.ticks(20);
        QVERIFY(p.h.port.written.isEmpty());
    }

    // Another page asks the command station for its 16 accessories, one
    // after the other, and colours each lamp from the answer.
    void anotherPageQueriesItsStates() {
        Panels p;
        auto* list = p.get<QComboBox>(p.keyboard, "KeybNrCo");
        p.choosePage(list, 2);
        QCOMPARE(p.get<QLabel>(p.keyboard, "KeyBAdrBereichTxt")->text(), QString("33 - 48"));
        QCOMPARE(p.key(p.keyboard, "KB_grn", 0)->toolTip(), QString("Mag.Art. 33 grün"));
        for (int a = 32; a < 48; ++a) {
            QCOMPARE(hexText(p.h.echoNext()),
                     hexText(msg(qPrintable(QStringLiteral("BC %1 00").arg(a, 2, 16)))));
            p.h.receive(a % 3 ? "B4 3C 30" : "B4 3C 50");
        }
        p.h.ticks(5);
        QVERIFY(p.h.port.written.isEmpty());
        for (int k = 0; k < 16; ++k)
            QCOMPARE(p.lamp(p.keyboard, "KB_Anz", k), (32 + k) % 3 ? colour::Green : colour::Red);
    }

    // A click reports the contact the other way round; its echo turns the
    // indicator and the tooltip.
    void feedbackButtonTogglesTheContact_data() {
        QTest::addColumn<int>("contact");
        QTest::addColumn<QByteArray>("occupied");
        QTest::addColumn<QByteArray>("free");
        QTest::newRow("contact 1") << 0 << msg("B2 00 50") << msg("B2 00 40");
        QTest::newRow("contact 2") << 1 << msg("B2 00 70") << msg("B2 00 60");
    }
    void feedbackButtonTogglesTheContact() {
        QFETCH(int, contact);
        QFETCH(QByteArray, occupied);
        QFETCH(QByteArray, free);
        Panels p;
        QPushButton* button = p.key(p.feedback, "RMChgBut", contact);
        const QString shown = QString::number(contact + 1);
        QCOMPARE(p.lamp(p.feedback, "RM_Anz", contact), colour::White);
        QCOMPARE(button->toolTip(), "Rückm." + shown + " belegt aussenden");
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(hexText(p.h.echoNext()), hexText(occupied));
        p.h.ticks(2);
        QCOMPARE(p.lamp(p.feedback, "RM_Anz", contact), colour::Red);
        QCOMPARE(button->toolTip(), "Rückm." + shown + " frei aussenden");
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(hexText(p.h.echoNext()), hexText(free));
        p.h.ticks(2);
        QCOMPARE(p.lamp(p.feedback, "RM_Anz", contact), colour::Yellow);
        QCOMPARE(button->toolTip(), "Rückm." + shown + " belegt aussenden");
    }

    // Reports for contacts off the page are kept and shown with their page.
    void feedbackPageShowsWhatWasReported() {
        Panels p;
        p.h.receive("B2 0A 50"); // contact 20 occupied
        p.h.receive("B2 0A 60"); // contact 21 free
        p.h.ticks(3);
        for (int i = 0; i < 16; ++i)
            QCOMPARE(p.lamp(p.feedback, "RM_Anz", i), colour::White);
        auto* list = p.get<QComboBox>(p.feedback, "RMNrCo");
        QCOMPARE(list->count(), 128);
        QCOMPARE(list->itemText(127), QString("Rückmelder: 2033 - 2048"));
        p.choosePage(list, 1);
        QCOMPARE(p.get<QLabel>(p.feedback, "RMAdrBereichTxt")->text(), QString("17 - 32"));
        QCOMPARE(p.lamp(p.feedback, "RM_Anz", 4), colour::Red);
        QCOMPARE(p.lamp(p.feedback, "RM_Anz", 5), colour::Yellow);
        QCOMPARE(p.lamp(p.feedback, "RM_Anz", 6), colour::White);
        QCOMPARE(p.key(p.feedback, "RMChgBut", 4)->toolTip(), QString("Rückm.21 frei aussenden"));
        p.h.ticks(5);
        QVERIFY(p.h.port.written.isEmpty());
    }

    void routeButtonsOfTheLastPage() {
        Panels p;
        auto* list = p.get<QComboBox>(p.memory, "MemNrCo");
        QCOMPARE(list->count(), 13);
        QCOMPARE(list->itemText(0), QString("Fahrstrassen: 1 - 16"));
        QCOMPARE(list->itemText(12), QString("Fahrstrassen: 193 - 208"));
        p.choosePage(list, 12);
        QCOMPARE(p.get<QLabel>(p.memory, "MemAdrBereichTxt")->text(), QString("193 - 208"));
        QPushButton* request = p.key(p.memory, "FSSetBut", 15);
        QPushButton* dissolve = p.key(p.memory, "FSRsBut", 15);
        QCOMPARE(request->toolTip(), QString("Fahrstr. 208 anfordern"));
        QCOMPARE(dissolve->toolTip(), QString("Fahrstr. 208 auflösen"));
        RouteTable& table = p.h.station.routes.table;
        table.setStatus(208, RouteTable::BlockedColumn, true);
        QTest::mouseClick(request, Qt::LeftButton);
        QVERIFY(table.isSet(208, RouteTable::RequestedColumn));
        table.setStatus(208, RouteTable::EstablishedColumn, true);
        QTest::mouseClick(dissolve, Qt::LeftButton);
        QCOMPARE(table.text(208, RouteTable::EstablishedColumn), QString());
    }

    // The engine paints the indicators of the routes on the page shown.
    void routeIndicatorsFollowThePage() {
        Panels p;
        RouteTable& table = p.h.station.routes.table;
        table.setStatus(20, RouteTable::EstablishedColumn, true);
        p.h.tick();
        QCOMPARE(p.lamp(p.memory, "FS_Anz", 3), colour::White);
        p.choosePage(p.get<QComboBox>(p.memory, "MemNrCo"), 1);
        p.h.tick();
        QCOMPARE(p.lamp(p.memory, "FS_Anz", 3), colour::Orange);
    }

    void popupKeepsTheLastFourDigits() {
        Panels p;
        KeyPopup popup(PopupKind::Accessory, p.h.clock, p.h.s.job, p.h.station.routes.table,
                       nullptr);
        popup.startTyping(1);
        QVERIFY(popup.isVisible());
        QTest::keyClicks(&popup, "2345");
        QCOMPARE(popup.label(), QString("2345"));
        popup.startTyping(8);
        QCOMPARE(popup.label(), QString("8"));
        QTest::keyClick(&popup, Qt::Key_Backspace);
        QCOMPARE(popup.label(), QString());
        QTest::keyClick(&popup, Qt::Key_Escape);
        QVERIFY(!popup.isVisible());
        QVERIFY(p.h.s.job.idle());
    }

    // On, and 0.2 s after the on command has gone out, off.
    void accessoryPopupSwitchesOnThenOff_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<QString>("more");
        QTest::addColumn<bool>("byClick");
        QTest::addColumn<QString>("keyName");
        QTest::addColumn<QByteArray>("on");
        QTest::addColumn<QByteArray>("off");
        QTest::newRow("7 R") << 7 << "R" << false << "" << msg("B0 06 10") << msg("B0 06 00");
        QTest::newRow("12 G") << 1 << "2g" << false << "" << msg("B0 0B 30") << msg("B0 0B 20");
        QTest::newRow("2048 clicked red")
            << 2 << "048" << true << "KB_rot" << msg("B0 7F 1F") << msg("B0 7F 0F");
    }
    void accessoryPopupSwitchesOnThenOff() {
        QFETCH(int, first);
        QFETCH(QString, more);
        QFETCH(bool, byClick);
        QFETCH(QString, keyName);
        QFETCH(QByteArray, on);
        QFETCH(QByteArray, off);
        Panels p;
        KeyPopup popup(PopupKind::Accessory, p.h.clock, p.h.s.job, p.h.station.routes.table,
                       nullptr);
        QCOMPARE(popup.objectName(), QString("Taste_Wadr"));
        QCOMPARE(popup.windowTitle(), QString("Weiche schalten"));
        popup.startTyping(first);
        QTest::keyClicks(&popup, more);
        if (byClick)
            QTest::mouseClick(popup.findChild<QPushButton*>(keyName), Qt::LeftButton);
        QVERIFY(!popup.isVisible());
        QCOMPARE(hexText(p.nextWritten(popup)), hexText(on));
        const double sent = p.h.clock.now();
        p.h.receiveBytes(on);
        QCOMPARE(hexText(p.nextWritten(popup)), hexText(off));
        const double held = p.h.clock.now() - sent;
        QVERIFY2(held > 0.2 && held < 0.25, qPrintable(QString::number(held)));
        p.h.receiveBytes(off);
        QVERIFY(p.nextWritten(popup).isEmpty());
    }

    void feedbackPopupReportsTheContact_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("5 f: free") << "f" << msg("B2 02 40");
        QTest::newRow("5 b: occupied") << "b" << msg("B2 02 50");
    }
    void feedbackPopupReportsTheContact() {
        QFETCH(QString, keys);
        QFETCH(QByteArray, wire);
        Panels p;
        KeyPopup popup(PopupKind::Feedback, p.h.clock, p.h.s.job, p.h.station.routes.table,
                       nullptr);
        QCOMPARE(popup.windowTitle(), QString("Rückmeldung"));
        popup.startTyping(5);
        QTest::keyClicks(&popup, keys);
        QVERIFY(!popup.isVisible());
        QCOMPARE(hexText(p.h.echoNext()), hexText(wire));
    }

    void routePopupBeyondTheTableDoesNothing() {
        Panels p;
        RouteTable& table = p.h.station.routes.table;
        QSignalSpy changes(&table, &RouteTable::cellChanged);
        KeyPopup popup(PopupKind::Route, p.h.clock, p.h.s.job, table, nullptr);
        QCOMPARE(popup.windowTitle(), QString("Fahrstraße"));
        popup.startTyping(2);
        QTest::keyClicks(&popup, "09");
        QCOMPARE(popup.findChild<QLabel*>("Fadr")->text(), QString("209"));
        QTest::keyClick(&popup, Qt::Key_F);
        QVERIFY(!popup.isVisible());
        QCOMPARE(changes.count(), 0);
        popup.startTyping(2);
        QTest::keyClicks(&popup, "08f");
        QVERIFY(table.isSet(208, RouteTable::RequestedColumn));
    }
};

QTEST_MAIN(KeyboardTest)
#include "tst_keyboard.moc"
