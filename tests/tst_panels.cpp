#include "link/JobRequest.h"
#include "operating/panels/KeyPopupLogic.h"
#include "operating/panels/KeyboardPage.h"
#include "operating/panels/MainKeyMap.h"
#include "operating/panels/PanelTexts.h"
#include "operating/panels/SwitchSequence.h"
#include "support/LinkHarness.h"

#include <QTest>

Q_DECLARE_METATYPE(MainKey)

namespace {
using Keys = QList<int>;
} // namespace

class PanelsTest : public QObject {
    Q_OBJECT

private slots:
    void pageLists_data() {
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::newRow("keyboard") << panel::keyboardPageEntries() << 128
                                  << "Keyboard 1 Adr.: 1 - 16"
                                  << "Keyboard 128 Adr.: 2033 - 2048";
        QTest::newRow("feedback") << panel::feedbackPageEntries() << 128 << "Rückmelder: 1 - 16"
                                  << "Rückmelder: 2033 - 2048";
        QTest::newRow("routes, 209 rows")
            << panel::routePageEntries(209) << 13 << "Fahrstrassen: 1 - 16"
            << "Fahrstrassen: 193 - 208";
        QTest::newRow("routes, 32 rows")
            << panel::routePageEntries(32) << 2 << "Fahrstrassen: 1 - 16"
            << "Fahrstrassen: 17 - 32";
    }
    void pageLists() {
        QFETCH(QStringList, entries);
        QFETCH(int, count);
        QFETCH(QString, first);
        QFETCH(QString, last);
        QCOMPARE(entries.size(), count);
        QCOMPARE(entries.first(), first);
        QCOMPARE(entries.last(), last);
    }

    void aTableOfLessThanSixteenRowsHasNoPage() { QVERIFY(panel::routePageEntries(15).isEmpty()); }

    // Another page asks for its 16 states; the page shown asks for nothing.
    void keyboardPageQueriesOnlyANewPage() {
        LinkHarness h;
        KeyboardPage keyboard(h.s);
        QVERIFY(!keyboard.select(0));
        QVERIFY(h.s.job.idle());
        QVERIFY(keyboard.select(2));
        QCOMPARE(h.s.KeyboardBase, 32);
        QCOMPARE(h.s.job.JobCode, 1);
        QCOMPARE(h.s.job.JobCounter, 31);
        h.s.job = JobRequest{};
        QVERIFY(!keyboard.select(2));
        QVERIFY(!keyboard.select(-1));
        QVERIFY(!keyboard.select(128));
        QCOMPARE(h.s.KeyboardBase, 32);
        QVERIFY(h.s.job.idle());
    }

    void addressLabel_data() {
        QTest::addColumn<int>("opening");
        QTest::addColumn<Keys>("keys");
        QTest::addColumn<QString>("text");
        QTest::newRow("last four digits")
            << 1 << Keys{Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_5} << "2345";
        QTest::newRow("backspace on one digit") << 7 << Keys{Qt::Key_Backspace} << "";
        QTest::newRow("delete the last") << 1 << Keys{Qt::Key_2, Qt::Key_Delete} << "1";
        QTest::newRow("erase when empty") << 3 << Keys{Qt::Key_Backspace, Qt::Key_Backspace} << "";
        QTest::newRow("leading zeros") << 0 << Keys{Qt::Key_0, Qt::Key_7} << "007";
        QTest::newRow("other keys") << 4 << Keys{Qt::Key_X, Qt::Key_Space} << "4";
    }
    void addressLabel() {
        QFETCH(int, opening);
        QFETCH(Keys, keys);
        QFETCH(QString, text);
        LinkHarness h;
        KeyPopupLogic popup(PopupKind::Accessory, h.s.job, h.station.routes.table);
        popup.open(9);
        popup.keyDown(Qt::Key_9);
        popup.open(opening);
        for (int key : keys)
            popup.keyDown(key);
        QCOMPARE(popup.label(), text);
    }

