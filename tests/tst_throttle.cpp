#include "link/Colours.h"
#include "operating/IndicatorLamp.h"
#include "operating/SpeedGauge.h"
#include "operating/ThrottlePanel.h"
#include "operating/pictures/LocoDrawing.h"
#include "operating/pictures/LocoPictureName.h"
#include "operating/throttle/LocoAddress.h"
#include "support/LinkHarness.h"
#include "support/SimRig.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QSlider>
#include <QTest>
#include <QToolButton>

namespace {

// Lamps as letters, light first: Y yellow, W white, G grey, . untouched.
QString lampLetters(const ThrottleDisplay& d) {
    QString letters;
    for (const auto& lamp : d.lamps) {
        letters += !lamp                     ? u'.'
                   : *lamp == colour::Yellow ? u'Y'
                   : *lamp == colour::White  ? u'W'
                                             : u'?';
    }
    return letters;
}

// Passes the link's throttle refreshes on to the panel, as MainWin does.
struct PanelView : OperatingView {
    ThrottlePanel* panel = nullptr;
    void ShowThrottle(int t) override {
        if (t == panel->throttle())
            panel->ShowThrottle();
    }
    void ShowLocoPicture(int t) override {
        if (t == panel->throttle())
            panel->ShowLocoPicture();
    }
};

// One throttle panel on the program's link, the command station played by
// the test.
struct ThrottleWindow {
    LinkHarness h;
    PanelView view;
    ThrottlePanel panel;

    explicit ThrottleWindow(int t = 0, int stationType = 1) : h(3, stationType), panel(t, h.s) {
        view.panel = &panel;
        h.operating.windows = &view;
        panel.setConfFolder(QStringLiteral(GX_CONF_DIR));
    }

    template <class W> W* control(const char* name, int index) {
        W* w = panel.findChild<W*>(QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index));
        if (!w)
            qFatal("no control %s_%d", name, index);
        return w;
    }
    QLineEdit* address() { return control<QLineEdit>("LokAdr", panel.throttle()); }
    QSlider* slider() { return control<QSlider>("FSTScroll", panel.throttle()); }
    QString speedStep() { return control<QLabel>("SpeedLbl", panel.throttle())->text(); }
    int lamp(int n) { return control<IndicatorLamp>("FKT", 13 * panel.throttle() + n)->colour(); }
    void click(const char* name, int index) {
        QTest::mouseClick(control<QAbstractButton>(name, index), Qt::LeftButton);
    }

    // The user replaces the "-" with an address and presses Enter.
    void typeAddress(const char* text) {
        QTest::keyClick(address(), Qt::Key_Backspace);
        QTest::keyClicks(address(), QString::fromLatin1(text));
        QTest::keyClick(address(), Qt::Key_Return);
    }
    // The station hands out slot 5 for address 3 and reports its format.
    void answerSlotAndFormat(const char* dirF = "20", const char* format = "53") {
        h.receive(qPrintable(QStringLiteral("E7 0E 05 03 03 00 %1 07 00 00 00 00 00").arg(dirF)));
        QCOMPARE(h.echoNext(), msg("ED 0F 01 47 58 0D 00 03 00 00 00 00 00 00"));
        h.receive(
            qPrintable(QStringLiteral("E5 0F 00 00 00 0B 04 03 00 %1 00 00 00 00").arg(format)));
        h.ticks(3);
    }
    // Locomotive 3 in slot 5, DCC - 128, backward, light off.
    void acquire() {
        typeAddress("3");
        h.echoNext();
        answerSlotAndFormat();
        QVERIFY(h.s.job.idle());
    }
    // Echoes what the program sends until its job is over.
    QList<QByteArray> sent() {
        QList<QByteArray> wire;
        for (int i = 0; i < 400 && !h.s.job.idle(); ++i) {
            h.tick();
            if (!h.port.written.isEmpty()) {
                wire.append(h.port.takeWritten());
                h.receiveBytes(wire.last());
            }
        }
        h.ticks(3);
        return wire;
    }
};

} // namespace

