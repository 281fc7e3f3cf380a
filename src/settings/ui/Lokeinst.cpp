#include "Lokeinst.h"

#include "settings/LocoFormatChoice.h"
#include "settings/NumberField.h"
#include "settings/SettingsJobs.h"
#include "widgets/FieldProblem.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
constexpr int TypedLength = 4;

FieldValue readAddress(const QLineEdit* field) {
    return readField(field->text(), settings::MaxLocoAddress);
}
} // namespace

Lokeinst::Lokeinst(SettingsJobs& jobs, QWidget* parent) : SettingsWindow(parent), m_jobs(jobs) {
    setObjectName(QStringLiteral("Lokeinst"));
    setWindowTitle(QStringLiteral("Lokdatenformat einzeln"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);

    auto* addressLabel = new QLabel(QStringLiteral("Lokadresse:"), this);
    m_address = new QLineEdit(QStringLiteral("-"), this);
    m_address->setObjectName(QStringLiteral("LokadrTxt"));
    m_address->setMaxLength(TypedLength);
    addressLabel->setBuddy(m_address);
    grid->addWidget(addressLabel, 0, 0);
    grid->addWidget(m_address, 0, 1);

    auto* formatLabel = new QLabel(QStringLiteral("Lokdatenformat:"), this);
    m_format = new QComboBox(this);
    m_format->setObjectName(QStringLiteral("LokdatenfCO"));
    m_format->addItems({QStringLiteral("Motorola alt"), QStringLiteral("Motorola neu"),
                        QStringLiteral("DCC - 14"), QStringLiteral("DCC - 28"),
                        QStringLiteral("DCC - 128"), QStringLiteral("-")});
    m_format->setCurrentIndex(locoformat::UnknownEntry);
    formatLabel->setBuddy(m_format);
    grid->addWidget(formatLabel, 1, 0);
    grid->addWidget(m_format, 1, 1);

    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    m_apply = new QPushButton(QStringLiteral("Einstellung übernehmen"), this);
    m_apply->setObjectName(QStringLiteral("SetModeBut"));
    auto* cancel = new QPushButton(QStringLiteral("abbrechen"), this);
    cancel->setObjectName(QStringLiteral("AbbruchBut"));
    for (QPushButton* button : {m_apply, cancel}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    layout->addWidget(newStatusLine(this));

    connect(m_address, &QLineEdit::textChanged, this, &Lokeinst::addressChanged);
    connect(m_format, &QComboBox::currentIndexChanged, this, &Lokeinst::checkButton);
    connect(m_apply, &QPushButton::clicked, this, &Lokeinst::apply);
    connect(cancel, &QPushButton::clicked, this, &Lokeinst::reject);
    m_jobs.OnLocoFormatRead = [this](int code) { showFormat(code); };
    checkButton();
}

Lokeinst::~Lokeinst() {
    m_jobs.OnLocoFormatRead = nullptr;
}

void Lokeinst::reject() {
    QDialog::reject();
    m_jobs.forgetFormatRead();
}

void Lokeinst::activated() {
    addressChanged();
}

void Lokeinst::addressChanged() {
    const FieldValue address = readAddress(m_address);
    showFieldRange(m_address, address.isWrong(), QStringLiteral("Adresse"), 0,
                   settings::MaxLocoAddress);
    if (address.isNumber() && address.value > 0)
        m_jobs.readLocoFormat(address.value);
    checkButton();
}

void Lokeinst::showFormat(int code) {
    m_format->setCurrentIndex(locoformat::entryOfCode(code));
    checkButton();
}

void Lokeinst::checkButton() {
    const FieldValue address = readAddress(m_address);
    m_apply->setEnabled(address.isNumber() && m_jobs.locoFormatKnown(address.value) &&
                        locoformat::codeOfEntry(m_format->currentIndex()).has_value());
}

void Lokeinst::apply() {
    const std::optional<int> code = locoformat::codeOfEntry(m_format->currentIndex());
    m_jobs.writeLocoFormat(readAddress(m_address).value, *code);
}
