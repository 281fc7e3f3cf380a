#include "programming/lncv/LncvFields.h"
#include "programming/lncv/LncvJobs.h"
#include "programming/lncv/ui/LNProg.h"
#include "support/LinkHarness.h"
#include "support/LncvMessages.h"
#include "support/MessageText.h"
#include "support/SimRig.h"
#include "support/Widgets.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
// The module programming window on the program's own LNCV jobs.
struct LncvWindow {
    SimRig h;
    LNProg window{h.core.lncv};

    LncvWindow() { window.show(); }

    QLineEdit* field(const char* name) { return child<QLineEdit>(window, name); }
    QPushButton* button(const char* name) { return child<QPushButton>(window, name); }
    void type(const char* name, const QString& text) { typeInto(field(name), text); }
    QString text(const char* name) { return field(name)->text(); }
    void press(const char* name) {
        QTest::mouseClick(button(name), Qt::LeftButton);
        h.run(0.5);
    }
    // Which of starten, beenden, Lesen, Programmieren can be pressed.
    QString usable() {
        QString s;
        for (const char* name : {"StartBut", "EndBut", "Rd_lncvBut", "WR_lncvBut"})
            s += button(name)->isEnabled() ? '1' : '0';
        return s;
    }
};

void startJob(LncvJobs& jobs, Job job, const LncvOperands& o) {
    if (job == Job::LncvStart)
        jobs.startProgramming(o.article, o.value);
    else if (job == Job::LncvRead)
        jobs.read(o.article, o.number);
    else
        jobs.write(o);
}
} // namespace

Q_DECLARE_METATYPE(LncvOperands)
Q_DECLARE_METATYPE(Job)

