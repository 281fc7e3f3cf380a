#include "DCCProg.h"

#include "CvTableGrid.h"
#include "DCCProgSpeed.h"
#include "NeueCVZeile.h"
#include "link/LinkView.h"
#include "programming/CvText.h"
#include "programming/ProgrammingJobs.h"
#include "programming/StandardCvs.h"
#include "widgets/FieldProblem.h"

#include <QCheckBox>
#include <QDir>
#include <QEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int MaxValueField = 255;

QPushButton* button(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}

QLineEdit* numberField(const QString& name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setFixedWidth(60);
    field->setAlignment(Qt::AlignRight);
    return field;
}

QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

QAction* item(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    return action;
}

const char* const CV29Captions[8] = {"Bit0: Fahrtrichtung ändern",
                                     "Bit1: 28 Fahrstufen",
                                     "Bit2: automatische Analogerkennung",
                                     "Bit3: Rail-Com eingeschaltet (falls vorhanden)",
                                     "Bit4: Fahrstufentabelle aktiv",
                                     "Bit5: lange Adresse aktiv",
                                     "Bit6: nicht benutzt",
                                     "Bit7: nicht benutzt"};

} // namespace

DCCProg::DCCProg(LinkView& messages, ProgrammingJobs& jobs, QString confFolder, QWidget* parent)
    : QWidget(parent), m_messages(messages), m_jobs(jobs), m_confFolder(std::move(confFolder)),
      m_document(jobs.prog, m_table, messages),
      m_chooseFile([this](const FileRequest& request) { return chooseFile(this, request); }) {
    setObjectName(QStringLiteral("DCCProg"));
    setWindowTitle(m_document.caption());

    auto* left = new QVBoxLayout;
    left->addWidget(buildStandardBox());
    left->addWidget(buildSingleBox());
    left->addStretch();
    auto* layout = new QGridLayout(this);
    layout->setMenuBar(buildMenus());
    layout->addLayout(left, 0, 0);
    layout->addWidget(buildTableBox(), 0, 1);
    layout->addWidget(buildListBox(), 0, 2);
    layout->addWidget(newStatusLine(this), 1, 0, 1, 3);

    m_rowDialog = new NeueCVZeile(this);
    connect(m_rowDialog, &QDialog::finished, this, &DCCProg::rowDialogFinished);
    m_jobs.setView(this);
    checkFields();
}

DCCProg::~DCCProg() {
    m_jobs.setView(nullptr);
}

QWidget* DCCProg::buildStandardBox() {
    auto* box = new QGroupBox(QStringLiteral("Standard CV's programmieren:"), this);
    auto* grid = new QGridLayout(box);
    const char* const captions[7] = {nullptr,
                                     "Lokadresse:",
                                     "min. Geschwindigkeit",
                                     "Anfahrverzögerung:",
                                     "Bremsverzögerung:",
                                     "max. Geschwindigkeit",
                                     "mittlere Geschw."};
    for (int i = 1; i <= 6; ++i) {
        m_standardFields[i] = numberField(QStringLiteral("CVTxt_%1").arg(i), box);
        grid->addWidget(labelFor(QString::fromUtf8(captions[i]), m_standardFields[i], box), i - 1,
                        0);
        grid->addWidget(m_standardFields[i], i - 1, 1);
        connect(m_standardFields[i], &QLineEdit::textChanged, this, &DCCProg::checkFields);
    }
    m_versionLabel = new QLabel(box);
    m_versionLabel->setObjectName(QStringLiteral("CV7Lbl"));
    grid->addWidget(new QLabel(QStringLiteral("Software-Version:"), box), 6, 0);
    grid->addWidget(m_versionLabel, 6, 1);
    m_makerLabel = new QLabel(QStringLiteral("Hersteller"), box);
    m_makerLabel->setObjectName(QStringLiteral("CV8Lbl"));
    grid->addWidget(new QLabel(QStringLiteral("Hersteller:"), box), 7, 0);
    grid->addWidget(m_makerLabel, 7, 1, 1, 2);

    auto* config = new QGroupBox(QStringLiteral("DCC Konfiguration (CV29):"), box);
    auto* bits = new QVBoxLayout(config);
    for (int i = 0; i < 8; ++i) {
        m_configBits[i] = new QCheckBox(QString::fromUtf8(CV29Captions[i]), config);
        m_configBits[i]->setObjectName(QStringLiteral("CV29Bit_%1").arg(i));
        bits->addWidget(m_configBits[i]);
    }
    connect(m_configBits[StandardFields::LongAddressBit], &QCheckBox::clicked, this,
            &DCCProg::showAddressForm);
    grid->addWidget(config, 0, 2, 7, 1);

    m_readStandardButton = button("DecRdCVBut", QStringLiteral("Decoder auslesen"), box);
    m_writeStandardButton = button("DecWrCVBut", QStringLiteral("Decoder pogrammieren"), box);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_readStandardButton);
    buttons->addWidget(m_writeStandardButton);
    grid->addLayout(buttons, 8, 0, 1, 3);
    connect(m_readStandardButton, &QPushButton::clicked, this, &DCCProg::readStandard);
    connect(m_writeStandardButton, &QPushButton::clicked, this, &DCCProg::writeStandard);
    return box;
}

