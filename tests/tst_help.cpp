#include "operating/HelpText.h"
#include "operating/ui/HelpKey.h"
#include "operating/ui/HelpWindow.h"
#include "support/WorstFile.h"

#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
QStringList entries(const HelpWindow& window) {
    QStringList lines;
    for (int i = 0; i < window.lines()->count(); ++i)
        lines.append(window.lines()->item(i)->text());
    return lines;
}

void writeFile(const QString& path, const QByteArray& content) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}
} // namespace

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    void lines_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF") << QByteArray("eins\r\nzwei\r\n") << QStringList{"eins", "zwei"};
        QTest::newRow("lone CR") << QByteArray("eins\rzwei\r") << QStringList{"eins", "zwei"};
        QTest::newRow("LF") << QByteArray("eins\nzwei") << QStringList{"eins", "zwei"};
        QTest::newRow("empty lines stay")
            << QByteArray("a\r\n\r\n\r\nb\r\n") << QStringList{"a", "", "", "b"};
        QTest::newRow("stops at the mark")
            << QByteArray("a\r\n##ENDE##\r\nnotes\r\n") << QStringList{"a"};
        QTest::newRow("mark with a blank is text")
            << QByteArray("##ENDE## \r\nb\r\n") << QStringList{"##ENDE## ", "b"};
        QTest::newRow("mark first: nothing") << QByteArray("##ENDE##\r\na\r\n") << QStringList{};
        QTest::newRow("Latin-1") << QByteArray("R\xFC"
                                               "ckmelder \xE4\xF6\xDF\r\n")
                                 << QStringList{"Rückmelder äöß"};
        QTest::newRow("Windows code page")
            << QByteArray("\x84Hilfe\x93 \x96 5 \x80\r\n") << QStringList{"„Hilfe“ – 5 €"};
        QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF"
                                                       "eins\r\n")
                                         << QStringList{"eins"};
        QTest::newRow("empty file") << QByteArray() << QStringList{};
    }
    void lines() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, lines);
        QCOMPARE(helpLines(content), lines);
    }

    // A help file that cannot be read gives an empty window with a note; of
    // a huge one the beginning is shown.
    void unreadableFile_data() {
        QTest::addColumn<int>("worst");
        QTest::addColumn<bool>("shown");
        QTest::newRow("missing") << int(WorstFile::Missing) << false;
        QTest::newRow("folder") << int(WorstFile::Folder) << false;
        QTest::newRow("no permission") << int(WorstFile::NoPermission) << false;
        QTest::newRow("huge") << int(WorstFile::Huge) << true;
    }
    void unreadableFile() {
        QFETCH(int, worst);
        QFETCH(bool, shown);
        QTemporaryDir dir;
        const WorstFile file(dir.filePath("Hilfe.txt"), WorstFile::Case(worst), "eins\r\n",
                             4 * 1024 * 1024);
        if (!file.meaningful())
            QSKIP("Permission bits do not stop root.");
        HelpWindow window(dir.filePath("Hilfe.txt"));
        auto* note = window.findChild<QLabel*>("HlpNote");
        QCOMPARE(note->isHidden(), shown);
        if (shown) {
            QCOMPARE(window.lines()->item(0)->text(), QString("eins"));
        } else {
            QCOMPARE(window.lines()->count(), 0);
            QVERIFY(note->text().contains("Hilfe.txt"));
        }
    }

    void windowShowsTheFileInAFixedPitchFont() {
        QTemporaryDir dir;
        writeFile(dir.filePath("Hilfe.txt"), "Taste  Wirkung\r\nF1     Hilfe\r\n##ENDE##\r\nx\r\n");
        HelpWindow window(dir.filePath("Hilfe.txt"));
        QCOMPARE(entries(window), (QStringList{"Taste  Wirkung", "F1     Hilfe"}));
        QVERIFY(window.lines()->fontInfo().fixedPitch());
        QVERIFY(window.findChild<QLabel*>("HlpNote")->isHidden());
    }

    // F1 acts on release, in any window; a window already open comes to the
    // front, and after closing the file is read again.
    void f1InAnyWindow() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Hilfe.txt");
        writeFile(path, "alt\r\n");
        QWidget owner;
        HelpKey help(path, &owner);
        qApp->installEventFilter(&help);
        QWidget other;
        other.show();

        QTest::keyPress(&other, Qt::Key_F1);
        QVERIFY(!help.window());
        QTest::keyRelease(&other, Qt::Key_F1);
        HelpWindow* first = help.window();
        QVERIFY(first && first->isVisible());
        QCOMPARE(entries(*first), QStringList{"alt"});

        QTest::keyRelease(first, Qt::Key_F1);
        QCOMPARE(help.window(), first);
        QTest::keyRelease(&other, Qt::Key_F2);
        QCOMPARE(owner.findChildren<HelpWindow*>().size(), 1);

        writeFile(path, "neu\r\n");
        QTest::keyClick(first->lines(), Qt::Key_Escape);
        QVERIFY(!first->isVisible());
        help.open();
        QVERIFY(help.window()->isVisible());
        QCOMPARE(entries(*help.window()), QStringList{"neu"});
    }

    // The help text the program ships: Latin-1 with CR LF, every subject of
    // the program covered, and the end mark.
    void shippedHelpText() {
        QFile file(QStringLiteral(GX_SOURCE_DIR "/Conf/Hilfe.txt"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QVERIFY(!content.isEmpty());
        QCOMPARE(content.count("\r\n"), content.count('\n'));
        QCOMPARE(content.count("\r\n"), content.count('\r'));
        QVERIFY(QString::fromUtf8(content).contains(QChar::ReplacementCharacter));
        const QStringList lines = helpLines(content);
        QVERIFY(lines.size() < content.count('\n'));
        const QString text = lines.join('\n');
        for (const char* subject :
             {"Verbinden", "Fahrpult", "Keyboard", "Rückmelder", "Fahrstrassen", "Programmieren",
              "Sende LN Mes", "ports.dat", "dialout", "udev", "LocoNet über TCP"})
            QVERIFY2(text.contains(QString::fromUtf8(subject)), subject);
        for (const QString& line : lines)
            QVERIFY2(line.size() <= 80, qPrintable(line));
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
