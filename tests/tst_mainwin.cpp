#include "link/Colours.h"
#include "link/HexText.h"
#include "link/SerialNumberJob.h"
#include "platform/EndSignals.h"
#include "sim/BusFramer.h"
#include "support/Hex.h"
#include "support/ProgramOnLayout.h"
#include "widgets/IndicatorLamp.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <csignal>

namespace {
struct Program : ProgramOnLayout {
    template <typename... Args> explicit Program(Args... args) : ProgramOnLayout(args...) {
        win->attachWindow("LNProgMenu", [] { return new QWidget; });
    }

    QString text(const QString& name) {
        if (auto* label = win->findChild<QLabel*>(name))
            return label->text();
        if (auto* button = win->findChild<QAbstractButton*>(name))
            return button->text();
        return get<QLineEdit>(name)->text();
    }
    QAction* item(const QString& name) { return get<QAction>(name); }
    bool menuEnabled(const QString& name) { return get<QMenu>(name)->menuAction()->isEnabled(); }
    // "1" each where usable: what a connection or a running job switches
    // (settings menu, job tools, tab bar, power button), then "Verbinden"
    // and "Trennen".
    QString controls() {
        QString usable;
        for (const bool on : {menuEnabled("EinstellMenu"), item("LNProgMenu")->isEnabled(),
                              get<QTabWidget>("MainTab")->tabBar()->isEnabled(),
                              get<QPushButton>("StopGoBut")->isEnabled(),
                              get<QPushButton>("OpenPortBut_1")->isEnabled(),
                              get<QPushButton>("OpenPortBut_0")->isEnabled()})
            usable += on ? u'1' : u'0';
        return usable;
    }
    // Route 1 switches accessory 5 green, its output held on for ms.
    void holdOutput(int ms) {
        core->routes.table.SwitchTimeMs = ms;
        core->routes.table.setText(1, RouteTable::FirstCommandColumn, "Ma5-g");
        core->routes.table.setStatus(1, RouteTable::RequestedColumn, true);
    }
    bool red(const QString& field) {
        return get<QLineEdit>(field)->palette().color(QPalette::Text) == QColor(Qt::red);
    }
    void enter(const QString& field, const QString& text) {
        type(field, text);
        QTest::keyClick(get<QLineEdit>(field), Qt::Key_Return);
    }
    int lamp() { return get<IndicatorLamp>("StopGoAnz")->colour(); }
    QList<QByteArray> sentMessages() { return framer.receive(port.takeWritten()); }
    QByteArray confDat() {
        QFile file(confDir.filePath("conf.dat"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Closed by "Trennen" or a failure: nothing of the connection is shown.
    void verifyDisconnected() {
        QCOMPARE(text("Zentralen_Info"), QString("unbekannt"));
        QCOMPARE(controls(), QString("000010"));
        QVERIFY(!line.isOpen());
        QVERIFY(!core->mainTimerRunning());
        QCOMPARE(lamp(), 0xE0E0E0);
    }

    BusFramer framer;
};

// Interface and port, station, its power, the port's line settings and
// bit rate, the interface and station shown.
struct Connect {
    int type, com, station;
    bool powerOn;
    QStringList settings;
    int bitRate;
    QString shown;
};

QByteArray confFor(int type, int com) {
    return QByteArray::number(type) + "\r\n" + QByteArray::number(com) + "\r\n";
}
} // namespace

Q_DECLARE_METATYPE(Connect)

class MainWinTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void tabOrderFollowsTheLayout() {
        Program p;
        const QStringList expected{"StopGoBut", "PortAdr",  "OpenPortBut_1", "OpenPortBut_0",
                                   "MainTab",   "LokAdr_0", "MesTxt",        "LN_MES_SEND"};
        QStringList seen;
        QWidget* w = p.get<QWidget>("StopGoBut");
        for (int i = 0; i < 500 && seen.size() < expected.size(); ++i, w = w->nextInFocusChain()) {
            if (expected.contains(w->objectName()) && !seen.contains(w->objectName()))
                seen.append(w->objectName());
        }
        QCOMPARE(seen, expected);
    }

    // Each interface with its line settings, each station with its name and
    // power state; the power button switches the track, "Trennen" leaves
    // nothing of the connection shown.
    void connectsThroughEachInterface_data() {
        QTest::addColumn<Connect>("c");
        const QStringList own{"2400,n,8,2", "19200,n,8,2", "19200,n,8,2"}, usb{"115200,n,8,1"};
        QTest::newRow("own port, 1.55")
            << Connect{1, 4, 1, true, own, 0, "ComPort->GX: GX/ZT Sw.Vers.1.55"};
        QTest::newRow("41770, 2.0, off")
            << Connect{2, 1, 2, false, {"19200,n,8,1"}, 16457, "ComPort->41770: GX/ZT Sw.Vers.2.0"};
        QTest::newRow("USB, Basic") << Connect{3, 12, 3, true, usb, 0, "USB->GX/41780: GX-Basic"};
        QTest::newRow("USB, other, off")
            << Connect{3, 1, 99, false, usb, 0, "USB->GX/41780: unbekannt"};
    }
    void connectsThroughEachInterface() {
        QFETCH(Connect, c);
        const auto [type, com, station, powerOn, settings, bitRate, shown] = c;
        Program p(type, 9, nullptr, station);
        if (!powerOn)
            p.layout.deviceSends(hex("82 7D"), p.clock.now());
        p.type("PortAdr", QString::number(com));
        QVERIFY(p.connectByClick());
        QCOMPARE(p.port.openedCom, com);
        QCOMPARE(p.port.settingsHistory, settings);
        QCOMPARE(p.port.customBitRate, bitRate);
        QCOMPARE(p.text("Interface_Info") + ": " + p.text("Zentralen_Info"), shown);
        QCOMPARE(p.text("StopGoBut"), QString(powerOn ? "STOP" : "GO"));
        QCOMPARE(p.lamp(), powerOn ? colour::Green : colour::Red);
        QCOMPARE(p.controls(), QString("111101"));
        QVERIFY(p.shown.isEmpty());
        QCOMPARE(p.confDat(), confFor(type, com));
        p.sentMessages();
        p.click("StopGoBut");
        p.run(0.2);
        QCOMPARE(p.sentMessages(), QList<QByteArray>{powerOn ? hex("82 7D") : hex("83 7C")});
        QCOMPARE(p.text("StopGoBut"), QString(powerOn ? "GO" : "STOP"));
        QCOMPARE(p.layout.trackPower(), !powerOn);
        p.click("OpenPortBut_0");
        p.run(0.1);
        p.verifyDisconnected();
        QCOMPARE(p.text("StopGoBut"), QString("---"));
    }

    // An address typed while the connect runs waits for the connect's last
    // query, then the locomotive is asked for.
    void addressTypedDuringTheConnectWaits() {
        Program p;
        p.click("OpenPortBut_1");
        p.run(0.02);
        p.enter("LokAdr_0", "3");
        QVERIFY(p.connectByClick());
        p.run(1.0);
        const QList<QByteArray> loco{msg("BF 00 03"),
                                     msg("ED 0F 01 47 58 0D 00 03 00 00 00 00 00 00")};
        QCOMPARE(p.sentMessages().mid(17), startUpMessages().mid(17) + loco);
        QVERIFY(p.shown.isEmpty());
    }

    // The raw message line sends with its checksum, by click or Enter; text
    // that is no message is refused with the reason.
    void rawMessage() {
        Program p;
        QVERIFY(p.connectByClick());
        const auto send = [&p](const char* text, bool enter) {
            p.sentMessages();
            if (enter)
                p.enter("MesTxt", text);
            else {
                p.type("MesTxt", text);
                p.click("LN_MES_SEND");
            }
            p.run(0.5);
            return p.sentMessages();
        };
        QCOMPARE(send("B0 12 30", false), QList<QByteArray>{hex("B0 12 30 6D")});
        QCOMPARE(send("83", true), QList<QByteArray>{hex("83 7C")});
        QVERIFY(p.shown.isEmpty());
        QCOMPARE(send("B0 1G 30", true), QList<QByteArray>{});
        QCOMPARE(p.shown, QStringList{hexTextProblem({HexTextResult::BadToken, "1G", {}})});
    }

    // A connect that fails, or the cable pulled at a later stage: the
    // program says so once (the first line of each message names the
    // fault), is not connected any more, and writes nothing after the one
    // write that failed. With the fault gone, it connects again.
    void failures_data() {
        QTest::addColumn<QString>("stage");
        QTest::addColumn<QStringList>("messages"); // then their titles
        const auto row = [](const char* stage, const char* messages) {
            QTest::newRow(stage) << QString(stage) << QString(messages).split('|');
        };
        const char* lost = "Die Verbindung zur Zentrale über virtuelle Zentrale ist "
                           "unterbrochen.|Verbindungsfehler:";
        row("type 2 on COM 3", "Nur ComPort 1 oder 2 möglich!|Fehler 41770");
        row("silent", "Message kann nicht gesendet werden!|Keine Antwort auf Slot 0 Anfrage "
                      "erhalten!|LocoNet Fehler|Fehler");
        row("cable out", "ComPort 3 (virtuelle Zentrale) ist nicht vorhanden.|Verbindungsfehler:");
        row("pulled during the connect", lost);
        row("pulled during a job", lost);
        row("pulled while a route holds an output", lost);
        row("pulled during a programming list", lost);
    }
    void failures() {
        QFETCH(QString, stage);
        QFETCH(QStringList, messages);
        const int type = stage.startsWith("type") ? 2 : 3;
        Program p(type, 3);
        p.layout.faults.silent = stage == "silent";
        p.layout.faults.cablePulled = stage == "cable out";
        if (stage.startsWith("pulled")) {
            if (stage.endsWith("connect"))
                p.click("OpenPortBut_1");
            else
                QVERIFY(p.connectByClick());
            if (stage.endsWith("job")) {
                p.layout.faults.answerDelay = 1.0;
                requestSerialNumberAndVersion(p.core->jobs);
            }
            if (stage.endsWith("output"))
                p.holdOutput(2000);
            if (stage.endsWith("list"))
                QVERIFY(p.core->programming.startListJob(ProgrammingState::StandardList, false));
            p.run(0.15);
            QVERIFY(!p.core->jobs.idle() || stage.endsWith("output"));
            p.port.takeWritten();
            p.layout.faults.cablePulled = true;
            p.run(1.0);
        } else {
            QVERIFY(!p.connectByClick());
            QCOMPARE(p.confDat(), confFor(type, 3));
            QCOMPARE(p.port.openedCom, type == 2 ? 0 : 3);
            p.port.takeWritten();
        }
        for (QString& text : p.shown)
            text = text.section('\n', 0, 0);
        QCOMPARE(p.shown + p.titles, messages);
        p.verifyDisconnected();
        QVERIFY(p.core->jobs.idle() && !p.core->programming.running());
        p.run(5.0);
        QVERIFY(p.port.takeWritten().size() <= 31);
        p.layout.faults = {};
        QCOMPARE(p.connectByClick(), type == 3);
    }

    // "Trennen" while a route holds a turnout's output on: the output goes
    // off at the end of its switching time, then the line closes.
    void disconnectSwitchesAHeldOutputOff() {
        Program p;
        QVERIFY(p.connectByClick());
        p.sentMessages();
        p.holdOutput(500);
        p.run(0.1);
        QCOMPARE(p.sentMessages(), QList<QByteArray>{msg("B0 04 30")});
        p.click("OpenPortBut_0");
        p.run(0.3);
        QVERIFY(p.line.isOpen());
        p.run(0.3);
        QCOMPARE(p.sentMessages(), QList<QByteArray>{msg("B0 04 20")});
        p.verifyDisconnected();
    }

    // Without a connection and while a job runs, only the file, options and
    // help menus, the port and the raw message line stay usable; the
    // throttle on the open tab stays usable while its job runs.
    void busyStateFollowsTheJobs() {
        Program p;
        for (const char* menu : {"DateiMenu", "OptMenu", "InfoHelpMenu"})
            QVERIFY(p.menuEnabled(menu));
        QVERIFY(p.get<QLineEdit>("MesTxt")->isEnabled() &&
                p.get<QLineEdit>("PortAdr")->isEnabled());
        QVERIFY(p.connectByClick());
        p.enter("LokAdr_0", "3");
        p.step();
        QCOMPARE(p.controls(), QString("000001"));
        QVERIFY(p.get<QLineEdit>("LokAdr_0")->isEnabled());
        p.run(0.5);
        QCOMPARE(p.controls(), QString("111101"));
    }

    // Cancel keeps the interface; OK takes the one chosen but leaves
    // conf.dat to the next connect. A LocoNet server's fields count only
    // for it, are red and refused until sound, and the COM port field then
    // does not count.
    void interfaceChoice() {
        Program p(1, 1);
        p.usbPorts = {7};
        for (const char* button : {"CancelButton", "OKButton"}) {
            p.item("ZentraleMen")->trigger();
            auto* form = p.get<QDialog>("ZentraleForm");
            QVERIFY(form->isVisible() && p.get<QRadioButton>("Iopt_0")->isChecked());
            QVERIFY(!p.get<QLineEdit>("ServerHost")->isEnabled());
            p.click("Iopt_2");
            p.click(button);
            QVERIFY(!form->isVisible());
        }
        QCOMPARE(p.core->state.link.InterfaceType, 3);
        QCOMPARE(p.text("Interface_Info") + ' ' + p.text("PortAdr"), QString("USB->GX/41780 7"));
        QCOMPARE(p.confDat(), QByteArray("1\r\n1\r\n"));

        p.item("ZentraleMen")->trigger();
        QCOMPARE(p.text("ServerPort"), QString("1234"));
        auto* option = p.get<QRadioButton>("Iopt_3");
        QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(4, option->height() / 2));
        const auto state = [&] {
            return QString(p.red("ServerHost") ? "r" : "b") + (p.red("ServerPort") ? "r" : "b") +
                   (p.get<QPushButton>("OKButton")->isEnabled() ? " OK" : "");
        };
        QCOMPARE(state(), QString("rb"));
        p.type("ServerHost", "::1");
        p.type("ServerPort", "65536");
        QCOMPARE(state(), QString("br"));
        QCOMPARE(p.get<QLineEdit>("ServerPort")->toolTip(), QString("TCP-Port 1 bis 65535"));
        p.type("ServerPort", "4711");
        QCOMPARE(state(), QString("bb OK"));
        p.click("OKButton");
        QCOMPARE(p.core->state.link.Server.text(), QString("[::1]:4711"));
        QCOMPARE(p.text("Interface_Info"), QString("TCP->LocoNet"));
        p.type("PortAdr", "");
        QVERIFY(p.connectByClick());
        QCOMPARE(p.confDat(), QByteArray("4\r\n1\r\n::1\r\n4711\r\n"));
    }

