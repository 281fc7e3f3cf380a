#include "ZentraleForm.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
const std::array<const char*, 3> Choices = {
    "Gantrex 1 oder Duoplex",
    "Interface 41770",
    "Gantrex Basic oder Gantrex 2 oder Interface 41780",
};
} // namespace

ZentraleForm::ZentraleForm(std::function<int()> currentInterface, std::function<void(int)> choose,
                           QWidget* parent)
    : QDialog(parent), m_current(std::move(currentInterface)), m_choose(std::move(choose)),
      m_options(new QButtonGroup(this)), m_ok(new QPushButton(QStringLiteral("OK"))) {
    setObjectName(QStringLiteral("ZentraleForm"));
    setWindowTitle(QStringLiteral("Auswahl der Zentrale"));

    auto* frame = new QGroupBox(QStringLiteral("Interface:"));
    auto* column = new QVBoxLayout(frame);
    for (int i = 0; i < static_cast<int>(Choices.size()); ++i) {
        auto* option = new QRadioButton(QString::fromUtf8(Choices[i]));
        option->setObjectName(QStringLiteral("Iopt_%1").arg(i));
        m_options->addButton(option, i);
        column->addWidget(option);
    }

    m_ok->setObjectName(QStringLiteral("OKButton"));
    m_ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(m_ok, &QPushButton::clicked, this, &ZentraleForm::accept);
    connect(cancel, &QPushButton::clicked, this, &ZentraleForm::reject);
    connect(m_options, &QButtonGroup::idToggled, this,
            [this] { m_ok->setEnabled(m_options->checkedId() >= 0); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(buttons);
}

void ZentraleForm::showEvent(QShowEvent* event) {
    showChoice();
    QDialog::showEvent(event);
}

// All options off, then the one of the interface in use on; none when no
// interface has been chosen yet.
void ZentraleForm::showChoice() {
    m_options->setExclusive(false);
    for (QAbstractButton* option : m_options->buttons())
        option->setChecked(false);
    m_options->setExclusive(true);
    if (QAbstractButton* option = m_options->button(m_current() - 1))
        option->setChecked(true);
    m_ok->setEnabled(m_options->checkedId() >= 0);
}

void ZentraleForm::accept() {
    if (m_options->checkedId() < 0)
        return;
    m_choose(m_options->checkedId() + 1);
    QDialog::accept();
}
