#include "link/Transmitter.h"
#include "platform/Clock.h"
#include "routes/Routes.h"
#include "support/RecordingView.h"
#include "support/WorstFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

using Cells = QMap<QPair<int, int>, QByteArray>;

namespace {

constexpr int CellsInFile = 208 * 55;

// The file the program writes for these times and cells.
QByteArray fsDat(int pause, int switching, const Cells& cells) {
    QByteArray content =
        QByteArray::number(pause) + "\r\n" + QByteArray::number(switching) + "\r\n";
    for (int row = 1; row <= 208; ++row) {
        for (int column = 1; column <= 55; ++column)
            content += '"' + cells.value({row, column}) + "\"\r\n";
    }
    return content;
}

// Every cell holds its own position in the file: c0, c1, ...
QByteArray numberedFsDat() {
    Cells cells;
    for (int i = 0; i < CellsInFile; ++i)
        cells[{1 + i / 55, 1 + i % 55}] = "c" + QByteArray::number(i);
    return fsDat(7, 8, cells);
}

QString cellAt(const RouteTable& table, int i) {
    return table.text(1 + i / 55, 1 + i % 55);
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Lets no file of this process grow beyond a few bytes, as a full disk would.
class FileSizeLimit {
public:
    FileSizeLimit() {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = m_old;
        small.rlim_cur = 1000;
        setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class RouteFileTest : public QObject {
    Q_OBJECT

    ManualClock clock;
    RecordingView view;
    Transmitter tx{clock, view};
    QTemporaryDir dir;

    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }

private slots:
    void init() { view.clear(); }

    void savedBackByteForByte() {
        Cells cells;
        cells[{1, 1}] = " ";
        cells[{2, 3}] = " ";
        cells[{3, 1}] = "  ";
        cells[{1, 4}] = "Rm12-b";
        cells[{1, 6}] = "Ma5-g";
        cells[{4, 6}] = "Weiche S\xFC"
                        "d";
        cells[{4, 7}] = "\x84Nord\x93 \x96 5 \x80 \x81";
        cells[{5, 6}] = "a,b";
        cells[{208, 55}] = "Rm2047-f";
        const QByteArray content = fsDat(1000, 250, cells);
        writeFile(path("FS.DAT"), content);

        Routes routes(clock, tx, view);
        routes.LoadRoutes(path("FS.DAT"));
        const RouteTable& table = routes.table;
        QCOMPARE(table.PauseTimeMs, 1000);
        QCOMPARE(table.SwitchTimeMs, 250);
        QVERIFY(table.isSet(1, RouteTable::EstablishedColumn));
        QVERIFY(table.isSet(2, RouteTable::BlockedColumn));
        QVERIFY(!table.isSet(3, RouteTable::EstablishedColumn));
        QCOMPARE(table.text(1, RouteTable::RequestTriggerColumn), QString("Rm12-b"));
        QCOMPARE(table.text(4, 6), QString("Weiche Süd"));
        QCOMPARE(table.text(4, 7), QString("„Nord“ – 5 € \u0081"));
        QCOMPARE(table.text(5, 6), QString("a,b"));

        QVERIFY(routes.SaveRoutes(path("FS2.DAT")));
        QCOMPARE(readFile(path("FS2.DAT")), content);
        QVERIFY(view.messages.isEmpty());
    }

    void readerTakesOtherForms_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("LF only") << QByteArray("5\n6\n\" \"\n\"\"\n\"x\"\n\"Rm1-b\"\n");
        QTest::newRow("byte-order mark")
            << QByteArray("\xEF\xBB\xBF"
                          "5\r\n6\r\n\" \"\r\n\"\"\r\n\"x\"\r\n\"Rm1-b\"\r\n");
        QTest::newRow("CR only") << QByteArray("5\r6\r\" \"\r\"\"\r\"x\"\r\"Rm1-b\"\r");
        QTest::newRow("commas") << QByteArray("5,6\r\n\" \",\"\",\"x\",\"Rm1-b\"\r\n");
        QTest::newRow("unquoted, trimmed") << QByteArray("5\r\n 6 \r\n\" \"\r\n\r\n  x \r\nRm1-b");
        QTest::newRow("text after the closing quote")
            << QByteArray("5\r\n6\r\n\" \"junk\r\n\"\"\r\n\"x\"\r\n\"Rm1-b\"\r\n");
    }
    void readerTakesOtherForms() {
        QFETCH(QByteArray, content);
        writeFile(path("FS.DAT"), content);
        Routes routes(clock, tx, view);
        routes.LoadRoutes(path("FS.DAT"));
        QCOMPARE(routes.table.PauseTimeMs, 5);
        QCOMPARE(routes.table.SwitchTimeMs, 6);
        const QStringList cells{" ", "", "x", "Rm1-b"}; // route 1, columns 1..4
        for (int column = 1; column <= 4; ++column)
            QCOMPARE(routes.table.text(1, column), cells[column - 1]);
    }

    // What the user is told names the line and what was wrong in it; a
    // quote lost in one cell costs no more than that cell.
    void brokenFileLoadsWhatItCan_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("pause");
        QTest::addColumn<int>("switching");
        QTest::addColumn<int>("cellsRead");
        QTest::addColumn<QString>("told"); // empty: nothing
        const QByteArray full = numberedFsDat();
        // Line n (1-based) of the full file starts after n - 1 line ends.
        const auto lineStart = [&full](int line) {
            qsizetype at = 0;
            for (int i = 1; i < line; ++i)
                at = full.indexOf("\r\n", at) + 2;
            return at;
        };
        const auto withLine = [&](int line, const QByteArray& text) {
            return full.left(lineStart(line)) + text + full.mid(lineStart(line + 1) - 2);
        };
        QTest::newRow("whole, blank lines and end-of-file mark after it")
            << full + "\r\n \r\n\x1A" << 7 << 8 << CellsInFile << "";
        QTest::newRow("empty") << QByteArray("") << 0 << 0 << 0 << "Zeile 1: Die Datei ist leer.";
        QTest::newRow("only the times") << QByteArray("7\r\n8\r\n") << 7 << 8 << 0
                                        << "Zeile 3: Die Datei endet vor Fahrstraße 1.";
        QTest::newRow("pause time not a number")
            << "x" + full.mid(1) << 0 << 0 << 0
            << "Zeile 1: „x“ ist keine Zahl für die Pausenzeit.";
        QTest::newRow("switching time too big")
            << withLine(2, "99999999999") << 7 << 0 << 0
            << "Zeile 2: „99999999999“ ist keine Zahl für die Schaltzeit.";
        QTest::newRow("cut after route 3") << full.left(lineStart(3 + 3 * 55)) << 7 << 8 << 165
                                           << "Zeile 168: Die Datei endet vor Fahrstraße 4.";
        QTest::newRow("cut inside a quote")
            << full.left(lineStart(103) + 5) << 7 << 8 << 101
            << "Zeile 103: Das schließende Anführungszeichen fehlt.";
        QTest::newRow("closing quote missing in route 1")
            << withLine(13, "\"c10") << 7 << 8 << CellsInFile
            << "Zeile 13: Das schließende Anführungszeichen fehlt.";
        QTest::newRow("opening quote missing") << withLine(13, "c10\"") << 7 << 8 << CellsInFile
                                               << "Zeile 13: Ein Anführungszeichen fehlt.";
        QTest::newRow("text after the last route")
            << full + "mehr\r\n"
            << 7 << 8 << CellsInFile << "Zeile 11443: Nach Fahrstraße 208 folgt noch Text.";
    }
    void brokenFileLoadsWhatItCan() {
        QFETCH(QByteArray, content);
        QFETCH(int, pause);
        QFETCH(int, switching);
        QFETCH(int, cellsRead);
        QFETCH(QString, told);
        writeFile(path("FS.DAT"), content);
        Routes routes(clock, tx, view);
        routes.LoadRoutes(path("FS.DAT"));
        QCOMPARE(routes.table.PauseTimeMs, pause);
        QCOMPARE(routes.table.SwitchTimeMs, switching);
        for (int i = 0; i < CellsInFile; ++i)
            QCOMPARE(cellAt(routes.table, i), i < cellsRead ? "c" + QString::number(i) : QString());
        QCOMPARE(view.messages.size(), told.isEmpty() ? 0 : 1);
        if (!told.isEmpty())
            QVERIFY2(view.last().contains(told), qPrintable(view.last()));
    }

    // Whatever stands where FS.DAT belongs, the program starts and tells
    // what the user must know, and no save destroys what was there: a file
    // that did not load whole is kept as FS.DAT.bak first, and where that
    // cannot be done, or the file cannot be written, it stays as it is.
    void worstCases_data() {
        QTest::addColumn<int>("worst");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("told"); // at start-up; empty: nothing
        QTest::addColumn<bool>("saved");
        QTest::addColumn<bool>("kept"); // the old bytes as FS.DAT.bak
        const QByteArray full = numberedFsDat();
        QTest::newRow("missing") << int(WorstFile::Missing) << QByteArray() << "" << true << false;
        QTest::newRow("empty") << int(WorstFile::Content) << QByteArray("") << "leer" << true
                               << true;
        QTest::newRow("binary") << int(WorstFile::Binary) << QByteArray() << "keine Zahl" << true
                                << true;
        QTest::newRow("huge") << int(WorstFile::Huge) << full << "größer als 16 MB" << true << true;
        const QByteArray truncated = full.left(full.indexOf("\r\n", 50000) + 2);
        QTest::newRow("truncated")
            << int(WorstFile::Content) << truncated << "endet" << true << true;
        QTest::newRow("folder") << int(WorstFile::Folder) << QByteArray() << "Ordner" << false
                                << false;
        QTest::newRow("pipe") << int(WorstFile::Pipe) << QByteArray() << "keine gewöhnliche Datei"
                              << false << false;
        QTest::newRow("no permission")
            << int(WorstFile::NoPermission) << full << "Berechtigung" << false << false;
        QTest::newRow("read-only file")
            << int(WorstFile::ReadOnlyFile) << full << "" << false << false;
        QTest::newRow("truncated in a read-only folder")
            << int(WorstFile::ReadOnlyFolder) << truncated << "endet" << false << false;
    }
    void worstCases() {
        QFETCH(int, worst);
        QFETCH(QByteArray, content);
        QFETCH(QString, told);
        QFETCH(bool, saved);
        QFETCH(bool, kept);
        QTemporaryDir folder;
        const QString fsDatPath = folder.filePath("FS.DAT");
        const WorstFile file(fsDatPath, WorstFile::Case(worst), content, 16 * 1024 * 1024);
        if (!file.meaningful())
            QSKIP("Permission bits do not stop root.");
        const QByteArray before = file.onDisk();

        Routes routes(clock, tx, view);
        routes.LoadRoutes(fsDatPath);
        QCOMPARE(view.messages.size(), told.isEmpty() ? 0 : 1);
        QVERIFY2(view.last().contains(told), qPrintable(view.last()));
        view.clear();
        routes.table.setText(1, 6, "Ma5-g");
        QCOMPARE(routes.SaveRoutes(fsDatPath), saved);
        QCOMPARE(WorstFile::onDisk(fsDatPath + ".bak"), kept ? before : "<missing>");
        if (!saved) {
            QCOMPARE(file.onDisk(), before);
            QCOMPARE(view.titles, QStringList{"Fehler"});
            return;
        }
        QVERIFY(view.messages.isEmpty());
        Routes again(clock, tx, view);
        again.LoadRoutes(fsDatPath);
        QVERIFY(view.messages.isEmpty());
        QCOMPARE(again.table.text(1, 6), QString("Ma5-g"));
    }

    // A backup that is there may hold the last good routes: it is never
    // replaced. The same broken file twice is kept once.
    void backupNeverReplacesAnOlderOne() {
        QTemporaryDir folder;
        const QString fsDatPath = folder.filePath("FS.DAT");
        const QByteArray good = numberedFsDat();
        const QByteArray broken = good.left(1000);
        writeFile(fsDatPath + ".bak", good);
        for (int run = 0; run < 2; ++run) {
            writeFile(fsDatPath, broken);
            Routes routes(clock, tx, view);
            routes.LoadRoutes(fsDatPath);
            QVERIFY(view.last().contains("FS.DAT.2.bak"));
            QVERIFY(routes.SaveRoutes(fsDatPath));
        }
        QCOMPARE(readFile(fsDatPath + ".bak"), good);
        QCOMPARE(readFile(fsDatPath + ".2.bak"), broken);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 (QStringList{"FS.DAT", "FS.DAT.2.bak", "FS.DAT.bak"}));
    }

