#include "FaStrEditForm.h"

#include "AdrEingForm.h"
#include "RouteGrid.h"
#include "platform/DigitText.h"
#include "routes/NumberText.h"
#include "routes/RouteEntry.h"
#include "routes/RouteTable.h"
#include "widgets/FieldText.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <limits>

namespace {
constexpr int TimeFieldLength = 4;
} // namespace

FaStrEditForm::FaStrEditForm(RouteTable& table, QWidget* parent)
    : QWidget(parent, Qt::Window), m_table(table), m_model(table) {
    setObjectName(QStringLiteral("FaStrEditForm"));
    setWindowTitle(QStringLiteral("Fahrstraßen ändern und überwachen"));

    m_grid = new RouteGrid(m_model, this);
    connect(m_grid, &RouteGrid::cellActivated, this, &FaStrEditForm::onCellActivated);
    connect(m_grid, &RouteGrid::routeDeleteRequested, this, &FaStrEditForm::askDeleteRoute);

    auto* fields = new QGridLayout;
    const auto addTimeRow = [&](int row, const QString& label, QLineEdit* field) {
        auto* labelWidget = new QLabel(label, this);
        labelWidget->setBuddy(field);
        fields->addWidget(labelWidget, row, 0);
        fields->addWidget(field, row, 1);
        fields->addWidget(new QLabel(QStringLiteral("ms"), this), row, 2);
    };
    m_switchTime = addTimeField(QStringLiteral("MagT1Txt"), m_table.SwitchTimeMs);
    m_pauseTime = addTimeField(QStringLiteral("MagT2Txt"), m_table.PauseTimeMs);
    addTimeRow(0, QStringLiteral("Magnetartikel Schaltzeit:"), m_switchTime);
    addTimeRow(1, QStringLiteral("Magnetartikel Pausenzeit:"), m_pauseTime);

    m_activity = new QLabel(QStringLiteral("Status"), this);
    m_activity->setObjectName(QStringLiteral("FsStatTxt"));
    m_activity->setMinimumWidth(
        fontMetrics().horizontalAdvance(QStringLiteral("Suche neue Fahrstraße zur Abarbeitung")));
    m_commandNumber = new QLabel(QStringLiteral("-"), this);
    m_commandNumber->setObjectName(QStringLiteral("BefNrTxt"));
    fields->setColumnMinimumWidth(3, 20);
    fields->addWidget(new QLabel(QStringLiteral("Fahrstraßen Status:"), this), 0, 4);
    fields->addWidget(m_activity, 0, 5);
    fields->addWidget(new QLabel(QStringLiteral("Befehl:"), this), 1, 4);
    fields->addWidget(m_commandNumber, 1, 5);
    fields->setColumnStretch(6, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("OK_But"));
    connect(ok, &QPushButton::clicked, this, [this] {
        hide();
        emit routesEdited();
    });
    fields->addWidget(ok, 1, 7);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(fields);

    m_entry = new AdrEingForm(this);
    connect(m_entry, &QDialog::finished, this, &FaStrEditForm::onEntryFinished);

    resize(960, 640);
}

QLineEdit* FaStrEditForm::addTimeField(const QString& name, qint32& time) {
    auto* field = new QLineEdit(this);
    field->setObjectName(name);
    field->setMaxLength(TimeFieldLength);
    field->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12);
    connect(field, &QLineEdit::textEdited, this, [this, field, &time] {
        const QString digits = digitsOnly(field->text());
        if (digits != field->text())
            field->setText(digits);
        time = static_cast<qint32>(
            qMin(leadingValue(digits), double(std::numeric_limits<qint32>::max())));
        emit routesEdited();
    });
    return field;
}

void FaStrEditForm::ShowRouteActivity(const QString& text) {
    m_activity->setText(text);
}

void FaStrEditForm::ShowCommandNumber(const QString& text) {
    m_commandNumber->setText(text);
}

void FaStrEditForm::showEvent(QShowEvent* event) {
    showTimes();
    QWidget::showEvent(event);
}

void FaStrEditForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        showTimes();
    QWidget::changeEvent(event);
}

void FaStrEditForm::showTimes() {
    showFieldText(m_switchTime, QString::number(m_table.SwitchTimeMs), TimeFieldLength);
    showFieldText(m_pauseTime, QString::number(m_table.PauseTimeMs), TimeFieldLength);
}

void FaStrEditForm::onCellActivated(int row, int column) {
    if (RouteTable::isStatusColumn(column)) {
        ToggleRouteStatus(m_table, row, column);
        emit routesEdited();
        return;
    }
    // An entry under way keeps its cell: what the user typed is not lost.
    if (m_entry->isVisible()) {
        m_entry->raise();
        m_entry->activateWindow();
        return;
    }
    m_entryRow = row;
    m_entryColumn = column;
    m_entry->openWith(RouteEntry::fromCell(m_table.text(row, column)),
                      RouteTable::isCommandColumn(column));
}

void FaStrEditForm::onEntryFinished(int result) {
    if (ApplyRouteEntry(m_table, m_entryRow, m_entryColumn, result, m_entry->entry()))
        emit routesEdited();
}

void FaStrEditForm::askDeleteRoute(int row) {
    auto* box = new QMessageBox(
        QMessageBox::Question, QStringLiteral("Fahrstraße ") + QString::number(row),
        QStringLiteral("Fahrstraße löschen?"), QMessageBox::Ok | QMessageBox::Cancel, this);
    box->setObjectName(QStringLiteral("RouteDeleteQuestion"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::finished, this, [this, box, row] {
        if (box->standardButton(box->clickedButton()) == QMessageBox::Ok) {
            DeleteRoute(m_table, row);
            emit routesEdited();
        }
    });
    box->open();
}
