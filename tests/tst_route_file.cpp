#include "link/Transmitter.h"
#include "platform/Clock.h"
#include "routes/Routes.h"
#include "support/RecordingView.h"
#include "support/WorstFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace {

constexpr int Cells = 208 * 55;
// What a file holds in order: the pause time, the switching time, the cells.
constexpr int Whole = 2 + Cells;

// Cell i of the test file as written and as read: its number, but for a few
// that show what else a cell may hold.
QPair<QByteArray, QString> cell(int i) {
    if (i == 0)
        return {" ", " "}; // a set status
    if (i == 5)
        return {"a,b", "a,b"};
    if (i == 6)
        return {"\x84Nord\x93 \x96 5 \x80 \x81 S\xFC"
                "d",
                "„Nord“ – 5 € \u0081 Süd"};
    if (i == 7)
        return {};
    return {"c" + QByteArray::number(i), "c" + QString::number(i)};
}

// The file the program writes for the first n items of the test file.
QByteArray fsDat(int n = Whole) {
    QByteArray content = (n >= 1 ? "7" : "0") + QByteArray("\r\n") + (n >= 2 ? "8" : "0") + "\r\n";
    for (int i = 0; i < Cells; ++i)
        content += '"' + (i + 2 < n ? cell(i).first : QByteArray()) + "\"\r\n";
    return content;
}

// The file with line n (1-based) replaced.
QByteArray withLine(const QByteArray& file, int line, const QByteArray& text) {
    qsizetype start = 0;
    for (int i = 1; i < line; ++i)
        start = file.indexOf("\r\n", start) + 2;
    return file.left(start) + text + file.mid(file.indexOf("\r\n", start));
}

// Saves as onto a full disk: no file of this process may grow beyond a few bytes.
bool saveOnAFullDisk(Routes& routes, const QString& path) {
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 1000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const bool saved = routes.SaveRoutes(path);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    return saved;
}

// Beyond the worst files: the file whole, and no room on the disk to write.
constexpr int FullDisk = -1;

} // namespace

class RouteFileTest : public QObject {
    Q_OBJECT

    ManualClock clock;
    RecordingView view;
    Transmitter tx{clock, view};

private slots:
    void init() { view.clear(); }