QWidget* DCCProg::buildSingleBox() {
    auto* box = new QGroupBox(QStringLiteral("einzelne CV's programmiern:"), this);
    auto* grid = new QGridLayout(box);
    m_cvNumber = numberField(QStringLiteral("CVAdrTxt"), box);
    m_cvValue = numberField(QStringLiteral("CVValTxt"), box);
    grid->addWidget(labelFor(QStringLiteral("CV:"), m_cvNumber, box), 0, 0);
    grid->addWidget(m_cvNumber, 0, 1);
    grid->addWidget(labelFor(QStringLiteral("Wert:"), m_cvValue, box), 0, 2);
    grid->addWidget(m_cvValue, 0, 3);
    m_readCvButton = button("RDCVBut", QStringLiteral("Lesen "), box);
    m_writeCvButton = button("WRCVBut", QStringLiteral("Schreiben"), box);
    grid->addWidget(m_readCvButton, 0, 4);
    grid->addWidget(m_writeCvButton, 0, 5);
    grid->addWidget(new QLabel(QStringLiteral("Bits:"), box), 1, 0);
    auto* bits = new QHBoxLayout;
    for (int i = 7; i >= 0; --i) {
        m_valueBits[i] = new QCheckBox(QStringLiteral("Bit%1").arg(i), box);
        m_valueBits[i]->setObjectName(QStringLiteral("CVBit_%1").arg(i));
        bits->addWidget(m_valueBits[i]);
        connect(m_valueBits[i], &QCheckBox::toggled, this, &DCCProg::bitsToValue);
    }
    grid->addLayout(bits, 1, 1, 1, 5);
    connect(m_cvNumber, &QLineEdit::textChanged, this, &DCCProg::checkFields);
    connect(m_cvValue, &QLineEdit::textChanged, this, [this] {
        checkFields();
        valueToBits();
    });
    connect(m_readCvButton, &QPushButton::clicked, this, &DCCProg::readSingle);
    connect(m_writeCvButton, &QPushButton::clicked, this, &DCCProg::writeSingle);
    return box;
}

QWidget* DCCProg::buildTableBox() {
    auto* box = new QGroupBox(QStringLiteral("Decoder spez. CV's programmiern:"), this);
    auto* layout = new QVBoxLayout(box);
    m_tableName = new QLabel(m_table.name(), box);
    m_tableName->setObjectName(QStringLiteral("TabNameTxt"));
    m_tableName->setFixedWidth(CvTableGrid::Width);
    m_tableName->setFrameShape(QFrame::Panel);
    m_tableName->setFrameShadow(QFrame::Sunken);
    connect(&m_table, &CvTable::nameChanged, m_tableName, &QLabel::setText);
    m_grid = new CvTableGrid(m_table, box);
    m_grid->setAccessibleName(QStringLiteral("CV-Tabelle"));
    connect(m_grid, &CvTableGrid::insertRowRequested, this, &DCCProg::insertRow);
    m_readTableButton = button("DecRdUserList", QStringLiteral("Decoder lesen"), box);
    m_writeTableButton = button("DecWrUserList", QStringLiteral("Decoder pogrammieren"), box);
    connect(m_readTableButton, &QPushButton::clicked, this, &DCCProg::readTable);
    connect(m_writeTableButton, &QPushButton::clicked, this, &DCCProg::writeTable);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_readTableButton);
    buttons->addWidget(m_writeTableButton);
    layout->addWidget(m_tableName);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    return box;
}

