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

// The program on a real line for half a minute of real time: gx-sim on a
// pseudo-terminal streams feedback reports back to back at the bit rate of
// interface 41770, 16457 bit/s, while the real program core runs on the steady
// clock with its Timer1, MainTimer and receive event under the event loop.
// Not one report may be lost or come out of order.
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

private slots:
    void cleanup() {
        sim.kill();
        sim.waitForFinished(5000);
    }

    void everyReportArrivesInOrder() {
        sim.start(QStringLiteral(GX_SIM_PATH),
                  {"--type", "2", "--stream", QString::number(StreamSeconds)});
        QVERIFY2(sim.waitForStarted(5000), qPrintable(sim.errorString()));
        QVERIFY(sim.waitForReadyRead(5000));
        const QByteArray path = sim.readLine().trimmed();
        QVERIFY2(path.startsWith("/dev/"), path + sim.readAllStandardError());

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
        for (int k = 0; k < reports.size(); ++k) {
            const std::pair<int, int> expected{k % Contacts, k % 2 == 0 ? 1 : 0};
            if (reports[k] != expected)
                QFAIL(qPrintable(QStringLiteral("report %1 is contact %2 state %3")
                                     .arg(k)
                                     .arg(reports[k].first)
                                     .arg(reports[k].second)));
        }
        QCOMPARE(reports.size(), sent);
    }

    // gx-sim ends in the middle of its stream, as a pulled USB adapter
    // does: within a second the program says the line is gone, and from
    // then on it neither ticks nor writes.
    void farEndClosedMidStream() {
        sim.start(QStringLiteral(GX_SIM_PATH), {"--type", "2", "--stream", "30"});
        QVERIFY2(sim.waitForStarted(5000), qPrintable(sim.errorString()));
        QVERIFY(sim.waitForReadyRead(5000));
        const QByteArray path = sim.readLine().trimmed();

        QTemporaryDir conf;
        SteadyClock clock;
        QtSerialPort real(ComPortNames::fromText("7=" + path));
        TappedPort port(real);
        RecordingView messages;
        OperatingView operating;
        ProgramCore core(clock, port, messages, operating, conf.path());
        core.StartUp();
        core.link.InterfaceType = 3;
        RecordingConnectionView view;
        Connection connection(core.state, core.jobs, view,
                              core.connectionHooks([] { return QList<int>{}; }));
        connection.connectPort(7);
        QTRY_VERIFY_WITH_TIMEOUT(connection.connected(), 10000);
        QTest::qWait(1000);
        QVERIFY(messages.messages.isEmpty());

        sim.kill();
        QTRY_VERIFY_WITH_TIMEOUT(!messages.messages.isEmpty(), 1000);
        QVERIFY2(messages.messages.first().contains(QString::fromUtf8(path)),
                 qPrintable(messages.messages.first()));
        QCOMPARE(view.state, ConnectionView::PortState::Closed);
        port.takeWritten();
        QTest::qWait(1000);
        QVERIFY(!core.mainTimerRunning());
        QVERIFY(port.takeWritten().isEmpty());
        QCOMPARE(messages.messages.size(), 1);
    }
};

QTEST_GUILESS_MAIN(RealLineTest)
#include "tst_real_line.moc"
