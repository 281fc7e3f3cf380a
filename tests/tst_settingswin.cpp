#include "settings/SettingsJobs.h"
#include "settings/ui/Grundeinst.h"
#include "settings/ui/Lokeinst.h"
#include "settings/ui/Reset.h"
#include "settings/ui/SOWin.h"
#include "settings/ui/Version.h"
#include "support/LinkHarness.h"
#include "support/SimRig.h"
#include "support/Widgets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

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

Q_DECLARE_METATYPE(Qt::CheckState)

class SettingsWindowsTest : public QObject {
    Q_OBJECT

private slots:
    // --- Sonderoptionen ---

    void specialOptionFields_data() {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("buttons"); // r: Lesen, w: Schreiben
        QTest::addColumn<QString>("red");     // the field painted red
        QTest::newRow("first texts") << "1" << QString("-") << QString("r") << "";
        QTest::newRow("both numbers") << "35" << QString("200") << QString("rw") << "";
        QTest::newRow("value 255") << "999" << QString("255") << QString("rw") << "";
        QTest::newRow("value 256") << "35" << QString("256") << QString() << "SO_VAL_TXT";
        QTest::newRow("letter in value") << "35" << QString("12a") << QString() << "SO_VAL_TXT";
        QTest::newRow("value empty") << "35" << QString() << QString("r") << "";
        QTest::newRow("letter in number") << "3a" << QString("200") << QString() << "SO_NR_TXT";
        QTest::newRow("number empty") << "" << QString("200") << QString() << "";
        QTest::newRow("number -") << "-" << QString("200") << QString() << "";
    }
    void specialOptionFields() {
        QFETCH(QString, number);
        QFETCH(QString, value);
        QFETCH(QString, buttons);
        QFETCH(QString, red);
        SimBench b;
        SOWin w(b.jobs);
        w.show();
        typeInto(child<QLineEdit>(w, "SO_VAL_TXT"), value);
        typeInto(child<QLineEdit>(w, "SO_NR_TXT"), number);
        for (const char* name : {"SO_NR_TXT", "SO_VAL_TXT"})
            QCOMPARE(isRed(child<QLineEdit>(w, name)), red == name);
        QCOMPARE(child<QPushButton>(w, "rd_so")->isEnabled(), buttons.contains('r'));
        QCOMPARE(child<QPushButton>(w, "wr_so")->isEnabled(), buttons.contains('w'));
    }

    // Written, read back, and forgotten when the window closes.
    void specialOptionIsWrittenAndReadBack() {
        SimBench b;
        SOWin w(b.jobs);
        w.show();
        typeInto(child<QLineEdit>(w, "SO_NR_TXT"), "35");
        typeInto(child<QLineEdit>(w, "SO_VAL_TXT"), "200");
        click(w, "wr_so");
        b.runJob();
        QCOMPARE(b.layout.settings.option(35), 200);
        typeInto(child<QLineEdit>(w, "SO_VAL_TXT"), "-");
        click(w, "rd_so");
        b.runJob();
        QCOMPARE(child<QLineEdit>(w, "SO_VAL_TXT")->text(), QString("200"));
        QVERIFY(b.messages.messages.isEmpty());
        w.close();
        w.show();
        QCOMPARE(shown(w, {"SO_NR_TXT", "SO_VAL_TXT"}), QString("1|-"));
    }

    // --- Grundeinstellungen ---

    // What the window has no entry or state for is shown as nothing, and
    // every value goes back as read.
    void basicSettingsShowWhatTheStationHolds_data() {
        QTest::addColumn<QList<int>>("options"); // 10, 12, 13, 14, 35, 97
        QTest::addColumn<QString>("texts");
        QTest::addColumn<Qt::CheckState>("stop");
        QTest::newRow("known") << QList<int>{6, 1, 3, 200, 12, 0} << "DCC 128|DCC|150|10000|12"
                               << Qt::Checked;
        QTest::newRow("without entry or state")
            << QList<int>{3, 9, 0, 255, 12, 2} << "||0|12750|12" << Qt::PartiallyChecked;
    }
    void basicSettingsShowWhatTheStationHolds() {
        QFETCH(QList<int>, options);
        QFETCH(QString, texts);
        QFETCH(Qt::CheckState, stop);
        SimBench b;
        const QList<int> numbers{10, 12, 13, 14, 35, 97};
        for (int i = 0; i < numbers.size(); ++i)
            b.layout.settings.setOption(numbers[i], options[i]);
        Grundeinst w(b.jobs);
        QVERIFY(!child<QPushButton>(w, "SetModesBut")->isEnabled());
        w.show();
        b.runJob();
        QCOMPARE(
            shown(w, {"LokdatenfCO", "MagdatenfCO", "MagZeitTxt_0", "MagZeitTxt_1", "MagPakTxt"}),
            texts);
        QCOMPARE(child<QCheckBox>(w, "StopModeChk")->checkState(), stop);
        typeInto(child<QLineEdit>(w, "MagPakTxt"), "4");
        click(w, "SetModesBut");
        b.runJob();
        options[4] = 4;
        for (int i = 0; i < numbers.size(); ++i)
            QCOMPARE(b.layout.settings.option(numbers[i]), options[i]);
        QVERIFY(b.messages.messages.isEmpty());
    }

