#include "link/HexText.h"
#include "link/Link.h"
#include "link/Messages.h"
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

private slots:
    void init() {
        port = FakeSerialPort();
        port.opened = true;
        view.clear();
    }

    void appendsChecksum_data() {
        QTest::addColumn<int>("interfaceType");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("wire");
        for (int type : {1, 2, 3}) {
            const QByteArray t = QByteArray::number(type);
            QTest::newRow("power off, type " + t) << type << "82" << hex("82 7D");
            QTest::newRow("switch, type " + t) << type << "B0 12 30" << hex("B0 12 30 6D");
        }
        QTest::newRow("station request") << 3 << "ED 0F 01 47 58 07 00 00 00 00 00 00 00 00"
                                         << hex("ED 0F 01 47 58 07 00 00 00 00 00 00 00 00 04");
    }
    void appendsChecksum() {
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
        // Sent once only, however many ticks follow.
        tx.TransmitPending(port, interfaceType);
        QCOMPARE(port.written, wire);
    }

    void waitsForClearToSend() {
        Transmitter tx(clock, view);
        placeText(tx, "B0 12 30");
        port.cts = false;
        for (int tick = 0; tick < 100; ++tick) {
            tx.TransmitPending(port, 1);
            clock.advance(0.01);
        }
        QVERIFY(port.written.isEmpty());
        QVERIFY(!tx.echoPending());
        port.cts = true;
        tx.TransmitPending(port, 1);
        QCOMPARE(port.written, hex("B0 12 30 6D"));
        QVERIFY(tx.echoPending());
        QVERIFY(view.messages.isEmpty());
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

    void clearToSendNeverComesGivesUpAfterFiveSeconds() {
        Transmitter tx(clock, view);
        placeText(tx, "B0 12 30");
        port.cts = false;
        tx.TransmitPending(port, 1);
        clock.advance(5.0);
        tx.TransmitPending(port, 1);
        QVERIFY(!tx.isFree());
        clock.advance(0.01);
        tx.TransmitPending(port, 1);
        QVERIFY(tx.isFree());
        QCOMPARE(view.messages, QStringList{"Message kann nicht gesendet werden!"});
        QCOMPARE(view.titles, QStringList{"LocoNet Fehler"});
    }

    void missingEchoFreesBufferAfterThreeSeconds() {
        Transmitter tx(clock, view);
        placeText(tx, "B0 12 30");
        tx.TransmitPending(port, 3);
        clock.advance(3.0);
        tx.TransmitPending(port, 3);
        QVERIFY(!tx.isFree());
        QVERIFY(view.messages.isEmpty());
        clock.advance(0.01);
        tx.TransmitPending(port, 3);
        QVERIFY(tx.isFree());
        QVERIFY(!tx.echoPending());
        QCOMPARE(view.messages, QStringList{"Message kann nicht gesendet werden!"});
        QCOMPARE(view.icons, QList<MessageIcon>{MessageIcon::Critical});
    }

    void placesHexText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("placed");
        QTest::newRow("plain") << "B0 12 30" << int(HexTextResult::Placed) << hex("B0 12 30");
        QTest::newRow("lower case, extra spaces")
            << "  b0   12 3 " << int(HexTextResult::Placed) << hex("B0 12 03");
        QTest::newRow("data byte with bit 7 is sent as typed")
            << "B0 92 30" << int(HexTextResult::Placed) << hex("B0 92 30");
        QTest::newRow("empty") << "" << int(HexTextResult::Empty) << QByteArray();
        QTest::newRow("only spaces") << "   " << int(HexTextResult::Empty) << QByteArray();
        QTest::newRow("too big for a byte")
            << "B0 1FF 30" << int(HexTextResult::BadToken) << QByteArray();
        QTest::newRow("sign") << "B0 -1 30" << int(HexTextResult::BadToken) << QByteArray();
        // The receiver frames at most 64 bytes, checksum included.
        QTest::newRow("63 bytes fit")
            << QString("E0 40") + QString(" 01").repeated(61) << int(HexTextResult::Placed)
            << (hex("E0 40") + QByteArray(61, 0x01));
        QTest::newRow("64 bytes do not")
            << QString("01 ").repeated(64) << int(HexTextResult::TooLong) << QByteArray();
    }
    void placesHexText() {
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(QByteArray, placed);
        const HexTextResult result = parseHexText(text);
        QCOMPARE(int(result.kind), kind);
        QCOMPARE(result.bytes, placed);
        QCOMPARE(hexTextProblem(result).isEmpty(),
                 kind == int(HexTextResult::Placed) || kind == int(HexTextResult::Empty));
    }

    void badTokenIsNamed() {
        const HexTextResult result = parseHexText("B0 1FF 30");
        QCOMPARE(result.token, QString("1FF"));
        QVERIFY(hexTextProblem(result).contains("\"1FF\""));
    }

    void packHighBits_data() {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("packed");
        QTest::newRow("none") << hex("01 02 03 04 05 06 07") << hex("00 01 02 03 04 05 06 07");
        QTest::newRow("first and last")
            << hex("C8 00 00 00 00 00 FF") << hex("41 48 00 00 00 00 00 7F");
        QTest::newRow("all") << hex("80 81 82 83 84 85 86") << hex("7F 00 01 02 03 04 05 06");
    }
    void packHighBits() {
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, packed);
        messages::RequestData values{};
        for (int i = 0; i < 7; ++i)
            values[i] = quint8(data[i]);
        const messages::Request15 m = messages::request15(0x47, 0x58, 0x01, values);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(m.data()) + 6, 8), packed);
    }

    void receiveTakesNothingWhileClosed() {
        Link link(clock, port, view);
        port.incoming = hex("83 7C");
        port.opened = false;
        link.ReceiveBytes();
        QVERIFY(link.Rx.isEmpty());
        port.opened = true;
        link.ReceiveBytes();
        QVERIFY(!link.Rx.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TransmitterTest)
#include "tst_transmitter.moc"
