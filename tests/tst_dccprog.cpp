#include "programming/CvTable.h"
#include "programming/ProgrammingJobs.h"
#include "programming/ui/CvTableGrid.h"
#include "programming/ui/DCCProg.h"
#include "programming/ui/NeueCVZeile.h"
#include "support/SimRig.h"
#include "support/Widgets.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QTest>
#include <memory>

// What the window does with what it reads and writes; the bytes of the CV
// jobs are the CV job tests' business, the files' contents the CV file
// tests'.
namespace {

void writeFile(const QString& path, const QByteArray& contents) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}

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
        writeFile(conf.filePath("Hersteller.dat"), "13: Eigenbau\r\n145: Gantrex\r\n");
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
    void type(const QString& f, const QString& s) const { typeInto(find<QLineEdit>(f), s); }
    void click(const char* n, QWidget* in = nullptr) { find<QAbstractButton>(n, in)->click(); }
    bool checked(const QString& name) const { return find<QCheckBox>(name)->isChecked(); }
    void menu(const QString& name) const { window->findChild<QAction*>(name)->trigger(); }
    bool runJob() {
        for (int i = 0; i < 3000 && jobs.running(); ++i)
            rig.tick();
        rig.run(0.1);
        return !jobs.running();
    }
    QList<int> onDecoder(const QList<int>& cvs) {
        QList<int> values;
        for (const int cv : cvs)
            values.append(rig.layout.programming.decoder.read(cv).value_or(-1));
        return values;
    }
    QListWidget* cvListe() const { return find<QListWidget>("CVListe"); }

    CvTable& table() const { return window->table(); }
    CvTableGrid* grid() const { return find<CvTableGrid>("Tabelle"); }
    // Clicks a cell and types into it.
    void clickCell(int row, int column, const QString& keys = {}) const {
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {},
                          grid()->visualRect(table().index(row, column)).center());
        QTest::keyClicks(grid(), keys);
    }
    void key(Qt::Key key, int times) const {
        for (int i = 0; i < times; ++i)
            QTest::keyClick(grid(), key);
    }
    // "Zeile einfügen" through its dialog.
    void addRow(int number, const QString& explanation = {}) {
        menu("ZeileEinfMenu");
        auto* dialog = find<NeueCVZeile>("NeueCVZeile");
        find<QLineEdit>("CVNrTxT", dialog)->setText(QString::number(number));
        find<QLineEdit>("CVErklTxt", dialog)->setText(explanation);
        click("OKBut", dialog);
    }
    // One column of the table, or the bit cells of one row.
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
};

} // namespace

class DccProgTest : public QObject {
    Q_OBJECT

private slots:
    // CV 17 and 18 carry the long address, marked as one; half a long
    // address is no address.
    void standardCvsAndTheLongAddress() {
        Bench b;
        b.click("DecRdCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(QStringList({b.text("CVTxt_1"), b.text("CVTxt_5"), b.text("CV7Lbl"),
                              b.text("CV8Lbl"), b.cvListe()->item(10)->text()}),
                 QStringList({"3", "255", "12", "Eigenbau", "CV  29 =  22"}));
        QVERIFY(b.checked("CV29Bit_1") && !b.checked("CV29Bit_5"));
        b.click("CV29Bit_5");
        QCOMPARE(b.text("CVTxt_1"), QString("100"));
        b.type("CVTxt_1", "1000");
        b.click("DecWrCVBut");
        QVERIFY(b.runJob());
        QCOMPARE(b.onDecoder({17, 18, 29}), QList<int>({195, 232, 0x36}));
        b.click("CV29Bit_5");
        QCOMPARE(b.text("CVTxt_1"), QString("3"));
        b.jobs.prog.CvValue[18] = ProgrammingState::Unknown;
        b.click("CV29Bit_5");
        QCOMPARE(b.text("CVTxt_1"), QString("-"));
    }

    // Rows stay sorted by CV, and a row added for a CV already there
    // replaces it. Only checked rows are read and written, and nothing with
    // a value above 255. A typed value ends with another cell; a bit cell
    // changes the value, but not an unknown one.
    void tableRows() {
        Bench b;
        for (const int cv : {49, 3, 67})
            b.addRow(cv, "alt");
        b.addRow(49, "neu");
        QCOMPARE(b.column(CvTable::CvColumn) + ' ' + b.column(CvTable::TextColumn),
                 QString("3 49 67 alt neu alt"));
        b.click("DecRdUserList");
        QVERIFY(!b.jobs.running());
        b.clickCell(0, CvTable::OpColumn);
        b.clickCell(2, CvTable::OpColumn);
        b.click("DecRdUserList");
        QVERIFY(b.runJob());
        QCOMPARE(b.column(CvTable::ValueColumn), QString("5 - 8"));
        b.clickCell(1, CvTable::FirstBitColumn + 3);
        QCOMPARE(b.bits(1) + ' ' + b.bits(2), QString("-------- 00001000"));
        b.clickCell(0, CvTable::ValueColumn, "00");
        b.click("DecWrUserList");
        QVERIFY(!b.jobs.running());
        QCOMPARE(b.rig.messages.titles, QStringList{"Fehler"});
        b.clickCell(0, CvTable::ValueColumn);
        b.key(Qt::Key_Backspace, 3);
        QTest::keyClicks(b.grid(), "12");
        b.clickCell(2, CvTable::LastBitColumn);
        QCOMPARE(b.column(CvTable::ValueColumn), QString("12 - 9"));
        b.click("DecWrUserList");
        QVERIFY(b.runJob());
        QCOMPARE(b.onDecoder({3, 67, 49}), QList<int>({12, 9, 0}));
    }

    // The menus load and save, and a value typed but not written is not
    // saved; while a job runs "Datei" and "Optionen" cannot change what it
    // writes.
    void filesThroughTheMenus() {
        Bench b;
        QTemporaryDir files;
        const QString cvFile = files.filePath("Lok.CV");
        writeFile(files.filePath("Lok.LST"), "LST-Datei\r\nLok\r\n29 Konfiguration\r\n");
        writeFile(cvFile, "\"CV-Datei\"\r\n\"Lok.LST\"\r\n1,7\r\n8,145\r\n29,6\r\n");
        b.answers = {cvFile};
        b.menu("LadenMenu");
        QCOMPARE(b.text("CVTxt_1") + ' ' + b.text("CV8Lbl") + ' ' + b.column(CvTable::CvColumn) +
                     '=' + b.column(CvTable::ValueColumn),
                 QString("7 Gantrex 29=6"));
        b.click("DecWrCVBut");
        const auto menus = [&b] {
            return b.find<QMenu>("DateiMenu")->menuAction()->isEnabled() &&
                   b.find<QMenu>("OptionenMenu")->menuAction()->isEnabled();
        };
        QVERIFY(!menus());
        QVERIFY(b.runJob());
        QVERIFY(menus());
        b.type("CVTxt_1", "4");
        b.menu("SpeichernMenu");
        QCOMPARE(b.asked.size(), 1);
        QFile saved(cvFile);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.readAll().endsWith("\"\r\n1,7\r\n8,145\r\n29,6\r\n"));

        b.menu("NeuDecMenu");
        QVERIFY(b.text("CVTxt_1") == "-" && b.cvListe()->count() == 0);
    }
};

QTEST_MAIN(DccProgTest)
#include "tst_dccprog.moc"