QWidget* DCCProg::buildListBox() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    m_cvList = new QListWidget(panel);
    m_cvList->setObjectName(QStringLiteral("CVListe"));
    // Lists and tables do not take their name from a label.
    m_cvList->setAccessibleName(QStringLiteral("CV-Liste"));
    m_cvList->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_cvList->setMinimumWidth(m_cvList->fontMetrics().horizontalAdvance(cvListLine(1024, 255)) +
                              40);
    connect(m_cvList, &QListWidget::currentItemChanged, this, &DCCProg::cvListeEntryChosen);
    connect(m_cvList, &QListWidget::itemClicked, this, &DCCProg::cvListeEntryChosen);
    m_status = new QLabel(panel);
    m_status->setObjectName(QStringLiteral("DCCProgStat"));
    m_status->setFrameShape(QFrame::Panel);
    m_status->setFrameShadow(QFrame::Sunken);
    m_cancel = button("Cancel", QStringLiteral("Abbruch"), panel);
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_jobs.cancel(); });
    layout->addWidget(labelFor(QStringLiteral("CV-Liste:"), m_cvList, panel));
    layout->addWidget(m_cvList, 1);
    layout->addWidget(new QLabel(QStringLiteral("Status:"), panel));
    layout->addWidget(m_status);
    layout->addWidget(m_cancel);
    return panel;
}

QMenuBar* DCCProg::buildMenus() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(QStringLiteral("&Datei"));
    file->setObjectName(QStringLiteral("DateiMenu"));
    m_jobMenus[0] = file;
    connect(item(file, "NeuDecMenu", QStringLiteral("neuer Decoder")), &QAction::triggered, this,
            &DCCProg::NewDecoder);
    file->addSeparator();
    connect(item(file, "LadenMenu", QStringLiteral("Laden")), &QAction::triggered, this,
            &DCCProg::loadCv);
    connect(item(file, "SpeichernMenu", QStringLiteral("Speichern")), &QAction::triggered, this,
            &DCCProg::saveCv);
    connect(item(file, "SpeichernUnterMenu", QStringLiteral("Speichern unter")),
            &QAction::triggered, this, &DCCProg::saveCvAs);
    file->addSeparator();
    connect(item(file, "TabLadenMenu", QStringLiteral("spez. CV-Tabelle laden")),
            &QAction::triggered, this, &DCCProg::loadTable);
    connect(item(file, "TabSpeichernMenu", QStringLiteral("spez. CV_tabelle speichern")),
            &QAction::triggered, this, &DCCProg::saveTable);
    file->addSeparator();
    connect(item(file, "BeendenMenu", QStringLiteral("Beenden")), &QAction::triggered, this,
            &QWidget::close);

    QMenu* options = bar->addMenu(QStringLiteral("&Optionen"));
    options->setObjectName(QStringLiteral("OptionenMenu"));
    m_jobMenus[1] = options;
    connect(item(options, "FahrstufenMenu", QStringLiteral("Fahrstufentabelle")),
            &QAction::triggered, this, &DCCProg::openSpeedWindow);
    options->addSeparator();
    item(options, "CVTabMenu", QStringLiteral("--- CV Tabelle:  ---"))->setEnabled(false);
    connect(item(options, "ZeileEinfMenu", QStringLiteral("Zeile einfügen   (Einfg)")),
            &QAction::triggered, this, &DCCProg::insertRow);
    connect(item(options, "ZeileLoeschMenu", QStringLiteral("Zeile löschen    (Entf)")),
            &QAction::triggered, this, [this] { m_table.ClrRow(m_grid->currentRow()); });
    connect(item(options, "TabLoeschMenu", QStringLiteral("Tabelle löschen")), &QAction::triggered,
            &m_table, &CvTable::clear);

    QMenu* help = bar->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("HilfeMenu"));
    connect(item(help, "HilfeMenuItem", QStringLiteral("Hilfe")), &QAction::triggered, this,
            &DCCProg::helpRequested);
    return bar;
}

void DCCProg::ShowProgStatus(const QString& text) {
    m_status->setText(text);
}

void DCCProg::ShowSingleCvValue(const QString& text) {
    m_cvValue->setText(text);
}

void DCCProg::ShowStandardCvs() {
    const StandardFields fields = StandardFields::of(m_jobs.prog);
    for (int i = 1; i <= 6; ++i)
        m_standardFields[i]->setText(fields.CVTxt[i]);
    m_versionLabel->setText(fields.version);
    m_makerLabel->setText(m_makers.name(m_jobs.prog.CvValue[8]));
    for (int i = 0; i < 8; ++i)
        m_configBits[i]->setChecked(fields.CV29Bit[i]);
    checkFields();
}

void DCCProg::RefreshCvList() {
    fillCvListe();
    m_table.showValues(m_jobs.prog);
}

void DCCProg::fillCvListe() {
    m_cvList->clear();
    for (int cv = 1; cv <= ProgrammingState::MaxCv; ++cv) {
        const int value = m_jobs.prog.CvValue[cv];
        if (value == ProgrammingState::Unknown)
            continue;
        auto* line = new QListWidgetItem(cvListLine(cv, value), m_cvList);
        line->setData(Qt::UserRole, cv);
    }
}

