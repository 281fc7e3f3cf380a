#include "app/Station.h"
#include "platform/Clock.h"
#include "programming/CvTable.h"
#include "programming/CvTableGrid.h"
#include "programming/DCCProg.h"
#include "programming/DCCProgSpeed.h"
#include "programming/NeueCVZeile.h"
#include "programming/ProgrammingJobs.h"
#include "programming/SpeedCurveCanvas.h"
#include "sim/VirtualSerialPort.h"
#include "sim/VirtualStation.h"
#include "support/RecordingOperatingView.h"
#include "support/RecordingView.h"
#include "support/SimRig.h"

#include <QCheckBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

namespace {

// The window on the virtual command station with its decoder on the
// programming track; the file dialogs answer from a list.
struct Bench {
    SimRig rig;
    ProgrammingJobs& jobs = rig.station.programming;
    QTemporaryDir conf;
    std::unique_ptr<DCCProg> window;
    QList<FileRequest> asked;
    QStringList answers;

    Bench() {
        QFile makers(conf.filePath("Hersteller.dat"));
        if (makers.open(QIODevice::WriteOnly))
            makers.write("1: Erster\r\n13: Eigenbau\r\n145: Gantrex\r\n");
        makers.close();
        window = std::make_unique<DCCProg>(rig.s, jobs, conf.path());
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
    QString text(const QString& name) const { return field(name)->text(); }
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
    VirtualDecoder& decoder() { return rig.layout.programming.decoder; }
    int cv(int number) const { return jobs.prog.CvValue[number]; }
    QStringList cvListe() const {
        QStringList lines;
        const QListWidget* list = find<QListWidget>("CVListe");
        for (int i = 0; i < list->count(); ++i)
            lines.append(list->item(i)->text());
        return lines;
    }

    CvTable& table() const { return window->table(); }
    CvTableGrid* grid() const { return find<CvTableGrid>("Tabelle"); }
    QPoint cellCentre(int row, int column) const {
        return grid()->visualRect(table().index(row, column)).center();
    }
    void clickCell(int row, int column, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseClick(grid()->viewport(), button, {}, cellCentre(row, column));
    }
    void clickHeader(int column, Qt::MouseButton button) const {
        QHeaderView* header = grid()->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
                        header->height() / 2);
        QTest::mouseClick(header->viewport(), button, {}, at);
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
    QStringList tableCvs() const {
        QStringList cvs;
        for (int row = 0; row < table().rowCount(); ++row)
            cvs.append(table().text(row, CvTable::CvColumn));
        return cvs;
    }
    QString bits(int row) const {
        QString bits;
        for (int column = CvTable::FirstBitColumn; column <= CvTable::LastBitColumn; ++column)
            bits += table().text(row, column);
        return bits;
    }
};

} // namespace

class DccProgTest : public QObject {
    Q_OBJECT

private slots:
    void opensForANewDecoder() {
        Bench b;
        QCOMPARE(b.window->windowTitle(), QString("DCC Programmierung"));
        for (int i = 1; i <= 6; ++i)
            QCOMPARE(b.text(QString("CVTxt_%1").arg(i)), QString("-"));
        QCOMPARE(b.find<QLabel>("CV8Lbl")->text(), QString("-"));
        QVERIFY(b.cvListe().isEmpty());
        QVERIFY(b.enabled("DecRdCVBut"));
        QVERIFY(!b.enabled("Cancel"));
        // Nothing to read or write until a CV is named.
        QVERIFY(!b.enabled("RDCVBut"));
    }

