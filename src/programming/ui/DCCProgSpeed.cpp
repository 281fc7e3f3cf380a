#include "DCCProgSpeed.h"

#include "SpeedCurveCanvas.h"
#include "link/LinkView.h"
#include "programming/ProgrammingJobs.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QLineEdit* shownNumber(const char* name, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QLatin1String(name));
    field->setReadOnly(true);
    field->setFixedWidth(50);
    field->setAlignment(Qt::AlignRight);
    return field;
}

QPushButton* button(const char* name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    return b;
}
} // namespace

DCCProgSpeed::DCCProgSpeed(ProgrammingJobs& jobs, LinkView& messages, QWidget* parent)
    : QWidget(parent), m_jobs(jobs), m_messages(messages),
      m_canvas(new SpeedCurveCanvas(jobs.prog, this)), m_cv(shownNumber("CVAdrTxt", this)),
      m_value(shownNumber("CVValTxt", this)),
      m_read(button("RDTabBut", QStringLiteral("Lesen"), this)),
      m_write(button("WRTabBut", QStringLiteral("Programmieren"), this)),
      m_cancel(button("Cancel", QStringLiteral("Abbruch"), this)) {
    setObjectName(QStringLiteral("DCCProgSpeed"));
    setWindowTitle(QStringLiteral("Fahrstufentabelle"));

    auto* cvLabel = new QLabel(QStringLiteral("CV"), this);
    cvLabel->setBuddy(m_cv);
    auto* valueLabel = new QLabel(QStringLiteral("="), this);
    valueLabel->setBuddy(m_value);
    auto* controls = new QHBoxLayout;
    controls->addWidget(cvLabel);
    controls->addWidget(m_cv);
    controls->addWidget(valueLabel);
    controls->addWidget(m_value);
    controls->addStretch();
    controls->addWidget(m_read);
    controls->addWidget(m_write);
    controls->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_canvas);
    layout->addLayout(controls);
    setTabOrder(m_cv, m_value);
    setTabOrder(m_value, m_read);
    setTabOrder(m_read, m_write);
    setTabOrder(m_write, m_cancel);

    connect(m_canvas, &SpeedCurveCanvas::pointShown, this, [this](int cv, int value) {
        m_cv->setText(QString::number(cv));
        m_value->setText(QString::number(value));
    });
    connect(m_canvas, &SpeedCurveCanvas::curveChanged, this, &DCCProgSpeed::curveChanged);
    connect(m_read, &QPushButton::clicked, this,
            [this] { m_jobs.startListJob(ProgrammingState::SpeedList, false); });
    connect(m_write, &QPushButton::clicked, this, [this] {
        m_messages.ShowMessage(
            QStringLiteral(
                "Damit die Kennline aktiviert wird, muss Bit 4 in CV 29 auf 1 gesetzen werden!"),
            QStringLiteral("Hinweis"), MessageIcon::Information);
        m_jobs.startListJob(ProgrammingState::SpeedList, true);
    });
    connect(m_cancel, &QPushButton::clicked, this, [this] { m_jobs.cancel(); });
    SetProgIdle(true);
}

void DCCProgSpeed::ShowSpeedTable() {
    m_canvas->redraw();
}

void DCCProgSpeed::SetProgIdle(bool idle) {
    m_cancel->setEnabled(!idle);
    m_read->setEnabled(idle);
    m_write->setEnabled(idle);
}

void DCCProgSpeed::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    activated();
}

void DCCProgSpeed::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activated();
}

// A job started in the DCC window may still run: the buttons follow it.
void DCCProgSpeed::activated() {
    SetProgIdle(!m_jobs.running());
    ShowSpeedTable();
}
