#include "link/HexText.h"
#include "link/Transmitter.h"
#include "platform/Clock.h"
#include "support/FakeSerialPort.h"
#include "support/Hex.h"
#include "support/MessageText.h"
#include "support/RecordingView.h"

#include <QTest>

class TransmitterTest : public QObject {
    Q_OBJECT

    ManualClock clock;
    FakeSerialPort port;
    RecordingView view;

    // The buffer is freed with a message when the echo or CTS never comes,
    // and not before.
    void givesUpAfter(Transmitter& tx, int interfaceType, double seconds) {
        clock.advance(seconds);
        tx.TransmitPending(port, interfaceType);
        QVERIFY(!tx.isFree());
        QVERIFY(view.messages.isEmpty());
        clock.advance(0.01);
        tx.TransmitPending(port, interfaceType);
        QVERIFY(tx.isFree());
        QVERIFY(!tx.echoPending());
        QCOMPARE(view.messages, QStringList{"Message kann nicht gesendet werden!"});
        QCOMPARE(view.titles, QStringList{"LocoNet Fehler"});
        QCOMPARE(view.icons, QList<MessageIcon>{MessageIcon::Critical});
    }

private slots:
    void init() {
        port = FakeSerialPort();
        port.opened = true;
        view.clear();
    }

    void sendsOnceWithChecksum_data() {
        QTest::addColumn<int>("interfaceType");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("power off, type 1") << 1 << "82" << hex("82 7D");
        QTest::newRow("switch, type 2") << 2 << "B0 12 30" << hex("B0 12 30 6D");
        const char* const request = "ED 0F 01 47 58 07 00 00 00 00 00 00 00 00";
        QTest::newRow("station request, type 3") << 3 << request << (hex(request) + '\x04');
    }
    void sendsOnceWithChecksum() {
        QFETCH(int, interfaceType);
        QFETCH(QString, text);
        QFETCH(QByteArray, wire);
        Transmitter tx(clock, view);
        QVERIFY(placeText(tx, text));
        tx.TransmitPending(port, interfaceType);
        QCOMPARE(port.written, wire);
        // Type 1 is paced byte by byte, the interfaces take it in one write.
        QCOMPARE(port.writes.size(), interfaceType == 1 ? wire.size() : 1);
        QVERIFY(tx.echoPending());
        // Sent once only, however many ticks follow, and nothing is placed
        // over it until its echo comes or its time is up.
        tx.TransmitPending(port, interfaceType);
        QCOMPARE(port.written, wire);
        QVERIFY(!placeText(tx, "83"));
        givesUpAfter(tx, interfaceType, 3.0);
    }

    // The station's port takes a character only while CTS is held, and one
    // already in the port's queue goes out whatever CTS says: so nothing is
    // handed over while the queue holds a byte, and CTS dropped in the
    // middle of a message stops it until it comes back.
    void ctsPacesEachByte() {
        Transmitter tx(clock, view);
        placeText(tx, "B0 12 30");
        port.queued = 1;
        tx.TransmitPending(port, 1);
        QVERIFY(port.written.isEmpty());
        port.queued = 0;
        port.afterWrite = [this] { port.cts = port.written.size() < 2; };
        for (int tick = 0; tick < 50; ++tick) {
            tx.TransmitPending(port, 1);
            clock.advance(0.01);
        }
        QCOMPARE(port.written, hex("B0 12"));
        QVERIFY(!tx.echoPending());
        port.afterWrite = nullptr;
        port.cts = true;
        tx.TransmitPending(port, 1);
        QCOMPARE(port.written, hex("B0 12 30 6D"));
        QVERIFY(tx.echoPending());
    }

    void givesUpWithoutCts() {
        Transmitter tx(clock, view);
        placeText(tx, "B0 12 30");
        port.cts = false;
        tx.TransmitPending(port, 1);
        givesUpAfter(tx, 1, 5.0);
    }

    void placesHexText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("placed");
        QTest::addColumn<QString>("token"); // the one refused
        const auto row = [](const char* name, const QString& text, HexTextResult::Kind kind,
                            const QByteArray& placed = {}, const char* token = "") {
            QTest::newRow(name) << text << int(kind) << placed << QString(token);
        };
        row("lower case, extra spaces", "  b0   12 3 ", HexTextResult::Placed, hex("B0 12 03"));
        row("data byte with bit 7 is sent as typed", "B0 92 30", HexTextResult::Placed,
            hex("B0 92 30"));
        row("only spaces", "   ", HexTextResult::Empty);
        row("too big for a byte", "B0 1FF 30", HexTextResult::BadToken, {}, "1FF");
        // The receiver frames at most 64 bytes, checksum included.
        row("63 bytes fit", "E0 40" + QString(" 01").repeated(61), HexTextResult::Placed,
            hex("E0 40") + QByteArray(61, 0x01));
        row("64 bytes do not", QString("01 ").repeated(64), HexTextResult::TooLong);
    }
    void placesHexText() {
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QByteArray, placed);
        QFETCH(QString, token);
        const HexTextResult result = parseHexText(text);
        QCOMPARE(int(result.kind), kind);
        QCOMPARE(result.bytes, placed);
        QCOMPARE(result.token, token);
        const QString problem = hexTextProblem(result);
        QCOMPARE(problem.isEmpty(), kind == HexTextResult::Placed || kind == HexTextResult::Empty);
        if (!token.isEmpty())
            QVERIFY2(problem.contains('"' + token + '"'), qPrintable(problem));
    }
};

QTEST_GUILESS_MAIN(TransmitterTest)
#include "tst_transmitter.moc"
