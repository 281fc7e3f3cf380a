#include "link/ReceiveRing.h"
#include "support/Hex.h"

#include <QTest>

namespace {
// The messages the ring holds, oldest first, each as long as the ring framed it.
QStringList drain(ReceiveRing& ring) {
    QStringList messages;
    while (!ring.isEmpty()) {
        const ReceiveRing::Row row = ring.take();
        messages.append(hexText(QByteArray(reinterpret_cast<const char*>(row.data()),
                                           loconet::lengthOfMessage(row.data()))));
    }
    return messages;
}
} // namespace

class FramingTest : public QObject {
    Q_OBJECT

private slots:
    // A garbled message is never acted on: it never enters the ring, so it
    // is taken for no echo, answer or report; it is counted and shown to a
    // listener whole.
    void framesMessages_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("damaged");
        const auto row = [](const char* name, const QByteArray& bytes, const QStringList& messages,
                            const QStringList& damaged = {}) {
            QTest::newRow(name) << bytes << messages << damaged;
        };
        row("leading data bytes ignored", hex("00 12 B0 12 30 6D"), {"B0 12 30 6D"});
        row("new opcode cuts off a message", hex("A0 01 83 7C 5C"), {"83 7C"});
        row("two-byte, four-byte, six-byte", hex("82 7D B2 05 70 38 D4 20 05 05 10 1B"),
            {"82 7D", "B2 05 70 38", "D4 20 05 05 10 1B"});
        row("count byte gives the length", hex("E7 0E 01 03 03 00 00 07 00 00 00 00 00 10"),
            {"E7 0E 01 03 03 00 00 07 00 00 00 00 00 10"});
        row("count 0 drops the message and its data", hex("E5 00 01 02 03 82 7D"), {"82 7D"});
        row("count above 64 drops the message", hex("E5 41 01 02 03 04"), {});
        row("count 1 can never complete, not even in the last slot",
            msg("83").repeated(30) + hex("E5 01") + QByteArray(200, 0x11) + msg("83"),
            QStringList(31, "83 7C"));
        const QByteArray longest = loconet::withChecksum(hex("E0 40") + QByteArray(61, 0x01));
        row("count 64 is the longest message", longest, {hexText(longest)});
        row("incomplete message stays unread", hex("B0 12"), {});
        // Power, a switch command's echo, an answer, a feedback report, slot data.
        const QStringList damaged{"82 7C", "B0 12 30 6C", "B4 30 00 00", "B2 05 70 00",
                                  "E7 0E 05 03 03 00 20 07 00 00 00 00 00 00"};
        row("wrong checksums", hex(qPrintable(damaged.join(u' '))) + msg("83"), {"83 7C"}, damaged);
    }
    // The same whether the bytes come in one read or one by one.
    void framesMessages() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, damaged);
        for (const qsizetype chunk : {bytes.size(), qsizetype(1)}) {
            ReceiveRing ring;
            QStringList shown;
            ring.onDamaged = [&](const quint8* m, int length) {
                shown.append(hexText(QByteArray(reinterpret_cast<const char*>(m), length)));
            };
            for (qsizetype at = 0; at < bytes.size(); at += chunk)
                ring.receive(bytes.mid(at, chunk));
            QCOMPARE(drain(ring), messages);
            QCOMPARE(shown, damaged);
            QCOMPARE(ring.damagedCount(), damaged.size());
        }
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
        QStringList sent;
        for (qsizetype at = 0; at < reports.size(); at += 4)
            sent.append(hexText(reports.mid(at, 4)));
        QCOMPARE(drain(ring), sent);

        ring.receive(hex("83 7C 82 7D"));
        QCOMPARE(drain(ring), (QStringList{"83 7C", "82 7D"}));

        // A ring nobody empties keeps only the newest waiting bytes, and a
        // message cut off at their start is never dispatched.
        const QByteArray flood =
            loconet::withChecksum(hex("E7 0E 01 02 03 04 05 06 07 08 09 0A 0B"));
        for (qsizetype sent = 0; sent < 2 * ReceiveRing::MaxWaitingBytes; sent += flood.size())
            ring.receive(flood);
        QVERIFY(ring.waitingBytes() <= ReceiveRing::MaxWaitingBytes);
        for (const QString& message : drain(ring))
            QCOMPARE(message, hexText(flood));
    }
};

QTEST_GUILESS_MAIN(FramingTest)
#include "tst_framing.moc"