class ThrottleTest : public QObject {
    Q_OBJECT

private slots:
    void addressText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("address"); // 0 = none
        QTest::addColumn<bool>("red");
        QTest::newRow("3") << "3" << 3 << false;
        QTest::newRow("blanks around") << " 44 " << 44 << false;
        QTest::newRow("highest") << "16383" << 16383 << false;
        QTest::newRow("blank mark") << "-" << 0 << false;
        QTest::newRow("empty") << "" << 0 << false;
        QTest::newRow("zero") << "0" << 0 << true;
        QTest::newRow("beyond 14 bits") << "16384" << 0 << true;
        QTest::newRow("negative") << "-3" << 0 << true;
        QTest::newRow("fraction") << "3.5" << 0 << true;
        QTest::newRow("letters after") << "3a" << 0 << true;
    }
    void addressText() {
        QFETCH(QString, text);
        QFETCH(int, address);
        QFETCH(bool, red);
        QCOMPARE(locoAddressOf(text).value_or(0), address);
        QCOMPARE(isBadAddressText(text), red);
    }

    void sliderPositionGivesSpeed_data() {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("speed");
        QTest::newRow("0 stops") << 0 << 0;
        QTest::newRow("1 is the slowest, not the emergency stop") << 1 << 2;
        QTest::newRow("63") << 63 << 64;
        QTest::newRow("126 is full speed") << 126 << 127;
    }
    void sliderPositionGivesSpeed() {
        QFETCH(int, position);
        QFETCH(int, speed);
        LinkHarness h;
        ThrottleControl c(1, h.s);
        c.setAddressText(u"44");
        QCOMPARE(c.moveSlider(position), ThrottleControl::SliderOutcome::Sent);
        QCOMPARE(h.s.ThrottleData[1][SlotRecord::Speed], speed);
        QCOMPARE(h.s.job.JobCode, 39);
        QCOMPARE(h.s.job.JobCounter, 44);
        QCOMPARE(h.s.job.JobThrottle, 1);
        QCOMPARE(c.pointerTarget(), position / 126.0);
    }

    // A position set while a loco job is busy is not lost: it goes out once
    // the job is over.
    void sliderWaitsForTheBusyLocoJob() {
        LinkHarness h;
        ThrottleControl c(0, h.s);
        c.setAddressText(u"3");
        h.s.job.start(30, 3);
        h.s.job.LocoJobActive = true;
        QCOMPARE(c.moveSlider(20), ThrottleControl::SliderOutcome::Deferred);
        c.sendDeferredSpeed();
        QCOMPARE(h.s.job.JobCode, 30);
        h.s.job = JobRequest{};
        c.sendDeferredSpeed();
        QCOMPARE(h.s.job.JobCode, 39);
        QCOMPARE(h.s.ThrottleData[0][SlotRecord::Speed], 21);
        QVERIFY(!c.hasDeferredSpeed());

        // A direction change stops the locomotive for good.
        h.s.job.LocoJobActive = true;
        QCOMPARE(c.moveSlider(40), ThrottleControl::SliderOutcome::Deferred);
        c.setDirection(1);
        h.s.job.LocoJobActive = false;
        c.sendDeferredSpeed();
        QCOMPARE(h.s.job.JobCode, 35);
        QCOMPARE(h.s.ThrottleData[0][SlotRecord::Speed], 0);

        // Without an address the slider goes back at once, busy or not.
        h.s.job.LocoJobActive = true;
        c.setAddressText(u"-");
        QCOMPARE(c.moveSlider(40), ThrottleControl::SliderOutcome::NoLocomotive);
        QVERIFY(!c.hasDeferredSpeed());
    }

    void functionBits_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("job");
        QTest::addColumn<int>("dirF");
        QTest::addColumn<int>("snd");
        QTest::addColumn<int>("extFn7");
        QTest::addColumn<int>("extFnType");
        QTest::addColumn<int>("extFnValue");
        // Start: DirF 0x21, Snd 0x02, ExtFn[7] 0x52, ExtFn[5] 0x10.
        QTest::newRow("light") << 0 << 38 << 0x31 << 0x02 << 0x52 << 0 << 0;
        QTest::newRow("F1 off") << 1 << 38 << 0x20 << 0x02 << 0x52 << 0 << 0;
        QTest::newRow("F4") << 4 << 38 << 0x29 << 0x02 << 0x52 << 0 << 0;
        QTest::newRow("F5") << 5 << 37 << 0x21 << 0x03 << 0x53 << 0 << 0;
        QTest::newRow("F6 off") << 6 << 37 << 0x21 << 0x00 << 0x50 << 0 << 0;
        QTest::newRow("F8") << 8 << 37 << 0x21 << 0x0A << 0x5A << 0 << 0;
        QTest::newRow("F9") << 9 << 36 << 0x21 << 0x02 << 0x52 << 7 << 0x42;
        QTest::newRow("F11 off") << 11 << 36 << 0x21 << 0x02 << 0x52 << 7 << 0x12;
        QTest::newRow("F12 off") << 12 << 36 << 0x21 << 0x02 << 0x52 << 5 << 0x00;
    }
    void functionBits() {
        QFETCH(int, n);
        QFETCH(int, job);
        QFETCH(int, dirF);
        QFETCH(int, snd);
        QFETCH(int, extFn7);
        QFETCH(int, extFnType);
        QFETCH(int, extFnValue);
        LinkHarness h;
        ThrottleControl c(0, h.s);
        SlotRecord& r = h.s.ThrottleData[0];
        r[SlotRecord::DirF] = 0x21;
        r[SlotRecord::Snd] = 0x02;
        r.ExtFn(7) = 0x52;
        r.ExtFn(5) = 0x10;
        c.toggleFunction(n);
        QVERIFY(h.s.job.idle()); // no address yet
        c.setAddressText(u"7");
        c.toggleFunction(n);
        QCOMPARE(h.s.job.JobCode, job);
        QCOMPARE(h.s.job.JobCounter, 7);
        QCOMPARE(r[SlotRecord::DirF], dirF);
        QCOMPARE(r[SlotRecord::Snd], snd);
        QCOMPARE(r.ExtFn(7), extFn7);
        QCOMPARE(r.ExtFn(5), 0x10); // F12 changes only when the station reports it
        if (job == 36) {
            QCOMPARE(h.s.job.ExtFnType, extFnType);
            QCOMPARE(h.s.job.ExtFnValue, extFnValue);
        }
    }

    void directionAndDigitSpeeds_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("job");
        QTest::addColumn<int>("dirF");
        QTest::addColumn<int>("speed");
        // Start: DirF 0x31 (backward, light, F1), speed 50.
        QTest::newRow("forward") << "forward" << 35 << 0x11 << 0;
        QTest::newRow("backward") << "backward" << 35 << 0x31 << 0;
        QTest::newRow("change") << "change" << 35 << 0x11 << 0;
        QTest::newRow("picture") << "picture" << 35 << 0x11 << 0;
        const int digitSpeeds[] = {0, 14, 28, 42, 56, 71, 85, 99, 113, 127};
        for (int d = 0; d <= 9; ++d)
            QTest::addRow("digit %d", d) << QString::number(d) << 39 << 0x31 << digitSpeeds[d];
    }
    void directionAndDigitSpeeds() {
        QFETCH(QString, action);
        QFETCH(int, job);
        QFETCH(int, dirF);
        QFETCH(int, speed);
        LinkHarness h;
        ThrottleControl c(0, h.s);
        c.setAddressText(u"3");
        h.s.ThrottleData[0][SlotRecord::DirF] = 0x31;
        h.s.ThrottleData[0][SlotRecord::Speed] = 50;
        if (action == "forward")
            c.setDirection(0);
        else if (action == "backward")
            c.setDirection(1);
        else if (action == "change")
            c.changeDirection();
        else if (action == "picture")
            QVERIFY(c.reverseAndStop());
        else
            c.setSpeedByDigit(action.toInt());
        QCOMPARE(h.s.job.JobCode, job);
        QCOMPARE(h.s.ThrottleData[0][SlotRecord::DirF], dirF);
        QCOMPARE(h.s.ThrottleData[0][SlotRecord::Speed], speed);
    }

    void showThrottleLamps_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("stationType");
        QTest::addColumn<QString>("lamps");
        // DirF 0x15 (light, F1, F3), Snd 0x09 (F5, F8), ExtFn[7] 0x29 (F10),
        // ExtFn[5] 0x10 (F12).
        QTest::newRow("Motorola alt") << 192 << 1 << "Y............";
        QTest::newRow("Motorola neu") << 193 << 1 << "YYWYW........";
        QTest::newRow("Selectrix") << 200 << 1 << "YY...........";
        QTest::newRow("FMZ") << 216 << 1 << "YY...........";
        QTest::newRow("DCC - 28, type 1") << 210 << 1 << "YYWYWYWWY....";
        QTest::newRow("DCC - 14, type 2") << 208 << 2 << "YYWYWYWWYWYWY";
        QTest::newRow("DCC - 128, type 3") << 211 << 3 << "YYWYWYWWYWYWY";
        QTest::newRow("DCC - 27, unknown station") << 209 << 99 << "YYWYWYWWY....";
        QTest::newRow("unknown format") << 205 << 2 << "Y............";
    }
    void showThrottleLamps() {
        QFETCH(int, format);
        QFETCH(int, stationType);
        QFETCH(QString, lamps);
        SlotRecord r;
        r[SlotRecord::DirF] = 0x15;
        r[SlotRecord::Snd] = 0x09;
        r.ExtFn(7) = 0x29;
        r.ExtFn(5) = 0x10;
        SetFormat(r, format);
        const ThrottleDisplay d = throttleDisplay(r, stationType, SpeedStepTable{});
        QCOMPARE(lampLetters(d), lamps);
        QCOMPARE(d.look, (LocoLook{true, true, false, false}));
    }

    void showThrottleSpeed_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("speed");
        QTest::addColumn<int>("slider");
        QTest::addColumn<int>("step"); // -1 = label left as it is
        QTest::addColumn<QString>("name");
        QTest::newRow("DCC - 128 at 64") << 211 << 64 << 63 << 63 << "DCC - 128";
        QTest::newRow("DCC - 28 at 64") << 210 << 64 << 63 << 14 << "DCC - 28";
        QTest::newRow("emergency stop") << 211 << 1 << 0 << 0 << "DCC - 128";
        QTest::newRow("stop") << 193 << 0 << 0 << 0 << "Motorola neu";
        QTest::newRow("full") << 200 << 127 << 126 << 31 << "Selectrix";
        QTest::newRow("unknown format") << 205 << 64 << 63 << -1 << " - ";
    }
    void showThrottleSpeed() {
        QFETCH(int, format);
        QFETCH(int, speed);
        QFETCH(int, slider);
        QFETCH(int, step);
        QFETCH(QString, name);
        SlotRecord r;
        r[SlotRecord::Speed] = speed;
        SetFormat(r, format);
        const ThrottleDisplay d = throttleDisplay(r, 1, SpeedStepTable{});
        QCOMPARE(d.sliderValue, slider);
        QCOMPARE(d.pointerTarget, slider / 126.0);
        QCOMPARE(d.speedStep.value_or(-1), step);
        QCOMPARE(d.formatName, name);
    }

    // A quarter of the remaining way per tick, up and down, never past.
    void pointerEases() {
        GaugePointer p;
        const float up[] = {0.25f, 0.4375f, 0.578125f};
        for (const float expected : up) {
            p.step(1.0);
            QCOMPARE(p.position(), expected);
        }
        for (int i = 0; i < 20; ++i)
            p.step(1.0);
        QVERIFY(p.position() > 0.99f && p.position() <= 1.0f);
        p.step(0.0);
        QVERIFY(p.position() > 0.74f && p.position() < 0.76f);
    }

    void pictureNames_data() {
        QTest::addColumn<int>("bits"); // light, F1, F2, backward; -1 = none
        QTest::addColumn<QString>("name");
        QTest::newRow("no loco") << -1 << "Lok0.bmp";
        QTest::newRow("forward") << 0 << "Lokv.bmp";
        QTest::newRow("backward") << 8 << "Lokr.bmp";
        QTest::newRow("light forward") << 1 << "Loklv.bmp";
        QTest::newRow("F1 backward") << 10 << "Lokrr.bmp";
        QTest::newRow("F2 forward") << 4 << "Lokfv.bmp";
        QTest::newRow("all backward") << 15 << "Loklrfr.bmp";
    }
    void pictureNames() {
        QFETCH(int, bits);
        QFETCH(QString, name);
        const auto look = bits < 0 ? std::nullopt
                                   : std::optional<LocoLook>({(bits & 1) != 0, (bits & 2) != 0,
                                                              (bits & 4) != 0, (bits & 8) != 0});
        QCOMPARE(locoPictureFileName(look), name);
    }

    // The build drew all 17 pictures into the Conf folder.
    void buildDrewThePictures() {
        QSet<QString> names;
        for (const auto& look : allLocoLooks()) {
            const QString name = locoPictureFileName(look);
            names.insert(name);
            const QImage image(QStringLiteral(GX_CONF_DIR "/") + name);
            QCOMPARE(image.size(), LocoPictureSize);
            QCOMPARE(image, drawLocoPicture(look).convertToFormat(image.format()));
        }
        QCOMPARE(names.size(), 17);
    }

    void typingAnAddressRequestsTheLoco_data() {
        QTest::addColumn<int>("stationType");
        QTest::addColumn<QByteArray>("request");
        QTest::newRow("type 1") << 1 << msg("BF 00 03");
        QTest::newRow("type 2") << 2 << msg("BE 00 03");
        QTest::newRow("type 3") << 3 << msg("BE 00 03");
    }
    void typingAnAddressRequestsTheLoco() {
        QFETCH(int, stationType);
        QFETCH(QByteArray, request);
        ThrottleWindow w(0, stationType);
        QCOMPARE(w.address()->text(), QString("-"));
        QCOMPARE(w.panel.shownPicture(), QString("Lok0.bmp"));
        w.typeAddress("3");
        QCOMPARE(hexText(w.h.echoNext()), hexText(request));
        w.answerSlotAndFormat("20", "53");
        QVERIFY(w.h.s.job.idle());
        QCOMPARE(w.h.s.ThrottleSlot[0], 5);
        QCOMPARE(w.control<QLabel>("ProtLbL", 0)->text(), QString("DCC - 128"));
        QCOMPARE(w.speedStep(), QString("0"));
        QCOMPARE(w.panel.shownPicture(), QString("Lokr.bmp"));
        QCOMPARE(w.lamp(0), colour::White);
        QCOMPARE(w.lamp(8), colour::White);
        QCOMPARE(w.lamp(12), stationType == 1 ? colour::Grey : colour::White);
        QVERIFY(w.h.messages.messages.isEmpty());
    }

    void badAddressSendsNothing_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("zero") << "0";
        QTest::newRow("letters") << "abc";
        QTest::newRow("too high") << "20000";
    }
    void badAddressSendsNothing() {
        QFETCH(QString, text);
        ThrottleWindow w;
        w.typeAddress(qPrintable(text));
        QCOMPARE(w.address()->palette().color(QPalette::Text), QColor(Qt::red));
        QTest::keyClick(w.slider(), Qt::Key_Up);
        QCOMPARE(w.slider()->value(), 0);
        QTest::mouseClick(w.control<QAbstractButton>("FCmd", 0), Qt::LeftButton);
        w.click("DIR", 0);
        w.click("LokImage", 0);
        w.h.ticks(20);
        QVERIFY(w.h.port.written.isEmpty());
    }

    void sliderKeysSendSpeeds() {
        ThrottleWindow w;
        w.acquire();
        const struct {
            Qt::Key key;
            int position;
            const char* wire;
            const char* step;
        } presses[] = {
            {Qt::Key_Up, 1, "A0 05 02", "1"},      {Qt::Key_PageUp, 11, "A0 05 0C", "11"},
            {Qt::Key_End, 126, "A0 05 7F", "126"}, {Qt::Key_Down, 125, "A0 05 7E", "125"},
            {Qt::Key_Home, 0, "A0 05 00", "0"},
        };
        for (const auto& press : presses) {
            QTest::keyClick(w.slider(), press.key);
            QCOMPARE(w.slider()->value(), press.position);
            QCOMPARE(w.sent(), QList<QByteArray>{msg(press.wire)});
            QCOMPARE(w.speedStep(), QString(press.step));
        }
    }

    // The program's own slider moves send nothing, and never eat the user's
    // next move, even when the value stayed the same.
    void reportedSpeedsMoveTheSliderQuietly() {
        ThrottleWindow w;
        w.acquire();
        w.h.receive("A0 05 00");
        w.h.receive("A0 05 41");
        w.h.ticks(20);
        QVERIFY(w.h.port.written.isEmpty());
        QCOMPARE(w.slider()->value(), 64);
        QCOMPARE(w.speedStep(), QString("64"));
        w.h.receive("A0 05 41");
        w.h.ticks(3);
        QTest::keyClick(w.slider(), Qt::Key_Up);
        QCOMPARE(w.sent(), QList<QByteArray>{msg("A0 05 42")});
    }

    void directionButtonSendsDirectionThenStop() {
        ThrottleWindow w;
        w.acquire();
        QTest::keyClick(w.slider(), Qt::Key_End);
        w.sent();
        w.click("DIR", 0);
        QCOMPARE(w.sent(), (QList<QByteArray>{msg("A1 05 00"), msg("A0 05 00")}));
        QCOMPARE(w.slider()->value(), 0);
        QCOMPARE(w.panel.shownPicture(), QString("Lokv.bmp"));
        w.click("DIR", 1);
        QCOMPARE(w.sent(), (QList<QByteArray>{msg("A1 05 20"), msg("A0 05 00")}));
    }

    void pictureClickTurnsRoundAndStops() {
        ThrottleWindow w;
        w.acquire();
        QTest::keyClick(w.slider(), Qt::Key_PageUp);
        w.sent();
        w.click("LokImage", 0);
        QCOMPARE(w.slider()->value(), 0);
        QCOMPARE(w.sent(), (QList<QByteArray>{msg("A1 05 00"), msg("A0 05 00")}));
        QCOMPARE(w.panel.shownPicture(), QString("Lokv.bmp"));
    }

    void functionButtonsSendTheirMessages_data() {
        QTest::addColumn<int>("n");
        QTest::addColumn<QByteArray>("wire");
        QTest::addColumn<QString>("picture");
        QTest::newRow("Licht") << 0 << msg("A1 05 30") << "Loklr.bmp";
        QTest::newRow("F1") << 1 << msg("A1 05 21") << "Lokrr.bmp";
        QTest::newRow("F2") << 2 << msg("A1 05 22") << "Lokfr.bmp";
        QTest::newRow("F4") << 4 << msg("A1 05 28") << "Lokr.bmp";
        QTest::newRow("F5") << 5 << msg("A2 05 01") << "Lokr.bmp";
        QTest::newRow("F8") << 8 << msg("A2 05 08") << "Lokr.bmp";
        QTest::newRow("F9") << 9 << msg("D4 20 05 07 10") << "Lokr.bmp";
        QTest::newRow("F11") << 11 << msg("D4 20 05 07 40") << "Lokr.bmp";
    }
    void functionButtonsSendTheirMessages() {
        QFETCH(int, n);
        QFETCH(QByteArray, wire);
        QFETCH(QString, picture);
        ThrottleWindow w(0, 2);
        w.acquire();
        QCOMPARE(w.lamp(n), colour::White);
        w.click("FCmd", n);
        QCOMPARE(w.sent(), QList<QByteArray>{wire});
        QCOMPARE(w.lamp(n), colour::Yellow);
        QCOMPARE(w.panel.shownPicture(), picture);
    }

    // F12 flips bit 4 of the last type-5 value the station reported.
    void f12FlipsItsBit() {
        ThrottleWindow w(0, 3);
        w.acquire();
        w.h.receive("D4 20 05 05 13");
        w.h.ticks(3);
        QCOMPARE(w.lamp(12), colour::Yellow);
        w.click("FCmd", 12);
        QCOMPARE(w.sent(), QList<QByteArray>{msg("D4 20 05 05 03")});
        QCOMPARE(w.lamp(12), colour::White);
    }

    void secondThrottleUsesItsOwnControls() {
        ThrottleWindow w(1);
        w.typeAddress("3");
        QCOMPARE(w.h.echoNext(), msg("BF 00 03"));
        w.answerSlotAndFormat("00", "52");
        QCOMPARE(w.h.s.ThrottleSlot[1], 5);
        QCOMPARE(w.h.s.ThrottleSlot[0], -1);
        w.click("FCmd", 13);
        QCOMPARE(w.sent(), QList<QByteArray>{msg("A1 05 10")});
        QCOMPARE(w.lamp(0), colour::Yellow);
        w.click("DIR", 3);
        QCOMPARE(w.sent(), (QList<QByteArray>{msg("A1 05 30"), msg("A0 05 00")}));
        w.panel.setSpeedByDigit(5);
        QCOMPARE(w.sent(), QList<QByteArray>{msg("A0 05 47")});
        QCOMPARE(w.speedStep(), QString("16")); // DCC - 28
    }

    // A key in the address field lets go of the locomotive at once.
    void editingTheAddressBlanksTheThrottle() {
        ThrottleWindow w;
        w.acquire();
        QTest::keyClick(w.slider(), Qt::Key_PageUp);
        w.sent();
        w.panel.ZeigerTimerTick();
        QTest::keyClick(w.address(), Qt::Key_4);
        QCOMPARE(w.h.s.ThrottleSlot[0], -1);
        QCOMPARE(w.slider()->value(), 0);
        QCOMPARE(w.speedStep(), QString("-"));
        QCOMPARE(w.control<QLabel>("ProtLbL", 0)->text(), QString("-"));
        QCOMPARE(w.panel.shownPicture(), QString("Lok0.bmp"));
        for (int n = 0; n < 13; ++n)
            QCOMPARE(w.lamp(n), colour::Grey);
        // The pointer goes back down the way it went up.
        const float before = w.control<SpeedGauge>("Zeiger", 0)->pointer();
        w.panel.ZeigerTimerTick();
        QCOMPARE(w.control<SpeedGauge>("Zeiger", 0)->pointer(), 0.75f * before);
        // The slot reports go on, but the blank throttle shows none of them,
        // not even a free slot's address 0.
        w.h.receive("A0 05 30");
        w.h.receive("E7 0E 06 00 00 00 00 07 00 00 00 00 00");
        w.h.ticks(20);
        QCOMPARE(w.h.s.ThrottleSlot[0], -1);
        QCOMPARE(w.slider()->value(), 0);
        QVERIFY(w.h.port.written.isEmpty());
    }

    // The user moves the slider while the format is still being read; the
    // speed goes out when the loco job is over.
    void sliderMovedDuringTheRequestIsSentAfterwards() {
        ThrottleWindow w;
        w.typeAddress("3");
        w.h.echoNext();
        w.h.receive("E7 0E 05 03 03 00 20 07 00 00 00 00 00");
        w.h.echoNext();
        QTest::keyClick(w.slider(), Qt::Key_PageUp);
        w.h.receive("E5 0F 00 00 00 0B 04 03 00 53 00 00 00 00");
        w.h.ticks(5);
        QVERIFY(w.h.s.job.idle());
        QVERIFY(w.h.port.written.isEmpty());
        w.panel.ZeigerTimerTick();
        QCOMPARE(w.sent(), QList<QByteArray>{msg("A0 05 0B")});
        QCOMPARE(w.slider()->value(), 10);
    }

    void missingPictureIsDrawn() {
        ThrottleWindow w;
        QTemporaryDir empty;
        w.panel.setConfFolder(empty.path());
        auto* picture = w.control<QToolButton>("LokImage", 0);
        QVERIFY(!picture->icon().isNull());
        QVERIFY(picture->toolTip().contains("Lok0.bmp"));
        w.panel.setConfFolder(QStringLiteral(GX_CONF_DIR));
        QVERIFY(picture->toolTip().isEmpty());
    }

    // The whole way to the virtual command station and back.
    void drivesALocomotiveOnTheVirtualStation() {
        SimRig rig;
        rig.layout.profile = StationProfile::forType(2);
        rig.s.StationType = 2;
        rig.layout.settings.setFormat(3, {211, 0});
        PanelView view;
        ThrottlePanel panel(0, rig.s);
        view.panel = &panel;
        rig.operating.windows = &view;
        auto* address = panel.findChild<QLineEdit*>("LokAdr_0");
        auto* slider = panel.findChild<QSlider*>("FSTScroll_0");
        panel.focusAddress();
        QTest::keyClicks(address, "3");
        QTest::keyClick(address, Qt::Key_Return);
        rig.run(1.0);
        QVERIFY(rig.s.job.idle());
        QCOMPARE(panel.findChild<QLabel*>("ProtLbL_0")->text(), QString("DCC - 128"));
        const int slot = rig.layout.locos.slotOf(3);
        QCOMPARE(rig.s.ThrottleSlot[0], slot);
        const auto& loco = rig.layout.locos.slot(slot);

        QTest::keyClick(slider, Qt::Key_PageUp);
        rig.run(0.5);
        QTest::mouseClick(panel.findChild<QPushButton*>("FCmd_12"), Qt::LeftButton);
        rig.run(0.5);
        QCOMPARE(loco.speed, 11);
        QCOMPARE(loco.extFn[5] & 0x10, 0x10);
        QCOMPARE(panel.findChild<IndicatorLamp*>("FKT_12")->colour(), colour::Yellow);
        QCOMPARE(panel.findChild<QLabel*>("SpeedLbl_0")->text(), QString("10"));

        QTest::mouseClick(panel.findChild<QPushButton*>("DIR_1"), Qt::LeftButton);
        rig.run(1.0);
        QCOMPARE(loco.speed, 0);
        QCOMPARE(loco.dirf & 0x20, 0x20);
        QCOMPARE(slider->value(), 0);
        QCOMPARE(panel.shownPicture(), QString("Lokr.bmp"));
        QVERIFY(rig.messages.messages.isEmpty());
    }

    void focusAddressEmptiesTheBlankMark() {
        ThrottleWindow w;
        w.panel.focusAddress();
        QVERIFY(w.address()->text().isEmpty());
        QTest::keyClicks(w.address(), "12");
        w.panel.focusAddress();
        QCOMPARE(w.address()->text(), QString("12"));
    }
};

QTEST_MAIN(ThrottleTest)
#include "tst_throttle.moc"