    void readingTheDecoderFillsTheStandardFieldsAndTheList() {
        Bench b;
        b.click("DecRdCVBut");
        QVERIFY(!b.enabled("DecRdCVBut"));
        QVERIFY(b.enabled("Cancel"));
        QVERIFY(b.runJob());
        QCOMPARE(b.text("CVTxt_1"), QString("3"));
        QCOMPARE(b.text("CVTxt_3"), QString("5"));
        QCOMPARE(b.text("CVTxt_5"), QString("255"));
        QCOMPARE(b.find<QLabel>("CV7Lbl")->text(), QString("12"));
        QCOMPARE(b.find<QLabel>("CV8Lbl")->text(), QString("Eigenbau"));
        QVERIFY(b.find<QCheckBox>("CV29Bit_1")->isChecked());
        QVERIFY(b.find<QCheckBox>("CV29Bit_4")->isChecked());
        QVERIFY(!b.find<QCheckBox>("CV29Bit_5")->isChecked());
        QCOMPARE(b.cvListe().size(), 11);
        QCOMPARE(b.cvListe().last(), QString("CV  29 =  22"));
        QCOMPARE(b.find<QLabel>("DCCProgStat")->text(), QString(" Lesevorgang beendet "));
        for (const char* name : {"DecRdCVBut", "DecWrCVBut", "DecRdUserList", "DecWrUserList"})
            QVERIFY2(b.enabled(name), qPrintable(name));
        QVERIFY(!b.enabled("Cancel"));
        QVERIFY(b.rig.messages.messages.isEmpty());
    }

