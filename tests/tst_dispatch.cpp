#include "support/LinkHarness.h"
#include "support/MessageText.h"

#include <QTest>

class DispatchTest : public QObject {
    Q_OBJECT

private slots:
    // The program sends a request, the bus echoes it, then the answer comes,
    // perhaps after another message. Only the next message is the answer,
    // though the idle filler between echo and answer changes nothing.
    void longAcknowledgeAnswers_data() {
        QTest::addColumn<QString>("request");
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("answerValue");
        const auto row = [](const char* name, const QString& request, const char* answer,
                            const char* message = "", int value = -1) {
            QTest::newRow(name) << request << wire(answer) << QString(message) << value;
        };
        const QString ed = "ED 0F 01 47 58 %1 00 00 00 00 00 00 00 00";
        const char* const refused = "Mag.Art.Message wurde nicht bearbeitet";
        row("switch refused", "B0 12 30", "B4 30 00", refused);
        row("switch refused, after the idle filler", "B0 12 30", "81 | B4 30 00", refused);
        row("another message came first", "B0 12 30", "83 | B4 30 00");
        row("switch, odd answer", "B0 12 30", "B4 3C 00", "ungültige Antwort auf B0!");
        row("loco refused", "BF 00 03", "B4 3F 00", "Lok konnte nicht angemeldet werden!");
        row("loco, odd answer", "BE 00 03", "B4 30 00", "ungültige Antwort auf BF!");
        row("SO read accepted", ed.arg("02"), "B4 6D 7F", "", 0x7F);
        row("other command ignored", ed.arg("07"), "B4 6D 00");
        row("no answer expected", "A0 05 10", "B4 30 00");
    }
    void longAcknowledgeAnswers() {
        QFETCH(QString, request);
        QFETCH(QByteArray, answer);
        QFETCH(QString, message);
        QFETCH(int, answerValue);
        LinkHarness h;
        h.s.answers.AnswerValue = -1;
        placeText(h.s.link.Tx, request);
        h.echoNext();
        h.receiveBytes(answer);
        h.tick();
        QCOMPARE(h.messages.messages, message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(h.messages.titles, QStringList{"LocoNet Fehler"});
        QCOMPARE(h.s.answers.AnswerValue, answerValue);
    }

    // Slot data land in their slot, slot 0's raw, and a format answer in the
    // slot of its address; the programming track's go to its hook. A3 sets or clears F9..F12 in
    // both places it keeps them, D4 the byte of its type.
    void slotTable_data() {
        QTest::addColumn<QByteArray>("messages");
        QTest::addColumn<int>("slot");
        QTest::addColumn<QString>("fields"); // the track status, then the set fields
        const auto row = [](const char* name, const char* m, int slot, const char* fields) {
            QTest::newRow(name) << wire(m) << slot << QString(fields);
        };
        row("slot 0 keeps its raw bytes", "E7 0E 00 00 00 03 00 06 00 00 00 47 58", 0,
            "6 5=e7 6=e 10=3 12=6 16=47 17=58 18=c");
        row("loco slot", "E7 0E 05 03 03 10 20 07 00 01 02", 5, "7 0=83 2=10 3=20 4=2");
        row("programming track", "E7 0E 7C", 124, "0");
        row("slot 120 ignored", "E7 0E 78 03 03 00 00 07", 120, "0");
        row("wrong count ignored", "E7 0D 05 03 03 00 00 07 00 00 00 00", 5, "0");
        row("format of its locomotive", "E7 0E 05 03 03 00 00 07 | E5 0F 00 00 00 0B 04 03 00 53",
            5, "7 0=3 22=80 24=d3");
        row("A3 F12", "A3 05 08", 5, "0 10=10");
        row("A3 F9", "A3 05 01", 5, "0 12=10");
        row("A3 clears only its own bits", "D4 20 05 05 3F | D4 20 05 07 7F | A3 05 00", 5,
            "0 10=2f 12=f");
        row("D4 type 13 not stored", "D4 20 05 0D 7F", 5, "0");
    }
    void slotTable() {
        QFETCH(QByteArray, messages);
        QFETCH(int, slot);
        QFETCH(QString, fields);
        LinkHarness h;
        int calls = 0;
        h.s.hooks.OnProgrammingTrackSlot = [&](const ReceiveRing::Row& row) {
            QCOMPARE(row[2], quint8(0x7C));
            ++calls;
        };
        h.receiveBytes(messages);
        h.ticks(3);
        QStringList set{QString::number(h.s.station.TrackStatus)};
        const SlotRecord& record = h.s.station.SlotTable[slot];
        for (int i = 0; i < SlotRecord::Fields; ++i) {
            if (record[i] != 0)
                set.append(QStringLiteral("%1=%2").arg(i).arg(record[i], 0, 16));
        }
        QCOMPARE(set.join(u' '), fields);
        QCOMPARE(calls, slot == 0x7C ? 1 : 0);
    }

    void directionReportTurnsTheSlotRound() {
        LinkHarness h;
        h.s.station.SlotTable[5][SlotRecord::DirF] = 0x10;
        h.s.station.ThrottleSlot[0] = 5;
        h.receive("ED 0F 01 47 58 15 00 05 00 00 00 00 00 00");
        h.tick();
        QCOMPARE(h.s.station.SlotTable[5][SlotRecord::DirF], 0x30);
        QCOMPARE(h.s.station.ThrottleData[0][SlotRecord::DirF], 0x30);
        h.receive("ED 0F 01 47 58 15 01 05 00 00 00 00 00 00");
        h.receive("ED 0F 01 47 58 15 01 7F 00 00 00 00 00 00");
        h.tick();
        QCOMPARE(h.s.station.SlotTable[5][SlotRecord::DirF], 0x30);
        QCOMPARE(h.s.station.SlotTable[BlankSlot], SlotRecord{});
    }

    // An output-off command changes no state; a report beyond the kept
    // contacts is dropped.
    void accessoriesAndFeedbackAtTheirEdges() {
        LinkHarness h;
        QList<QPair<int, int>> accessories;
        QList<QPair<int, int>> contacts;
        h.s.hooks.OnAccessoryForRoutes = [&](int a, int d) { accessories.append({a, d}); };
        h.s.hooks.OnFeedbackForRoutes = [&](int c, int st) { contacts.append({c, st}); };
        h.receive("B0 04 00"); // red off, address 4
        h.receive("B0 7F 1F"); // red on, address 2047
        h.receive("B2 00 40"); // contact 0 free
        h.receive("B2 7F 7F"); // contact 4095
        h.tick();
        QCOMPARE(accessories, (QList<QPair<int, int>>{{2047, 0}}));
        QCOMPARE(contacts, (QList<QPair<int, int>>{{0, 0}}));
        QCOMPARE(h.s.feedback.FeedbackState[0], qint16(0));
        QCOMPARE(h.s.feedback.FeedbackState[1], qint16(-1));
    }

    // A peer transfer fills in the answer its command names: an option, an
    // LNCV's article, number and value (serial number and version come
    // through in the version window's test). A throttle's announcement asks
    // for a locomotive.
    void peerTransfer_data() {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QList<double>>("answers");
        QTest::addColumn<QList<int>>("requests");
        const auto row = [](const char* name, const char* m, const QList<double>& answers,
                            const QList<int>& requests = {}) {
            QTest::newRow(name) << wire(m) << answers << requests;
        };
        row("option with high bit", "E5 0F 00 00 00 00 04 00 00 48", {200, -1, -1, -1, 0, 0});
        row("other length ignored", "E5 10 00 00 00 00 00 00 00 48 00 00 00 00 00",
            {-1, -1, -1, -1, 0, 0});
        row("LNCV 6 is no announcement", "E5 0F 00 00 00 1F 01 0E 12 06 00 0C",
            {-1, -1, -1, 4750, 6, 12});
        row("LNCV high bits restored", "E5 0F 00 00 00 1F 01 34 30 02 00 2C 01",
            {-1, -1, -1, 12468, 2, 300});
        row("announcement above 32767", "E5 0F 00 00 00 1F 31 0E 12 05 00 50 7F",
            {-1, -1, -1, 4750, 5, 65488}, {65488});
    }
    void peerTransfer() {
        QFETCH(QByteArray, message);
        QFETCH(QList<double>, answers);
        QFETCH(QList<int>, requests);
        LinkHarness h;
        QList<int> got;
        h.s.hooks.ZeltronRequest = [&](int v) { got.append(v); };
        h.receiveBytes(message);
        h.tick();
        const AnswerBook& a = h.s.answers;
        QCOMPARE(
            (QList<double>{double(a.SoValueAnswer), a.SerialNumber, a.SoftwareVersion,
                           double(a.LncvAnswerArticle), double(a.LncvNumber), double(a.LncvValue)}),
            answers);
        QCOMPARE(got, requests);
    }
};

QTEST_GUILESS_MAIN(DispatchTest)
#include "tst_dispatch.moc"
