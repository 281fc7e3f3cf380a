#include "programming/CvTable.h"
#include "programming/ProgrammingJobs.h"
#include "programming/ui/CvTableGrid.h"
#include "programming/ui/DCCProg.h"
#include "programming/ui/DCCProgSpeed.h"
#include "programming/ui/NeueCVZeile.h"
#include "programming/ui/SpeedCurveCanvas.h"
#include "support/SimRig.h"
#include "support/Widgets.h"

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

// What the window does with what it reads and writes; the bytes of the CV
// jobs are the CV job tests' business.
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
        writeFile(conf.filePath("Hersteller.dat"), "1: Erster\r\n13: Eigenbau\r\n145: Gantrex\r\n");
        window = std::make_unique<DCCProg>(rig.messages, jobs, conf.path());
        window->setFileChooser([this](const FileRequest& request) {
            asked.append(request);
            return answers.isEmpty() ? QString() : answers.takeFirst();
        });
        window->show();
    }

    template <typename T = QWidget> T* find(const QString& name, QWidget* in = nullptr) const {
        return child<T>(in ? *in : *window, name);
    }
    QString text(const QString& name) const {
        if (auto* label = window->findChild<QLabel*>(name))
            return label->text();
        return find<QLineEdit>(name)->text();
    }
    void type(const QString& name, const QString& text) const {
        typeInto(find<QLineEdit>(name), text);
    }
    void click(const QString& name, QWidget* in = nullptr) const {
        find<QAbstractButton>(name, in)->click();
    }
    bool enabled(const QString& name, QWidget* in = nullptr) const {
        return find(name, in)->isEnabled();
    }
    void menu(const QString& name) const { window->findChild<QAction*>(name)->trigger(); }
    // Runs the tick until the programming job has ended.
    bool runJob() {
        for (int i = 0; i < 3000 && jobs.running(); ++i)
            rig.tick();
        rig.run(0.1);
        return !jobs.running();
    }
    int cv(int number) const { return jobs.prog.CvValue[number]; }
    int onDecoder(int cv) { return rig.layout.programming.decoder.read(cv).value_or(-1); }
    QStringList cvListe() const {
        QStringList lines;
        const QListWidget* list = find<QListWidget>("CVListe");
        for (int i = 0; i < list->count(); ++i)
            lines.append(list->item(i)->text());
        return lines;
    }
    bool checked(const QString& name) const { return find<QCheckBox>(name)->isChecked(); }

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
            find<QLineEdit>("CvTabNameTxt", dialog)->setText(name);
        find<QLineEdit>("CVNrTxT", dialog)->setText(QString::number(number));
        find<QLineEdit>("CVErklTxt", dialog)->setText(explanation);
        click("OKBut", dialog);
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
    static void writeFile(const QString& path, const QByteArray& contents) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
};

} // namespace

