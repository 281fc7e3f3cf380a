#include "programming/CvTable.h"
#include "programming/ProgrammingJobs.h"
#include "programming/ui/CvTableGrid.h"
#include "programming/ui/DCCProg.h"
#include "programming/ui/DCCProgSpeed.h"
#include "programming/ui/NeueCVZeile.h"
#include "programming/ui/SpeedCurveCanvas.h"
#include "support/SimRig.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// The window on the virtual command station with its decoder on the
// programming track; the file dialogs answer from a list.
struct Bench {
    SimRig rig;
    ProgrammingJobs& jobs = rig.core.programming;
    QTemporaryDir conf;
    std::unique_ptr<DCCProg> window;
    QList<FileRequest> asked;
    QStringList answers;

    Bench() {
        QFile makers(conf.filePath("Hersteller.dat"));
        if (makers.open(QIODevice::WriteOnly))
            makers.write("1: Erster\r\n13: Eigenbau\r\n145: Gantrex\r\n");
        makers.close();
        window = std::make_unique<DCCProg>(rig.messages, jobs, conf.path());
        window->setFileChooser([this](const FileRequest& request) {
            asked.append(request);
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        window->show();
    }

    template <typename T = QWidget> T* find(const QString& name) const {
        T* widget = window->findChild<T*>(name);
        if (!widget)
            qFatal("no widget %s", qPrintable(name));
        return widget;
    }
    QLineEdit* field(const QString& name) const { return find<QLineEdit>(name); }
    QString text(const QString& name) const {
        if (auto* label = window->findChild<QLabel*>(name))
            return label->text();
        return field(name)->text();
    }
    void type(const QString& name, const QString& text) const {
        field(name)->selectAll();
        QTest::keyClicks(field(name), text);
        if (text.isEmpty())
            field(name)->clear();
    }
    void click(const QString& name) const { find<QAbstractButton>(name)->click(); }
    bool enabled(const QString& name) const { return find(name)->isEnabled(); }
    void menu(const QString& name) const { window->findChild<QAction*>(name)->trigger(); }
    // Runs the tick until the programming job has ended.
    bool runJob(double seconds = 30) {
        for (int i = 0; i < qRound(seconds / 0.01) && jobs.running(); ++i)
            rig.tick();
        rig.run(0.1);
        return !jobs.running();
    }
    int cv(int number) const { return jobs.prog.CvValue[number]; }
    QStringList cvListe() const {
        QStringList lines;
        const QListWidget* list = find<QListWidget>("CVListe");
        for (int i = 0; i < list->count(); ++i)
            lines.append(list->item(i)->text());
        return lines;
    }
    QString status() const { return text("DCCProgStat"); }
    bool checked(const QString& name) const { return find<QCheckBox>(name)->isChecked(); }
    int onDecoder(int cv) { return rig.layout.programming.decoder.read(cv).value_or(-1); }
    QAbstractButton* inSpeedWindow(const char* name) const {
        return window->speedWindow()->findChild<QAbstractButton*>(name);
    }

    CvTable& table() const { return window->table(); }
    QString value(int row) const { return table().text(row, CvTable::ValueColumn); }
    bool tooLarge(int row) const {
        return table()
            .data(table().index(row, CvTable::ValueColumn), CvTable::TooLargeRole)
            .toBool();
    }
    CvTableGrid* grid() const { return find<CvTableGrid>("Tabelle"); }
    void clickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseClick(grid()->viewport(), button, {},
                          grid()->visualRect(table().index(row, column)).center());
    }
    void clickOpHeader(Qt::MouseButton button) const {
        QHeaderView* header = grid()->horizontalHeader();
        const int column = CvTable::OpColumn;
        QTest::mouseClick(
            header->viewport(), button, {},
            {header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
             header->height() / 2});
    }
    // Types into the value cell of a row, after what it holds.
    void typeValue(int row, const QString& digits) const {
        clickCell(row, CvTable::ValueColumn);
        QTest::keyClicks(grid(), digits);
    }
    // "Zeile einfügen" through its dialog.
    void addRow(int number, const QString& explanation, const QString& name = {}) {
        menu("ZeileEinfMenu");
        auto* dialog = find<NeueCVZeile>("NeueCVZeile");
        if (!name.isEmpty())
            dialog->findChild<QLineEdit*>("CvTabNameTxt")->setText(name);
        dialog->findChild<QLineEdit*>("CVNrTxT")->setText(QString::number(number));
        dialog->findChild<QLineEdit*>("CVErklTxt")->setText(explanation);
        dialog->findChild<QPushButton*>("OKBut")->click();
    }
    QString column(int column) const {
        QStringList cells;
        for (int row = 0; row < table().rowCount(); ++row)
            cells.append(table().text(row, column));
        return cells.join(' ');
    }
    QString bits(int row) const {
        QString bits;
        for (int column = CvTable::FirstBitColumn; column <= CvTable::LastBitColumn; ++column)
            bits += table().text(row, column);
        return bits;
    }
    void writeFile(const QString& path, const QByteArray& contents) const {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
};

} // namespace

class DccProgTest : public QObject {
    Q_OBJECT

private slots:
    // A new decoder shows "-" everywhere; nothing to read or write singly
    // until a CV is named.
    void readingTheDecoderFillsTheStandardFieldsAndTheList() {
        Bench b;
        QCOMPARE(b.text("CVTxt_1") + b.text("CVTxt_6") + b.text("CV8Lbl"), QString("---"));
        QVERIFY(!b.enabled("RDCVBut") && !b.enabled("Cancel"));
        b.click("DecRdCVBut");
        QVERIFY(!b.enabled("DecRdCVBut") && b.enabled("Cancel"));
        QVERIFY(b.runJob());
        QCOMPARE(b.text("CVTxt_1") + ' ' + b.text("CVTxt_3") + ' ' + b.text("CVTxt_5"),
                 QString("3 5 255"));
        QCOMPARE(b.text("CV7Lbl") + ' ' + b.text("CV8Lbl"), QString("12 Eigenbau"));
        QVERIFY(b.checked("CV29Bit_1") && b.checked("CV29Bit_4") && !b.checked("CV29Bit_5"));
        QCOMPARE(b.cvListe().size(), 11);
        QCOMPARE(b.cvListe().last(), QString("CV  29 =  22"));
        QCOMPARE(b.status(), QString(" Lesevorgang beendet "));
        for (const char* name : {"DecRdCVBut", "DecWrCVBut", "DecRdUserList", "DecWrUserList"})
            QVERIFY2(b.enabled(name), name);
        QVERIFY(!b.enabled("Cancel"));
        QVERIFY(b.rig.messages.messages.isEmpty());
    }

