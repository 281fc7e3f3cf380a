#include "link/HexText.h"
#include "link/Link.h"
#include "net/TcpLinePort.h"
#include "platform/Clock.h"
#include "platform/ComPortNames.h"
#include "platform/QtSerialPort.h"
#include "support/Hex.h"
#include "support/RecordingView.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// gx-sim on a real pseudo-terminal, the program's link on the real serial
// code path. This one test runs on real time, as the line is real.
class SimPtyTest : public QObject {
    Q_OBJECT

    QProcess sim;

    // Starts gx-sim with the arguments; the first line it prints is the
    // terminal's path.
    void startSim(const QStringList& arguments, QString* path) {
        sim.start(QStringLiteral(GX_SIM_PATH), arguments);
        QVERIFY2(sim.waitForStarted(5000), qPrintable(sim.errorString()));
        QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine() || sim.state() != QProcess::Running, 5000);
        *path = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QVERIFY2(path->startsWith("/dev/"), qPrintable(*path + sim.readAllStandardError()));
    }

private slots:
    void cleanup() {
        sim.kill();
        sim.waitForFinished(5000);
    }

    void requestAndAnswerCrossTheTerminal() {
        QString path;
        startSim({"--type", "1"}, &path);
        if (QTest::currentTestFailed())
            return;

        SteadyClock clock;
        QtSerialPort port(ComPortNames::fromText("7=" + path.toLocal8Bit()));
        RecordingView view;
        Link link(clock, port, view);
        link.InterfaceType = 3;
        QVERIFY(port.setSettings("115200,n,8,1"));
        QVERIFY2(port.open(7), qPrintable(port.errorText()));

        link.Tx.place({0xED, 0x0F, 0x01, 0x47, 0x58, 0x07, 0, 0, 0, 0, 0, 0, 0, 0});
        link.TransmitPending();
        QVERIFY(link.Tx.echoPending());
        QTRY_VERIFY_WITH_TIMEOUT((link.ReceiveBytes(), link.Rx.unreadCount() >= 2), 5000);

        const ReceiveRing::Row echo = link.Rx.take();
        QVERIFY(link.Tx.isEcho(echo.data()));
        const ReceiveRing::Row answer = link.Rx.take();
        QCOMPARE(hexText(QByteArray(reinterpret_cast<const char*>(answer.data()), 15)),
                 hexText(msg("E5 0F 00 47 58 09 00 00 01 10 01 55 00 00")));
        QVERIFY(view.messages.isEmpty());
        port.close();
    }

    // A program on the terminal and one over TCP share one bus: each hears
    // the other's messages, and the station's answers.
    void tcpClientsShareTheBusWithTheTerminal() {
        QString path;
        startSim({"--tcp", "0"}, &path);
        if (QTest::currentTestFailed())
            return;
        QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 5000);
        const QByteArray portLine = sim.readLine().trimmed();
        QVERIFY2(portLine.startsWith("LocoNet over TCP on port "), portLine.constData());
        const int tcpPort = portLine.split(' ').last().toInt();

        QtSerialPort serial(ComPortNames::fromText("7=" + path.toLocal8Bit()));
        QVERIFY(serial.setSettings("115200,n,8,1"));
        QVERIFY2(serial.open(7), qPrintable(serial.errorText()));
        TcpLinePort tcp;
        QVERIFY(tcp.openServer({QStringLiteral("127.0.0.1"), tcpPort}));
        QTRY_VERIFY_WITH_TIMEOUT(tcp.isOpen(), 5000);

        const QByteArray request = msg("BB 00 00");
        QVERIFY(serial.write(request));
        QByteArray overTcp;
        QTRY_VERIFY_WITH_TIMEOUT((overTcp += tcp.readAll()).size() >= 18, 5000);
        QCOMPARE(hexText(overTcp.left(4)), hexText(request));
        QCOMPARE(quint8(overTcp.at(4)), quint8(0xE7));

        const QByteArray power = msg("83");
        QVERIFY(tcp.write(power));
        QByteArray onTerminal;
        QTRY_VERIFY_WITH_TIMEOUT((onTerminal += serial.readAll()).endsWith(power), 5000);
        serial.close();
    }

    void registersTheTerminalAsComPort() {
        QTemporaryDir conf;
        QFile old(conf.filePath("ports.dat"));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("3=/dev/ttyUSB9\r\n");
        old.close();

        QString path;
        startSim({"--register-com", "12", "--conf", conf.path()}, &path);
        if (QTest::currentTestFailed())
            return;
        const ComPortNames names = ComPortNames::fromFile(conf.filePath("ports.dat"));
        QCOMPARE(names.device(12), path);
        QCOMPARE(names.device(3), QStringLiteral("/dev/ttyUSB9"));
    }

    void refusesARegistrationWithoutConfFolder() {
        sim.start(QStringLiteral(GX_SIM_PATH), {"--register-com", "12"});
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 1);
        QVERIFY(sim.readAllStandardError().contains("--conf"));
    }
};

QTEST_GUILESS_MAIN(SimPtyTest)
#include "tst_sim_pty.moc"
