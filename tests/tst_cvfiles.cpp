#include "programming/CvTable.h"
#include "programming/DecoderDocument.h"
#include "programming/ManufacturerList.h"
#include "programming/ProgrammingState.h"
#include "support/RecordingView.h"
#include "support/WorstFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Bench {
    QTemporaryDir dir;
    ProgrammingState prog;
    CvTable table;
    RecordingView messages;
    DecoderDocument doc{prog, table, messages};

    QString path(const QString& name) const { return dir.filePath(name); }
    void put(const QString& name, const QByteArray& content) const {
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QByteArray contentOf(const QString& name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList cvColumn() const {
        QStringList cvs;
        for (int row = 0; row < table.rowCount(); ++row)
            cvs.append(table.text(row, CvTable::CvColumn));
        return cvs;
    }
};

} // namespace

class CvFilesTest : public QObject {
    Q_OBJECT

private slots:
    // CV 0 is no CV of the decoder; without a table the second line is empty.
    void cvFileLines() {
        Bench b;
        b.prog.CvValue[1] = 3;
        b.prog.CvValue[29] = 6;
        b.prog.CvValue[0] = 7;
        QVERIFY(b.doc.saveCv(b.path("a.CV")));
        b.doc.CvTableFileName = "/lok/Lok 1.LST";
        QVERIFY(b.doc.saveCv(b.path("b.CV")));
        QCOMPARE(b.contentOf("a.CV") + b.contentOf("b.CV"),
                 "\"CV-Datei\"\r\n\r\n1,3\r\n29,6\r\n\"CV-Datei\"\r\n\"/lok/Lok "
                 "1.LST\"\r\n1,3\r\n29,6\r\n");
    }

    // A table named without a usable folder is looked for beside the CV
    // file; a missing one is passed over quietly, and its name stays, so
    // that saving keeps the table with the decoder.
    void tableNamedWithoutFolderIsLoadedFromTheCvFilesFolder_data() {
        QTest::addColumn<QByteArray>("named");
        QTest::addColumn<QByteArray>("eol");
        QTest::newRow("bare name") << QByteArray("lok.LST") << QByteArray("\r\n");
        QTest::newRow("other system") << QByteArray("C:\\Lok\\lok.LST") << QByteArray("\r\n");
        QTest::newRow("LF line ends") << QByteArray("lok.LST") << QByteArray("\n");
        QTest::newRow("missing table") << QByteArray("weg.LST") << QByteArray("\r\n");
    }
    void tableNamedWithoutFolderIsLoadedFromTheCvFilesFolder() {
        QFETCH(QByteArray, named);
        QFETCH(QByteArray, eol);
        const bool missing = named == "weg.LST";
        Bench b;
        b.table.NewRow(3, "alt");
        b.put("lok.LST", "LST-Datei" + eol + "Lok 1" + eol + "49 Ausgang A" + eol);
        b.put("lok.CV", "\"CV-Datei\"" + eol + "\"" + named + "\"" + eol + "49,7" + eol);
        QVERIFY(b.doc.loadCv(b.path("lok.CV")));
        QCOMPARE(b.doc.CvTableFileName.value_or("<none>"),
                 QDir::toNativeSeparators(b.path(missing ? "weg.LST" : "lok.LST")));
        QCOMPARE(b.cvColumn() << QString::number(b.prog.CvValue[49]),
                 QStringList({missing ? "3" : "49", "7"}));
        QVERIFY(b.messages.messages.isEmpty());
    }