    // Saves after edits come at every keystroke: a failure is told once,
    // and again only after a save has worked in between.
    void failedEditSaveIsToldOnce() {
        QTemporaryDir folder;
        const QString fsDatPath = folder.filePath("FS.DAT");
        Routes routes(clock, tx, view);
        routes.LoadRoutes(fsDatPath);
        QVERIFY(QDir(folder.path()).mkdir("FS.DAT"));
        routes.SaveEdit(fsDatPath);
        routes.SaveEdit(fsDatPath);
        QCOMPARE(view.messages.size(), 1);
        QVERIFY(QDir(folder.path()).rmdir("FS.DAT"));
        routes.SaveEdit(fsDatPath);
        QVERIFY(QFileInfo(fsDatPath).isFile());
        QVERIFY(QFile::remove(fsDatPath) && QDir(folder.path()).mkdir("FS.DAT"));
        routes.SaveEdit(fsDatPath);
        QCOMPARE(view.messages.size(), 2);
    }

    void failedSaveKeepsTheOldFile() {
        QTemporaryDir folder;
        const QString fsDatPath = folder.filePath("FS.DAT");
        const QByteArray old = numberedFsDat();
        writeFile(fsDatPath, old);
        Routes routes(clock, tx, view);
        routes.table.setText(1, 6, "Ma5-g");
        bool saved = true;
        {
            FileSizeLimit fullDisk;
            saved = routes.SaveRoutes(fsDatPath);
        }
        QVERIFY(!saved);
        QCOMPARE(readFile(fsDatPath), old);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"FS.DAT"});
        QCOMPARE(view.titles, QStringList{"Fehler"});
        QVERIFY(view.last().contains("FS.DAT"));
        QCOMPARE(view.icons, QList<MessageIcon>{MessageIcon::Critical});
    }
};

QTEST_GUILESS_MAIN(RouteFileTest)
#include "tst_route_file.moc"
