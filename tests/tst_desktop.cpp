#include "app/QtGerman.h"
#include "operating/ui/ScreenshotTour.h"
#include "support/WholeProgram.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

// The program as a user of a desktop meets it: Qt's own dialogs in German,
// fields that say why they are red, and controls a screen reader can name.

namespace {
// The program connected, with every window its menus and the DCC window's
// menu open.
struct OpenProgram : WholeProgram {
    OpenProgram() {
        if (!connectByClick())
            qFatal("no connection");
        openEveryMenuWindow(*win);
        dcc = topLevel("DCCProg");
        for (const char* item : {"FahrstufenMenu", "ZeileEinfMenu"})
            dcc->findChild<QAction*>(item)->trigger();
        // The panel tabs' key popups, opened by a digit as the user does.
        auto* tabs = get<QTabWidget>("MainTab");
        for (int tab = 2; tab <= 4; ++tab) {
            tabs->setCurrentIndex(tab);
            QTest::keyClick(tabs->tabBar(), Qt::Key_1);
        }
    }

    static QWidget* topLevel(const QString& name) {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->objectName() == name && window->isVisible())
                return window;
        }
        qFatal("no window %s", qPrintable(name));
    }

    QWidget* dcc = nullptr;
};

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

// What the user sees of a field's problem: red, tooltip, status line.
QString problemShown(QLineEdit* field) {
    const bool red = field->palette().color(QPalette::Text) == QColor(Qt::red);
    auto* line = field->window()->findChild<QStatusBar*>("StatusLine");
    const QString said = line ? line->currentMessage() : QStringLiteral("(no status line)");
    if (red != !field->toolTip().isEmpty() || field->toolTip() != said)
        return QStringLiteral("red %1, tooltip %2, status line %3")
            .arg(red)
            .arg(field->toolTip(), said);
    return said;
}
} // namespace

class DesktopTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(loadQtGerman(*QCoreApplication::instance())); }

    // Focusable controls of every window have a name: their own, their
    // text or their label's.
    void everyControlHasAName() {
        OpenProgram p;
        QStringList unnamed;
        for (QWidget* widget : QApplication::allWidgets()) {
            // A list popping up from a list box is named by that box.
            if (widget->window()->windowType() == Qt::Popup)
                continue;
            if ((widget->focusPolicy() & Qt::TabFocus) && accessibleName(widget).isEmpty())
                unnamed.append(widget->window()->objectName() + '/' + widget->objectName() + " (" +
                               widget->metaObject()->className() + ')');
        }
        unnamed.sort();
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    void redFieldsSayWhy_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("wrong");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QString>("problem");
        const auto row = [](const char* window, const char* field, const char* wrong,
                            const char* right, const char* problem) {
            QTest::addRow("%s", field) << window << field << wrong << right << problem;
        };
        row("MainWin", "PortAdr", "COM3", "3", "Portnummer 1 bis 255");
        row("MainWin", "LokAdr_1", "12a", "12", "Adresse 1 bis 16383");
        row("SOWin", "SO_NR_TXT", "1a", "1", "Nummer 0 bis 1023");
        row("SOWin", "SO_VAL_TXT", "256", "255", "Wert 0 bis 255");
        row("Lokeinst", "LokadrTxt", "3x", "3", "Adresse 0 bis 16383");
        row("Grundeinst", "MagZeitTxt_1", "1x", "100", "Zeit in ms 0 bis 12774");
        row("Grundeinst", "MagPakTxt", "-1", "5", "Anzahl 0 bis 255");
        row("LNProg", "LNArtNrTxt", "655355", "655354", "Artikelnummer 0 bis 655354");
        row("LNProg", "LNModAdrTxt", "65536", "1", "Adresse 0 bis 65535");
        row("LNProg", "LNCV_NR_TXT", "x", "2", "LNCV 0 bis 65535");
        row("LNProg", "LNCV_VAL_TXT", "70000", "7", "Wert 0 bis 65535");
        row("DCCProg", "CVTxt_1", "300", "3", "Adresse 0 bis 255");
        row("DCCProg", "CVTxt_4", "256", "4", "Wert 0 bis 255");
        row("DCCProg", "CVAdrTxt", "1024", "29", "CV 0 bis 1023");
        row("DCCProg", "CVValTxt", "a", "6", "Wert 0 bis 255");
        row("NeueCVZeile", "CVNrTxT", "0", "1", "CV 1 bis 1023");
        row("LocoNetMonitor", "addressFrom", "1a", "1", "Nur Ziffern; leer für alle Adressen");
    }
    void redFieldsSayWhy() {
        QFETCH(QString, window);
        QFETCH(QString, field);
        QFETCH(QString, wrong);
        QFETCH(QString, right);
        QFETCH(QString, problem);
        OpenProgram p;
        QWidget* shown = window == "NeueCVZeile" ? p.dcc->findChild<QWidget*>(window)
                                                 : OpenProgram::topLevel(window);
        auto* edit = shown->findChild<QLineEdit*>(field);
        QVERIFY(edit);
        p.type(edit, wrong);
        QCOMPARE(problemShown(edit), problem);
        QCOMPARE(edit->accessibleDescription(), problem);
        p.type(edit, right);
        QCOMPARE(problemShown(edit), QString());
    }

    // Qt's own file dialog speaks German; the CV file filter names its
    // pattern once.
    void qtDialogsSpeakGerman() {
        OpenProgram p;
        QStringList seen;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen << dialog->windowTitle() << dialog->findChild<QLabel*>("fileNameLabel")->text()
                 << dialog->findChild<QComboBox*>("fileTypeCombo")->currentText();
            dialog->reject();
        });
        p.dcc->findChild<QAction*>("LadenMenu")->trigger();
        QCOMPARE(seen,
                 QStringList({"Datei mit CV's laden", "Datei&name:", "CV-Dateien (*.CV *.cv)"}));
    }
};

QTEST_MAIN(DesktopTest)
#include "tst_desktop.moc"