    // CV 17 and 18 carry the long address; the version and the
    // manufacturer are never written.
    void writingTheLongAddress1000() {
        Bench b;
        b.click("DecRdCVBut");
        QVERIFY(b.runJob());
        b.rig.layout.programming.decoder.write(1, 44);
        b.click("CV29Bit_5");
        QCOMPARE(b.text("CVTxt_1"), QString("100"));
        b.type("CVTxt_1", "1000");
        b.click("DecWrCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.status(), QString(" Schreibvorgang beendet "));
        QVERIFY(b.rig.messages.messages.isEmpty());
        QCOMPARE(QList<int>({b.onDecoder(17), b.onDecoder(18), b.onDecoder(29), b.onDecoder(1)}),
                 QList<int>({195, 232, 0x36, 3}));
        b.click("DecRdCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.text("CVTxt_1"), QString("1000"));
    }

    void longAddressFieldFollowsBit5() {
        Bench b;
        b.jobs.prog.CvValue[1] = 3;
        b.jobs.prog.CvValue[17] = 192;
        b.jobs.prog.CvValue[18] = 100;
        b.window->ShowStandardCvs();
        b.click("CV29Bit_5");
        QCOMPARE(b.text("CVTxt_1"), QString("100"));
        b.click("CV29Bit_5");
        QCOMPARE(b.text("CVTxt_1"), QString("3"));
        // Half a long address is no address.
        b.jobs.prog.CvValue[18] = ProgrammingState::Unknown;
        b.jobs.prog.CvValue[17] = 195;
        b.click("CV29Bit_5");
        QCOMPARE(b.text("CVTxt_1"), QString("-"));
    }

    // The value field and its bit boxes follow each other without echo.
    void singleCvReadAndWrite() {
        Bench b;
        b.type("CVAdrTxt", "5");
        b.click("RDCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.text("CVValTxt"), QString("255"));
        QCOMPARE(b.text("CVTxt_5"), QString("255"));
        b.type("CVValTxt", "133");
        for (int i = 0; i < 8; ++i)
            QCOMPARE(b.checked(QString("CVBit_%1").arg(i)), i == 0 || i == 2 || i == 7);
        b.click("CVBit_1");
        QCOMPARE(b.text("CVValTxt"), QString("135"));
        b.click("WRCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.onDecoder(5), 135);
        QCOMPARE(b.cvListe(), QStringList{"CV   5 = 135"});
        b.type("CVValTxt", "-");
        QVERIFY(!b.checked("CVBit_7"));
        QVERIFY(!b.enabled("WRCVBut"));
    }

    // A failed read leaves the window usable, the box tells why.
    void failedSingleReadLeavesTheWindowUsable_data() {
        QTest::addColumn<bool>("silent");
        QTest::addColumn<QString>("message");
        QTest::newRow("no decoder") << false << "Programmiergleis: keine Lok";
        QTest::newRow("time-out") << true << "Keine Antwort auf CV-Lesen erhalten!";
    }
    void failedSingleReadLeavesTheWindowUsable() {
        QFETCH(bool, silent);
        QFETCH(QString, message);
        Bench b;
        b.rig.layout.faults.silent = silent;
        b.rig.layout.faults.programmingTrack = Faults::ProgrammingTrack::NoDecoder;
        b.type("CVAdrTxt", "1");
        b.click("RDCVBut");
        QVERIFY(b.runJob(20));
        QVERIFY(b.rig.messages.messages.contains(message));
        QVERIFY(b.enabled("RDCVBut") && !b.enabled("Cancel"));
        if (!silent) {
            QCOMPARE(b.text("CVValTxt"), QString("_"));
            QCOMPARE(b.field("CVValTxt")->palette().color(QPalette::Text), QColor(Qt::black));
            QCOMPARE(b.status(), " " + message);
        }
    }

    void tableRowsAreReadAndWrittenWhenChecked() {
        Bench b;
        for (const int cv : {49, 3, 67})
            b.addRow(cv, {});
        QCOMPARE(b.column(CvTable::CvColumn), QString("3 49 67"));
        b.clickCell(0, CvTable::OpColumn);
        b.clickCell(2, CvTable::OpColumn);
        b.click("DecRdUserList");
        QVERIFY(b.runJob());
        QCOMPARE(b.column(CvTable::ValueColumn), QString("5 - 8"));
        QCOMPARE(b.bits(2), QString("00001000"));
        QCOMPARE(b.cvListe(), QStringList({"CV   3 =   5", "CV  67 =   8"}));
        // A new value typed into row 3 and a bit flipped in row 67.
        b.clickCell(0, CvTable::ValueColumn);
        QTest::keyClick(b.grid(), Qt::Key_Backspace);
        QTest::keyClicks(b.grid(), "12");
        b.clickCell(2, CvTable::LastBitColumn);
        QCOMPARE(b.value(2), QString("9"));
        b.click("DecWrUserList");
        QVERIFY(b.runJob());
        QCOMPARE(QList<int>({b.onDecoder(3), b.onDecoder(67), b.onDecoder(49)}),
                 QList<int>({12, 9, 0}));
        QCOMPARE(b.status(), QString(" Schreibvorgang beendet "));
    }

    // Nothing starts without a checked row, nor with a value above 255.
    void tableJobsNeedCheckedValidRows() {
        Bench b;
        b.addRow(3, "x");
        b.click("DecRdUserList");
        QVERIFY(!b.jobs.running());
        b.clickCell(0, CvTable::OpColumn);
        b.typeValue(0, "300");
        QVERIFY(b.tooLarge(0));
        b.click("DecWrUserList");
        QVERIFY(!b.jobs.running());
        QCOMPARE(b.rig.messages.titles, QStringList{"Fehler"});
        QCOMPARE(b.onDecoder(3), 5);
    }

    void checkVal_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("acceptable");
        QTest::addColumn<bool>("longAddress");
        QTest::newRow("value 255") << "CVTxt_2" << QString("255") << true << false;
        QTest::newRow("value 256") << "CVTxt_2" << QString("256") << false << false;
        QTest::newRow("dash") << "CVTxt_6" << QString("-") << true << false;
        QTest::newRow("empty") << "CVTxt_6" << QString() << true << false;
        QTest::newRow("letters") << "CVTxt_3" << QString("1a") << false << false;
        QTest::newRow("blank") << "CVTxt_3" << QString(" 1") << false << false;
        QTest::newRow("short address 300") << "CVTxt_1" << QString("300") << false << false;
        QTest::newRow("CV 1023") << "CVAdrTxt" << QString("1023") << true << false;
        QTest::newRow("CV 1024") << "CVAdrTxt" << QString("1024") << false << false;
        QTest::newRow("long address 10239") << "CVTxt_1" << QString("10239") << true << true;
        QTest::newRow("long address 10240") << "CVTxt_1" << QString("10240") << false << true;
        QTest::newRow("single value 256") << "CVValTxt" << QString("256") << false << false;
    }
    void checkVal() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, acceptable);
        QFETCH(bool, longAddress);
        Bench b;
        if (longAddress)
            b.click("CV29Bit_5");
        b.type("CVAdrTxt", "1");
        b.type("CVValTxt", "1");
        b.type(field, text);
        QCOMPARE(b.field(field)->palette().color(QPalette::Text),
                 QColor(acceptable ? Qt::black : Qt::red));
        for (const char* name : {"DecRdCVBut", "DecWrCVBut", "RDCVBut"})
            QCOMPARE(b.enabled(name), acceptable);
        // A red field keeps the buttons off while another one changes.
        b.type(field == "CVTxt_4" ? "CVTxt_5" : "CVTxt_4", "7");
        QCOMPARE(b.enabled("DecWrCVBut"), acceptable);
    }

    void cvListeEntryFillsTheSingleFields() {
        Bench b;
        b.jobs.prog.CvValue[29] = 6;
        b.jobs.prog.CvValue[1024] = 255;
        b.window->RefreshCvList();
        QCOMPARE(b.cvListe(), QStringList({"CV  29 =   6", "CV 1024 = 255"}));
        auto* list = b.find<QListWidget>("CVListe");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QCOMPARE(b.text("CVAdrTxt") + '=' + b.text("CVValTxt"), QString("29=6"));
    }

    // Rows stay sorted by CV; a row added for a CV already there replaces it.
    void newRowsStaySorted() {
        Bench b;
        b.addRow(3, "drei");
        b.addRow(8, "acht", "Meine Lok");
        QCOMPARE(b.text("TabNameTxt"), QString("Meine Lok"));
        b.addRow(5, "fünf");
        QCOMPARE(b.column(CvTable::CvColumn), QString("3 5 8"));
        b.clickCell(2, CvTable::OpColumn);
        b.typeValue(2, "7");
        b.clickCell(2, CvTable::CvColumn);
        QCOMPARE(b.value(2), QString("7"));
        b.addRow(8, "neu");
        QCOMPARE(b.column(CvTable::CvColumn), QString("3 5 8"));
        QCOMPARE(b.value(2), QString("-"));
        QCOMPARE(b.table().text(2, CvTable::TextColumn), QString("neu"));
        QVERIFY(!b.table().isChecked(2));
    }

    // The menu, the right button on a cell and Insert open the dialog.
    void rowDialogIgnoresNumbersOutsideTheCvs() {
        Bench b;
        b.menu("ZeileEinfMenu");
        auto* dialog = b.find<NeueCVZeile>("NeueCVZeile");
        QCOMPARE(dialog->focusWidget(), dialog->findChild<QLineEdit*>("CVNrTxT"));
        dialog->findChild<QLineEdit*>("CVNrTxT")->setText("1024");
        QVERIFY(!dialog->findChild<QPushButton*>("OKBut")->isEnabled());
        dialog->reject();
        QCOMPARE(b.table().rowCount(), 0);
        b.addRow(4, "vier");
        b.clickCell(0, CvTable::TextColumn, Qt::RightButton);
        QVERIFY(dialog->isVisible());
        dialog->reject();
        QTest::keyClick(b.grid(), Qt::Key_Insert);
        QVERIFY(dialog->isVisible());
        dialog->reject();
        QCOMPARE(b.table().rowCount(), 1);
    }

    // The Op header checks all rows (left) or none (right); Delete needs
    // the whole row selected.
    void checkingAndDeletingRows() {
        Bench b;
        for (const int cv : {1, 2, 3})
            b.addRow(cv, {});
        b.clickOpHeader(Qt::LeftButton);
        QVERIFY(b.table().isChecked(0) && b.table().isChecked(1) && b.table().isChecked(2));
        b.clickCell(1, CvTable::OpColumn);
        QVERIFY(!b.table().isChecked(1));
        QTest::keyClick(b.grid(), Qt::Key_Space);
        QVERIFY(b.table().isChecked(1));
        b.clickOpHeader(Qt::RightButton);
        QVERIFY(!b.table().isChecked(0) && !b.table().isChecked(2));
        b.clickCell(2, CvTable::TextColumn);
        QTest::keyClick(b.grid(), Qt::Key_Delete);
        QCOMPARE(b.column(CvTable::CvColumn), QString("1 2 3"));
        b.clickCell(2, CvTable::CvColumn);
        QVERIFY(b.grid()->wholeRowSelected(2));
        QTest::keyClick(b.grid(), Qt::Key_Delete);
        QCOMPARE(b.column(CvTable::CvColumn), QString("1 2"));
        b.menu("TabLoeschMenu");
        QCOMPARE(b.table().rowCount(), 0);
        QCOMPARE(b.text("TabNameTxt"), QString("----"));
    }

    void editingTheValueCell() {
        Bench b;
        b.addRow(3, {});
        // Bits of an unknown value stay unknown.
        b.clickCell(0, CvTable::FirstBitColumn + 3);
        QCOMPARE(b.bits(0), QString("--------"));
        b.typeValue(0, "007");
        QVERIFY(b.grid()->blinkTimer().isActive());
        QCOMPARE(b.value(0), QString("7|"));
        b.table().blink();
        QCOMPARE(b.value(0), QString("7 "));
        QTest::keyClicks(b.grid(), "12345");
        QCOMPARE(b.value(0), QString("71234|"));
        QTest::keyClick(b.grid(), Qt::Key_Backspace);
        QTest::keyClick(b.grid(), Qt::Key_Backspace);
        QVERIFY(b.tooLarge(0));
        QTest::keyClick(b.grid(), Qt::Key_Backspace);
        QTest::keyClick(b.grid(), Qt::Key_Left);
        QVERIFY(!b.grid()->blinkTimer().isActive());
        QCOMPARE(b.value(0), QString("71"));
        QCOMPARE(b.bits(0), QString("01000111"));
        // Bits typed into a bit cell.
        b.clickCell(0, CvTable::FirstBitColumn);
        QTest::keyClicks(b.grid(), "1");
        QCOMPARE(b.value(0), QString("199"));
    }

    // The file contents are the CV file tests' business; here the menus
    // load, save what was written, and start afresh.
    void loadAndSaveThroughTheMenus() {
        Bench b;
        QTemporaryDir files;
        const QString cvFile = files.filePath("Lok.CV");
        b.writeFile(files.filePath("Lok.LST"), "LST-Datei\r\nLok\r\n29 Konfiguration\r\n");
        b.writeFile(cvFile, "\"CV-Datei\"\r\n\"Lok.LST\"\r\n1,3\r\n8,145\r\n29,6\r\n");
        b.answers = {cvFile};
        b.menu("LadenMenu");
        QCOMPARE(b.asked.last().kind, FileRequest::Open);
        QCOMPARE(b.window->windowTitle(), QString("DCC Programmierung - Datei: Lok.CV"));
        QCOMPARE(b.text("CVTxt_1") + ' ' + b.text("CV8Lbl"), QString("3 Gantrex"));
        QCOMPARE(b.column(CvTable::CvColumn) + '=' + b.value(0), QString("29=6"));
        QCOMPARE(b.cvListe().size(), 3);

        // A value typed but not written is not saved.
        b.type("CVTxt_1", "4");
        b.menu("SpeichernMenu");
        QCOMPARE(b.asked.size(), 1);
        QFile saved(cvFile);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().endsWith("\"\r\n1,3\r\n8,145\r\n29,6\r\n"));

        b.answers = {files.filePath("Kopie.LST")};
        b.menu("TabSpeichernMenu");
        QCOMPARE(b.asked.last().initial, QDir::toNativeSeparators(files.filePath("Lok.LST")));
        QVERIFY(QFile::exists(files.filePath("Kopie.LST")));

        b.menu("NeuDecMenu");
        QCOMPARE(b.window->windowTitle(), QString("DCC Programmierung"));
        QCOMPARE(b.text("CVTxt_1"), QString("-"));
        QVERIFY(b.cvListe().isEmpty());
    }

