#include "link/Colours.h"
#include "link/SerialNumberJob.h"
#include "operating/ui/ThrottlePanel.h"
#include "support/MainWinOnLink.h"
#include "support/MessageText.h"

#include <QLineEdit>
#include <QSlider>
#include <QToolButton>

namespace {

// Lamps as letters, light first: Y yellow, W white, . untouched.
QString lampLetters(const ThrottleDisplay& d) {
    QString letters;
    for (const auto& lamp : d.lamps)
        letters += !lamp                     ? u'.'
                   : *lamp == colour::Yellow ? u'Y'
                   : *lamp == colour::White  ? u'W'
                                             : u'?';
    return letters;
}

// Throttle t of the main window.
struct Throttle : MainWinOnLink {
    explicit Throttle(int t = 0, int stationType = 1) : MainWinOnLink(stationType), t(t) {
        showTab(t);
    }

    ThrottlePanel& panel() { return win.throttle(t); }
    QLineEdit* address() { return control<QLineEdit>("LokAdr", t); }
    QSlider* slider() { return control<QSlider>("FSTScroll", t); }
    QString speedStep() { return control<QLabel>("SpeedLbl", t)->text(); }
    int functionLamp(int n) { return lamp("FKT", 13 * t + n); }
    QList<QByteArray> key(Qt::Key k) {
        QTest::keyClick(slider(), k);
        return sent();
    }

    // The user replaces the "-" with an address and presses Enter.
    void typeAddress(const QString& text) {
        QTest::keyClick(address(), Qt::Key_Backspace);
        QTest::keyClicks(address(), text);
        QTest::keyClick(address(), Qt::Key_Return);
    }
    // Locomotive 3: the station hands out slot 5 with these DIRF and SND
    // bytes and reports its format (DCC - 128 by default).
    void acquire(const char* dirF = "20", const char* snd = "00", const char* format = "53") {
        typeAddress("3");
        h.echoNext();
        h.receive(qPrintable(QString("E7 0E 05 03 03 00 %1 07 00 00 %2 00 00").arg(dirF, snd)));
        QCOMPARE(h.echoNext(), msg("ED 0F 01 47 58 0D 00 03 00 00 00 00 00 00"));
        h.receive(qPrintable(QString("E5 0F 00 00 00 0B 04 03 00 %1 00 00 00 00").arg(format)));
        h.ticks(3);
        QVERIFY(h.core.jobs.idle());
    }

    const int t;
};

} // namespace

