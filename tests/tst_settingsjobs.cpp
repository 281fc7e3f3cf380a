#include "settings/SettingsJobs.h"
#include "support/LinkHarness.h"
#include "support/MessageText.h"

#include <QTest>

namespace {
// The station's request ED 0F with its command byte and the packed data
// bytes; trailing zero bytes left out.
QByteArray request(const char* commandAndData) {
    return wire(QByteArray("ED 0F 01 47 58 ") + commandAndData);
}
QByteArray optionWrite(int number, int value) {
    return request(qPrintable(QString::asprintf("01 00 %02X 00 %02X", number, value)));
}
// The station's answer E5 0F with byte 5 = kind and the packed data bytes.
void answer(LinkHarness& h, const char* kindAndData) {
    h.receiveBytes(wire(QByteArray("E5 0F 00 47 58 ") + kindAndData));
}
void answerOption(LinkHarness& h, int number, int value) {
    answer(h, qPrintable(QString::asprintf("00 00 %02X 00 %02X", number, value)));
}

enum Kind { Read, Write, ReadList, WriteList, FormatRead };

// Starts a request of this kind with operands a and b; false when refused.
bool start(SettingsJobs& j, int kind, int a, int b) {
    return kind == Read        ? j.readOption(a)
           : kind == Write     ? j.writeOption(a, b)
           : kind == ReadList  ? j.readOptions({10, a})
           : kind == WriteList ? j.writeOptions({{10, 4}, {a, b}})
                               : j.readLocoFormat(a);
}
} // namespace

