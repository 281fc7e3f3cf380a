#include "core/ProgramCore.h"
#include "link/LinkJobs.h"
#include "link/OperatingView.h"
#include "net/TcpLinePort.h"
#include "platform/Clock.h"
#include "platform/ComPortNames.h"
#include "platform/QtSerialPort.h"
#include "support/Hex.h"
#include "support/RecordingView.h"

#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

// gx-sim on a pseudo-terminal, and the program on that real line, as real
// processes on real time.
namespace {
constexpr int StreamSeconds = 30;
// Time enough for the stream to end and its last report to be dispatched.
constexpr int DeadlineMs = (StreamSeconds + 15) * 1000;
constexpr int LastReportMs = 500;
constexpr int Contacts = 2048;
constexpr int BitRate = 16457;
} // namespace

class RealLineTest : public QObject {
    Q_OBJECT

    QProcess sim;

    // Starts gx-sim; the first line it prints is the terminal's path.
    QByteArray startSim(const QStringList& arguments) {
        sim.start(QStringLiteral(GX_SIM_PATH), arguments);
        for (int i = 0; i < 50 && !sim.canReadLine(); ++i)
            sim.waitForReadyRead(100);
        const QByteArray line = sim.readLine().trimmed();
        return line.startsWith("/dev/") ? line : line + sim.readAllStandardError();
    }

private slots:
    void cleanup() {
        sim.kill();
        sim.waitForFinished(5000);
    }

    // For half a minute gx-sim streams feedback reports back to back at the
    // bit rate of interface 41770, 16457 bit/s, while the program core runs
    // its Timer1, MainTimer and receive event under the event loop. Not one
    // report may be lost or come out of order.
    void everyReportArrivesInOrder() {
        const QByteArray path =
            startSim({"--type", "2", "--stream", QString::number(StreamSeconds)});
        QVERIFY2(path.startsWith("/dev/"), path);
        QTemporaryDir conf;
        SteadyClock clock;
        QtSerialPort port(ComPortNames::fromText("7=" + path));
        RecordingView messages;
        OperatingView operating;
        ProgramCore core(clock, port, messages, operating, conf.path());
        core.StartUp();
        QList<std::pair<int, int>> reports;
        core.state.hooks.OnFeedbackForRoutes = [&](int contact, int state) {
            reports.append({contact, state});
        };
        core.link.InterfaceType = 2;
        QVERIFY(port.setSettings("19200,n,8,1"));
        QVERIFY(port.setCustomBitRate(BitRate));
        QVERIFY2(port.open(7), qPrintable(port.errorText()));
        core.setMainTimerRunning(true);
        core.jobs.open();
        // The first message on the line starts the stream.
        requestPower(core.jobs, true);

        int sent = -1;
        QByteArray said;
        QEventLoop loop;
        QTimer::singleShot(DeadlineMs, &loop, &QEventLoop::quit);
        connect(&sim, &QProcess::readyReadStandardOutput, &loop, [&] {
            said += sim.readAllStandardOutput();
            const QRegularExpressionMatch done =
                QRegularExpression("streamed (\\d+)").match(QString::fromLatin1(said));
            if (!done.hasMatch())
                return;
            sent = done.captured(1).toInt();
            QTimer::singleShot(LastReportMs, &loop, &QEventLoop::quit);
        });
        loop.exec();
        core.setMainTimerRunning(false);
        port.close();

        qInfo("%d feedback reports sent at %d bit/s, %lld received", sent, BitRate, reports.size());
        QVERIFY2(sent > 0, "gx-sim did not end its stream");
        // Back to back at the rate the program set: 4 bytes of 10 bits each.
        QVERIFY2(qAbs(sent - StreamSeconds * BitRate / 40.0) <= 1, "not paced at 16457 bit/s");
        QVERIFY(messages.messages.isEmpty());
        QList<std::pair<int, int>> expected;
        for (int k = 0; k < sent; ++k)
            expected.append({k % Contacts, k % 2 == 0 ? 1 : 0});
        QCOMPARE(reports, expected);
    }

    // A program on the terminal and one over TCP share one bus: each hears
    // the other's messages, and the station's answers.
    void tcpClientsShareTheBusWithTheTerminal() {
        const QByteArray path = startSim({"--tcp", "0"});
        QVERIFY2(path.startsWith("/dev/"), path);
        QTRY_VERIFY_WITH_TIMEOUT(sim.canReadLine(), 5000);
        const QByteArray portLine = sim.readLine().trimmed();
        QVERIFY2(portLine.startsWith("LocoNet over TCP on port "), portLine.constData());

        QtSerialPort serial(ComPortNames::fromText("7=" + path));
        QVERIFY(serial.setSettings("115200,n,8,1"));
        QVERIFY2(serial.open(7), qPrintable(serial.errorText()));
        TcpLinePort tcp;
        QVERIFY(tcp.openServer({QStringLiteral("127.0.0.1"), portLine.split(' ').last().toInt()}));
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
    }
};

QTEST_GUILESS_MAIN(RealLineTest)
#include "tst_real_line.moc"