class ThrottleTest : public QObject {
    Q_OBJECT

private slots:
    // What the user types into the address field: a locomotive request, or
    // nothing whatever the user clicks afterwards.
    void addressField_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("red");
        QTest::addColumn<QByteArray>("request"); // empty: nothing goes out
        QTest::newRow("3") << "3" << false << msg("BF 00 03");
        QTest::newRow("blanks around") << " 44 " << false << msg("BF 00 2C");
        QTest::newRow("highest") << "16383" << false << msg("BF 7F 7F");
        QTest::newRow("blank mark") << "-" << false << QByteArray();
        QTest::newRow("empty") << "" << false << QByteArray();
        QTest::newRow("zero") << "0" << true << QByteArray();
        QTest::newRow("beyond 14 bits") << "16384" << true << QByteArray();
        QTest::newRow("negative") << "-3" << true << QByteArray();
        QTest::newRow("letters after") << "3a" << true << QByteArray();
    }
    void addressField() {
        QFETCH(QString, text);
        QFETCH(bool, red);
        QFETCH(QByteArray, request);
        Throttle w;
        w.typeAddress(text);
        QCOMPARE(w.address()->palette().color(QPalette::Text) == QColor(Qt::red), red);
        if (!request.isEmpty()) {
            QCOMPARE(hexText(w.h.nextWritten()), hexText(request));
            return;
        }
        QTest::keyClick(w.slider(), Qt::Key_Up);
        QCOMPARE(w.slider()->value(), 0);
        for (const char* button : {"FCmd", "DIR", "LokImage"})
            w.click(button, 0);
        QVERIFY(w.quiet());
    }

    // F9 and F10 clicked while another job runs go out as one message with
    // both once that job has ended.
    void functionsClickedDuringAJobAddUp() {
        Throttle w;
        w.acquire("00");
        requestSerialNumberAndVersion(w.h.core.jobs);
        w.h.echoNext();
        w.click("FCmd", 9);
        w.click("FCmd", 10);
        w.h.ticks(10);
        QVERIFY(w.h.port.written.isEmpty());
        w.h.receiveBytes(wire("E5 0F 00 47 58 09 00 12 34 56 78 10"));
        w.h.echoNext();
        w.h.receiveBytes(wire("E5 0F 00 47 58 08 00 50 15"));
        QCOMPARE(w.sent(), QList<QByteArray>{msg("D4 20 05 07 30")});
    }

    // What the throttle shows of a slot: the lamps its format and the
    // station have, the slider and the speed step.
    void display_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("stationType");
        QTest::addColumn<int>("speed");
        QTest::addColumn<QString>("shown"); // lamps, slider, step (-1: label left as it is)
        // DirF 0x15 (light, F1, F3), Snd 0x09 (F5, F8), ExtFn[7] 0x29 (F10),
        // ExtFn[5] 0x10 (F12).
        const auto row = [](const char* name, int format, int type, int speed, const char* shown) {
            QTest::newRow(name) << format << type << speed << QString(shown);
        };
        row("Motorola alt", 192, 1, 64, "Y............ 63 7");
        row("Motorola neu", 193, 1, 0, "YYWYW........ 0 0");
        row("Selectrix", 200, 1, 127, "YY........... 126 31");
        row("FMZ", 216, 1, 0, "YY........... 0 0");
        row("DCC - 28, type 1", 210, 1, 64, "YYWYWYWWY.... 63 14");
        row("DCC - 14, type 2", 208, 2, 64, "YYWYWYWWYWYWY 63 7");
        row("DCC - 128, type 3", 211, 3, 64, "YYWYWYWWYWYWY 63 63");
        row("DCC - 128, emergency stop", 211, 1, 1, "YYWYWYWWY.... 0 0");
        row("DCC - 27, unknown station", 209, 99, 64, "YYWYWYWWY.... 63 14");
        row("unknown format", 205, 2, 64, "Y............ 63 -1");
    }
    void display() {
        QFETCH(int, format);
        QFETCH(int, stationType);
        QFETCH(int, speed);
        QFETCH(QString, shown);
        SlotRecord r;
        r[SlotRecord::DirF] = 0x15;
        r[SlotRecord::Snd] = 0x09;
        r[SlotRecord::Speed] = speed;
        r.ExtFn(7) = 0x29;
        r.ExtFn(5) = 0x10;
        SetFormat(r, format);
        const ThrottleDisplay d = throttleDisplay(r, stationType, SpeedStepTable{});
        QCOMPARE(QString("%1 %2 %3")
                     .arg(lampLetters(d))
                     .arg(d.sliderValue)
                     .arg(d.speedStep.value_or(-1)),
                 shown);
        QCOMPARE(d.look, (LocoLook{true, true, false, false}));
    }

    // The slider's keys send their speeds, never the emergency stop. The
    // program's own slider moves send nothing, and never eat the user's
    // next move, even when the value stayed the same.
    void sliderSendsOnlyTheUsersMoves() {
        Throttle w;
        w.acquire();
        QCOMPARE(w.key(Qt::Key_Up), QList<QByteArray>{msg("A0 05 02")});
        QCOMPARE(w.speedStep(), QString("1"));
        QCOMPARE(w.key(Qt::Key_End), QList<QByteArray>{msg("A0 05 7F")});
        QCOMPARE(w.speedStep(), QString("126"));
        QCOMPARE(w.key(Qt::Key_Home), QList<QByteArray>{msg("A0 05 00")});
        w.h.receive("A0 05 41");
        QVERIFY(w.quiet());
        QCOMPARE(w.slider()->value(), 64);
        QCOMPARE(w.speedStep(), QString("64"));
        w.h.receive("A0 05 41");
        w.h.ticks(3);
        QCOMPARE(w.key(Qt::Key_Up), QList<QByteArray>{msg("A0 05 42")});
    }

    // Each button acts on the state the station reported: a function flips
    // its bit (F9 to F11 and F12 keep the other bits of their last report),
    // a direction stops the locomotive, the picture turns it round.
    void buttons_data() {
        QTest::addColumn<int>("t");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArray>("messages");
        QTest::addColumn<QString>("picture");
        const auto row = [](const char* name, int t, const char* button, const char* messages,
                            const char* picture) {
            QTest::newRow(name) << t << QString(button) << wire(messages) << QString(picture);
        };
        // Reported: backward with F1, F6, ExtFn[7] 0x52 (F6, F9, F11),
        // ExtFn[5] 0x13 (F12 and two bits of others).
        row("Licht", 0, "FCmd_0", "A1 05 31", "Loklrr.bmp");
        row("Licht, second throttle", 1, "FCmd_13", "A1 05 31", "Loklrr.bmp");
        row("F1 off", 0, "FCmd_1", "A1 05 20", "Lokr.bmp");
        row("F5", 0, "FCmd_5", "A2 05 03", "Lokrr.bmp");
        row("F9 off", 0, "FCmd_9", "D4 20 05 07 42", "Lokrr.bmp");
        row("F10", 0, "FCmd_10", "D4 20 05 07 72", "Lokrr.bmp");
        row("F12 off", 0, "FCmd_12", "D4 20 05 05 03", "Lokrr.bmp");
        row("forward", 0, "DIR_0", "A1 05 01 | A0 05 00", "Lokrv.bmp");
        row("backward", 1, "DIR_3", "A1 05 21 | A0 05 00", "Lokrr.bmp");
        row("picture", 0, "LokImage_0", "A1 05 01 | A0 05 00", "Lokrv.bmp");
    }
    void buttons() {
        QFETCH(int, t);
        QFETCH(QString, button);
        QFETCH(QByteArray, messages);
        QFETCH(QString, picture);
        Throttle w(t, 2);
        QCOMPARE(w.panel().shownPicture(), QString("Lok0.bmp"));
        w.acquire("21", "02", "52");
        QCOMPARE(w.h.s.station.ThrottleSlot[t], 5);
        QCOMPARE(w.h.s.station.ThrottleSlot[1 - t], -1);
        QCOMPARE(w.control<QLabel>("ProtLbL", t)->text(), QString("DCC - 28"));
        w.h.receive("D4 20 05 07 52");
        w.h.receive("D4 20 05 05 13");
        QCOMPARE(w.key(Qt::Key_End), QList<QByteArray>{msg("A0 05 7F")});
        QCOMPARE(w.speedStep(), QString("28"));
        const int n = button.startsWith("FCmd") ? button.mid(5).toInt() - 13 * t : -1;
        const int lamp = n >= 0 ? w.functionLamp(n) : 0;
        QTest::mouseClick(w.get<QAbstractButton>(button), Qt::LeftButton);
        QCOMPARE(hexText(w.sent().join()), hexText(messages));
        if (n >= 0)
            QCOMPARE(w.functionLamp(n), lamp == colour::White ? colour::Yellow : colour::White);
        QCOMPARE(w.slider()->value(), n >= 0 ? 126 : 0);
        QCOMPARE(w.panel().shownPicture(), picture);
    }

    // A locomotive the throttle's copy has let go of (a format written
    // meanwhile) is asked for again; its old slot is not driven blindly.
    void forgottenLocomotiveIsAskedForAgain() {
        Throttle w;
        w.acquire();
        w.h.s.station.ThrottleData[0][SlotRecord::Address] = -1;
        QTest::keyClick(w.slider(), Qt::Key_Up);
        QCOMPARE(hexText(w.h.nextWritten()), hexText(msg("BF 00 03")));
    }

    // A key in the address field lets go of the locomotive at once.
    void editingTheAddressBlanksTheThrottle() {
        Throttle w;
        w.acquire();
        w.key(Qt::Key_PageUp);
        QTest::keyClick(w.address(), Qt::Key_4);
        w.panel().focusAddress(); // an address being typed stays
        QCOMPARE(w.address()->text(), QString("34"));
        QCOMPARE(w.h.s.station.ThrottleSlot[0], -1);
        QCOMPARE(w.slider()->value(), 0);
        QCOMPARE(w.speedStep(), QString("-"));
        QCOMPARE(w.panel().shownPicture(), QString("Lok0.bmp"));
        for (int n = 0; n < 13; ++n)
            QCOMPARE(w.functionLamp(n), colour::Grey);
        // The slot reports go on, but the blank throttle shows none of them,
        // not even a free slot's address 0.
        w.h.receive("A0 05 30");
        w.h.receive("E7 0E 06 00 00 00 00 07 00 00 00 00 00");
        QVERIFY(w.quiet());
        QCOMPARE(w.h.s.station.ThrottleSlot[0], -1);
        QCOMPARE(w.slider()->value(), 0);
    }

    // The user moves the slider while the format is still being read; the
    // speed goes out as soon as the loco job is over.
    void sliderMovedDuringTheRequestIsSentAfterwards() {
        Throttle w;
        w.typeAddress("3");
        w.h.echoNext();
        w.h.receive("E7 0E 05 03 03 00 20 07 00 00 00 00 00");
        w.h.echoNext();
        QTest::keyClick(w.slider(), Qt::Key_PageUp);
        w.h.receive("E5 0F 00 00 00 0B 04 03 00 53 00 00 00 00");
        QCOMPARE(w.sent(), QList<QByteArray>{msg("A0 05 0B")});
        QCOMPARE(w.slider()->value(), 10);
    }
};

QTEST_MAIN(ThrottleTest)
#include "tst_throttle.moc"