    // While a job runs, "Datei" and "Optionen" cannot change what it
    // writes: loading another file or "neuer Decoder" waits for its end.
    void fileAndOptionsWaitForTheJob() {
        Bench b;
        QTemporaryDir files;
        b.writeFile(files.filePath("A.CV"), "\"CV-Datei\"\r\n\"\"\r\n1,3\r\n2,7\r\n29,6\r\n");
        b.answers = {files.filePath("A.CV")};
        b.menu("LadenMenu");
        b.click("DecWrCVBut");
        for (const char* menu : {"DateiMenu", "OptionenMenu"})
            QVERIFY(!b.find<QMenu>(menu)->menuAction()->isEnabled());
        QVERIFY(b.runJob());
        for (const char* menu : {"DateiMenu", "OptionenMenu"})
            QVERIFY(b.find<QMenu>(menu)->menuAction()->isEnabled());
        QCOMPARE(QList<int>({b.onDecoder(1), b.onDecoder(2), b.onDecoder(29)}),
                 QList<int>({3, 7, 6}));
    }

    // Refused, the save dialog saves nothing; answered, the file is the
    // window's from then on.
    void savingWithoutAFileAsksForOne() {
        Bench b;
        QTemporaryDir files;
        b.jobs.prog.CvValue[1] = 3;
        b.menu("SpeichernMenu");
        QCOMPARE(b.asked.size(), 1);
        QCOMPARE(b.asked[0].kind, FileRequest::Save);
        QVERIFY(QDir(files.path()).isEmpty());
        b.answers = {files.filePath("neu.CV")};
        b.menu("SpeichernUnterMenu");
        QCOMPARE(b.window->windowTitle(), QString("DCC Programmierung - Datei: neu.CV"));
        QVERIFY(QFile::exists(files.filePath("neu.CV")));
    }

