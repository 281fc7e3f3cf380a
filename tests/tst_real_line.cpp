#include "core/ProgramCore.h"
#include "link/Connection.h"
#include "link/LinkJobs.h"
#include "link/OperatingView.h"
#include "platform/Clock.h"
#include "platform/ComPortNames.h"
#include "platform/QtSerialPort.h"
#include "support/RecordingConnectionView.h"
#include "support/RecordingView.h"
#include "support/TappedPort.h"

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

// The program's core on the terminal as COM 7, on the steady clock.
struct ProgramOnTerminal {
    explicit ProgramOnTerminal(const QByteArray& path) : real(ComPortNames::fromText("7=" + path)) {
        core.StartUp();
    }

    QTemporaryDir conf;
    SteadyClock clock;
    QtSerialPort real;
    TappedPort port{real};
    RecordingView messages;
    OperatingView operating;
    ProgramCore core{clock, port, messages, operating, conf.path()};
};
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

    // For half a minute gx-sim streams feedback reports back to back at the bit rate of
    // interface 41770, 16457 bit/s, while the program core runs its Timer1, MainTimer and
    // receive event under the event loop. Not one report may be lost or come out of order.
    void everyReportArrivesInOrder() {
        const QByteArray path =
            startSim({"--type", "2", "--stream", QString::number(StreamSeconds)});
        QVERIFY2(path.startsWith("/dev/"), path);
        ProgramOnTerminal p(path);
        QList<std::pair<int, int>> reports;
        p.core.state.hooks.OnFeedbackForRoutes = [&](int contact, int state) {
            reports.append({contact, state});
        };
        p.core.link.InterfaceType = 2;
        QVERIFY(p.port.setSettings("19200,n,8,1"));
        QVERIFY(p.port.setCustomBitRate(BitRate));
        QVERIFY2(p.port.open(7), qPrintable(p.port.errorText()));
        p.core.setMainTimerRunning(true);
        p.core.jobs.open();
        // The first message on the line starts the stream.
        requestPower(p.core.jobs, true);

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
        p.core.setMainTimerRunning(false);
        p.port.close();

        qInfo("%d feedback reports sent at %d bit/s, %lld received", sent, BitRate, reports.size());
        QVERIFY2(sent > 0, "gx-sim did not end its stream");
        // Back to back at the rate the program set: 4 bytes of 10 bits each.
        QVERIFY2(qAbs(sent - StreamSeconds * BitRate / 40.0) <= 1, "not paced at 16457 bit/s");
        QVERIFY(p.messages.messages.isEmpty());
        QList<std::pair<int, int>> expected;
        for (int k = 0; k < sent; ++k)
            expected.append({k % Contacts, k % 2 == 0 ? 1 : 0});
        QCOMPARE(reports, expected);
    }

    // gx-sim ends in the middle of its stream, as a pulled USB adapter does: within a second
    // the program says the line is gone, and from then on it neither ticks nor writes.
    void farEndClosedMidStream() {
        const QByteArray path = startSim({"--type", "2", "--stream", "30"});
        QVERIFY2(path.startsWith("/dev/"), path);
        ProgramOnTerminal p(path);
        p.core.link.InterfaceType = 3;
        RecordingConnectionView view;
        Connection connection(p.core.state, p.core.jobs, view,
                              p.core.connectionHooks([] { return QList<int>{}; }));
        connection.connectPort(7);
        QTRY_VERIFY_WITH_TIMEOUT(connection.connected(), 10000);
        QVERIFY(p.messages.messages.isEmpty());

        sim.kill();
        QTRY_VERIFY_WITH_TIMEOUT(!p.messages.messages.isEmpty(), 1000);
        QVERIFY2(p.messages.messages.first().contains(QString::fromUtf8(path)),
                 qPrintable(p.messages.messages.first()));
        QCOMPARE(view.state, ConnectionView::PortState::Closed);
        p.port.takeWritten();
        QTest::qWait(1000);
        QVERIFY(!p.core.mainTimerRunning());
        QVERIFY(p.port.takeWritten().isEmpty());
        QCOMPARE(p.messages.messages.size(), 1);
    }
};

QTEST_GUILESS_MAIN(RealLineTest)
#include "tst_real_line.moc"