    // Loading forgets every other CV value; records and table lines outside
    // the CVs or their values are skipped.
    void loadingTakesOnlyTheRecordsOfCvs() {
        Bench b;
        b.prog.CvValue[5] = 40;
        b.prog.CvValue[0] = 1;
        b.put("odd.CV", "\"CV-Datei\"\r\n\"\"\r\n"
                        "0,5\r\n1025,5\r\n70000,5\r\n2,300\r\n3,-1\r\n4,256\r\n"
                        "x,5\r\n6\r\n\r\n7 , 8\r\n1024,255\r\n17,192,9\r\n");
        QVERIFY(b.doc.loadCv(b.path("odd.CV")));
        QList<int> values;
        for (const int cv : {0, 2, 3, 4, 5, 6, 7, 17, 1024})
            values.append(b.prog.CvValue[cv]);
        const int u = ProgrammingState::Unknown;
        QCOMPARE(values, QList<int>({1, u, u, u, u, u, 8, 192, 255}));
        QCOMPARE(b.doc.CvTableFileName.value_or("<none>"), QString());
        b.put("t.LST", "LST-Datei\nName\n0 null\n1025 zu hoch\nabc text\n12abc x\n\n"
                       "  7,Komma\n8\n99999999999 riesig\n");
        QVERIFY(b.doc.loadTable(b.path("t.LST")));
        QCOMPARE(b.cvColumn(), QStringList({"7", "8"}));
        QCOMPARE(b.table.text(0, CvTable::TextColumn), QString("Komma"));
        QVERIFY(b.messages.messages.isEmpty());
    }

    // A CV or table file that cannot be read or is not one is reported with
    // its reason and changes nothing, file name included; a table that
    // cannot be read may be passed over quietly. The manufacturers' names
    // only label the CV 8 value: what cannot be read leaves them empty
    // without a word; of a huge list the beginning counts.
    void failedLoads_data() {
        QTest::addColumn<int>("worst");
        QTest::addColumn<QByteArray>("content"); // for WorstFile::Content
        QTest::addColumn<QString>("reason");
        QTest::addColumn<QString>("maker");
        const auto row = [](const char* name, WorstFile::Case worst, const char* reason,
                            const QByteArray& content = {}, const char* maker = "") {
            QTest::newRow(name) << int(worst) << content << QString(reason) << QString(maker);
        };
        const char* wrong = "Falsches Dateiformat!";
        row("missing", WorstFile::Missing, "fehlt");
        row("folder", WorstFile::Folder, "Ordner");
        row("huge", WorstFile::Huge, "größer als 4 MB", {}, "Gantrex");
        row("no permission", WorstFile::NoPermission, "Berechtigung");
        row("other header", WorstFile::Content, wrong, "Datei\r\nx\r\n1,3\r\n");
        row("binary", WorstFile::Binary, wrong);
    }
    void failedLoads() {
        QFETCH(int, worst);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QFETCH(QString, maker);
        Bench b;
        const auto file = [&](const char* name, const QByteArray& good) {
            return WorstFile(b.path(name), WorstFile::Case(worst),
                             worst == WorstFile::Content ? content : good, 4 * 1024 * 1024);
        };
        const WorstFile cvFile = file("x.CV", "\"CV-Datei\"\r\n\r\n1,3\r\n");
        const WorstFile tableFile = file("x.LST", "LST-Datei\r\nx\r\n");
        if (!cvFile.meaningful())
            QSKIP("Permission bits do not stop root.");
        const WorstFile makersFile = file("Hersteller.dat", "1: Erster\r\n145: Gantrex\r\n");
        ManufacturerList makers;
        makers.load(b.path("Hersteller.dat"));
        QCOMPARE(makers.name(145), maker);
        b.prog.CvValue[1] = 5;
        b.doc.CvFileName = b.path("alt.CV");
        b.table.NewRow(8, "Hersteller");
        QVERIFY(!b.doc.loadCv(b.path("x.CV")));
        QVERIFY(!b.doc.loadTable(b.path("x.LST")));
        QCOMPARE(b.messages.titles, QStringList({"Dateifehler", "Dateifehler"}));
        for (const QString& message : b.messages.messages)
            QVERIFY2(message.contains(reason), qPrintable(message));
        if (reason != "Falsches Dateiformat!") {
            QVERIFY(!b.doc.loadTable(b.path("x.LST"), true));
            QCOMPARE(b.messages.messages.size(), 2);
        }
        QCOMPARE(b.prog.CvValue[1], 5);
        QCOMPARE(b.doc.CvFileName, b.path("alt.CV"));
        QCOMPARE(b.cvColumn(), QStringList{"8"});
    }