class SettingsJobsTest : public QObject {
    Q_OBJECT

private slots:
    // Nothing the message cannot carry is sent, and no job is started.
    void requestsOnTheWire_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<QByteArray>("request"); // empty: refused
        const auto row = [](const char* name, Kind kind, int a, int b, const char* sent) {
            QTest::newRow(name) << int(kind) << a << b << (*sent ? request(sent) : QByteArray());
        };
        row("SO 200 read", Read, 200, 0, "02 01 48");
        row("SO 1023 := 255", Write, 1023, 255, "01 05 7F 03 7F");
        row("format of loco 16383", FormatRead, 16383, 0, "0D 01 7F 3F");
        row("SO 1024", Read, 1024, 0, "");
        row("value 256", Write, 1, 256, "");
        row("value -1", Write, 1, -1, "");
        row("list with SO 2000", ReadList, 2000, 0, "");
        row("list with value 300", WriteList, 12, 300, "");
        row("loco 0", FormatRead, 0, 0, "");
        row("loco 16384", FormatRead, 16384, 0, "");
    }
    void requestsOnTheWire() {
        QFETCH(int, kind);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(QByteArray, request);
        LinkHarness h;
        QCOMPARE(start(h.core.settings, kind, a, b), !request.isEmpty());
        QCOMPARE(hexText(h.nextWritten(20)), hexText(request));
    }

    // A read the station refuses is told once, by its refusal; one it
    // acknowledges but never answers by a time-out, and an answer after it
    // is kept but shown nowhere.
    void readsWithoutAnAnswer_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<QString>("message");
        QTest::newRow("one option refused") << int(Read) << true << "Fehler: SO lesen";
        QTest::newRow("format refused")
            << int(FormatRead) << true << "Fehler: Lokdatenformat lesen";
        QTest::newRow("one option silent")
            << int(Read) << false << "Keine Antwort auf SO-Read erhalten!";
        QTest::newRow("format silent")
            << int(FormatRead) << false << "Keine Antwort auf LokCfg-Read erhalten!";
    }
    void readsWithoutAnAnswer() {
        QFETCH(int, kind);
        QFETCH(bool, refused);
        QFETCH(QString, message);
        LinkHarness h;
        SettingsJobs& j = h.core.settings;
        int told = 0;
        j.OnOptionRead = j.OnLocoFormatRead = [&](int) { ++told; };
        j.OnOptionsRead = [&](const SpecialOptions&) { ++told; };
        start(j, kind, kind == FormatRead ? 3 : 12, 0);
        h.echoNext();
        h.receive(refused ? "B4 6D 00" : "B4 6D 7F");
        h.ticks(190);
        QCOMPARE(h.messages.messages.size(), refused ? 1 : 0);
        QCOMPARE(h.core.jobs.idle(), refused);
        h.ticks(300);
        QCOMPARE(h.messages.messages, QStringList{message});
        QVERIFY(h.core.jobs.idle());
        if (kind == FormatRead)
            answer(h, "0B 00 03 00 52");
        else
            answerOption(h, 10, 4);
        h.ticks(3);
        QCOMPARE(told, 0);
        QVERIFY(h.port.written.isEmpty());
        QCOMPARE(kind == FormatRead ? h.s.answers.LocoFormatAnswer : h.s.answers.SoValueAnswer,
                 kind == FormatRead ? 0x52 : 4);
    }

    // Each option is asked only once the previous one has been answered.
    void optionListIsReadInOrder() {
        LinkHarness h;
        SettingsJobs& j = h.core.settings;
        SpecialOptions told;
        j.OnOptionsRead = [&](const SpecialOptions& options) { told = options; };
        const QList<int> numbers{10, 12, 13, 14, 35, 97};
        QVERIFY(j.readOptions({10, 12, 13, 14, 35, 97}));
        for (int i = 0; i < numbers.size(); ++i) {
            QCOMPARE(hexText(h.echoNext()),
                     hexText(request(qPrintable(QString::asprintf("02 00 %02X", numbers[i])))));
            h.receive("B4 6D 7F");
            h.ticks(5);
            QVERIFY(h.port.written.isEmpty());
            QVERIFY(told.empty());
            answerOption(h, numbers[i], i + 1);
        }
        h.ticks(3);
        const SpecialOptions expected{{10, 1}, {12, 2}, {13, 3}, {14, 4}, {35, 5}, {97, 6}};
        QVERIFY(told == expected);
        QVERIFY(h.core.jobs.idle());
    }

    // The writes follow each other as soon as the previous one is out; a
    // refusal comes only as the acknowledgement's own message, and a write
    // that never comes back ends the list.
    void optionListIsWrittenInOrder() {
        LinkHarness h;
        QVERIFY(h.core.settings.writeOptions({{10, 6}, {13, 2}, {97, 0}, {35, 5}}));
        QCOMPARE(hexText(h.echoNext()), hexText(optionWrite(10, 6)));
        h.receive("B4 6D 7F");
        QCOMPARE(hexText(h.echoNext()), hexText(optionWrite(13, 2)));
        h.receive("B4 6D 00");
        QCOMPARE(hexText(h.nextWritten()), hexText(optionWrite(97, 0)));
        h.ticks(320);
        QCOMPARE(h.messages.messages,
                 (QStringList{"Fehler: SO schreiben", "Message kann nicht gesendet werden!",
                              "SO-Write Konnte nicht gesendet werden!"}));
        QVERIFY(h.core.jobs.idle());
        QVERIFY(h.port.written.isEmpty());
    }

    // A format is written only once it is known, its second byte as read
    // for that loco even when a throttle has read another loco's format
    // since; a throttle driving the loco forgets it and so asks anew.
    void locoFormatWrite() {
        LinkHarness h;
        SettingsJobs& j = h.core.settings;
        h.s.station.ThrottleData[0][SlotRecord::Address] = 4;
        h.s.station.ThrottleData[1][SlotRecord::Address] = 3;
        QVERIFY(!j.writeLocoFormat(3, 0xD2));
        QVERIFY(j.readLocoFormat(3));
        h.echoNext();
        answer(h, "0B 0C 03 00 50 05");
        h.ticks(3);
        h.s.answers.LocoFormatExtra = 7;
        QVERIFY(j.writeLocoFormat(3, 0xD2));
        QCOMPARE(hexText(h.echoNext()), hexText(request("0C 0C 03 00 52 05")));
        QCOMPARE(h.s.station.ThrottleData[0][SlotRecord::Address], 4);
        QCOMPARE(h.s.station.ThrottleData[1][SlotRecord::Address], -1);
    }
};

QTEST_GUILESS_MAIN(SettingsJobsTest)
#include "tst_settingsjobs.moc"
