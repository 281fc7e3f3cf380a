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

constexpr int MaxCvField = 1023;
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
        CVTxt[i] = numberField(QStringLiteral("CVTxt_%1").arg(i), box);
        grid->addWidget(labelFor(QString::fromUtf8(captions[i]), CVTxt[i], box), i - 1, 0);
        grid->addWidget(CVTxt[i], i - 1, 1);
        connect(CVTxt[i], &QLineEdit::textChanged, this, &DCCProg::checkFields);
    }
    CV7Lbl = new QLabel(box);
    CV7Lbl->setObjectName(QStringLiteral("CV7Lbl"));
    grid->addWidget(new QLabel(QStringLiteral("Software-Version:"), box), 6, 0);
    grid->addWidget(CV7Lbl, 6, 1);
    CV8Lbl = new QLabel(QStringLiteral("Hersteller"), box);
    CV8Lbl->setObjectName(QStringLiteral("CV8Lbl"));
    grid->addWidget(new QLabel(QStringLiteral("Hersteller:"), box), 7, 0);
    grid->addWidget(CV8Lbl, 7, 1, 1, 2);

    auto* config = new QGroupBox(QStringLiteral("DCC Konfiguration (CV29):"), box);
    auto* bits = new QVBoxLayout(config);
    for (int i = 0; i < 8; ++i) {
        CV29Bit[i] = new QCheckBox(QString::fromUtf8(CV29Captions[i]), config);
        CV29Bit[i]->setObjectName(QStringLiteral("CV29Bit_%1").arg(i));
        bits->addWidget(CV29Bit[i]);
    }
    connect(CV29Bit[StandardFields::LongAddressBit], &QCheckBox::clicked, this,
            &DCCProg::showAddressForm);
    grid->addWidget(config, 0, 2, 7, 1);

    DecRdCVBut = button("DecRdCVBut", QStringLiteral("Decoder auslesen"), box);
    DecWrCVBut = button("DecWrCVBut", QStringLiteral("Decoder pogrammieren"), box);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DecRdCVBut);
    buttons->addWidget(DecWrCVBut);
    grid->addLayout(buttons, 8, 0, 1, 3);
    connect(DecRdCVBut, &QPushButton::clicked, this, &DCCProg::readStandard);
    connect(DecWrCVBut, &QPushButton::clicked, this, &DCCProg::writeStandard);
    return box;
}

QWidget* DCCProg::buildSingleBox() {
    auto* box = new QGroupBox(QStringLiteral("einzelne CV's programmiern:"), this);
    auto* grid = new QGridLayout(box);
    CVAdrTxt = numberField(QStringLiteral("CVAdrTxt"), box);
    CVValTxt = numberField(QStringLiteral("CVValTxt"), box);
    grid->addWidget(labelFor(QStringLiteral("CV:"), CVAdrTxt, box), 0, 0);
    grid->addWidget(CVAdrTxt, 0, 1);
    grid->addWidget(labelFor(QStringLiteral("Wert:"), CVValTxt, box), 0, 2);
    grid->addWidget(CVValTxt, 0, 3);
    RDCVBut = button("RDCVBut", QStringLiteral("Lesen "), box);
    WRCVBut = button("WRCVBut", QStringLiteral("Schreiben"), box);
    grid->addWidget(RDCVBut, 0, 4);
    grid->addWidget(WRCVBut, 0, 5);
    grid->addWidget(new QLabel(QStringLiteral("Bits:"), box), 1, 0);
    auto* bits = new QHBoxLayout;
    for (int i = 7; i >= 0; --i) {
        CVBit[i] = new QCheckBox(QStringLiteral("Bit%1").arg(i), box);
        CVBit[i]->setObjectName(QStringLiteral("CVBit_%1").arg(i));
        bits->addWidget(CVBit[i]);
        connect(CVBit[i], &QCheckBox::toggled, this, &DCCProg::bitsToValue);
    }
    grid->addLayout(bits, 1, 1, 1, 5);
    connect(CVAdrTxt, &QLineEdit::textChanged, this, &DCCProg::checkFields);
    connect(CVValTxt, &QLineEdit::textChanged, this, [this] {
        checkFields();
        valueToBits();
    });
    connect(RDCVBut, &QPushButton::clicked, this, &DCCProg::readSingle);
    connect(WRCVBut, &QPushButton::clicked, this, &DCCProg::writeSingle);
    return box;
}