void DCCProg::ShowSpeedTable() {
    if (m_speed)
        m_speed->ShowSpeedTable();
}

// While a job runs, the files and the table it works from stay as they are:
// a job writes what was there when it started, and nothing else.
void DCCProg::SetProgIdle(bool idle) {
    m_idle = idle;
    for (QMenu* menu : m_jobMenus)
        menu->menuAction()->setEnabled(idle);
    updateButtons();
    if (m_speed)
        m_speed->SetProgIdle(idle);
}

void DCCProg::NewDecoder() {
    if (!m_makers.loaded())
        m_makers.load(QDir(m_confFolder).filePath(QStringLiteral("Hersteller.dat")));
    m_document.CvFileName.clear();
    m_jobs.prog.forgetValues();
    ShowStandardCvs();
    RefreshCvList();
    showCaption();
}

void DCCProg::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (DccWindowFresh)
        NewDecoder();
    DccWindowFresh = false;
    RefreshCvList();
    ShowStandardCvs();
    m_bitsWriting = false;
    m_valueWriting = false;
    SetProgIdle(!m_jobs.running());
}

// Coming back from another window shows what changed meanwhile (the
// speed-step curve, for one) without touching what is typed in the fields.
void DCCProg::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !DccWindowFresh)
        fillCvListe();
}

void DCCProg::checkFields() {
    const int addressMax = m_configBits[StandardFields::LongAddressBit]->isChecked()
                               ? StandardFields::MaxLongAddress
                               : StandardFields::MaxShortAddress;
    const auto check = [](QLineEdit* field, const char* what, int max) {
        const bool acceptable = cvtext::acceptable(field->text(), max);
        showFieldRange(field, !acceptable, QString::fromUtf8(what), 0, max);
        return acceptable;
    };
    // Every field is painted; the buttons wait until all are acceptable.
    bool all = check(m_standardFields[1], "Adresse", addressMax);
    for (int i = 2; i <= 6; ++i)
        all = check(m_standardFields[i], "Wert", MaxValueField) && all;
    all = check(m_cvNumber, "CV", cvtext::MaxFieldCv) && all;
    all = check(m_cvValue, "Wert", MaxValueField) && all;
    m_fieldsAcceptable = all;
    updateButtons();
}

void DCCProg::updateButtons() {
    const bool ready = m_idle && m_fieldsAcceptable;
    // A single CV needs a CV number; writing needs a value, not "-".
    const bool cv = cvtext::holdsNumber(m_cvNumber->text()) &&
                    ProgrammingState::isCv(cvtext::fieldNumber(m_cvNumber->text()));
    m_readStandardButton->setEnabled(ready);
    m_writeStandardButton->setEnabled(ready);
    m_readCvButton->setEnabled(ready && cv);
    m_writeCvButton->setEnabled(ready && cv && cvtext::holdsNumber(m_cvValue->text()));
    m_readTableButton->setEnabled(m_idle);
    m_writeTableButton->setEnabled(m_idle);
    m_cancel->setEnabled(!m_idle);
}

void DCCProg::valueToBits() {
    if (m_bitsWriting)
        return;
    m_valueWriting = true;
    const int value = cvtext::fieldNumber(m_cvValue->text());
    for (int i = 0; i < 8; ++i)
        m_valueBits[i]->setChecked((value >> i) & 1);
    m_valueWriting = false;
}

void DCCProg::bitsToValue() {
    if (m_valueWriting)
        return;
    m_bitsWriting = true;
    int value = 0;
    for (int i = 0; i < 8; ++i)
        value |= m_valueBits[i]->isChecked() ? 1 << i : 0;
    m_cvValue->setText(QString::number(value));
    m_bitsWriting = false;
}

void DCCProg::showAddressForm() {
    m_standardFields[1]->setText(StandardFields::addressText(
        m_jobs.prog, m_configBits[StandardFields::LongAddressBit]->isChecked()));
    checkFields();
}

void DCCProg::cvListeEntryChosen(QListWidgetItem* item) {
    if (!item)
        return;
    const int cv = item->data(Qt::UserRole).toInt();
    m_cvNumber->setText(QString::number(cv));
    m_cvValue->setText(cvtext::FormatCvValue(m_jobs.prog.value(cv)));
}

void DCCProg::readStandard() {
    m_jobs.startListJob(ProgrammingState::StandardList, false);
}