    void failedSaveKeepsTheOldFileAndName() {
        Bench b;
        b.doc.CvFileName = b.path("alt.CV");
        QVERIFY(!b.doc.saveCv(b.path("fehlt/neu.CV")));
        QCOMPARE(b.doc.CvFileName, b.path("alt.CV"));
        QCOMPARE(b.messages.titles, QStringList{"Dateifehler"});
        QVERIFY(!QFile::exists(b.path("fehlt/neu.CV")));
        const WorstFile readOnly(b.path("alt.CV"), WorstFile::ReadOnlyFile, "alt");
        if (!readOnly.meaningful())
            QSKIP("Permission bits do not stop root.");
        QVERIFY(!b.doc.saveCv(b.path("alt.CV")));
        QVERIFY(b.messages.last().contains("schreibgeschützt"));
        QCOMPARE(readOnly.onDisk(), QByteArray("alt"));
    }

    // Numbers, explanations and order come back; values are unknown and
    // the check marks stay with their rows. „ “ – € in names, explanations
    // and the table's path are written in the Windows code page; a
    // character it lacks is refused by name, and the file stays as it was.
    void tableRoundTrip() {
        Bench b;
        const QString tablePath = b.path("Lok „1“ – €.LST");
        b.table.setName(QStringLiteral("„Spezial“, Ä"));
        // Blanks, a comma or quotes around an explanation are its own.
        const QList<CvTable::Entry> entries{{"112", "Zeit  B"},    {"49", "Licht – 5 €, vorwärts"},
                                            {"49", "\"doppelt\""}, {"7", "  eingerückt"},
                                            {"8", ", Komma"},      {"1024", ""}};
        b.table.setEntries(entries);
        b.table.setChecked(1, true);
        b.prog.CvValue[49] = 5;
        b.table.showValues(b.prog);
        QVERIFY(b.doc.saveTable(tablePath));
        const QByteArray saved = b.contentOf("Lok „1“ – €.LST");
        QVERIFY(saved.startsWith("LST-Datei\r\n\x84Spezial\x93, \xC4\r\n112 Zeit  B\r\n49 Licht "
                                 "\x96 5 \x80, vorw\xE4rts\r\n"));
        b.table.setName(QStringLiteral("alt"));
        QVERIFY(b.doc.loadTable(tablePath));
        QCOMPARE(b.table.name(), QString("„Spezial“, Ä"));
        QCOMPARE(b.cvColumn(), QStringList({"112", "49", "49", "7", "8", "1024"}));
        for (int row = 0; row < entries.size(); ++row) {
            QCOMPARE(b.table.isChecked(row), row == 1);
            QCOMPARE(b.table.text(row, CvTable::TextColumn), entries[row].text);
            for (int column = CvTable::ValueColumn; column < CvTable::ColumnCount; ++column)
                QCOMPARE(b.table.text(row, column), QString("-"));
        }
        QVERIFY(b.doc.saveCv(b.path("lok.CV")));
        b.doc.CvTableFileName.reset();
        QVERIFY(b.doc.loadCv(b.path("lok.CV")));
        QCOMPARE(b.doc.CvTableFileName.value_or("<none>"), tablePath);

        b.table.setEntries({{"3", "Gleis ł"}});
        QVERIFY(!b.doc.saveTable(tablePath));
        QVERIFY2(b.messages.last().contains("„ł“"), qPrintable(b.messages.last()));
        QCOMPARE(b.doc.CvTableFileName.value_or("<none>"), tablePath);
        QCOMPARE(b.contentOf("Lok „1“ – €.LST"), saved);
    }
};

QTEST_GUILESS_MAIN(CvFilesTest)
#include "tst_cvfiles.moc"
