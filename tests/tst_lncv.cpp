#include "programming/lncv/LNProg.h"
#include "programming/lncv/LncvFields.h"
#include "programming/lncv/LncvJobs.h"
#include "support/LinkHarness.h"
#include "support/LncvMessages.h"
#include "support/SimRig.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
// The program, the LNCV jobs and the module programming window.
struct LncvRig {
    LinkHarness h;
    LncvJobs jobs{h.s, h.station.jobs};
    LNProg window{jobs};

    LncvRig() { window.show(); }

    QLineEdit* field(const char* name) { return window.findChild<QLineEdit*>(name); }
    QPushButton* button(const char* name) { return window.findChild<QPushButton*>(name); }
    void type(const char* name, const QString& text) {
        field(name)->selectAll();
        QTest::keyClicks(field(name), text);
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // Which of starten, beenden, Lesen, Programmieren can be pressed.
    QString usable() {
        QString s;
        for (const char* name : {"StartBut", "EndBut", "Rd_lncvBut", "WR_lncvBut"})
            s += button(name)->isEnabled() ? '1' : '0';
        return s;
    }
    // Starts module 12340 at address 1; it answers with LNCV 0.
    void startModule() {
        type("LNArtNrTxt", "12340");
        type("LNModAdrTxt", "1");
        click("StartBut");
        h.echoNext();
        h.receiveBytes(moduleAnswer(1234, 0, 1, 0x80));
        h.ticks(3);
    }
};

// Starts job 61, 63 or 64 with these operands.
void startJob(LncvJobs& jobs, int job, const LncvOperands& o) {
    if (job == LncvJobs::StartJob)
        jobs.startProgramming(o.article, o.value);
    else if (job == LncvJobs::ReadJob)
        jobs.read(o.article, o.number);
    else
        jobs.write(o);
}
} // namespace

class LncvTest : public QObject {
    Q_OBJECT

private slots:
    void articleGoesOnTheWireAsATenth_data() {
        QTest::addColumn<int>("articleNumber");
        QTest::addColumn<int>("wire");
        QTest::newRow("12340") << 12340 << 1234;
        QTest::newRow("half to even, down") << 12345 << 1234;
        QTest::newRow("half to even, up") << 12355 << 1236;
        QTest::newRow("below half") << 12344 << 1234;
        QTest::newRow("above half") << 12346 << 1235;
        QTest::newRow("5") << 5 << 0;
        QTest::newRow("15") << 15 << 2;
        QTest::newRow("largest") << 655354 << 65535;
    }
    void articleGoesOnTheWireAsATenth() {
        QFETCH(int, articleNumber);
        QFETCH(int, wire);
        QCOMPARE(lncvArticleOf(articleNumber), wire);
    }

    void fieldsHoldOnlyDefinedNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("number"); // -1 = none
        QTest::addColumn<bool>("black");
        QTest::newRow("placeholder") << "-" << -1 << true;
        QTest::newRow("empty") << "" << -1 << true;
        QTest::newRow("zero") << "0" << 0 << true;
        QTest::newRow("largest") << "65535" << 65535 << true;
        QTest::newRow("too large") << "65536" << -1 << false;
        QTest::newRow("many digits") << "123456789012" << -1 << false;
        QTest::newRow("letters") << "12a" << -1 << false;
        QTest::newRow("blank") << " 1" << -1 << false;
        QTest::newRow("minus") << "-1" << -1 << false;
    }
    void fieldsHoldOnlyDefinedNumbers() {
        QFETCH(QString, text);
        QFETCH(int, number);
        QFETCH(bool, black);
        const auto n = fieldNumber(text, LncvMax);
        QCOMPARE(n.value_or(-1), number);
        QCOMPARE(fieldLooksRight(text, n), black);
    }

    void requests_data() {
        QTest::addColumn<int>("job");
        QTest::addColumn<int>("article");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("read LNCV 2 of 1234")
            << 63 << 1234 << 2 << 0 << msg("ED 0F 01 05 00 21 01 52 04 02 00 00 00 00");
        QTest::newRow("start 1234 at address 1")
            << 61 << 1234 << 0 << 1 << msg("ED 0F 01 05 00 21 41 52 04 00 00 01 00 00");
        QTest::newRow("start any module of 1236")
            << 61 << 1236 << 0 << 65535 << msg("ED 0F 01 05 00 21 71 54 04 00 00 7F 7F 00");
        QTest::newRow("write 300 to LNCV 1000")
            << 64 << 1234 << 1000 << 300 << msg("ED 0F 01 05 00 20 05 52 04 68 03 2C 01 00");
        QTest::newRow("write 65535 to LNCV 0")
            << 64 << 4750 << 0 << 65535 << msg("ED 0F 01 05 00 20 31 0E 12 00 00 7F 7F 00");
    }
    void requests() {
        QFETCH(int, job);
        QFETCH(int, article);
        QFETCH(int, number);
        QFETCH(int, value);
        QFETCH(QByteArray, wire);
        LinkHarness h;
        LncvJobs jobs(h.s, h.station.jobs);
        startJob(jobs, job, {article, number, value});
        QCOMPARE(hexText(h.nextWritten()), hexText(wire));
    }

    // The end request goes to the module started last, whatever the window
    // or a handheld throttle asked for since, and waits for nothing.
    void endAddressesTheStartedModule() {
        LinkHarness h;
        LncvJobs jobs(h.s, h.station.jobs);
        jobs.startProgramming(1234, 7);
        h.echoNext();
        h.receiveBytes(moduleAnswer(1234, 0, 7, 0x80));
        h.ticks(3);
        jobs.write({4750, 10, 3});
        h.echoNext();
        h.receive("B4 6D 7F");
        h.ticks(3);
        jobs.endProgramming();
        QCOMPARE(hexText(h.echoNext()), hexText(msg("ED 0F 01 05 00 21 01 52 04 00 00 07 00 40")));
        h.tick();
        QVERIFY(h.s.job.idle());
        h.clock.advance(5);
        h.ticks(3);
        QVERIFY(h.messages.messages.isEmpty());
    }

    void programmingSessionInTheWindow() {
        LncvRig r;
        QCOMPARE(r.usable(), QString("0000"));
        r.type("LNArtNrTxt", "12340");
        QCOMPARE(r.usable(), QString("0000"));
        r.type("LNModAdrTxt", "1");
        QCOMPARE(r.usable(), QString("1000"));

        r.click("StartBut");
        QCOMPARE(hexText(r.h.echoNext()),
                 hexText(msg("ED 0F 01 05 00 21 41 52 04 00 00 01 00 00")));
        r.h.ticks(3);
        QCOMPARE(r.usable(), QString("1000"));
        r.h.receiveBytes(moduleAnswer(1234, 0, 1, 0x80));
        r.h.ticks(2);
        QCOMPARE(r.usable(), QString("0111"));
        QCOMPARE(r.field("LNCV_NR_TXT")->text(), QString("0"));
        QCOMPARE(r.field("LNCV_VAL_TXT")->text(), QString("1"));

        r.type("LNCV_NR_TXT", "2");
        r.click("Rd_lncvBut");
        QCOMPARE(hexText(r.h.echoNext()),
                 hexText(msg("ED 0F 01 05 00 21 01 52 04 02 00 00 00 00")));
        r.h.receiveBytes(moduleAnswer(1234, 2, 555));
        r.h.ticks(2);
        QCOMPARE(r.field("LNCV_NR_TXT")->text(), QString("2"));
        QCOMPARE(r.field("LNCV_VAL_TXT")->text(), QString("555"));
        QVERIFY(r.h.s.job.idle());

        r.click("EndBut");
        QCOMPARE(r.usable(), QString("1000"));
        QCOMPARE(hexText(r.h.echoNext()),
                 hexText(msg("ED 0F 01 05 00 21 01 52 04 00 00 01 00 40")));
        QVERIFY(r.h.messages.messages.isEmpty());
    }

    // "-", an empty field or text that is no number never reaches the wire.
    void fieldsWithoutANumberSendNothing_data() {
        QTest::addColumn<QString>("article");
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("red");
        QTest::newRow("placeholders") << "-"
                                      << "-" << false;
        QTest::newRow("no module address") << "12340"
                                           << "" << false;
        QTest::newRow("letters") << "12340"
                                 << "1x" << true;
        QTest::newRow("article too large") << "655355"
                                           << "1" << true;
    }
    void fieldsWithoutANumberSendNothing() {
        QFETCH(QString, article);
        QFETCH(QString, address);
        QFETCH(bool, red);
        LncvRig r;
        r.field("LNArtNrTxt")->setText(article);
        r.field("LNModAdrTxt")->setText(address);
        QVERIFY(!r.button("StartBut")->isEnabled());
        r.click("StartBut");
        r.h.ticks(5);
        QVERIFY(r.h.port.written.isEmpty());
        const bool painted = r.field("LNArtNrTxt")->palette().color(QPalette::Text) == Qt::red ||
                             r.field("LNModAdrTxt")->palette().color(QPalette::Text) == Qt::red;
        QCOMPARE(painted, red);
    }

    void writingLncv0ChangesTheModuleAddress() {
        LncvRig r;
        r.startModule();
        r.type("LNCV_NR_TXT", "0");
        r.type("LNCV_VAL_TXT", "300");
        r.click("WR_lncvBut");
        QCOMPARE(r.field("LNModAdrTxt")->text(), QString("300"));
        QCOMPARE(hexText(r.h.echoNext()),
                 hexText(msg("ED 0F 01 05 00 20 01 52 04 00 00 2C 01 00")));
        r.h.receive("B4 6D 7F");
        r.h.ticks(2);
        r.click("EndBut");
        QCOMPARE(hexText(r.h.echoNext()),
                 hexText(msg("ED 0F 01 05 00 21 01 52 04 00 00 2C 01 40")));
    }

    void writingAnLncvNeedsAValue() {
        LncvRig r;
        r.startModule();
        r.type("LNCV_VAL_TXT", "70000");
        QCOMPARE(r.usable(), QString("0110"));
        QCOMPARE(r.field("LNCV_VAL_TXT")->palette().color(QPalette::Text), QColor(Qt::red));
    }

    // Reopened, the window shows the module started last, outside its
    // programming mode.
    void reopeningShowsTheModuleStartedLast() {
        LncvRig r;
        r.type("LNArtNrTxt", "12345");
        r.startModule();
        r.window.close();
        QVERIFY(!r.window.isVisible());
        r.field("LNArtNrTxt")->setText("-");
        r.window.show();
        QCOMPARE(r.field("LNArtNrTxt")->text(), QString("12340"));
        QCOMPARE(r.field("LNModAdrTxt")->text(), QString("1"));
        QCOMPARE(r.usable(), QString("1000"));
        r.h.ticks(5);
        QVERIFY(r.h.port.written.isEmpty());
    }

    void writeAcknowledgements_data() {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        QTest::newRow("accepted") << 0x7F << "";
        QTest::newRow("0") << 0 << "LNCV-Schreiben: fehlerhaft";
        QTest::newRow("1") << 1 << "LNCV-Schreiben: LNCV nicht vorhanden";
        QTest::newRow("2") << 2 << "LNCV-Schreiben: LNCV schreibgeschützt";
        QTest::newRow("3") << 3 << "LNCV-Schreiben: Wert nicht gültig";
        QTest::newRow("other") << 0x40 << "";
    }
    void writeAcknowledgements() {
        QFETCH(int, code);
        QFETCH(QString, message);
        LinkHarness h;
        LncvJobs jobs(h.s, h.station.jobs);
        jobs.write({1234, 3, 5});
        h.echoNext();
        h.receiveBytes(msg(qPrintable(QString::asprintf("B4 6D %02X", code))));
        h.ticks(2);
        QVERIFY(h.s.job.idle());
        h.clock.advance(3);
        h.ticks(2);
        QCOMPARE(h.messages.messages, message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(h.messages.titles.first(), QString("Fehler"));
            QCOMPARE(h.messages.icons.first(), MessageIcon::Critical);
        }
    }

    void timeouts_data() {
        QTest::addColumn<int>("job");
        QTest::addColumn<double>("limit");
        QTest::addColumn<QString>("message");
        QTest::newRow("start") << 61 << 1.0 << "Keine Antwort auf LNCV-Lesen erhalten!";
        QTest::newRow("read") << 63 << 1.0 << "Keine Antwort auf LNCV-Lesen erhalten!";
        QTest::newRow("write") << 64 << 2.0 << "Keine Antwort auf LNCV-Schreiben erhalten!";
    }
    void timeouts() {
        QFETCH(int, job);
        QFETCH(double, limit);
        QFETCH(QString, message);
        LinkHarness h;
        LncvJobs jobs(h.s, h.station.jobs);
        startJob(jobs, job, {1234, 2, 3});
        h.echoNext();
        // The request was placed one tick ago.
        const double sent = h.clock.now() - 0.01;
        h.tick();
        h.clock.advance(sent + limit - 0.005 - h.clock.now());
        h.tick();
        QVERIFY(h.messages.messages.isEmpty());
        QCOMPARE(h.s.job.JobCode, job);
        h.clock.advance(0.01);
        h.tick();
        QCOMPARE(h.messages.messages, QStringList{message});
        QCOMPARE(h.messages.titles, QStringList{"Fehler"});
        QVERIFY(h.s.job.idle());
    }

    // The station's refusal is the one message; no time-out follows it.
    void refusedReadEndsTheJob() {
        LinkHarness h;
        LncvJobs jobs(h.s, h.station.jobs);
        jobs.read(1234, 9);
        h.echoNext();
        h.receive("B4 6D 01");
        h.ticks(2);
        QVERIFY(h.s.job.idle());
        h.clock.advance(2);
        h.ticks(2);
        QCOMPARE(h.messages.messages, QStringList{"Fehler: LNCV lesen"});
    }

    void answerWithoutJobUpdatesTheVariables() {
        LncvRig r;
        r.h.receiveBytes(moduleAnswer(1234, 7, 40000));
        r.h.ticks(2);
        QCOMPARE(r.h.s.answers.LncvAnswerArticle, 1234);
        QCOMPARE(r.h.s.answers.LncvNumber, 7);
        QCOMPARE(r.h.s.answers.LncvValue, 40000);
        QCOMPARE(r.field("LNCV_NR_TXT")->text(), QString("1"));
        QVERIFY(r.h.messages.messages.isEmpty());
    }

    // A whole session with a module on the virtual command station.
    void moduleOnTheLayout() {
        SimRig rig;
        LncvModule module;
        module.article = 1234;
        module.lncvs[0].value = 5;
        module.lncvs[2].value = 55;
        module.lncvs[3] = {9, true};
        rig.layout.modules.clear();
        rig.layout.modules.add(module);
        LncvJobs jobs(rig.s, rig.station.jobs);
        LNProg window(jobs);
        window.show();
        const auto type = [&](const char* name, const QString& text) {
            window.findChild<QLineEdit*>(name)->setText(text);
        };
        const auto click = [&](const char* name) {
            QTest::mouseClick(window.findChild<QPushButton*>(name), Qt::LeftButton);
            rig.run(0.5);
        };
        const auto text = [&](const char* name) {
            return window.findChild<QLineEdit*>(name)->text();
        };

        type("LNArtNrTxt", "12340");
        type("LNModAdrTxt", "5");
        click("StartBut");
        QVERIFY(rig.layout.modules.modules().first().programming);
        QVERIFY(window.findChild<QPushButton*>("Rd_lncvBut")->isEnabled());
        QCOMPARE(text("LNCV_VAL_TXT"), QString("5"));

        type("LNCV_NR_TXT", "2");
        click("Rd_lncvBut");
        QCOMPARE(text("LNCV_VAL_TXT"), QString("55"));
        type("LNCV_VAL_TXT", "777");
        click("WR_lncvBut");
        QCOMPARE(rig.layout.modules.modules().first().lncvs[2].value, 777);
        QVERIFY(rig.messages.messages.isEmpty());

        type("LNCV_NR_TXT", "3");
        click("WR_lncvBut");
        type("LNCV_NR_TXT", "4");
        click("Rd_lncvBut");
        rig.run(2);
        QCOMPARE(rig.messages.messages,
                 QStringList({"LNCV-Schreiben: LNCV schreibgeschützt", "Fehler: LNCV lesen"}));

        click("EndBut");
        QVERIFY(!rig.layout.modules.modules().first().programming);
        QVERIFY(window.findChild<QPushButton*>("StartBut")->isEnabled());
    }
};

QTEST_MAIN(LncvTest)
#include "tst_lncv.moc"