    // The curve is read from the decoder; Cancel stops the read.
    void speedWindowReadsAndCancels() {
        Bench b;
        b.menu("FahrstufenMenu");
        QVERIFY(b.window->speedWindow()->isVisible());
        QVERIFY(!b.inSpeedWindow("Cancel")->isEnabled());
        b.inSpeedWindow("RDTabBut")->click();
        QVERIFY(b.inSpeedWindow("Cancel")->isEnabled());
        QVERIFY(!b.inSpeedWindow("WRTabBut")->isEnabled() && !b.enabled("DecRdCVBut"));
        b.rig.run(0.05);
        b.inSpeedWindow("Cancel")->click();
        QVERIFY(b.runJob());
        QCOMPARE(b.status(), QString("Abbruch"));
        QCOMPARE(b.cv(94), ProgrammingState::Unknown);
        b.inSpeedWindow("RDTabBut")->click();
        QVERIFY(b.runJob());
        QCOMPARE(b.cv(67), 8);
    }

    // The mouse drags a point to its value; the keyboard moves to the next
    // point and raises it by one.
    void draggingAPointSetsItsCv() {
        Bench b;
        for (int cv = 67; cv <= 94; ++cv)
            b.jobs.prog.CvValue[cv] = 0;
        b.menu("FahrstufenMenu");
        SpeedCurveCanvas* canvas = b.window->speedWindow()->canvas();
        const auto speedField = [&](const char* name) {
            return b.window->speedWindow()->findChild<QLineEdit*>(name)->text();
        };
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(43, 281));
        QMouseEvent move(QEvent::MouseMove, QPointF(43, 182), canvas->mapToGlobal(QPointF(43, 182)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(canvas, &move);
        QCOMPARE(b.cv(67), 50);
        QCOMPARE(speedField("CVValTxt"), QString("50"));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(43, 182));
        QVERIFY(b.cvListe().contains("CV  67 =  50"));
        QTest::keyClick(canvas, Qt::Key_Right);
        QTest::keyClick(canvas, Qt::Key_Up);
        QCOMPARE(b.cv(68), 1);
        QCOMPARE(speedField("CVAdrTxt"), QString("68"));
        QTest::keyClick(canvas, Qt::Key_Down);
        QTest::keyClick(canvas, Qt::Key_Down);
        QCOMPARE(b.cv(68), 0);
    }

    void programmingTheCurveShowsTheNoteFirst() {
        Bench b;
        for (int cv = 67; cv <= 94; ++cv)
            b.jobs.prog.CvValue[cv] = cv - 60;
        b.menu("FahrstufenMenu");
        b.inSpeedWindow("WRTabBut")->click();
        QCOMPARE(b.rig.messages.messages,
                 QStringList{"Damit die Kennline aktiviert wird, muss Bit 4 in CV 29 auf 1 "
                             "gesetzen werden!"});
        QCOMPARE(b.rig.messages.icons.value(0), MessageIcon::Information);
        QVERIFY(b.runJob());
        QCOMPARE(b.onDecoder(94), 34);
    }
};

QTEST_MAIN(DccProgTest)
#include "tst_dccprog.moc"
