#include "operating/HelpText.h"
#include "operating/ui/HelpKey.h"
#include "operating/ui/HelpWindow.h"
#include "support/WorstFile.h"

#include <QLabel>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {
// The window's lines, and its note on the file when one is shown.
QString shown(const HelpWindow& window) {
    QStringList lines;
    for (int i = 0; i < window.lines()->count(); ++i)
        lines.append(window.lines()->item(i)->text());
    auto* note = window.findChild<QLabel*>("HlpNote");
    return lines.join('|') + (note->isHidden() ? QString() : " note: " + note->text());
}
} // namespace

class HelpTest : public QObject {
    Q_OBJECT

private slots:
    // The help text ends at a line of the end mark alone; its lines are
    // read as every text file of the program.
    void linesEndAtTheMark() {
        QCOMPARE(helpLines("a\r\n\r\nb\r\n##ENDE##\r\nnotes\r\n"), (QStringList{"a", "", "b"}));
        QCOMPARE(helpLines("##ENDE## \r\nb\r\n"), (QStringList{"##ENDE## ", "b"}));
        QCOMPARE(helpLines("##ENDE##\r\na\r\n"), QStringList{});
    }

    // A help file that is not there gives an empty window with a note; of
    // a huge one the beginning is shown.
    void unreadableFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Hilfe.txt");
        const QString missing = shown(HelpWindow(path));
        QVERIFY2(missing.startsWith(" note: ") && missing.contains("Hilfe.txt"),
                 qPrintable(missing));
        const WorstFile huge(path, WorstFile::Huge, "eins\r\n", 4 * 1024 * 1024);
        const QString begun = shown(HelpWindow(path));
        QVERIFY(begun.startsWith("eins|") && !begun.contains(" note: "));
    }

    // F1 acts on release, in any window, and shows the file in a fixed
    // pitch font; a window already open comes to the front, and after
    // closing the file is read again.
    void f1InAnyWindow() {
        QTemporaryDir dir;
        const QString path = dir.filePath("Hilfe.txt");
        WorstFile(path, WorstFile::Content, "alt\r\n");
        QWidget owner, other;
        HelpKey help(path, &owner);
        qApp->installEventFilter(&help);
        other.show();
        QTest::keyPress(&other, Qt::Key_F1);
        QVERIFY(!help.window());
        QTest::keyRelease(&other, Qt::Key_F1);
        HelpWindow* first = help.window();
        QVERIFY(first && first->isVisible() && first->lines()->fontInfo().fixedPitch());
        QCOMPARE(shown(*first), QString("alt"));
        QTest::keyRelease(first, Qt::Key_F1);
        QTest::keyRelease(&other, Qt::Key_F2);
        QCOMPARE(owner.findChildren<HelpWindow*>(), QList<HelpWindow*>{first});
        WorstFile(path, WorstFile::Content, "neu\r\n");
        QTest::keyClick(first->lines(), Qt::Key_Escape);
        QVERIFY(!first->isVisible());
        help.open();
        QVERIFY(help.window()->isVisible());
        QCOMPARE(shown(*help.window()), QString("neu"));
    }
};

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