void DCCProg::writeStandard() {
    if (m_jobs.running())
        return;
    StandardFields fields;
    for (int i = 1; i <= 6; ++i)
        fields.CVTxt[i] = m_standardFields[i]->text();
    for (int i = 0; i < 8; ++i)
        fields.CV29Bit[i] = m_configBits[i]->isChecked();
    fields.copyTo(m_jobs.prog);
    m_jobs.startListJob(ProgrammingState::StandardList, true);
    RefreshCvList();
}

void DCCProg::readSingle() {
    m_jobs.startSingleRead(cvtext::fieldNumber(m_cvNumber->text()));
}

void DCCProg::writeSingle() {
    m_jobs.startSingleWrite(cvtext::fieldNumber(m_cvNumber->text()),
                            cvtext::fieldNumber(m_cvValue->text()));
}

bool DCCProg::takeCheckedRows() {
    m_table.endEdit();
    const std::vector<int> cvs = m_table.checkedCvs();
    if (cvs.empty() || m_jobs.running())
        return false;
    m_jobs.prog.CvList[ProgrammingState::TableList] = cvs;
    return true;
}

void DCCProg::readTable() {
    if (takeCheckedRows())
        m_jobs.startListJob(ProgrammingState::TableList, false);
}

void DCCProg::writeTable() {
    if (!takeCheckedRows())
        return;
    if (const std::optional<int> row = m_table.firstTooLargeCheckedRow()) {
        m_messages.ShowMessage(QStringLiteral("CV %1 hat den Wert %2. Ein CV kann nur Werte von 0 "
                                              "bis 255 aufnehmen; es wurde nichts programmiert.")
                                   .arg(m_table.text(*row, CvTable::CvColumn),
                                        m_table.text(*row, CvTable::ValueColumn)),
                               QStringLiteral("Fehler"), MessageIcon::Critical);
        return;
    }
    m_table.copyCheckedValues(m_jobs.prog);
    m_jobs.startListJob(ProgrammingState::TableList, true);
}

void DCCProg::insertRow() {
    m_rowDialog->openFor(m_table.name());
}

void DCCProg::rowDialogFinished(int result) {
    if (result != QDialog::Accepted)
        return;
    m_table.setName(m_rowDialog->tableName());
    if (const int cv = m_rowDialog->cv())
        m_table.NewRow(cv, m_rowDialog->explanation());
}

void DCCProg::loadCv() {
    const QString path = m_chooseFile({FileRequest::Open, QStringLiteral("Datei mit CV's laden"),
                                       QStringLiteral("CV-Dateien|*.CV"), QString()});
    if (path.isEmpty()) {
        m_document.CvFileName.clear();
    } else if (m_document.loadCv(path)) {
        RefreshCvList();
        ShowStandardCvs();
    }
    showCaption();
}

void DCCProg::saveCv() {
    if (m_document.CvFileName.isEmpty())
        saveCvAs();
    else
        m_document.saveCv(m_document.CvFileName);
}

void DCCProg::saveCvAs() {
    const QString path =
        m_chooseFile({FileRequest::Save, QStringLiteral("Datei mit CV's speichern unter"),
                      QStringLiteral("CV-Dateien|*.CV"), m_document.CvFileName});
    if (path.isEmpty())
        m_document.CvFileName.clear();
    else
        m_document.saveCv(path);
    showCaption();
}

void DCCProg::loadTable() {
    const QString path =
        m_chooseFile({FileRequest::Open, QStringLiteral("Datei mit CV-Liste laden"),
                      QStringLiteral("Listendateien|*.LST"), QString()});
    if (!path.isEmpty() && m_document.loadTable(path))
        m_table.showValues(m_jobs.prog);
}

void DCCProg::saveTable() {
    const QString path =
        m_chooseFile({FileRequest::Save, QStringLiteral("Datei mit CV-Liste speichern unter"),
                      QStringLiteral("Listendateien|*.LST"), m_document.suggestedTableFile()});
    if (!path.isEmpty())
        m_document.saveTable(path);
}

void DCCProg::showCaption() {
    setWindowTitle(m_document.caption());
}

void DCCProg::openSpeedWindow() {
    if (!m_jobs.running())
        SetProgIdle(true);
    if (!m_speed) {
        m_speed = new DCCProgSpeed(m_jobs, m_messages, this);
        m_speed->setWindowFlags(m_speed->windowFlags() | Qt::Window);
        connect(m_speed, &DCCProgSpeed::curveChanged, this, &DCCProg::fillCvListe);
    }
    m_speed->show();
    m_speed->raise();
    m_speed->activateWindow();
}
