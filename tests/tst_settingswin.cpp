#include "settings/SettingsJobs.h"
#include "settings/ui/Grundeinst.h"
#include "settings/ui/Reset.h"
#include "settings/ui/SOWin.h"
#include "support/LinkHarness.h"
#include "support/SimRig.h"
#include "support/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

// The program on the virtual command station, with its settings jobs.
struct SimBench : SimRig {
    SettingsJobs& jobs = core.settings;

    // Until the job machine is idle again, at most n ticks of 10 ms.
    void runJob(int n = 1000) {
        for (int i = 0; i < n && !core.jobs.idle(); ++i)
            tick();
        tick();
    }
};

// The texts of a window's fields and lists, joined by "|".
QString shown(QWidget& window, const QStringList& names) {
    QStringList texts;
    for (const QString& name : names) {
        if (auto* list = window.findChild<QComboBox*>(name))
            texts.append(list->currentText());
        else
            texts.append(child<QLineEdit>(window, name)->text());
    }
    return texts.join('|');
}

void click(QWidget& window, const QString& name) {
    QPushButton* button = child<QPushButton>(window, name);
    QVERIFY2(button->isEnabled() && button->isVisible(), qPrintable(name));
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

class SettingsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    // Which requests the fields allow (fields in error are red as tst_desktop
    // shows); a value written is read back, and the fields are forgotten
    // when the window closes.
    void specialOptions_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("buttons"); // r: Lesen, w: Programmieren
        QTest::newRow("first texts") << "1" << QString("-") << QString("r");
        QTest::newRow("both numbers") << "35" << QString("200") << QString("rw");
        QTest::newRow("value 255") << "999" << QString("255") << QString("rw");
        QTest::newRow("value 256") << "35" << QString("256") << QString();
        QTest::newRow("letter in number") << "3a" << QString("200") << QString();
        QTest::newRow("number empty") << "" << QString("200") << QString();
    }
    void specialOptions() {
        QFETCH(QString, number);
        QFETCH(QString, value);
        QFETCH(QString, buttons);
        SimBench b;
        SOWin w(b.jobs);
        w.show();
        QLineEdit* valueField = child<QLineEdit>(w, "SO_VAL_TXT");
        typeInto(valueField, value);
        typeInto(child<QLineEdit>(w, "SO_NR_TXT"), number);
        QCOMPARE(child<QPushButton>(w, "rd_so")->isEnabled(), buttons.contains('r'));
        QCOMPARE(child<QPushButton>(w, "wr_so")->isEnabled(), buttons.contains('w'));
        if (buttons.contains('w')) {
            click(w, "wr_so");
            b.runJob();
            QCOMPARE(b.layout.settings.option(number.toInt()), value.toInt());
            typeInto(valueField, "-");
            click(w, "rd_so");
            b.runJob();
            QCOMPARE(valueField->text(), value);
            QVERIFY(b.messages.messages.isEmpty());
        }
        w.close();
        w.show();
        QCOMPARE(shown(w, {"SO_NR_TXT", "SO_VAL_TXT"}), QString("1|-"));
    }

    // The window shows what the station holds, nothing where it has no entry
    // or state for it. What the user changes goes to the station, the rest
    // goes back as read, and the window opened again shows what the station
    // took. A field in error blocks writing until it is mended, whatever
    // else is changed. Edits: field=text, or a check box clicked; options:
    // 10, 12, 13, 14, 35, 97; written: none while blocked.
    void basicSettings_data() {
        QTest::addColumn<QList<int>>("options");
        QTest::addColumn<QStringList>("edits");
        QTest::addColumn<QList<int>>("written");
        QTest::addColumn<QString>("reopened"); // what the window shows then
        const QList<int> known{6, 1, 3, 100, 12, 0};
        // From the known settings, option i written as value and shown as text.
        const auto row = [&known](const char* name, const QStringList& edits, int i, int value,
                                  const QString& text) {
            QList<int> written = known;
            QStringList shown = QString("DCC 128|DCC|150|5000|12|an").split('|');
            written[i] = value;
            shown[i] = text;
            QTest::newRow(name) << known << edits << written << shown.join('|');
        };
        row("known", {"MagPakTxt=4"}, 4, 4, "4");
        QTest::newRow("without entry or state")
            << QList<int>{3, 9, 0, 255, 12, 2} << QStringList{"MagPakTxt=4"}
            << QList<int>{3, 9, 0, 255, 4, 2} << "||0|12750|4|?";
        row("125 ms is 2 steps", {"MagZeitTxt_0=125"}, 2, 2, "100");
        row("9999 ms", {"MagZeitTxt_1=9999"}, 3, 200, "10000");
        row("300 packets become 255", {"MagPakTxt=300"}, 4, 255, "255");
        row("DCC 28", {"LokdatenfCO=3"}, 0, 4, "DCC 28");
        row("STOP box cleared", {"StopModeChk"}, 5, 1, "aus");
        QTest::newRow("STOP box checked")
            << QList<int>{4, 1, 3, 100, 12, 1} << QStringList{"StopModeChk", "LokdatenfCO=4"}
            << known << "DCC 128|DCC|150|5000|12|an";
        QTest::newRow("letter in packets")
            << known << QStringList{"MagPakTxt=12a", "MagZeitTxt_0=5"} << QList<int>() << "";
        QTest::newRow("empty time") << known << QStringList{"MagZeitTxt_0="} << QList<int>() << "";
        row("time mended", {"MagZeitTxt_0=", "MagZeitTxt_0=50"}, 2, 1, "50");
    }
    void basicSettings() {
        QFETCH(QList<int>, options);
        QFETCH(QStringList, edits);
        QFETCH(QList<int>, written);
        QFETCH(QString, reopened);
        SimBench b;
        const QList<int> numbers{10, 12, 13, 14, 35, 97};
        for (int i = 0; i < numbers.size(); ++i)
            b.layout.settings.setOption(numbers[i], options[i]);
        Grundeinst w(b.jobs);
        auto* apply = child<QPushButton>(w, "SetModesBut");
        QVERIFY(!apply->isEnabled());
        w.show();
        b.runJob();
        for (const QString& edit : edits) {
            const QString name = edit.section('=', 0, 0);
            if (auto* box = w.findChild<QCheckBox*>(name))
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
            else if (auto* list = w.findChild<QComboBox*>(name))
                list->setCurrentIndex(edit.section('=', 1).toInt());
            else
                typeInto(child<QLineEdit>(w, name), edit.section('=', 1));
        }
        QCOMPARE(apply->isEnabled(), !written.isEmpty());
        if (written.isEmpty())
            return;
        click(w, "SetModesBut");
        QVERIFY(!w.isVisible());
        b.runJob();
        for (int i = 0; i < numbers.size(); ++i)
            QCOMPARE(b.layout.settings.option(numbers[i]), written[i]);
        QVERIFY(b.messages.messages.isEmpty());
        w.show();
        b.runJob();
        const QStringList stop{"aus", "?", "an"};
        QCOMPARE(
            shown(w, {"LokdatenfCO", "MagdatenfCO", "MagZeitTxt_0", "MagZeitTxt_1", "MagPakTxt"}) +
                "|" + stop[child<QCheckBox>(w, "StopModeChk")->checkState()],
            reopened);
    }

    void resetWaitsFortyTicks() {
        LinkHarness h;
        Reset w(h.core.settings);
        w.show();
        QLabel* label = child<QLabel>(w, "WartenLbl");
        QVERIFY(!label->isVisible());
        const auto buttons = [&w] {
            QString shown;
            for (const char* name : {"KonfBut_0", "KonfBut_1", "KonfBut_2"})
                shown += child<QPushButton>(w, name)->isVisible() ? '1' : '0';
            return shown;
        };
        click(w, "KonfBut_1");
        QCOMPARE(hexText(h.echoNext()), hexText(msg("ED 0F 01 47 58 18 00 01 00 00 00 00 00 00")));
        for (int tick = 1; tick < ResetWait::Ticks; ++tick) {
            w.waitTick();
            h.clock.advance(ResetWait::TickMs / 1000.0);
            QVERIFY(label->isVisible());
            QCOMPARE(buttons(), QString("000"));
        }
        w.waitTick();
        QCOMPARE(buttons(), QString("111"));
        QVERIFY(!label->isVisible());
    }
};

QTEST_MAIN(SettingsWindowsTest)
#include "tst_settingswin.moc"
