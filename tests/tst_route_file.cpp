#include "link/Transmitter.h"
#include "platform/Clock.h"
#include "routes/Routes.h"
#include "support/RecordingView.h"

#include <QDir>
#include <QFile>
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
        cells[{1, 2}] = " ";
        cells[{2, 3}] = " ";
        cells[{3, 1}] = "  ";
        cells[{1, 4}] = "Rm12-b";
        cells[{1, 5}] = "Ma5-g";
        cells[{1, 6}] = "Ma5-g";
        cells[{1, 7}] = "Pa-10";
        cells[{1, 55}] = "Fs3-an";
        cells[{4, 6}] = "Weiche S\xFC"
                        "d";
        cells[{5, 6}] = "a,b";
        cells[{208, 55}] = "Rm2047-f";
        const QByteArray content = fsDat(1000, 250, cells);
        QCOMPARE(content.count("\r\n"), 11442);
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
        QCOMPARE(table.text(5, 6), QString("a,b"));

        QVERIFY(routes.SaveRoutes(path("FS2.DAT")));
        QCOMPARE(readFile(path("FS2.DAT")), content);
        QVERIFY(view.messages.isEmpty());
    }

    void readerTakesOtherForms_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("cells"); // route 1, columns 1..4
        const QStringList expected{" ", "", "x", "Rm1-b"};
        QTest::newRow("LF only") << QByteArray("5\n6\n\" \"\n\"\"\n\"x\"\n\"Rm1-b\"\n") << expected;
        QTest::newRow("CR only") << QByteArray("5\r6\r\" \"\r\"\"\r\"x\"\r\"Rm1-b\"\r") << expected;
        QTest::newRow("commas") << QByteArray("5,6\r\n\" \",\"\",\"x\",\"Rm1-b\"\r\n") << expected;
        QTest::newRow("unquoted, trimmed")
            << QByteArray("5\r\n 6 \r\n\" \"\r\n\r\n  x \r\nRm1-b") << expected;
        QTest::newRow("text after the closing quote")
            << QByteArray("5\r\n6\r\n\" \"junk\r\n\"\"\r\n\"x\"\r\n\"Rm1-b\"\r\n") << expected;
        QTest::newRow("comma inside quotes")
            << QByteArray("5\r\n6\r\n\"a,b\"\r\n\"\"\r\n\"x\"\r\n\"Rm1-b\"\r\n")
            << QStringList{"a,b", "", "x", "Rm1-b"};
    }
    void readerTakesOtherForms() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, cells);
        writeFile(path("FS.DAT"), content);
        Routes routes(clock, tx, view);
        routes.LoadRoutes(path("FS.DAT"));
        QCOMPARE(routes.table.PauseTimeMs, 5);
        QCOMPARE(routes.table.SwitchTimeMs, 6);
        for (int column = 1; column <= 4; ++column)
            QCOMPARE(routes.table.text(1, column), cells[column - 1]);
    }

    void brokenFileLoadsWhatCameBefore_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("pause");
        QTest::addColumn<int>("switching");
        QTest::addColumn<int>("cellsRead");
        const QByteArray full = numberedFsDat();
        // Line n (1-based) of the full file starts after n - 1 line ends.
        const auto lineStart = [&full](int line) {
            qsizetype at = 0;
            for (int i = 1; i < line; ++i)
                at = full.indexOf("\r\n", at) + 2;
            return at;
        };
        QTest::newRow("whole") << full << 7 << 8 << CellsInFile;
        QTest::newRow("missing") << QByteArray() << 0 << 0 << 0;
        QTest::newRow("empty") << QByteArray("") << 0 << 0 << 0;
        QTest::newRow("only the times") << QByteArray("7\r\n8\r\n") << 7 << 8 << 0;
        QTest::newRow("pause time not a number") << "x" + full.mid(1) << 0 << 0 << 0;
        QTest::newRow("switching time not a number")
            << full.left(lineStart(2)) + "8x" + full.mid(lineStart(3) - 2) << 7 << 0 << 0;
        QTest::newRow("switching time too big")
            << full.left(lineStart(2)) + "99999999999" + full.mid(lineStart(3) - 2) << 7 << 0 << 0;
        QTest::newRow("cut after route 3") << full.left(lineStart(3 + 3 * 55)) << 7 << 8 << 165;
        QTest::newRow("cut inside a quote") << full.left(lineStart(103) + 3) << 7 << 8 << 100;
        QTest::newRow("quote not closed")
            << full.left(lineStart(13)) + "\"c10" + full.mid(lineStart(14) - 2) << 7 << 8 << 10;
    }
    void brokenFileLoadsWhatCameBefore() {
        QFETCH(QByteArray, content);
        QFETCH(int, pause);
        QFETCH(int, switching);
        QFETCH(int, cellsRead);
        QFile::remove(path("FS.DAT"));
        if (!content.isNull())
            writeFile(path("FS.DAT"), content);
        Routes routes(clock, tx, view);
        routes.LoadRoutes(path("FS.DAT"));
        QCOMPARE(routes.table.PauseTimeMs, pause);
        QCOMPARE(routes.table.SwitchTimeMs, switching);
        for (int i = 0; i < CellsInFile; ++i)
            QCOMPARE(cellAt(routes.table, i), i < cellsRead ? "c" + QString::number(i) : QString());
        QVERIFY(view.messages.isEmpty());
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
