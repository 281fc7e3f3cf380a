#include "link/HexText.h"
#include "monitor/Decoder.h"
#include "monitor/MonitorLog.h"
#include "monitor/MonitorModel.h"
#include "monitor/ui/MonitorWindow.h"
#include "support/Hex.h"
#include "support/ProgramOnLayout.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

namespace {
using monitor::MessageKind;
using monitor::NoAddress;

monitor::Message view(const QByteArray& bytes) {
    return {reinterpret_cast<const quint8*>(bytes.constData()), static_cast<int>(bytes.size())};
}

// The program on the virtual station with the monitor behind its menu item,
// as the program puts it together, and a file chooser the test answers.
struct MonitorOnLayout : ProgramOnLayout {
    MonitorOnLayout() {
        core->link.tap = &log;
        win->attachWindow(QStringLiteral("MonitorMenu"), [this] {
            return new MonitorWindow(log, messages, [this] { return savePath; });
        });
    }
    ~MonitorOnLayout() { core->link.tap = nullptr; }

    MonitorWindow& open() {
        get<QAction>(QStringLiteral("MonitorMenu"))->trigger();
        return *win->findChild<MonitorWindow*>();
    }
    // The meanings of the rows from the given one on.
    QStringList meanings(MonitorWindow& window, int from = 0) {
        window.refresh();
        const MonitorModel& model = window.model();
        QStringList texts;
        for (int row = from; row < model.rowCount(); ++row)
            texts.append(model.index(row, MonitorModel::MeaningColumn).data().toString());
        return texts;
    }
    void tap(MessageTap::Origin origin, const QByteArray& m) {
        log.tapMessage(origin, reinterpret_cast<const quint8*>(m.constData()), m.size());
    }

    MonitorLog log{clock, core->link};
    QString savePath;
};

QStringList contactReports(int first, int last, const char* state) {
    QStringList texts;
    for (int contact = first; contact <= last; ++contact)
        texts.append(QStringLiteral("Rückmelder %1: %2").arg(contact).arg(state));
    return texts;
}
} // namespace

