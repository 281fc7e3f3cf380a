#include "SOWin.h"

#include "settings/NumberField.h"
#include "settings/SettingsJobs.h"
#include "widgets/FieldProblem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int TypedLength = 3;
const QString FirstNumber = QStringLiteral("1");
const QString FirstValue = QStringLiteral("-");

FieldValue readNumber(const QLineEdit* field) {
    return readField(field->text(), settings::MaxOptionNumber);
}
FieldValue readValue(const QLineEdit* field) {
    return readField(field->text(), settings::MaxOptionValue);
}
} // namespace

SOWin::SOWin(SettingsJobs& jobs, QWidget* parent) : SettingsWindow(parent), m_jobs(jobs) {
    setObjectName(QStringLiteral("SOWin"));
    setWindowTitle(QStringLiteral("Sonderoptionen "));

    auto* layout = new QHBoxLayout;
    const auto addField = [&](const QString& label, const QString& name, const QString& text) {
        auto* labelWidget = new QLabel(label, this);
        auto* field = new QLineEdit(text, this);
        field->setObjectName(name);
        field->setMaxLength(TypedLength);
        labelWidget->setBuddy(field);
        layout->addWidget(labelWidget);
        layout->addWidget(field);
        connect(field, &QLineEdit::textChanged, this, &SOWin::checkFields);
        return field;
    };
    m_number = addField(QStringLiteral("SO"), QStringLiteral("SO_NR_TXT"), FirstNumber);
    m_value = addField(QStringLiteral("="), QStringLiteral("SO_VAL_TXT"), FirstValue);

    const auto addButton = [&](const QString& text, const QString& name, void (SOWin::*pressed)()) {
        auto* button = new QPushButton(text, this);
        button->setObjectName(name);
        button->setAutoDefault(false);
        layout->addWidget(button);
        connect(button, &QPushButton::clicked, this, pressed);
        return button;
    };
    m_read = addButton(QStringLiteral("Lesen"), QStringLiteral("rd_so"), &SOWin::read);
    m_write = addButton(QStringLiteral("Programmieren"), QStringLiteral("wr_so"), &SOWin::write);

    auto* lines = new QVBoxLayout(this);
    lines->addLayout(layout);
    lines->addWidget(newStatusLine(this));

    m_jobs.OnOptionRead = [this](int value) { showValue(value); };
    checkFields();
}

SOWin::~SOWin() {
    m_jobs.OnOptionRead = nullptr;
}

void SOWin::reject() {
    QDialog::reject();
    m_number->setText(FirstNumber);
    m_value->setText(FirstValue);
}

void SOWin::checkFields() {
    const FieldValue number = readNumber(m_number);
    const FieldValue value = readValue(m_value);
    showFieldRange(m_number, number.isWrong(), QStringLiteral("Nummer"), 0,
                   settings::MaxOptionNumber);
    showFieldRange(m_value, value.isWrong(), QStringLiteral("Wert"), 0, settings::MaxOptionValue);
    // Both buttons follow both fields: a red field stops them all.
    const bool usable = !number.isWrong() && !value.isWrong() && number.isNumber();
    m_read->setEnabled(usable);
    m_write->setEnabled(usable && value.isNumber());
}

void SOWin::read() {
    m_jobs.readOption(readNumber(m_number).value);
}

void SOWin::write() {
    m_jobs.writeOption(readNumber(m_number).value, readValue(m_value).value);
}

void SOWin::showValue(int value) {
    // An answer to a window closed meanwhile is not shown when it opens again.
    if (isVisible())
        m_value->setText(QString::number(value));
}