QWidget* DCCProg::buildTableBox() {
    auto* box = new QGroupBox(QStringLiteral("Decoder spez. CV's programmiern:"), this);
    auto* layout = new QVBoxLayout(box);
    TabNameTxt = new QLabel(m_table.name(), box);
    TabNameTxt->setObjectName(QStringLiteral("TabNameTxt"));
    TabNameTxt->setFixedWidth(467);
    TabNameTxt->setFrameShape(QFrame::Panel);
    TabNameTxt->setFrameShadow(QFrame::Sunken);
    connect(&m_table, &CvTable::nameChanged, TabNameTxt, &QLabel::setText);
    Tabelle = new CvTableGrid(m_table, box);
    Tabelle->setAccessibleName(QStringLiteral("CV-Tabelle"));
    connect(Tabelle, &CvTableGrid::insertRowRequested, this, &DCCProg::insertRow);
    DecRdUserList = button("DecRdUserList", QStringLiteral("Decoder lesen"), box);
    DecWrUserList = button("DecWrUserList", QStringLiteral("Decoder pogrammieren"), box);
    connect(DecRdUserList, &QPushButton::clicked, this, &DCCProg::readTable);
    connect(DecWrUserList, &QPushButton::clicked, this, &DCCProg::writeTable);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(DecRdUserList);
    buttons->addWidget(DecWrUserList);
    layout->addWidget(TabNameTxt);
    layout->addWidget(Tabelle, 1);
    layout->addLayout(buttons);
    return box;
}

QWidget* DCCProg::buildListBox() {
    auto* panel = new QWidget(this);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    CVListe = new QListWidget(panel);
    CVListe->setObjectName(QStringLiteral("CVListe"));
    // Lists and tables do not take their name from a label.
    CVListe->setAccessibleName(QStringLiteral("CV-Liste"));
    CVListe->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    CVListe->setMinimumWidth(CVListe->fontMetrics().horizontalAdvance(cvListLine(1024, 255)) + 40);
    connect(CVListe, &QListWidget::currentItemChanged, this, &DCCProg::cvListeEntryChosen);
    connect(CVListe, &QListWidget::itemClicked, this, &DCCProg::cvListeEntryChosen);
    DCCProgStat = new QLabel(panel);
    DCCProgStat->setObjectName(QStringLiteral("DCCProgStat"));
    DCCProgStat->setFrameShape(QFrame::Panel);
    DCCProgStat->setFrameShadow(QFrame::Sunken);
    Cancel = button("Cancel", QStringLiteral("Abbruch"), panel);
    connect(Cancel, &QPushButton::clicked, this, [this] { m_jobs.cancel(); });
    layout->addWidget(labelFor(QStringLiteral("CV-Liste:"), CVListe, panel));
    layout->addWidget(CVListe, 1);
    layout->addWidget(new QLabel(QStringLiteral("Status:"), panel));
    layout->addWidget(DCCProgStat);
    layout->addWidget(Cancel);
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
            &QAction::triggered, this, [this] { m_table.ClrRow(Tabelle->currentRow()); });
    connect(item(options, "TabLoeschMenu", QStringLiteral("Tabelle löschen")), &QAction::triggered,
            &m_table, &CvTable::clear);

    QMenu* help = bar->addMenu(QStringLiteral("&?"));
    help->setObjectName(QStringLiteral("HilfeMenu"));
    connect(item(help, "HilfeMenuItem", QStringLiteral("Hilfe")), &QAction::triggered, this,
            &DCCProg::helpRequested);
    return bar;
}

void DCCProg::ShowProgStatus(const QString& text) {
    DCCProgStat->setText(text);
}

void DCCProg::ShowSingleCvValue(const QString& text) {
    CVValTxt->setText(text);
}

void DCCProg::ShowStandardCvs() {
    const StandardFields fields = StandardFields::of(m_jobs.prog);
    for (int i = 1; i <= 6; ++i)
        CVTxt[i]->setText(fields.CVTxt[i]);
    CV7Lbl->setText(fields.version);
    CV8Lbl->setText(m_makers.name(m_jobs.prog.CvValue[8]));
    for (int i = 0; i < 8; ++i)
        CV29Bit[i]->setChecked(fields.CV29Bit[i]);
    checkFields();
}