    void popupKeys_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("outcome");
        QTest::addColumn<int>("button");
        using K = KeyPopupLogic::KeyOutcome;
        const int acc = int(PopupKind::Accessory);
        const int fb = int(PopupKind::Feedback);
        const int rt = int(PopupKind::Route);
        QTest::newRow("accessory r") << acc << int(Qt::Key_R) << int(K::Pressed) << 0;
        QTest::newRow("accessory g") << acc << int(Qt::Key_G) << int(K::Pressed) << 1;
        QTest::newRow("accessory f") << acc << int(Qt::Key_F) << int(K::Ignored) << 0;
        QTest::newRow("feedback f") << fb << int(Qt::Key_F) << int(K::Pressed) << 0;
        QTest::newRow("feedback b") << fb << int(Qt::Key_B) << int(K::Pressed) << 1;
        QTest::newRow("feedback r") << fb << int(Qt::Key_R) << int(K::Ignored) << 0;
        QTest::newRow("route f") << rt << int(Qt::Key_F) << int(K::Pressed) << 0;
        QTest::newRow("route l") << rt << int(Qt::Key_L) << int(K::Pressed) << 1;
        QTest::newRow("route g") << rt << int(Qt::Key_G) << int(K::Ignored) << 0;
        QTest::newRow("escape") << rt << int(Qt::Key_Escape) << int(K::Hide) << 0;
    }
    void popupKeys() {
        QFETCH(int, kind);
        QFETCH(int, key);
        QFETCH(int, outcome);
        QFETCH(int, button);
        LinkHarness h;
        KeyPopupLogic popup(PopupKind(kind), h.s.job, h.station.routes.table);
        const KeyPopupLogic::Key result = popup.keyDown(key);
        QCOMPARE(int(result.outcome), outcome);
        if (result.outcome == KeyPopupLogic::KeyOutcome::Pressed)
            QCOMPARE(int(result.button), button);
    }

    // What a popup key does with the number typed: code -1 writes no job.
    void popupActions_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("counter");
        const int acc = int(PopupKind::Accessory);
        const int fb = int(PopupKind::Feedback);
        QTest::newRow("accessory 1 red") << acc << "1" << 0 << 18 << 0;
        QTest::newRow("accessory 2048 green") << acc << "2048" << 1 << 19 << 2047;
        QTest::newRow("accessory 2049") << acc << "2049" << 0 << -1 << 0;
        QTest::newRow("accessory 0") << acc << "0" << 1 << -1 << 0;
        QTest::newRow("accessory erased") << acc << "" << 0 << -1 << 0;
        QTest::newRow("contact 5 free") << fb << "5" << 0 << 20 << 4;
        QTest::newRow("contact 5 occupied") << fb << "5" << 1 << 21 << 4;
        QTest::newRow("contact 2048") << fb << "2048" << 1 << 21 << 2047;
        QTest::newRow("contact 2049") << fb << "2049" << 1 << -1 << 0;
    }
    void popupActions() {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(int, button);
        QFETCH(int, code);
        QFETCH(int, counter);
        LinkHarness h;
        KeyPopupLogic popup(PopupKind(kind), h.s.job, h.station.routes.table);
        typeInto(popup, typed);
        popup.press(KeyPopupLogic::Button(button));
        if (code == -1) {
            QVERIFY(h.s.job.idle());
            QVERIFY(!popup.switching());
            return;
        }
        QCOMPARE(h.s.job.JobCode, code);
        QCOMPARE(h.s.job.JobCounter, counter);
    }

    void routePopup_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cell");
        QTest::newRow("request 208") << "208" << 0 << 208 << 2 << " ";
        QTest::newRow("dissolve 1") << "1" << 1 << 1 << 1 << "";
        QTest::newRow("request 209") << "209" << 0 << 0 << 0 << "";
        QTest::newRow("request 0") << "0" << 0 << 0 << 0 << "";
    }
    void routePopup() {
        QFETCH(QString, typed);
        QFETCH(int, button);
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(QString, cell);
        LinkHarness h;
        RouteTable& table = h.station.routes.table;
        for (int r = 1; r < RouteTable::RowCount; ++r)
            table.setStatus(r, RouteTable::EstablishedColumn, true);
        QList<std::pair<int, int>> changed;
        connect(&table, &RouteTable::cellChanged, this, [&changed](int r, int c) {
            changed.append({r, c});
        });
        KeyPopupLogic popup(PopupKind::Route, h.s.job, table);
        typeInto(popup, typed);
        popup.press(KeyPopupLogic::Button(button));
        if (row == 0) {
            QVERIFY(changed.isEmpty());
            return;
        }
        QCOMPARE(changed, (QList<std::pair<int, int>>{{row, column}}));
        QCOMPARE(table.text(row, column), cell);
        QVERIFY(h.s.job.idle());
    }

    // On, and 0.2 s after the on-job has ended, off; a second accessory
    // waits until the first one's off has been taken.
    void switchSequence() {
        JobRequest job;
        SwitchSequence sequence(job);
        sequence.add(6, false);
        QCOMPARE(job.JobCode, 18);
        QCOMPARE(job.JobCounter, 6);
        sequence.add(9, true);
        double now = 10.0;
        sequence.step(now);
        QCOMPARE(job.JobCode, 18);
        job = JobRequest{}; // the job machine is done with it
        sequence.step(now);
        sequence.step(now + 0.19);
        QVERIFY(job.idle());
        sequence.step(now + 0.201);
        QCOMPARE(job.JobCode, 16);
        QCOMPARE(job.JobCounter, 6);
        sequence.step(now + 5);
        QCOMPARE(job.JobCode, 16);
        job = JobRequest{};
        sequence.step(now + 5);
        QCOMPARE(job.JobCode, 19);
        QCOMPARE(job.JobCounter, 9);
        job = JobRequest{};
        now = 20.0;
        sequence.step(now);
        sequence.step(now + 0.201);
        QCOMPARE(job.JobCode, 17);
        QVERIFY(!sequence.idle());
        job = JobRequest{};
        sequence.step(now + 0.21);
        QVERIFY(sequence.idle());
        QVERIFY(job.idle());
    }

    void mainKeys_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("loco");
        QTest::addColumn<MainKey>("expected");
        const auto row = [](const char* name, int tab, int key, bool loco, MainKey expected) {
            QTest::newRow(name) << tab << key << loco << expected;
        };
        row("pause", 0, Qt::Key_Pause, true, {MainKey::PowerButton});
        row("esc: light", 1, Qt::Key_Escape, true, {MainKey::Function, 0});
        row("F1", 0, Qt::Key_F1, true, {MainKey::Function, 1});
        row("F12", 1, Qt::Key_F12, true, {MainKey::Function, 12});
        row("minus: forward", 0, Qt::Key_Minus, true, {MainKey::SetDirection, 0});
        row("less: backward", 0, Qt::Key_Less, true, {MainKey::SetDirection, 1});
        row("backspace", 1, Qt::Key_Backspace, true, {MainKey::ChangeDirection});
        row("0", 0, Qt::Key_0, true, {MainKey::SpeedDigit, 0});
        row("9", 1, Qt::Key_9, true, {MainKey::SpeedDigit, 9});
        row("A", 0, Qt::Key_A, true, {MainKey::FocusAddress});
        row("T", 1, Qt::Key_T, true, {MainKey::NextTab, 2});
        row("other letter", 0, Qt::Key_X, true, {});
        row("no loco: A", 1, Qt::Key_A, false, {MainKey::FocusAddress});
        row("no loco: T", 0, Qt::Key_T, false, {MainKey::NextTab, 1});
        row("no loco: digit", 1, Qt::Key_5, false, {});
        row("no loco: F1", 0, Qt::Key_F1, false, {});
        row("no loco: pause", 0, Qt::Key_Pause, false, {});
        row("keyboard digit", 2, Qt::Key_7, false, {MainKey::OpenPopup, 7});
        row("feedback digit", 3, Qt::Key_0, false, {MainKey::OpenPopup, 0});
        row("memory T", 4, Qt::Key_T, false, {MainKey::NextTab, 0});
        row("keyboard A", 2, Qt::Key_A, true, {});
        row("memory F1", 4, Qt::Key_F1, true, {});
    }
    void mainKeys() {
        QFETCH(int, tab);
        QFETCH(int, key);
        QFETCH(bool, loco);
        QFETCH(MainKey, expected);
        const MainKey result = mainKeyDown(tab, key, loco);
        QCOMPARE(int(result.action), int(expected.action));
        QCOMPARE(result.value, expected.value);
    }

private:
    static void typeInto(KeyPopupLogic& popup, const QString& digits) {
        popup.open(0);
        popup.keyDown(Qt::Key_Backspace);
        for (const QChar c : digits)
            popup.keyDown(Qt::Key_0 + c.digitValue());
    }
};

QTEST_GUILESS_MAIN(PanelsTest)
#include "tst_panels.moc"
