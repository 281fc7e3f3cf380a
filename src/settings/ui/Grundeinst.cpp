#include "Grundeinst.h"

#include "widgets/FieldProblem.h"
#include "widgets/FieldText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int TimeLength = 4;
constexpr int PacketsLength = 3;

QComboBox* addChoiceFrame(QWidget* parent, QVBoxLayout* layout, const QString& title,
                          const QString& name, const QStringList& entries) {
    auto* frame = new QGroupBox(title, parent);
    auto* combo = new QComboBox(frame);
    combo->setObjectName(name);
    combo->setAccessibleName(title);
    combo->addItems(entries);
    combo->setCurrentIndex(-1);
    (new QVBoxLayout(frame))->addWidget(combo);
    layout->addWidget(frame);
    return combo;
}

Qt::CheckState checkStateOf(basic::Check check) {
    switch (check) {
    case basic::Check::On:
        return Qt::Checked;
    case basic::Check::Off:
        return Qt::Unchecked;
    case basic::Check::Unknown:
        break;
    }
    return Qt::PartiallyChecked;
}

basic::Check checkOf(Qt::CheckState state) {
    switch (state) {
    case Qt::Checked:
        return basic::Check::On;
    case Qt::Unchecked:
        return basic::Check::Off;
    case Qt::PartiallyChecked:
        break;
    }
    return basic::Check::Unknown;
}
} // namespace

Grundeinst::Grundeinst(SettingsJobs& jobs, QWidget* parent) : SettingsWindow(parent), m_jobs(jobs) {
    setObjectName(QStringLiteral("Grundeinst"));
    setWindowTitle(QStringLiteral("Grundeinstellungen"));
    auto* layout = new QVBoxLayout(this);

    m_locoFormat = addChoiceFrame(
        this, layout, QStringLiteral("Lokdatenformat"), QStringLiteral("LokdatenfCO"),
        {QStringLiteral("Motorola alt"), QStringLiteral("Motorola neu"), QStringLiteral("DCC 14"),
         QStringLiteral("DCC 28"), QStringLiteral("DCC 128")});
    m_accessoryFormat = addChoiceFrame(this, layout, QStringLiteral("Magnetartikeldatenformat"),
                                       QStringLiteral("MagdatenfCO"),
                                       {QStringLiteral("Motorola"), QStringLiteral("DCC")});

    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    m_switchTimes[0] =
        addNumberField(grid, QStringLiteral("min. Einschaltzeit Magnetartikel (ms):"),
                       QStringLiteral("MagZeitTxt_0"), TimeLength);
    m_switchTimes[1] =
        addNumberField(grid, QStringLiteral("max. Einschaltzeit Magnetartikel (ms):"),
                       QStringLiteral("MagZeitTxt_1"), TimeLength);
    m_packets =
        addNumberField(grid, QStringLiteral("DCC: Anzahl der gesendeten Mag.-Pakete pro Befehl:"),
                       QStringLiteral("MagPakTxt"), PacketsLength);

    m_stopAtStart = new QCheckBox(
        QStringLiteral("Beim Einschalten Gerät im den Zustand \"STOP\" versetzen"), this);
    m_stopAtStart->setObjectName(QStringLiteral("StopModeChk"));
    // Once the user has ticked or cleared it, the box knows its state.
    connect(m_stopAtStart, &QCheckBox::clicked, this,
            [this] { m_stopAtStart->setTristate(false); });
    layout->addWidget(m_stopAtStart);

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    m_apply = new QPushButton(QStringLiteral("Einstellungen übernehmen"), this);
    m_apply->setObjectName(QStringLiteral("SetModesBut"));
    connect(m_apply, &QPushButton::clicked, this, &Grundeinst::apply);
    auto* cancel = new QPushButton(QStringLiteral("abbrechen"), this);
    cancel->setObjectName(QStringLiteral("AbbruchBut"));
    connect(cancel, &QPushButton::clicked, this, &Grundeinst::reject);
    for (QPushButton* button : {m_apply, cancel}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addWidget(newStatusLine(this));

    m_jobs.OnOptionsRead = [this](const SpecialOptions& options) { showOptions(options); };
    checkFields();
}

Grundeinst::~Grundeinst() {
    m_jobs.OnOptionsRead = nullptr;
}

QLineEdit* Grundeinst::addNumberField(QGridLayout* grid, const QString& label, const QString& name,
                                      int typedLength) {
    auto* labelWidget = new QLabel(label, this);
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setMaxLength(typedLength);
    labelWidget->setBuddy(field);
    const int row = grid->rowCount();
    grid->addWidget(labelWidget, row, 0);
    grid->addWidget(field, row, 1);
    connect(field, &QLineEdit::textChanged, this, &Grundeinst::checkFields);
    return field;
}

void Grundeinst::activated() {
    m_jobs.readOptions(basic::optionNumbers());
}

void Grundeinst::showOptions(const SpecialOptions& options) {
    basic::Values values{};
    for (int i = 0; i < basic::Count; ++i)
        values[i] = options[i].value;
    m_asRead = values;
    const basic::Fields shown = basic::fieldsOf(values);
    m_locoFormat->setCurrentIndex(shown.locoFormat);
    m_accessoryFormat->setCurrentIndex(shown.accessoryFormat);
    for (int i = 0; i < 2; ++i)
        showFieldText(m_switchTimes[i], shown.switchTimes[i], TimeLength);
    showFieldText(m_packets, shown.packets, PacketsLength);
    m_stopAtStart->setTristate(shown.stopAtStart == basic::Check::Unknown);
    m_stopAtStart->setCheckState(checkStateOf(shown.stopAtStart));
    checkFields();
}

basic::Fields Grundeinst::fields() const {
    basic::Fields f;
    f.locoFormat = m_locoFormat->currentIndex();
    f.accessoryFormat = m_accessoryFormat->currentIndex();
    for (int i = 0; i < 2; ++i)
        f.switchTimes[i] = m_switchTimes[i]->text();
    f.packets = m_packets->text();
    f.stopAtStart = checkOf(m_stopAtStart->checkState());
    return f;
}

void Grundeinst::checkFields() {
    if (const auto clamped = basic::clampedPackets(m_packets->text())) {
        m_packets->setText(*clamped); // comes back here with the clamped text
        return;
    }
    for (QLineEdit* field : m_switchTimes)
        showFieldRange(field, basic::readSwitchTime(field->text()).isWrong(),
                       QStringLiteral("Zeit in ms"), 0, basic::MaxSwitchTimeMs);
    showFieldRange(m_packets, basic::readPackets(m_packets->text()).isWrong(),
                   QStringLiteral("Anzahl"), 0, basic::MaxPackets);
    m_apply->setEnabled(m_asRead.has_value() && basic::valuesOf(fields(), *m_asRead).has_value());
}

void Grundeinst::apply() {
    const std::optional<basic::Values> values = basic::valuesOf(fields(), *m_asRead);
    const std::vector<int> numbers = basic::optionNumbers();
    SpecialOptions options;
    for (int i = 0; i < basic::Count; ++i)
        options.push_back({numbers[i], (*values)[i]});
    m_jobs.writeOptions(options);
    hide();
}