    void usbSearchAtStartUp() {
        Program p(3, 4, nullptr, 1, QList<int>{});
        QCOMPARE(p.shown, QStringList{"Es wurde kein Dornquist-USB-Interface gefunden!"});
        QCOMPARE(p.titles, QStringList{"Achtung"});
        QCOMPARE(p.text("PortAdr"), QString("4"));
    }

    // Ending closes the line in order, then shuts down; routes that cannot
    // be saved keep the program open unless the user says to end all the
    // same. Ended from outside (SIGTERM), it asks nothing, and a question
    // already open is answered with the end.
    void end_data() {
        QTest::addColumn<bool>("saveFails");
        QTest::addColumn<int>("answer"); // -1: SIGTERM while asking, -2: SIGTERM before
        QTest::newRow("saved") << false << 0;
        QTest::newRow("not saved, stay") << true << int(QMessageBox::No);
        QTest::newRow("not saved, end") << true << int(QMessageBox::Yes);
        QTest::newRow("not saved, SIGTERM") << true << -2;
        QTest::newRow("SIGTERM while asking") << true << -1;
    }
    void end() {
        QFETCH(bool, saveFails);
        QFETCH(int, answer);
        const bool ends = answer != QMessageBox::No;
        Program p;
        QVERIFY(p.connectByClick());
        EndSignals endSignals([&p] { p.win->endWithoutQuestions(); });
        if (saveFails)
            QVERIFY(QDir(p.confDir.path()).mkdir("FS.DAT"));
        QTimer::singleShot(0, [answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QCOMPARE(box && box->objectName() == "EndQuestion", answer >= -1 && answer != 0);
            if (answer == -1)
                raise(SIGTERM);
            else if (answer > 0)
                box->button(QMessageBox::StandardButton(answer))->click();
        });
        if (answer == -2)
            raise(SIGTERM);
        else
            p.item("EndeMenu")->trigger();
        for (int i = 0; i < 100 && p.win->isVisible() == ends; ++i) {
            p.step();
            QCoreApplication::processEvents();
        }
        QCOMPARE(p.line.isOpen(), !ends);
        QCOMPARE(p.win->isVisible(), !ends);
        QCOMPARE(p.core->mainTimerRunning(), !ends);
    }
};

QTEST_MAIN(MainWinTest)
#include "tst_mainwin.moc"