class LncvTest : public QObject {
    Q_OBJECT

private slots:
    // Fields hold only numbers that fit the wire, and paint the rest red;
    // the article goes on it as a tenth, halves rounded to even.
    void fieldsHoldOnlyDefinedNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("onTheWire"); // -1 = none
        QTest::newRow("article, half down") << "12345" << 1234;
        QTest::newRow("article, half up") << "12355" << 1236;
        QTest::newRow("article, largest") << "655354" << 65535;
        QTest::newRow("article, too large") << "655355" << -1;
        QTest::newRow("largest") << "65535" << 65535;
        QTest::newRow("too large") << "65536" << -1;
        QTest::newRow("many digits") << "123456789012" << -1;
        QTest::newRow("blank") << " 1" << -1;
        QTest::newRow("minus") << "-1" << -1;
    }
    void fieldsHoldOnlyDefinedNumbers() {
        QFETCH(QString, text);
        QFETCH(int, onTheWire);
        const bool article = QByteArray(QTest::currentDataTag()).startsWith("article");
        const auto n = article ? fieldArticleNumber(text) : fieldNumber(text, LncvMax);
        QCOMPARE(n ? int(article ? lncvArticleOf(*n) : *n) : -1, onTheWire);
        QCOMPARE(fieldLooksRight(text, n), onTheWire >= 0);
    }

    // The end request goes to the module started last, whatever the window
    // or a handheld throttle asked for since, and waits for nothing.
    void endAddressesTheStartedModule() {
        LinkHarness h;
        LncvJobs& jobs = h.core.lncv;
        jobs.startProgramming(1234, 7);
        h.echoNext();
        h.receiveBytes(moduleAnswer(1234, 0, 7, 0x80));
        h.ticks(3);
        jobs.write({4750, 10, 3});
        h.echoNext();
        h.receive("B4 6D 7F");
        h.ticks(3);
        jobs.endProgramming();
        QCOMPARE(hexText(h.echoNext()), hexText(wire("ED 0F 01 05 00 21 01 52 04 00 00 07 00 40")));
        h.tick();
        QVERIFY(h.core.jobs.idle());
        h.clock.advance(5);
        h.ticks(3);
        QVERIFY(h.messages.messages.isEmpty());
    }

    // A whole session with a module on the virtual command station, worked
    // through the window: the buttons wait for the module's answer, closing
    // leaves the module alone, LNCV 0 moves the module.
    void sessionWithAModuleOnTheLayout() {
        LncvWindow w;
        w.h.layout.modules.clear();
        w.h.layout.modules.add({1234, {{0, {5}}, {2, {55}}}});
        const auto module = [&w] { return w.h.layout.modules.modules().first(); };

        // "-", an empty field or text that is no number never reaches the wire.
        QCOMPARE(w.usable(), QString("0000"));
        w.type("LNArtNrTxt", "12340");
        w.type("LNModAdrTxt", "6");
        QCOMPARE(w.usable(), QString("1000"));
        w.press("StartBut");
        w.h.run(1);
        QCOMPARE(w.usable(), QString("1000"));
        QCOMPARE(w.h.messages.messages, QStringList{"Keine Antwort auf LNCV-Lesen erhalten!"});

        w.type("LNModAdrTxt", "5");
        w.press("StartBut");
        QVERIFY(module().programming);
        QCOMPARE(w.usable(), QString("0111"));
        QCOMPARE(w.text("LNCV_NR_TXT") + '=' + w.text("LNCV_VAL_TXT"), QString("0=5"));

        // Reopened, the window shows the module started last, outside its
        // programming mode, and the module stays in its own.
        w.window.close();
        w.field("LNArtNrTxt")->setText("-");
        w.window.show();
        QCOMPARE(w.text("LNArtNrTxt") + ' ' + w.text("LNModAdrTxt"), QString("12340 5"));
        QCOMPARE(w.usable(), QString("1000"));
        w.h.run(1);
        QVERIFY(module().programming);
        w.press("StartBut");

        w.type("LNCV_NR_TXT", "2");
        w.press("Rd_lncvBut");
        QCOMPARE(w.text("LNCV_VAL_TXT"), QString("55"));
        w.type("LNCV_VAL_TXT", "70000");
        QCOMPARE(w.usable(), QString("0110"));
        w.type("LNCV_VAL_TXT", "777");
        w.press("WR_lncvBut");
        QCOMPARE(module().lncvs[2].value, 777);

        w.type("LNCV_NR_TXT", "0");
        w.type("LNCV_VAL_TXT", "9");
        w.press("WR_lncvBut");
        QCOMPARE(w.text("LNModAdrTxt") + ' ' + QString::number(module().address()), QString("9 9"));
        w.press("EndBut");
        QVERIFY(!module().programming);
        QCOMPARE(w.usable(), QString("1000"));
        QCOMPARE(w.h.messages.messages.size(), 1);
    }

    // Each request on the wire, and the time its answer may take (a write
    // 2 s, the rest 1 s); the station's refusal is the one message, and no
    // time-out follows it.
    void requestsAndTheirAnswers_data() {
        QTest::addColumn<Job>("job");
        QTest::addColumn<LncvOperands>("operands");
        QTest::addColumn<QByteArray>("request"); // empty: not looked at
        QTest::addColumn<int>("answer");         // -1: none
        QTest::addColumn<QStringList>("box");    // title, message
        const auto row = [](const char* name, Job job, LncvOperands o, const char* request,
                            int answer, const QStringList& box) {
            QTest::newRow(name) << job << o << wire(request) << answer << box;
        };
        const QStringList reading{"Fehler", "Keine Antwort auf LNCV-Lesen erhalten!"};
        const QStringList writing{"Fehler", "Keine Antwort auf LNCV-Schreiben erhalten!"};
        const LncvOperands some{1234, 3, 5};
        row("start any module of 1236", Job::LncvStart, {1236, 0, 65535},
            "ED 0F 01 05 00 21 71 54 04 00 00 7F 7F", -1, reading);
        row("read", Job::LncvRead, some, "", -1, reading);
        row("write 300 to LNCV 1000", Job::LncvWrite, {1234, 1000, 300},
            "ED 0F 01 05 00 20 05 52 04 68 03 2C 01", -1, writing);
        row("write 65535 to LNCV 0", Job::LncvWrite, {4750, 0, 65535},
            "ED 0F 01 05 00 20 31 0E 12 00 00 7F 7F", -1, writing);
        row("write refused 0", Job::LncvWrite, some, "", 0,
            {"Fehler", "LNCV-Schreiben: fehlerhaft"});
        row("write, other code", Job::LncvWrite, some, "", 0x40, {});
        row("read refused", Job::LncvRead, some, "", 1, {"LocoNet Fehler", "Fehler: LNCV lesen"});
    }
    void requestsAndTheirAnswers() {
        QFETCH(Job, job);
        QFETCH(LncvOperands, operands);
        QFETCH(QByteArray, request);
        QFETCH(int, answer);
        QFETCH(QStringList, box);
        const double limit = job == Job::LncvWrite ? 2.0 : 1.0;
        LinkHarness h;
        startJob(h.core.lncv, job, operands);
        const QByteArray sent = h.echoNext();
        if (!request.isEmpty())
            QCOMPARE(hexText(sent), hexText(request));
        // The request was placed one tick ago.
        const double placed = h.clock.now() - 0.01;
        if (answer >= 0)
            h.receiveBytes(loconet::withChecksum(hex("B4 6D") + char(answer)));
        h.tick();
        h.clock.advance(placed + limit - 0.005 - h.clock.now());
        h.tick();
        QCOMPARE(h.s.job.JobCode, answer >= 0 ? Job::None : job);
        QCOMPARE(h.messages.titles + h.messages.messages, answer >= 0 ? box : QStringList());
        h.clock.advance(0.01);
        h.tick();
        QCOMPARE(h.messages.titles + h.messages.messages, box);
        QCOMPARE(h.messages.icons, QList<MessageIcon>(box.size() / 2, MessageIcon::Critical));
        QVERIFY(h.core.jobs.idle());
    }
};

QTEST_MAIN(LncvTest)
#include "tst_lncv.moc"
