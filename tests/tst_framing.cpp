#include "link/LocoNetMessage.h"
#include "link/ReceiveRing.h"
#include "support/Hex.h"
#include "support/MessageText.h"

#include <QTest>

class FramingTest : public QObject {
    Q_OBJECT

    static QList<QByteArray> drain(ReceiveRing& ring) {
        QList<QByteArray> messages;
        while (!ring.isEmpty()) {
            const ReceiveRing::Row row = ring.take();
            messages.append(QByteArray(reinterpret_cast<const char*>(row.data()),
                                       loconet::lengthOfMessage(row.data())));
        }
        return messages;
    }

private slots:
    void framesMessages_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("messages");
        QTest::newRow("leading data bytes ignored")
            << hex("00 12 B0 12 30 6D") << QStringList{"B0 12 30 6D"};
        QTest::newRow("new opcode cuts off a message")
            << hex("A0 01 83 7C 5C") << QStringList{"83 7C"};
        QTest::newRow("two-byte, four-byte, six-byte")
            << hex("82 7D B2 05 70 38 D4 20 05 05 10 1B")
            << QStringList{"82 7D", "B2 05 70 38", "D4 20 05 05 10 1B"};
        QTest::newRow("count byte gives the length")
            << hex("E7 0E 01 03 03 00 00 07 00 00 00 00 00 10")
            << QStringList{"E7 0E 01 03 03 00 00 07 00 00 00 00 00 10"};
        QTest::newRow("count 0 drops the message and its data")
            << hex("E5 00 01 02 03 82 7D") << QStringList{"82 7D"};
        QTest::newRow("count above 64 drops the message")
            << hex("E5 41 01 02 03 04") << QStringList{};
        QTest::newRow("count 1 can never complete")
            << (hex("E5 01") + QByteArray(200, 0x11) + hex("83 7C")) << QStringList{"83 7C"};
        const QByteArray longest = loconet::withChecksum(hex("E0 40") + QByteArray(61, 0x01));
        QTest::newRow("count 64 is the longest message")
            << longest << QStringList{hexText(longest)};
        QTest::newRow("incomplete message stays unread") << hex("B0 12") << QStringList{};
    }
    void framesMessages() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, messages);
        ReceiveRing ring;
        ring.receive(bytes);
        QStringList got;
        for (const QByteArray& m : drain(ring))
            got.append(hexText(m));
        QCOMPARE(got, messages);
    }

    // A garbled message is never acted on: not as an echo, an answer, a
    // report or the power; it is counted and shown to a listener whole.
    void damagedMessagesAreDroppedAndCounted_data() {
        QTest::addColumn<QByteArray>("damaged");
        QTest::newRow("feedback report") << hex("B2 05 70 00");
        QTest::newRow("power") << hex("82 7C");
        QTest::newRow("echo of a switch command") << hex("B0 12 30 6C");
        QTest::newRow("answer") << hex("B4 6D 7F 00");
        QTest::newRow("slot data") << hex("E7 0E 05 03 03 00 20 07 00 00 00 00 00 00");
    }
    void damagedMessagesAreDroppedAndCounted() {
        QFETCH(QByteArray, damaged);
        ReceiveRing ring;
        QByteArray shown;
        ring.onDamaged = [&](const quint8* m, int length) {
            shown = QByteArray(reinterpret_cast<const char*>(m), length);
        };
        ring.receive(damaged + msg("83"));
        QCOMPARE(drain(ring), QList<QByteArray>{msg("83")});
        QCOMPARE(ring.damagedCount(), 1);
        QCOMPARE(shown, damaged);
    }

    void messageSplitAcrossReadsIsKept() {
        ReceiveRing ring;
        ring.receive(hex("B0 12"));
        QVERIFY(ring.isEmpty());
        ring.receive(hex("30 6D"));
        QCOMPARE(drain(ring), QList<QByteArray>{hex("B0 12 30 6D")});
    }

    // With 31 unread messages the ring is full: what comes after waits, in
    // order, and moves in as messages are taken. A program held up on a busy
    // bus reads more at once than the ring holds and loses none of it.
    void fullRingKeepsTheRestWaiting() {
        ReceiveRing ring;
        QByteArray reports;
        for (int i = 0; i < 100; ++i)
            reports += loconet::withChecksum(QByteArray{"\xB2"} + char(i) + char(0x10));
        ring.receive(reports.left(150));
        ring.receive(reports.mid(150));
        QCOMPARE(ring.unreadCount(), 31);
        const QList<QByteArray> messages = drain(ring);
        QCOMPARE(messages.size(), 100);
        for (int i = 0; i < 100; ++i)
            QCOMPARE(quint8(messages[i][1]), quint8(i));

        ring.receive(hex("83 7C 82 7D"));
        QCOMPARE(drain(ring), (QList<QByteArray>{hex("83 7C"), hex("82 7D")}));

        // A ring nobody empties keeps only the newest waiting bytes, and a
        // message cut off at their start is never dispatched.
        const QByteArray flood =
            loconet::withChecksum(hex("E7 0E 01 02 03 04 05 06 07 08 09 0A 0B"));
        for (qsizetype sent = 0; sent < 2 * ReceiveRing::MaxWaitingBytes; sent += flood.size())
            ring.receive(flood);
        QVERIFY(ring.waitingBytes() <= ReceiveRing::MaxWaitingBytes);
        for (const QByteArray& message : drain(ring))
            QCOMPARE(message, flood);
    }
};

QTEST_GUILESS_MAIN(FramingTest)
#include "tst_framing.moc"