    // What the user changes goes to the station; the rest goes back as read,
    // and the window opened again shows what the station took.
    void basicSettingsAreWritten_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("written");
        QTest::addColumn<QString>("shown"); // a field's text when opened again
        QTest::newRow("125 ms is 2 steps") << "MagZeitTxt_0" << QString("125") << 13 << 2 << "100";
        QTest::newRow("75 ms is 2 steps") << "MagZeitTxt_0" << QString("75") << 13 << 2 << "100";
        QTest::newRow("0 ms") << "MagZeitTxt_1" << QString("0") << 14 << 0 << "0";
        QTest::newRow("9999 ms") << "MagZeitTxt_1" << QString("9999") << 14 << 200 << "10000";
        QTest::newRow("300 packets become 255")
            << "MagPakTxt" << QString("300") << 35 << 255 << "255";
        QTest::newRow("DCC 28") << "LokdatenfCO" << QString("3") << 10 << 4 << "";
        QTest::newRow("DCC 128") << "LokdatenfCO" << QString("4") << 10 << 6 << "";
        QTest::newRow("accessories Motorola") << "MagdatenfCO" << QString("0") << 12 << 0 << "";
        QTest::newRow("STOP box checked") << "StopModeChk" << QString("on") << 97 << 0 << "";
        QTest::newRow("STOP box cleared") << "StopModeChk" << QString("off") << 97 << 1 << "";
    }
    void basicSettingsAreWritten() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(int, option);
        QFETCH(int, written);
        QFETCH(QString, shown);
        SimBench b;
        StationSettings& station = b.layout.settings;
        station.setOption(97, text == "off" ? 0 : 1);
        Grundeinst w(b.jobs);
        w.show();
        b.runJob();
        QLineEdit* edit = w.findChild<QLineEdit*>(field);
        if (edit) {
            typeInto(edit, text);
        } else if (QComboBox* combo = w.findChild<QComboBox*>(field)) {
            combo->setCurrentIndex(text.toInt());
        } else {
            QCheckBox* box = child<QCheckBox>(w, field);
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
            QCOMPARE(box->isChecked(), text == "on");
        }
        click(w, "SetModesBut");
        QVERIFY(!w.isVisible());
        b.runJob();
        QCOMPARE(station.option(option), written);
        QVERIFY(b.messages.messages.isEmpty());
        if (edit) {
            w.show();
            b.runJob();
            QCOMPARE(edit->text(), shown);
        }
    }

    void invalidFieldBlocksWriting_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("red");
        QTest::newRow("letter in packets") << "MagPakTxt" << QString("12a") << true;
        QTest::newRow("letter in a time") << "MagZeitTxt_1" << QString("1x") << true;
        QTest::newRow("empty time") << "MagZeitTxt_0" << QString() << false;
    }
    void invalidFieldBlocksWriting() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, red);
        SimBench b;
        Grundeinst w(b.jobs);
        w.show();
        b.runJob();
        QLineEdit* edit = child<QLineEdit>(w, field);
        QPushButton* apply = child<QPushButton>(w, "SetModesBut");
        typeInto(edit, text);
        QCOMPARE(isRed(edit), red);
        QVERIFY(!apply->isEnabled());
        // Another field changed to a valid text does not unblock this one.
        typeInto(child<QLineEdit>(w, field == "MagPakTxt" ? "MagZeitTxt_0" : "MagPakTxt"), "5");
        QVERIFY(!apply->isEnabled());
        typeInto(edit, "50");
        QVERIFY(!isRed(edit));
        QVERIFY(apply->isEnabled());
    }

    void basicSettingsReadTimeOutLeavesTheFields() {
        SimBench b;
        Grundeinst w(b.jobs);
        w.show();
        b.runJob();
        typeInto(child<QLineEdit>(w, "MagPakTxt"), "7");
        b.layout.faults.answerDelay = 3.0;
        w.present();
        b.runJob();
        QCOMPARE(b.messages.messages, QStringList{"Keine Antwort auf SO-Read erhalten!"});
        QCOMPARE(child<QLineEdit>(w, "MagPakTxt")->text(), QString("7"));
    }

    // --- Lokdatenformat einzeln ---

    // The format shown follows the address typed; a known one can be
    // written.
    void locoFormatFollowsTheAddress() {
        SimBench b;
        b.layout.settings.setFormat(3, {0xD2, 0});
        b.layout.settings.setFormat(4, {0xD1, 0});
        Lokeinst w(b.jobs);
        w.show();
        QLineEdit* address = child<QLineEdit>(w, "LokadrTxt");
        QComboBox* format = child<QComboBox>(w, "LokdatenfCO");
        // An address that is no number is not asked for.
        for (const QString& text : QStringList{"12a", "0", "", "-"}) {
            address->setText(text);
            QCOMPARE(isRed(address), text == "12a");
            QVERIFY(b.core.jobs.idle());
            QCOMPARE(format->currentText(), QString("-"));
            QVERIFY(!child<QPushButton>(w, "SetModeBut")->isEnabled());
        }
        typeInto(address, "4");
        b.runJob();
        QCOMPARE(format->currentText(), QString("-"));
        QVERIFY(!child<QPushButton>(w, "SetModeBut")->isEnabled());
        typeInto(address, "3");
        b.runJob();
        QCOMPARE(format->currentText(), QString("DCC - 28"));
        format->setCurrentIndex(4);
        click(w, "SetModeBut");
        b.runJob();
        QCOMPARE(b.layout.settings.format(3).code, 0xD3);
        QVERIFY(b.messages.messages.isEmpty());
    }

    void cancelledLocoFormatReadIsNotShown() {
        SimBench b;
        Lokeinst w(b.jobs);
        w.show();
        typeInto(child<QLineEdit>(w, "LokadrTxt"), "3");
        click(w, "AbbruchBut");
        QVERIFY(!w.isVisible());
        b.runJob();
        QCOMPARE(child<QComboBox>(w, "LokdatenfCO")->currentText(), QString("-"));
    }

    // --- Version and reset ---

    // A point whatever the locale; a later time-out keeps what was shown.
    void versionIsShownWithAPoint() {
        const QLocale before;
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE(QLocale().decimalPoint(), QString(","));
        SimBench b;
        b.layout.profile.serialNumber = 1234567;
        b.layout.profile.versionThousandths = 1550;
        Version w(b.core.state.answers, b.core.state.hooks, b.core.jobs);
        w.show();
        b.runJob();
        QLocale::setDefault(before);
        QCOMPARE(child<QLabel>(w, "SeriLbl")->text(), QString("1234567"));
        QCOMPARE(child<QLabel>(w, "VersionLbl")->text(), QString("1.550"));
        b.layout.faults.answerDelay = 3.0;
        w.present();
        b.runJob();
        QCOMPARE(b.messages.messages, QStringList{"Keine Antwort Anfrage Seriennummer erhalten!"});
        QCOMPARE(child<QLabel>(w, "VersionLbl")->text(), QString("1.550"));
    }

    void resetWaitsFortyTicks_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("configuration")
            << "KonfBut_0" << msg("ED 0F 01 47 58 18 00 00 00 00 00 00 00 00");
        QTest::newRow("loco formats")
            << "KonfBut_1" << msg("ED 0F 01 47 58 18 00 01 00 00 00 00 00 00");
    }
    void resetWaitsFortyTicks() {
        QFETCH(QString, button);
        QFETCH(QByteArray, wire);
        LinkHarness h;
        Reset w(h.core.settings);
        w.show();
        QLabel* label = child<QLabel>(w, "WartenLbl");
        QVERIFY(!label->isVisible());
        click(w, button);
        for (int i = 0; i < 3; ++i)
            QVERIFY(!child<QPushButton>(w, QString("KonfBut_%1").arg(i))->isVisible());
        QCOMPARE(hexText(h.echoNext()), hexText(wire));
        bool wasRed = false;
        bool wasBlack = false;
        for (int tick = 1; tick < ResetWait::Ticks; ++tick) {
            w.waitTick();
            h.clock.advance(ResetWait::TickMs / 1000.0);
            QVERIFY(label->isVisible());
            (isRed(label, QPalette::WindowText) ? wasRed : wasBlack) = true;
            QVERIFY2(!child<QPushButton>(w, "KonfBut_2")->isVisible(),
                     qPrintable(QString::number(tick)));
        }
        QVERIFY(wasRed && wasBlack);
        w.waitTick();
        for (int i = 0; i < 3; ++i)
            QVERIFY(child<QPushButton>(w, QString("KonfBut_%1").arg(i))->isVisible());
        QVERIFY(!label->isVisible());
        QVERIFY(!w.findChild<QTimer*>("TimerWarten")->isActive());
    }
};

QTEST_MAIN(SettingsWindowsTest)
#include "tst_settingswin.moc"