    // CV 17 and 18 carry the long address; the version and the
    // manufacturer are never written.
    void writingTheLongAddress1000() {
        Bench b;
        b.click("DecRdCVBut");
        QVERIFY(b.runJob());
        b.decoder().write(1, 44);
        b.find<QCheckBox>("CV29Bit_5")->click();
        QCOMPARE(b.text("CVTxt_1"), QString("100"));
        b.type("CVTxt_1", "1000");
        b.click("DecWrCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.find<QLabel>("DCCProgStat")->text(), QString(" Schreibvorgang beendet "));
        QVERIFY(b.rig.messages.messages.isEmpty());
        QCOMPARE(b.decoder().read(17).value_or(-1), 195);
        QCOMPARE(b.decoder().read(18).value_or(-1), 232);
        QCOMPARE(b.decoder().read(29).value_or(-1), 0x36);
        QCOMPARE(b.decoder().read(1).value_or(-1), 3);
        QCOMPARE(b.cv(17), 195);
        QCOMPARE(b.cv(18), 232);
        // Reading again shows the long address.
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
        QCOMPARE(b.text("CVTxt_1"), QString("3"));
        b.find<QCheckBox>("CV29Bit_5")->click();
        QCOMPARE(b.text("CVTxt_1"), QString("100"));
        b.find<QCheckBox>("CV29Bit_5")->click();
        QCOMPARE(b.text("CVTxt_1"), QString("3"));
        // Half a long address is no address.
        b.jobs.prog.CvValue[18] = ProgrammingState::Unknown;
        b.jobs.prog.CvValue[17] = 195;
        b.find<QCheckBox>("CV29Bit_5")->click();
        QCOMPARE(b.text("CVTxt_1"), QString("-"));
    }

    void singleCvReadAndWrite() {
        Bench b;
        b.type("CVAdrTxt", "5");
        b.click("RDCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.text("CVValTxt"), QString("255"));
        QVERIFY(b.find<QCheckBox>("CVBit_7")->isChecked());
        QCOMPARE(b.text("CVTxt_5"), QString("255"));
        b.type("CVValTxt", "200");
        b.click("WRCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.decoder().read(5).value_or(-1), 200);
        QCOMPARE(b.cvListe(), QStringList{"CV   5 = 200"});
    }

    void singleCvErrorsShowInTheValueField() {
        Bench b;
        b.rig.layout.faults.programmingTrack = Faults::ProgrammingTrack::NoDecoder;
        b.type("CVAdrTxt", "1");
        b.click("RDCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.text("CVValTxt"), QString("_"));
        QCOMPARE(b.field("CVValTxt")->palette().color(QPalette::Text), QColor(Qt::black));
        QCOMPARE(b.find<QLabel>("DCCProgStat")->text(), QString(" Programmiergleis: keine Lok"));
        QCOMPARE(b.rig.messages.messages, QStringList{"Programmiergleis: keine Lok"});
        QVERIFY(b.enabled("RDCVBut"));
    }

    void tableRowsAreReadAndWrittenWhenChecked() {
        Bench b;
        b.addRow(49, "Ausgang A");
        b.addRow(3, "Anfahren");
        b.addRow(67, "Stufe 1");
        QCOMPARE(b.tableCvs(), QStringList({"3", "49", "67"}));
        b.clickCell(0, CvTable::OpColumn);
        b.clickCell(2, CvTable::OpColumn);
        b.click("DecRdUserList");
        QVERIFY(b.runJob());
        QCOMPARE(b.table().text(0, CvTable::ValueColumn), QString("5"));
        QCOMPARE(b.table().text(1, CvTable::ValueColumn), QString("-"));
        QCOMPARE(b.table().text(2, CvTable::ValueColumn), QString("8"));
        QCOMPARE(b.bits(2), QString("00001000"));
        QCOMPARE(b.cvListe(), QStringList({"CV   3 =   5", "CV  67 =   8"}));

        // A new value typed into row 3 and a bit flipped in row 67.
        b.clickCell(0, CvTable::ValueColumn);
        QTest::keyClick(b.grid(), Qt::Key_Backspace);
        QTest::keyClicks(b.grid(), "12");
        b.clickCell(2, CvTable::LastBitColumn);
        QCOMPARE(b.table().text(2, CvTable::ValueColumn), QString("9"));
        b.click("DecWrUserList");
        QVERIFY(b.runJob());
        QCOMPARE(b.decoder().read(3).value_or(-1), 12);
        QCOMPARE(b.decoder().read(67).value_or(-1), 9);
        QCOMPARE(b.decoder().read(49).value_or(-1), 0);
        QCOMPARE(b.find<QLabel>("DCCProgStat")->text(), QString(" Schreibvorgang beendet "));
    }

    void nothingStartsWithoutACheckedRow() {
        Bench b;
        b.addRow(3, "x");
        b.click("DecRdUserList");
        QVERIFY(!b.jobs.running());
    }

    void tooLargeTableValueIsNotWritten() {
        Bench b;
        b.addRow(3, "x");
        b.clickCell(0, CvTable::OpColumn);
        b.clickCell(0, CvTable::ValueColumn);
        QTest::keyClicks(b.grid(), "300");
        QVERIFY(b.table()
                    .data(b.table().index(0, CvTable::ValueColumn), CvTable::TooLargeRole)
                    .toBool());
        b.click("DecWrUserList");
        QVERIFY(!b.jobs.running());
        QCOMPARE(b.rig.messages.titles, QStringList{"Fehler"});
        QCOMPARE(b.decoder().read(3).value_or(-1), 5);
    }

    void checkVal_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("acceptable");
        QTest::newRow("value 255") << "CVTxt_2"
                                   << "255" << true;
        QTest::newRow("value 256") << "CVTxt_2"
                                   << "256" << false;
        QTest::newRow("dash") << "CVTxt_6"
                              << "-" << true;
        QTest::newRow("empty") << "CVTxt_6"
                               << "" << true;
        QTest::newRow("letters") << "CVTxt_3"
                                 << "1a" << false;
        QTest::newRow("blank") << "CVTxt_3"
                               << " 1" << false;
        QTest::newRow("short address 300") << "CVTxt_1"
                                           << "300" << false;
        QTest::newRow("CV 1023") << "CVAdrTxt"
                                 << "1023" << true;
        QTest::newRow("CV 1024") << "CVAdrTxt"
                                 << "1024" << false;
        QTest::newRow("single value 256") << "CVValTxt"
                                          << "256" << false;
    }
    void checkVal() {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, acceptable);
        Bench b;
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

    void longAddressAllowsBiggerNumbers() {
        Bench b;
        b.find<QCheckBox>("CV29Bit_5")->click();
        b.type("CVTxt_1", "10239");
        QVERIFY(b.enabled("DecWrCVBut"));
        b.type("CVTxt_1", "10240");
        QVERIFY(!b.enabled("DecWrCVBut"));
    }

    // The value field and its bit boxes follow each other without echo.
    void singleValueBits() {
        Bench b;
        b.type("CVValTxt", "133");
        for (int i = 0; i < 8; ++i)
            QCOMPARE(b.find<QCheckBox>(QString("CVBit_%1").arg(i))->isChecked(),
                     i == 0 || i == 2 || i == 7);
        b.click("CVBit_1");
        QCOMPARE(b.text("CVValTxt"), QString("135"));
        b.type("CVValTxt", "-");
        QCOMPARE(b.text("CVValTxt"), QString("-"));
        QVERIFY(!b.find<QCheckBox>("CVBit_7")->isChecked());
        QVERIFY(!b.enabled("WRCVBut"));
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
        QCOMPARE(b.text("CVAdrTxt"), QString("29"));
        QCOMPARE(b.text("CVValTxt"), QString("6"));
    }

    void newRowsStaySorted() {
        Bench b;
        b.addRow(3, "drei");
        b.addRow(8, "acht", "Meine Lok");
        QCOMPARE(b.find<QLabel>("TabNameTxt")->text(), QString("Meine Lok"));
        b.addRow(5, "fünf");
        QCOMPARE(b.tableCvs(), QStringList({"3", "5", "8"}));
        b.clickCell(2, CvTable::OpColumn);
        b.clickCell(2, CvTable::ValueColumn);
        QTest::keyClicks(b.grid(), "7");
        b.clickCell(2, CvTable::CvColumn);
        QCOMPARE(b.table().text(2, CvTable::ValueColumn), QString("7"));
        b.addRow(8, "neu");
        QCOMPARE(b.tableCvs(), QStringList({"3", "5", "8"}));
        QCOMPARE(b.table().text(2, CvTable::ValueColumn), QString("-"));
        QCOMPARE(b.table().text(2, CvTable::TextColumn), QString("neu"));
        QVERIFY(!b.table().isChecked(2));
    }

    void rowDialogIgnoresNumbersOutsideTheCvs() {
        Bench b;
        b.menu("ZeileEinfMenu");
        auto* dialog = b.find<NeueCVZeile>("NeueCVZeile");
        QVERIFY(dialog->isVisible());
        QCOMPARE(dialog->focusWidget(), dialog->findChild<QLineEdit*>("CVNrTxT"));
        dialog->findChild<QLineEdit*>("CVNrTxT")->setText("1024");
        QVERIFY(!dialog->findChild<QPushButton*>("OKBut")->isEnabled());
        dialog->reject();
        QCOMPARE(b.table().rowCount(), 0);
        // The right button on a cell and Insert open it too.
        b.addRow(4, "vier");
        b.clickCell(0, CvTable::TextColumn, Qt::RightButton);
        QVERIFY(dialog->isVisible());
        dialog->reject();
        QTest::keyClick(b.grid(), Qt::Key_Insert);
        QVERIFY(dialog->isVisible());
        dialog->reject();
        QCOMPARE(b.table().rowCount(), 1);
    }

    void deleteNeedsTheWholeRow() {
        Bench b;
        for (const int cv : {1, 2, 3})
            b.addRow(cv, {});
        b.clickCell(2, CvTable::TextColumn);
        QTest::keyClick(b.grid(), Qt::Key_Delete);
        QCOMPARE(b.tableCvs(), QStringList({"1", "2", "3"}));
        b.clickCell(2, CvTable::CvColumn);
        QVERIFY(b.grid()->wholeRowSelected(2));
        QTest::keyClick(b.grid(), Qt::Key_Delete);
        QCOMPARE(b.tableCvs(), QStringList({"1", "2"}));
        b.menu("TabLoeschMenu");
        QCOMPARE(b.table().rowCount(), 0);
        QCOMPARE(b.find<QLabel>("TabNameTxt")->text(), QString("----"));
    }

    void opHeaderChecksAndUnchecksAll() {
        Bench b;
        for (const int cv : {1, 2, 3})
            b.addRow(cv, {});
        b.clickHeader(CvTable::OpColumn, Qt::LeftButton);
        QVERIFY(b.table().isChecked(0) && b.table().isChecked(1) && b.table().isChecked(2));
        QCOMPARE(b.table().text(1, CvTable::OpColumn), QString(" "));
        b.clickCell(1, CvTable::OpColumn);
        QVERIFY(!b.table().isChecked(1));
        QTest::keyClick(b.grid(), Qt::Key_Space);
        QVERIFY(b.table().isChecked(1));
        b.clickHeader(CvTable::OpColumn, Qt::RightButton);
        QVERIFY(!b.table().isChecked(0) && !b.table().isChecked(2));
    }

    void editingTheValueCell() {
        Bench b;
        b.addRow(3, {});
        b.clickCell(0, CvTable::ValueColumn);
        QVERIFY(b.grid()->blinkTimer().isActive());
        QCOMPARE(b.table().text(0, CvTable::ValueColumn), QString("-|"));
        QTest::keyClicks(b.grid(), "007");
        QCOMPARE(b.table().text(0, CvTable::ValueColumn), QString("7|"));
        b.table().blink();
        QCOMPARE(b.table().text(0, CvTable::ValueColumn), QString("7 "));
        QTest::keyClicks(b.grid(), "12345");
        QCOMPARE(b.table().text(0, CvTable::ValueColumn), QString("71234|"));
        QTest::keyClick(b.grid(), Qt::Key_Backspace);
        QTest::keyClick(b.grid(), Qt::Key_Backspace);
        QCOMPARE(b.table().text(0, CvTable::ValueColumn), QString("712|"));
        QVERIFY(b.table()
                    .data(b.table().index(0, CvTable::ValueColumn), CvTable::TooLargeRole)
                    .toBool());
        QTest::keyClick(b.grid(), Qt::Key_Backspace);
        QTest::keyClick(b.grid(), Qt::Key_Left);
        QVERIFY(!b.grid()->blinkTimer().isActive());
        QCOMPARE(b.table().text(0, CvTable::ValueColumn), QString("71"));
        QCOMPARE(b.bits(0), QString("01000111"));
        // Bits typed into a bit cell.
        b.clickCell(0, CvTable::FirstBitColumn);
        QTest::keyClicks(b.grid(), "1");
        QCOMPARE(b.table().text(0, CvTable::ValueColumn), QString("199"));
    }

    void bitsOfAnUnknownValueStay() {
        Bench b;
        b.addRow(3, {});
        b.clickCell(0, CvTable::FirstBitColumn + 3);
        QCOMPARE(b.table().text(0, CvTable::ValueColumn), QString("-"));
        QCOMPARE(b.bits(0), QString("--------"));
    }

    void loadAndSaveThroughTheMenus() {
        Bench b;
        QTemporaryDir files;
        const QString cvFile = files.filePath("Lok.CV");
        QFile table(files.filePath("Lok.LST"));
        QVERIFY(table.open(QIODevice::WriteOnly));
        table.write("LST-Datei\r\nLok\r\n29 Konfiguration\r\n");
        table.close();
        QFile values(cvFile);
        QVERIFY(values.open(QIODevice::WriteOnly));
        values.write("\"CV-Datei\"\r\n\"Lok.LST\"\r\n1,3\r\n8,145\r\n29,6\r\n");
        values.close();

        b.answers = {cvFile};
        b.menu("LadenMenu");
        QCOMPARE(b.asked.last().title, QString("Datei mit CV's laden"));
        QCOMPARE(b.asked.last().filter, QString("CV-Dateien *.CV|*.CV"));
        QCOMPARE(b.asked.last().kind, FileRequest::Open);
        QCOMPARE(b.window->windowTitle(), QString("DCC Programmierung - Datei: Lok.CV"));
        QCOMPARE(b.text("CVTxt_1"), QString("3"));
        QCOMPARE(b.find<QLabel>("CV8Lbl")->text(), QString("Gantrex"));
        QCOMPARE(b.tableCvs(), QStringList{"29"});
        QCOMPARE(b.table().text(0, CvTable::ValueColumn), QString("6"));
        QCOMPARE(b.cvListe().size(), 3);

        b.type("CVTxt_1", "4");
        b.menu("SpeichernMenu");
        QCOMPARE(b.asked.size(), 1);
        QVERIFY(QFile(cvFile).open(QIODevice::ReadOnly));
        QFile saved(cvFile);
        saved.open(QIODevice::ReadOnly);
        QCOMPARE(saved.readAll(),
                 QByteArray("\"CV-Datei\"\r\n\"") +
                     QDir::toNativeSeparators(files.filePath("Lok.LST")).toLatin1() +
                     "\"\r\n1,3\r\n8,145\r\n29,6\r\n");

        b.answers = {files.filePath("Kopie.LST")};
        b.menu("TabSpeichernMenu");
        QCOMPARE(b.asked.last().title, QString("Datei mit CV-Liste speichern unter"));
        QCOMPARE(b.asked.last().filter, QString("Listendateien *.LST|*.LST"));
        QCOMPARE(b.asked.last().initial, QDir::toNativeSeparators(files.filePath("Lok.LST")));
        QVERIFY(QFile::exists(files.filePath("Kopie.LST")));

        b.menu("NeuDecMenu");
        QCOMPARE(b.window->windowTitle(), QString("DCC Programmierung"));
        QCOMPARE(b.text("CVTxt_1"), QString("-"));
        QVERIFY(b.cvListe().isEmpty());
    }

    void savingWithoutAFileAsksForOne() {
        Bench b;
        QTemporaryDir files;
        b.jobs.prog.CvValue[1] = 3;
        b.menu("SpeichernMenu");
        QCOMPARE(b.asked.size(), 1);
        QCOMPARE(b.asked[0].title, QString("Datei mit CV's speichern unter"));
        QCOMPARE(b.asked[0].filter, QString("CV_Dateien *.CV|*.CV"));
        QCOMPARE(b.asked[0].kind, FileRequest::Save);
        QCOMPARE(b.window->windowTitle(), QString("DCC Programmierung"));
        QVERIFY(QDir(files.path()).isEmpty());

        b.answers = {files.filePath("neu.CV")};
        b.menu("SpeichernUnterMenu");
        QCOMPARE(b.window->windowTitle(), QString("DCC Programmierung - Datei: neu.CV"));
        QVERIFY(QFile::exists(files.filePath("neu.CV")));
    }

    void speedWindowReadsAndDrawsTheCurve() {
        Bench b;
        b.menu("FahrstufenMenu");
        DCCProgSpeed* speed = b.window->speedWindow();
        QVERIFY(speed && speed->isVisible());
        QCOMPARE(speed->windowTitle(), QString("Fahrstufentabelle"));
        QVERIFY(!speed->findChild<QPushButton*>("Cancel")->isEnabled());
        speed->findChild<QPushButton*>("RDTabBut")->click();
        QVERIFY(speed->findChild<QPushButton*>("Cancel")->isEnabled());
        QVERIFY(!speed->findChild<QPushButton*>("WRTabBut")->isEnabled());
        QVERIFY(!b.enabled("DecRdCVBut"));
        QVERIFY(b.runJob());
        QCOMPARE(b.cv(67), 8);
        QVERIFY(speed->findChild<QPushButton*>("RDTabBut")->isEnabled());
        const SpeedCurveCanvas* canvas = speed->canvas();
        QCOMPARE(canvas->findChild<QWidget*>("Pkt_0")->geometry(),
                 QRect(42 - 6, 282 - 16 - 6, 12, 12));
        QCOMPARE(canvas->findChild<QWidget*>("Pkt_27")->pos().x(), 420 - 6);
        QCOMPARE(b.cvListe().size(), 28);
    }

    void draggingAPointSetsItsCv() {
        Bench b;
        for (int cv = 67; cv <= 94; ++cv)
            b.jobs.prog.CvValue[cv] = 0;
        b.menu("FahrstufenMenu");
        SpeedCurveCanvas* canvas = b.window->speedWindow()->canvas();
        QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(43, 281));
        QCOMPARE(canvas->selectedPoint(), 0);
        QMouseEvent move(QEvent::MouseMove, QPointF(43, 182), canvas->mapToGlobal(QPointF(43, 182)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(canvas, &move);
        QCOMPARE(b.cv(67), 50);
        QCOMPARE(b.window->speedWindow()->findChild<QLineEdit*>("CVAdrTxt")->text(), QString("67"));
        QCOMPARE(b.window->speedWindow()->findChild<QLineEdit*>("CVValTxt")->text(), QString("50"));
        QCOMPARE(canvas->findChild<QWidget*>("Pkt_0")->pos(), QPoint(42 - 6, 182 - 6));
        QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(43, 182));
        QVERIFY(b.cvListe().contains("CV  67 =  50"));

        // The keyboard moves to the next point and raises it by one.
        QTest::keyClick(canvas, Qt::Key_Right);
        QTest::keyClick(canvas, Qt::Key_Up);
        QCOMPARE(b.cv(68), 1);
        QCOMPARE(b.window->speedWindow()->findChild<QLineEdit*>("CVAdrTxt")->text(), QString("68"));
        QTest::keyClick(canvas, Qt::Key_Down);
        QTest::keyClick(canvas, Qt::Key_Down);
        QCOMPARE(b.cv(68), 0);
    }

    void programmingTheCurveShowsTheNoteFirst() {
        Bench b;
        for (int cv = 67; cv <= 94; ++cv)
            b.jobs.prog.CvValue[cv] = cv - 60;
        b.menu("FahrstufenMenu");
        b.window->speedWindow()->findChild<QPushButton*>("WRTabBut")->click();
        QCOMPARE(b.rig.messages.messages,
                 QStringList{"Damit die Kennline aktiviert wird, muss Bit 4 in CV 29 auf 1 "
                             "gesetzen werden!"});
        QCOMPARE(b.rig.messages.titles, QStringList{"Hinweis"});
        QCOMPARE(b.rig.messages.icons.value(0), MessageIcon::Information);
        QVERIFY(b.runJob());
        for (int cv = 67; cv <= 94; ++cv)
            QCOMPARE(b.decoder().read(cv).value_or(-1), cv - 60);
    }

    void cancelStopsTheSpeedTableRead() {
        Bench b;
        b.menu("FahrstufenMenu");
        b.window->speedWindow()->findChild<QPushButton*>("RDTabBut")->click();
        b.rig.run(0.05);
        b.window->speedWindow()->findChild<QPushButton*>("Cancel")->click();
        QVERIFY(b.runJob());
        QCOMPARE(b.find<QLabel>("DCCProgStat")->text(), QString("Abbruch"));
        QCOMPARE(b.cv(94), ProgrammingState::Unknown);
        QVERIFY(b.rig.messages.messages.isEmpty());
    }

    void timeOutLeavesTheWindowUsable() {
        Bench b;
        b.rig.layout.faults.silent = true;
        b.type("CVAdrTxt", "1");
        b.click("RDCVBut");
        QVERIFY(b.runJob(20));
        QVERIFY(b.rig.messages.messages.contains("Keine Antwort auf CV-Lesen erhalten!"));
        QVERIFY(b.enabled("RDCVBut"));
        QVERIFY(!b.enabled("Cancel"));
    }
};

QTEST_MAIN(DccProgTest)
#include "tst_dccprog.moc"
