#include "Reset.h"

#include "settings/SettingsJobs.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int CancelButton = 2;
} // namespace

Reset::Reset(SettingsJobs& jobs, QWidget* parent) : SettingsWindow(parent), m_jobs(jobs) {
    setObjectName(QStringLiteral("Reset"));
    setWindowTitle(QStringLiteral("Zurücksetzen"));
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    layout->addLayout(buttons);
    const QString texts[] = {QStringLiteral("Konfiguration"), QStringLiteral("Lokdatenformat"),
                             QStringLiteral("Abbruch")};
    for (int i = 0; i < 3; ++i) {
        m_buttons[i] = new QPushButton(texts[i], this);
        m_buttons[i]->setObjectName(QStringLiteral("KonfBut_%1").arg(i));
        m_buttons[i]->setAutoDefault(false);
        buttons->addWidget(m_buttons[i]);
        if (i == CancelButton)
            connect(m_buttons[i], &QPushButton::clicked, this, &Reset::reject);
        else
            connect(m_buttons[i], &QPushButton::clicked, this, [this, i] { startReset(i); });
    }
    m_waitLabel = new QLabel(QStringLiteral("bitte warten !"), this);
    m_waitLabel->setObjectName(QStringLiteral("WartenLbl"));
    m_waitLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(m_waitLabel);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("TimerWarten"));
    m_timer->setInterval(ResetWait::TickMs);
    connect(m_timer, &QTimer::timeout, this, &Reset::waitTick);
    showWait();
}

void Reset::startReset(int kind) {
    m_jobs.resetStation(static_cast<settings::ResetKind>(kind));
    m_wait.start();
    showWait();
    m_timer->start();
}

void Reset::waitTick() {
    m_wait.step();
    showWait();
    if (!m_wait.waiting())
        m_timer->stop();
}

void Reset::showWait() {
    for (QPushButton* button : m_buttons)
        button->setVisible(!m_wait.waiting());
    m_waitLabel->setVisible(m_wait.labelShown());
    paintText(m_waitLabel, m_wait.labelRed());
}
