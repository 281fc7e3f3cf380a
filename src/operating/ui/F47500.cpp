#include "F47500.h"

#include "DirectionArrow.h"
#include "operating/ZeltronManager.h"
#include "widgets/FieldProblem.h"
#include "widgets/IndicatorLamp.h"
#include "widgets/WindowColours.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int LampsPerRow = 5;
constexpr int AddressDigits = 5;
} // namespace

F47500::F47500(ZeltronManager& manager, int window, QWidget* parent)
    : QWidget(parent, Qt::Window), m_manager(manager), m_window(window) {
    setObjectName(QStringLiteral("F47500"));
    setWindowTitle(QStringLiteral("Zeltron Fahrpult"));

    auto* addressFrame = new QGroupBox(QStringLiteral("Adresse:"), this);
    m_address = new QLineEdit(addressFrame);
    m_address->setObjectName(QStringLiteral("Ladr"));
    m_address->setAccessibleName(QStringLiteral("Adresse"));
    m_address->setMaxLength(AddressDigits);
    m_ok = new QPushButton(QStringLiteral("OK"), addressFrame);
    m_ok->setObjectName(QStringLiteral("OKButton"));
    auto* addressRow = new QHBoxLayout(addressFrame);
    addressRow->addWidget(m_address);
    addressRow->addWidget(m_ok);

    auto* speedCaption = new QLabel(QStringLiteral("Fahrstufe:"), this);
    speedCaption->setObjectName(QStringLiteral("Speed"));
    m_step = new QLabel(QStringLiteral("-"), this);
    m_step->setObjectName(QStringLiteral("FST"));
    auto* speedRow = new QHBoxLayout;
    speedRow->addWidget(speedCaption);
    speedRow->addWidget(m_step, 1);

    auto* functionFrame = new QGroupBox(QStringLiteral("Funktionen"), this);
    auto* lamps = new QGridLayout(functionFrame);
    for (int f = 0; f < ZeltronLoco::Functions; ++f) {
        m_functions[f] = new IndicatorLamp(functionFrame);
        m_functions[f]->setColour(colour::White);
        m_functions[f]->setObjectName(QStringLiteral("Fanz_%1").arg(f));
        auto* label = new QLabel(QStringLiteral("F%1").arg(f), functionFrame);
        const int row = 2 * (f / LampsPerRow);
        const int column = f % LampsPerRow;
        lamps->addWidget(m_functions[f], row, column, Qt::AlignHCenter);
        lamps->addWidget(label, row + 1, column, Qt::AlignHCenter);
    }
    m_arrow = new DirectionArrow(this);
    auto* locoRow = new QHBoxLayout;
    locoRow->addWidget(functionFrame, 1);
    locoRow->addWidget(m_arrow, 0, Qt::AlignVCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(addressFrame);
    layout->addLayout(speedRow);
    layout->addLayout(locoRow);
    layout->addWidget(newStatusLine(this));

    connect(m_address, &QLineEdit::textChanged, this, &F47500::checkAddress);
    connect(m_address, &QLineEdit::returnPressed, this, &F47500::confirm);
    connect(m_ok, &QPushButton::clicked, this, &F47500::confirm);
    checkAddress();
}

std::unique_ptr<ZeltronWindowView> F47500::create(ZeltronManager& manager, int window) {
    return std::make_unique<F47500>(manager, window);
}

void F47500::Open(int throttleId) {
    setWindowTitle(QStringLiteral("ZT Fahrpult %1").arg(throttleId));
    m_step->setText(QStringLiteral("-"));
    for (IndicatorLamp* lamp : m_functions)
        lamp->setColour(colour::White);
    m_arrow->hideDirection();
    AwaitAddress();
}

void F47500::AwaitAddress() {
    m_address->clear();
    m_address->setEnabled(true);
    checkAddress();
    show();
    raise();
    activateWindow();
    m_address->setFocus();
}

void F47500::AddressSent() {
    m_ok->setEnabled(false);
}

void F47500::ShowLoco(const ZeltronLoco& loco) {
    // While the user types an address, the field is his.
    if (loco.locked) {
        m_address->setText(QString::number(loco.address));
        m_address->setEnabled(false);
        m_ok->setEnabled(false);
    }
    if (loco.step)
        m_step->setText(QString::number(*loco.step));
    for (int f = 0; f < ZeltronLoco::Functions; ++f)
        m_functions[f]->setColour(loco.functions[f] ? colour::Yellow : colour::White);
    m_arrow->showDirection(loco.backward);
}

void F47500::checkAddress() {
    const QString text = m_address->text();
    const bool valid = ZeltronManager::addressOf(text).has_value();
    showFieldRange(m_address, !valid && !text.isEmpty(), QStringLiteral("Adresse"), 1,
                   ZeltronManager::MaxAddress);
    m_ok->setEnabled(valid);
}

void F47500::confirm() {
    if (const auto address = ZeltronManager::addressOf(m_address->text()); address)
        m_manager.confirmAddress(m_window, *address);
}

void F47500::closeEvent(QCloseEvent* event) {
    m_manager.closed(m_window);
    event->accept();
}