void DCCProg::RefreshCvList() {
    fillCvListe();
    m_table.showValues(m_jobs.prog);
}

void DCCProg::fillCvListe() {
    CVListe->clear();
    for (int cv = 1; cv <= ProgrammingState::MaxCv; ++cv) {
        const int value = m_jobs.prog.CvValue[cv];
        if (value == ProgrammingState::Unknown)
            continue;
        auto* line = new QListWidgetItem(cvListLine(cv, value), CVListe);
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
    const int addressMax = CV29Bit[StandardFields::LongAddressBit]->isChecked()
                               ? StandardFields::MaxLongAddress
                               : StandardFields::MaxShortAddress;
    const auto check = [](QLineEdit* field, const char* what, int max) {
        const bool acceptable = cvtext::acceptable(field->text(), max);
        showFieldRange(field, !acceptable, QString::fromUtf8(what), 0, max);
        return acceptable;
    };
    // Every field is painted; the buttons wait until all are acceptable.
    bool all = check(CVTxt[1], "Adresse", addressMax);
    for (int i = 2; i <= 6; ++i)
        all = check(CVTxt[i], "Wert", MaxValueField) && all;
    all = check(CVAdrTxt, "CV", MaxCvField) && all;
    all = check(CVValTxt, "Wert", MaxValueField) && all;
    m_fieldsAcceptable = all;
    updateButtons();
}

void DCCProg::updateButtons() {
    const bool ready = m_idle && m_fieldsAcceptable;
    // A single CV needs a CV number; writing needs a value, not "-".
    const bool cv = cvtext::holdsNumber(CVAdrTxt->text()) &&
                    ProgrammingState::isCv(cvtext::fieldNumber(CVAdrTxt->text()));
    DecRdCVBut->setEnabled(ready);
    DecWrCVBut->setEnabled(ready);
    RDCVBut->setEnabled(ready && cv);
    WRCVBut->setEnabled(ready && cv && cvtext::holdsNumber(CVValTxt->text()));
    DecRdUserList->setEnabled(m_idle);
    DecWrUserList->setEnabled(m_idle);
    Cancel->setEnabled(!m_idle);
}

void DCCProg::valueToBits() {
    if (m_bitsWriting)
        return;
    m_valueWriting = true;
    const int value = cvtext::fieldNumber(CVValTxt->text());
    for (int i = 0; i < 8; ++i)
        CVBit[i]->setChecked((value >> i) & 1);
    m_valueWriting = false;
}

void DCCProg::bitsToValue() {
    if (m_valueWriting)
        return;
    m_bitsWriting = true;
    int value = 0;
    for (int i = 0; i < 8; ++i)
        value |= CVBit[i]->isChecked() ? 1 << i : 0;
    CVValTxt->setText(QString::number(value));
    m_bitsWriting = false;
}

void DCCProg::showAddressForm() {
    CVTxt[1]->setText(StandardFields::addressText(
        m_jobs.prog, CV29Bit[StandardFields::LongAddressBit]->isChecked()));
    checkFields();
}

void DCCProg::cvListeEntryChosen(QListWidgetItem* item) {
    if (!item)
        return;
    const int cv = item->data(Qt::UserRole).toInt();
    CVAdrTxt->setText(QString::number(cv));
    CVValTxt->setText(cvtext::FormatCvValue(m_jobs.prog.value(cv)));
}

void DCCProg::readStandard() {
    m_jobs.startListJob(ProgrammingState::StandardList, false);
}

void DCCProg::writeStandard() {
    if (m_jobs.running())
        return;
    StandardFields fields;
    for (int i = 1; i <= 6; ++i)
        fields.CVTxt[i] = CVTxt[i]->text();
    for (int i = 0; i < 8; ++i)
        fields.CV29Bit[i] = CV29Bit[i]->isChecked();
    fields.copyTo(m_jobs.prog);
    m_jobs.startListJob(ProgrammingState::StandardList, true);
    RefreshCvList();
}

void DCCProg::readSingle() {
    m_jobs.startSingleRead(cvtext::fieldNumber(CVAdrTxt->text()));
}

void DCCProg::writeSingle() {
    m_jobs.startSingleWrite(cvtext::fieldNumber(CVAdrTxt->text()),
                            cvtext::fieldNumber(CVValTxt->text()));
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