class DccProgTest : public QObject {
    Q_OBJECT

private slots:
    // A new decoder shows "-" everywhere. CV 17 and 18 carry the long
    // address; the version and the manufacturer are never written.
    void standardCvsAndTheLongAddress() {
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
        QCOMPARE(b.text("DCCProgStat"), QString(" Lesevorgang beendet "));
        QVERIFY(b.enabled("DecWrUserList") && !b.enabled("Cancel"));

        b.rig.layout.programming.decoder.write(1, 44);
        b.click("CV29Bit_5");
        QCOMPARE(b.text("CVTxt_1"), QString("100"));
        b.type("CVTxt_1", "1000");
        b.click("DecWrCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.text("DCCProgStat"), QString(" Schreibvorgang beendet "));
        QVERIFY(b.rig.messages.messages.isEmpty());
        QCOMPARE(QList<int>({b.onDecoder(17), b.onDecoder(18), b.onDecoder(29), b.onDecoder(1)}),
                 QList<int>({195, 232, 0x36, 3}));
        b.click("CV29Bit_5");
        QCOMPARE(b.text("CVTxt_1"), QString("3"));
        // Half a long address is no address.
        b.jobs.prog.CvValue[18] = ProgrammingState::Unknown;
        b.click("CV29Bit_5");
        QCOMPARE(b.text("CVTxt_1"), QString("-"));
    }

    // The value field and its bit boxes follow each other without echo; a
    // line of the CV list fills both fields; a failed read leaves the
    // window usable.
    void singleCv() {
        Bench b;
        b.type("CVAdrTxt", "5");
        b.click("RDCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.text("CVValTxt") + ' ' + b.text("CVTxt_5"), QString("255 255"));
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
        QVERIFY(!b.checked("CVBit_7") && !b.enabled("WRCVBut"));
        b.type("CVAdrTxt", "");
        auto* list = b.find<QListWidget>("CVListe");
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
        QCOMPARE(b.text("CVAdrTxt") + '=' + b.text("CVValTxt"), QString("5=135"));

        b.rig.layout.faults.programmingTrack = Faults::ProgrammingTrack::NoDecoder;
        b.click("RDCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.rig.messages.messages, QStringList{"Programmiergleis: keine Lok"});
        QCOMPARE(b.text("CVValTxt"), QString("_"));
        QVERIFY(!isRed(b.find("CVValTxt")) && b.enabled("RDCVBut") && !b.enabled("Cancel"));
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
        QCOMPARE(isRed(b.find(field)), !acceptable);
        for (const char* name : {"DecRdCVBut", "DecWrCVBut", "RDCVBut"})
            QCOMPARE(b.enabled(name), acceptable);
        // A red field keeps the buttons off while another one changes.
        b.type(field == "CVTxt_4" ? "CVTxt_5" : "CVTxt_4", "7");
        QCOMPARE(b.enabled("DecWrCVBut"), acceptable);
    }

    // Only checked rows are read and written, and nothing with a value
    // above 255.
    void tableRowsAreReadAndWrittenWhenChecked() {
        Bench b;
        for (const int cv : {49, 3, 67})
            b.addRow(cv, {});
        QCOMPARE(b.column(CvTable::CvColumn), QString("3 49 67"));
        b.click("DecRdUserList");
        QVERIFY(!b.jobs.running());
        b.clickCell(0, CvTable::OpColumn);
        b.clickCell(2, CvTable::OpColumn);
        b.click("DecRdUserList");
        QVERIFY(b.runJob());
        QCOMPARE(b.column(CvTable::ValueColumn), QString("5 - 8"));
        QCOMPARE(b.bits(2), QString("00001000"));
        QCOMPARE(b.cvListe(), QStringList({"CV   3 =   5", "CV  67 =   8"}));
        b.typeValue(0, "00");
        QVERIFY(b.tooLarge(0));
        b.click("DecWrUserList");
        QVERIFY(!b.jobs.running());
        QCOMPARE(b.rig.messages.titles, QStringList{"Fehler"});
        b.clickCell(0, CvTable::ValueColumn);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(b.grid(), Qt::Key_Backspace);
        QTest::keyClicks(b.grid(), "12");
        b.clickCell(2, CvTable::LastBitColumn);
        QCOMPARE(b.value(2), QString("9"));
        b.click("DecWrUserList");
        QVERIFY(b.runJob());
        QCOMPARE(QList<int>({b.onDecoder(3), b.onDecoder(67), b.onDecoder(49)}),
                 QList<int>({12, 9, 0}));
    }

    // Rows stay sorted by CV; a row added for a CV already there replaces
    // it. The menu, the right button on a cell and Insert open the dialog;
    // the Op header checks all rows (left) or none (right); Delete needs
    // the whole row selected.
    void editingRows() {
        Bench b;
        b.menu("ZeileEinfMenu");
        auto* dialog = b.find<NeueCVZeile>("NeueCVZeile");
        QCOMPARE(dialog->focusWidget(), b.find<QLineEdit>("CVNrTxT", dialog));
        b.find<QLineEdit>("CVNrTxT", dialog)->setText("1024");
        QVERIFY(!b.enabled("OKBut", dialog));
        dialog->reject();
        b.addRow(3, "drei");
        b.addRow(8, "acht", "Meine Lok");
        QCOMPARE(b.text("TabNameTxt"), QString("Meine Lok"));
        b.addRow(5, "fünf");
        QCOMPARE(b.column(CvTable::CvColumn), QString("3 5 8"));
        b.clickOpHeader(Qt::LeftButton);
        b.typeValue(2, "7");
        b.clickCell(2, CvTable::CvColumn);
        QCOMPARE(b.value(2), QString("7"));
        b.addRow(8, "neu");
        QCOMPARE(b.column(CvTable::CvColumn) + ' ' + b.value(2), QString("3 5 8 -"));
        QCOMPARE(b.table().text(2, CvTable::TextColumn), QString("neu"));
        QVERIFY(b.table().isChecked(0) && b.table().isChecked(1) && !b.table().isChecked(2));
        b.clickCell(1, CvTable::OpColumn);
        QVERIFY(!b.table().isChecked(1));
        QTest::keyClick(b.grid(), Qt::Key_Space);
        QVERIFY(b.table().isChecked(1));
        b.clickOpHeader(Qt::RightButton);
        QVERIFY(!b.table().isChecked(0) && !b.table().isChecked(1));

        b.clickCell(0, CvTable::TextColumn, Qt::RightButton);
        QVERIFY(dialog->isVisible());
        dialog->reject();
        QTest::keyClick(b.grid(), Qt::Key_Insert);
        QVERIFY(dialog->isVisible());
        dialog->reject();
        b.clickCell(2, CvTable::TextColumn);
        QTest::keyClick(b.grid(), Qt::Key_Delete);
        QCOMPARE(b.column(CvTable::CvColumn), QString("3 5 8"));
        b.clickCell(2, CvTable::CvColumn);
        QVERIFY(b.grid()->wholeRowSelected(2));
        QTest::keyClick(b.grid(), Qt::Key_Delete);
        QCOMPARE(b.column(CvTable::CvColumn), QString("3 5"));
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
    // load and save, and while a job runs "Datei" and "Optionen" cannot
    // change what it writes.
    void filesThroughTheMenus() {
        Bench b;
        QTemporaryDir files;
        b.jobs.prog.CvValue[1] = 3;
        b.menu("SpeichernMenu");
        QCOMPARE(b.asked.value(0).kind, FileRequest::Save);
        QVERIFY(QDir(files.path()).isEmpty());

        const QString cvFile = files.filePath("Lok.CV");
        Bench::writeFile(files.filePath("Lok.LST"), "LST-Datei\r\nLok\r\n29 Konfiguration\r\n");
        Bench::writeFile(cvFile, "\"CV-Datei\"\r\n\"Lok.LST\"\r\n1,7\r\n8,145\r\n29,6\r\n");
        b.answers = {cvFile};
        b.menu("LadenMenu");
        QCOMPARE(b.asked.last().kind, FileRequest::Open);
        QCOMPARE(b.window->windowTitle(), QString("DCC Programmierung - Datei: Lok.CV"));
        QCOMPARE(b.text("CVTxt_1") + ' ' + b.text("CV8Lbl"), QString("7 Gantrex"));
        QCOMPARE(b.column(CvTable::CvColumn) + '=' + b.value(0), QString("29=6"));
        QCOMPARE(b.cvListe().size(), 3);
        b.click("DecWrCVBut");
        for (const char* menu : {"DateiMenu", "OptionenMenu"})
            QVERIFY(!b.find<QMenu>(menu)->menuAction()->isEnabled());
        QVERIFY(b.runJob());
        for (const char* menu : {"DateiMenu", "OptionenMenu"})
            QVERIFY(b.find<QMenu>(menu)->menuAction()->isEnabled());
        QCOMPARE(QList<int>({b.onDecoder(1), b.onDecoder(29)}), QList<int>({7, 6}));

        // A value typed but not written is not saved.
        b.type("CVTxt_1", "4");
        b.menu("SpeichernMenu");
        QCOMPARE(b.asked.size(), 2);
        QFile saved(cvFile);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().endsWith("\"\r\n1,7\r\n8,145\r\n29,6\r\n"));
        b.answers = {files.filePath("Kopie.LST")};
        b.menu("TabSpeichernMenu");
        QCOMPARE(b.asked.last().initial, QDir::toNativeSeparators(files.filePath("Lok.LST")));
        QVERIFY(QFile::exists(files.filePath("Kopie.LST")));

        b.menu("NeuDecMenu");
        QCOMPARE(b.window->windowTitle(), QString("DCC Programmierung"));
        QCOMPARE(b.text("CVTxt_1"), QString("-"));
        QVERIFY(b.cvListe().isEmpty());
        b.jobs.prog.CvValue[1] = 3;
        b.answers = {files.filePath("neu.CV")};
        b.menu("SpeichernUnterMenu");
        QCOMPARE(b.window->windowTitle(), QString("DCC Programmierung - Datei: neu.CV"));
        QVERIFY(QFile::exists(files.filePath("neu.CV")));
    }

    // The curve is read from the decoder, Cancel stops the read; the mouse
    // drags a point to its value, the keyboard moves to the next point and
    // changes it by one; programming shows the note first.
    void speedWindow() {
        Bench b;
        b.menu("FahrstufenMenu");
        DCCProgSpeed* speed = b.window->speedWindow();
        QVERIFY(speed->isVisible() && !b.enabled("Cancel", speed));
        b.click("RDTabBut", speed);
        QVERIFY(b.enabled("Cancel", speed) && !b.enabled("WRTabBut", speed));
        QVERIFY(!b.enabled("DecRdCVBut"));
        b.rig.run(0.05);
        b.click("Cancel", speed);
        QVERIFY(b.runJob());
        QCOMPARE(b.text("DCCProgStat"), QString("Abbruch"));
        QCOMPARE(b.cv(94), ProgrammingState::Unknown);
        b.click("RDTabBut", speed);
        QVERIFY(b.runJob());
        QCOMPARE(QList<int>({b.cv(67), b.cv(68)}), QList<int>({8, 8}));

        SpeedCurveCanvas* canvas = speed->canvas();
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(43, 282 - 2 * 8));
        QMouseEvent move(QEvent::MouseMove, QPointF(43, 182), canvas->mapToGlobal(QPointF(43, 182)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(canvas, &move);
        QCOMPARE(b.cv(67), 50);
        QCOMPARE(b.find<QLineEdit>("CVValTxt", speed)->text(), QString("50"));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(43, 182));
        QVERIFY(b.cvListe().contains("CV  67 =  50"));
        QTest::keyClick(canvas, Qt::Key_Right);
        QTest::keyClick(canvas, Qt::Key_Up);
        QCOMPARE(b.cv(68), 9);
        QCOMPARE(b.find<QLineEdit>("CVAdrTxt", speed)->text(), QString("68"));
        QTest::keyClick(canvas, Qt::Key_Down);
        QTest::keyClick(canvas, Qt::Key_Down);
        QCOMPARE(b.cv(68), 7);

        b.rig.messages.clear();
        b.click("WRTabBut", speed);
        QCOMPARE(b.rig.messages.messages,
                 QStringList{"Damit die Kennline aktiviert wird, muss Bit 4 in CV 29 auf 1 "
                             "gesetzen werden!"});
        QCOMPARE(b.rig.messages.icons.value(0), MessageIcon::Information);
        QVERIFY(b.runJob());
        QCOMPARE(QList<int>({b.onDecoder(67), b.onDecoder(68)}), QList<int>({50, 7}));
    }
};

QTEST_MAIN(DccProgTest)
#include "tst_dccprog.moc"