    // Whatever stands where FS.DAT belongs, the program loads what it can
    // and tells what the user must know: the line and what was wrong in it.
    // A save writes the table in the program's own form, byte for byte the
    // file it read where that was whole; a file that did not load whole is
    // kept as FS.DAT.bak first. Where the file cannot be written, from the
    // folder case on, it stays as it is. No save leaves a file of its own.
    void fileIsLoadedAndSavedSafely_data() {
        QTest::addColumn<int>("worst");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<int>("read");     // items taken from the file
        QTest::addColumn<QString>("told"); // at loading; empty: nothing
        const QByteArray full = fsDat();
        const QByteArray cut = full.left(full.indexOf("\"c165\""));
        const auto row = [](const char* name, const QByteArray& content, int read,
                            const QString& told, int worst = WorstFile::Content) {
            QTest::newRow(name) << worst << content << read << told;
        };
        row("byte for byte", full, Whole, "");
        row("blank lines, end-of-file mark", full + "\r\n \r\n\x1A", Whole, "");
        row("byte-order mark", "\xEF\xBB\xBF" + full, Whole, "");
        row("LF only", QByteArray(full).replace("\r\n", "\n"), Whole, "");
        row("text after a quote", withLine(full, 11, "\"c8\"x"), Whole, "Zeile 11: Nach");
        row("empty", "", 0, "Zeile 1: Die Datei ist leer.");
        row("only the times", "7\r\n8\r\n", 2, "Zeile 3: Die Datei endet vor Fahrstraße 1.");
        row("pause time not a number", "x" + full.mid(1), 0, "Zeile 1: „x“ ist keine Zahl");
        row("switching time too big", withLine(full, 2, "99999999999"), 1, "Zeile 2: „9");
        row("cut after route 3", cut, 2 + 165, "Zeile 168: Die Datei endet vor Fahrstraße 4.");
        row("closing quote missing", withLine(full, 13, "\"c10"), Whole, "13: Das schließende");
        row("missing", {}, 0, "", WorstFile::Missing);
        row("binary", {}, 0, "keine Zahl", WorstFile::Binary);
        row("huge", full, Whole, "größer als 16 MB", WorstFile::Huge);
        row("folder", {}, 0, "Ordner", WorstFile::Folder);
        row("unreadable", full, 0, "Berechtigung", WorstFile::NoPermission);
        row("read-only", full, Whole, "", WorstFile::ReadOnlyFile);
        row("cut, in a read-only folder", cut, 2 + 165, "endet", WorstFile::ReadOnlyFolder);
        row("full disk", full, Whole, "", FullDisk);
    }
    void fileIsLoadedAndSavedSafely() {
        QFETCH(int, worst);
        QFETCH(QByteArray, content);
        QFETCH(int, read);
        QFETCH(QString, told);
        QTemporaryDir folder;
        const QString path = folder.filePath("FS.DAT");
        const WorstFile file(path, worst == FullDisk ? WorstFile::Content : WorstFile::Case(worst),
                             content, 16 * 1024 * 1024);
        if (!file.meaningful())
            QSKIP("Permission bits do not stop root.");
        const QByteArray before = file.onDisk();

        Routes routes(clock, tx, view);
        routes.LoadRoutes(path);
        QCOMPARE(view.messages.size(), told.isEmpty() ? 0 : 1);
        QVERIFY2(view.last().contains(told), qPrintable(view.last()));
        QCOMPARE(routes.table.PauseTimeMs, read >= 1 ? 7 : 0);
        QCOMPARE(routes.table.SwitchTimeMs, read >= 2 ? 8 : 0);
        for (int i = 0; i < Cells; ++i)
            QCOMPARE(routes.table.text(1 + i / 55, 1 + i % 55),
                     i + 2 < read ? cell(i).second : QString());

        view.clear();
        const bool saved = worst != FullDisk && worst < WorstFile::Folder;
        QCOMPARE(worst == FullDisk ? saveOnAFullDisk(routes, path) : routes.SaveRoutes(path),
                 saved);
        QCOMPARE(file.onDisk(), saved ? fsDat(read) : before);
        const bool kept = saved && !told.isEmpty();
        QCOMPARE(WorstFile::onDisk(path + ".bak"), kept ? before : "<missing>");
        const auto all = QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot;
        QCOMPARE(QDir(folder.path()).entryList(all).size(), kept ? 2 : 1);
        QCOMPARE(view.messages.size(), saved ? 0 : 1);
        QVERIFY(saved || (view.icons[0] == MessageIcon::Critical && view.last().contains(path)));
    }

    // A backup that is there may hold the last good routes: it is never
    // replaced. The same broken file twice is kept once.
    void backupNeverReplacesAnOlderOne() {
        QTemporaryDir folder;
        const QString path = folder.filePath("FS.DAT");
        const QByteArray broken = fsDat().left(1000);
        WorstFile(path + ".bak", WorstFile::Content, fsDat());
        for (int run = 0; run < 2; ++run) {
            WorstFile(path, WorstFile::Content, broken);
            Routes routes(clock, tx, view);
            routes.LoadRoutes(path);
            QVERIFY(view.last().contains("FS.DAT.2.bak"));
            QVERIFY(routes.SaveRoutes(path));
        }
        QCOMPARE(WorstFile::onDisk(path + ".bak"), fsDat());
        QCOMPARE(WorstFile::onDisk(path + ".2.bak"), broken);
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files),
                 (QStringList{"FS.DAT", "FS.DAT.2.bak", "FS.DAT.bak"}));
    }

    // Saves after edits come at every keystroke: a failure is told once,
    // and again only after a save has worked in between.
    void failedEditSaveIsToldOnce() {
        QTemporaryDir folder;
        const QString path = folder.filePath("FS.DAT");
        Routes routes(clock, tx, view);
        routes.LoadRoutes(path);
        QVERIFY(QDir(folder.path()).mkdir("FS.DAT"));
        routes.SaveEdit(path);
        routes.SaveEdit(path);
        QCOMPARE(view.messages.size(), 1);
        QVERIFY(QDir(folder.path()).rmdir("FS.DAT"));
        routes.SaveEdit(path);
        QVERIFY(QFileInfo(path).isFile());
        QVERIFY(QFile::remove(path) && QDir(folder.path()).mkdir("FS.DAT"));
        routes.SaveEdit(path);
        QCOMPARE(view.messages.size(), 2);
    }
};

QTEST_GUILESS_MAIN(RouteFileTest)
#include "tst_route_file.moc"