class MonitorTest : public QObject {
    Q_OBJECT

private slots:
    // Messages as the virtual station and the program exchange them, read
    // as the monitor shows them; an acknowledge with the request before it.
    // The log finds that request, and a slot's locomotive, itself: the
    // window test below shows it.
    void readsMessages_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("address");
        const auto row = [](const char* bytes, const char* text, MessageKind kind,
                            int address = NoAddress, const char* request = "") {
            QTest::newRow(text) << msg(bytes) << (*request ? msg(request) : QByteArray())
                                << QString::fromUtf8(text) << int(kind) << address;
        };
        using enum MessageKind;
        row("82", "Gleisspannung aus (STOP)", Station);
        row("E7 0E 00 00 00 02 00 07 00 00 00 47 58",
            "Slotdaten Slot 0: Zentrale GX/ZT Sw.Vers.1.55, Gleisspannung ein", Station);
        row("B0 7F 0F", "Mag.Art. 2048: rot, Ausgang aus", Switch, 2048);
        row("B4 30 00", "Mag.Art. 6: grün, Ausgang ein – nicht bearbeitet (Code 00)", Switch, 6,
            "B0 05 30");
        // Feedback, numbered as the panel shows it.
        row("B2 02 70", "Rückmelder 6: belegt", Feedback, 6);
        row("E7 0E 01 30 03 3C 30 07 00 00 05 00 00",
            "Slotdaten Lok 3 (Slot 1): in Benutzung, 28 Fahrstufen, Geschwindigkeit 60, "
            "rückwärts, Licht ein, F1–F4 aus, F5–F8 ein: F5, F7; Gleisspannung ein",
            Loco, 3);
        row("B4 3F 00", "Lok 3 anmelden (Slot anfordern) – abgelehnt, kein Slot frei", Loco, 3,
            "BF 00 03");
        row("A1 01 31", "Slot 1: rückwärts, Licht ein, F1–F4 ein: F1", Loco);
        row("D4 20 01 07 44", "Slot 1: F5–F11 ein: F7, F11", Loco);
        // The station's 15-byte requests and answers.
        row("B4 6D 7F", "Sonderoption 35 schreiben: 200 – angenommen", Station, NoAddress,
            "ED 0F 01 47 58 01 04 23 00 48 00 00 00 00");
        row("E5 0F 00 47 58 0B 04 03 00 52 00 00 00 00", "Lokdatenformat von Lok 3: DCC - 28",
            Station, 3);
        row("E5 0F 00 47 58 09 00 00 01 10 01 55 00 00", "Seriennummer 1100155", Station);
        row("E5 0F 00 47 58 08 00 50 15 00 00 00 00 00", "Softwareversion 1.550", Station);
        // LNCV modules, article numbers as the user types them.
        row("E5 0F 05 49 4B 1F 01 52 04 02 00 02 00 00", "LNCV-Antwort: Artikel 12340, LNCV 2 = 2",
            Programming);
        row("B4 6D 02", "LNCV schreiben: Artikel 12340, LNCV 99 = 5 – LNCV schreibgeschützt",
            Programming, NoAddress, "ED 0F 01 05 00 20 01 52 04 63 00 05 00 00");
        // The programming track, CVs as the user counts them.
        row("E7 0E 7C 2B 00 00 00 0F 00 1C 16 00 00", "CV 29 gelesen: 22", Programming, 29);
        row("E7 0E 7C 6B 00 00 00 07 12 2B 48 00 00", "CV 300 geschrieben: 200", Programming, 300);
        row("E7 0E 7C 2B 03 00 00 07 00 1C 00 00 00", "CV 29 lesen – Programmiergleis: Kurzschluss",
            Programming, 29);
        row("E5 10 01 00 00 01 02 03 04 05 00 06 07 08 09",
            "Peer-Message von 1 an alle: 82 03 04 05 06 07 08 09", Other);
        row("ED 0B 7F 24 02 03 21 00 00 00", "DCC-Paket ans Gleis: 03 A1, 4 Wiederholungen", Other);
        // Unknown opcodes, and what is no proper message.
        row("B7 12 34", "Unbekannter Opcode B7, 4-Byte-Message, Daten 12 34", Other);
        row("8F", "Unbekannter Opcode 8F, 2-Byte-Message", Other);
        row("C7 01 02 03 04", "Unbekannter Opcode C7, 6-Byte-Message, Daten 01 02 03 04", Other);
        row("E2 05 01 02", "Unbekannter Opcode E2, Länge im zweiten Byte, Daten 01 02", Other);
        row("B0 12", "Opcode B0 verlangt 4 Bytes, die Message hat 3", Other);
        row("B0 92 30", "Byte 2 (92) hat Bit 7 gesetzt und ist kein Datenbyte", Other);
        row("12 34", "Kein Opcode: das erste Byte 12 hat Bit 7 nicht gesetzt", Other);
    }
    void readsMessages() {
        QFETCH(QByteArray, bytes);
        QFETCH(QByteArray, request);
        QFETCH(QString, text);
        QFETCH(int, kind);
        QFETCH(int, address);
        const monitor::Context context{view(request)};
        const monitor::Reading meaning = monitor::meaningOf(view(bytes), context);
        const monitor::Reading subject = monitor::subjectOf(view(bytes), context);
        QCOMPARE(meaning.text, text);
        // Taking a message in builds no text and finds the same subject.
        QVERIFY(subject.text.isEmpty());
        for (const monitor::Reading& r : {meaning, subject})
            QCOMPARE(std::pair(int(r.kind), r.address), std::pair(kind, address));
    }

    // A burst of feedback reports back to back on the line arrives whole
    // and in order, though far more arrive than ticks run: taking one
    // message per tick would fall behind and the full ring would lose
    // reports. A filter picks rows without losing any, and a paused
    // table holds still while the log goes on collecting. The monitor opens
    // while the tools that start jobs are locked. It reads an acknowledge
    // with the request before it and a slot by the locomotive last reported
    // in it. A message the receiver dropped shows red with why. The rows save
    // as UTF-8 lines of tab-separated columns, the time counted from the
    // connect, and the selected rows copy the same way.
    void burstReadAndSaved() {
        MonitorOnLayout p;
        QVERIFY(!p.get<QAction>(QStringLiteral("DDCProgMenu"))->isEnabled());
        MonitorWindow& window = p.open();
        QVERIFY(window.isVisible());
        QVERIFY(p.connectByClick());
        const int before = p.meanings(window).size();
        constexpr int Burst = 512;
        for (int contact = 0; contact < Burst; ++contact)
            p.layout.reportContact(contact, true, p.clock.now());
        p.run(1.0);
        QCOMPARE(p.meanings(window, before), contactReports(1, Burst, "belegt"));

        for (int k = 1; k < monitor::KindCount; ++k)
            window.findChild<QCheckBox*>(QStringLiteral("kindFilter_%1").arg(k))->setChecked(false);
        p.type("addressFrom", "101");
        p.type("addressTo", "200");
        const QStringList picked = contactReports(101, 200, "belegt");
        QCOMPARE(p.meanings(window), picked);

        p.click("pauseButton");
        for (int contact = 100; contact < 110; ++contact)
            p.layout.reportContact(contact, false, p.clock.now());
        p.run(0.5);
        QCOMPARE(p.meanings(window), picked);
        p.click("pauseButton");
        QCOMPARE(p.meanings(window), picked + contactReports(101, 110, "frei"));

        p.type("addressFrom", {});
        p.type("addressTo", {});
        for (QCheckBox* kind : window.findChildren<QCheckBox*>())
            kind->setChecked(true);
        QCOMPARE(p.meanings(window).size(), before + Burst + 10);

        QVERIFY(p.meanings(window).contains("Stellung von Mag.Art. 1 abfragen – grün"));
        p.tap(MessageTap::Origin::Bus, msg("E7 0E 01 30 03 3C 30 07 00 00 05 00 00"));
        p.tap(MessageTap::Origin::Bus, msg("A0 01 3C"));
        p.tap(MessageTap::Origin::Damaged, hex("B2 02 70 00"));
        QCOMPARE(p.meanings(window).last(2),
                 QStringList({"Lok 3 (Slot 1): Geschwindigkeit 60",
                              "Verworfen: Prüfsumme falsch (00 statt 3F) – Rückmelder 6: belegt"}));
        const MonitorModel& model = window.model();
        const int last = model.rowCount() - 1;
        QVERIFY(model.index(last, 0).data(MonitorModel::DamagedRole).toBool());
        QVERIFY(!model.index(0, 0).data(MonitorModel::DamagedRole).toBool());

        QTemporaryDir dir;
        p.savePath = dir.filePath("monitor.txt");
        p.click("saveButton");
        QFile file(p.savePath);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines =
            QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), model.rowCount());
        QStringList first = lines.constFirst().split(u'\t');
        first.removeAt(MonitorModel::WallClockColumn);
        QCOMPARE(first, QStringList({"0", "gesendet", "BB 00 00 44",
                                     "Slot 0 abfragen (Kennung der Zentrale)"}));

        window.findChild<QTreeView*>()->selectionModel()->select(
            model.index(last, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        p.click("copyButton");
        QCOMPARE(QApplication::clipboard()->text(), lines.constLast() + u'\n');

        p.savePath = dir.filePath("fehlt/monitor.txt");
        p.click("saveButton");
        QCOMPARE(p.titles, QStringList{"Fehler"});
    }
};

QTEST_MAIN(MonitorTest)
#include "tst_monitor.moc"
