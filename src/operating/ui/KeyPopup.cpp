#include "KeyPopup.h"

#include "ColouredKey.h"
#include "CourierFont.h"
#include "link/Colours.h"
#include "platform/Clock.h"

#include <QApplication>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

namespace {
constexpr int StepInterval = 10;

struct KeyLook {
    const char* name;
    int colour;
    const char* hint;
    const char* spoken;
};
struct PopupLook {
    const char* objectName;
    QString caption;
    const char* labelName;
    KeyLook keys[2];
};

PopupLook lookOf(PopupKind kind) {
    switch (kind) {
    case PopupKind::Accessory:
        return {"Taste_Wadr",
                QStringLiteral("Weiche schalten"),
                "wadr",
                {{"KB_rot", colour::Red, "[r]", "rot"}, {"KB_grn", colour::Green, "[g]", "grün"}}};
    case PopupKind::Feedback:
        return {
            "Taste_Radr",
            QStringLiteral("Rückmeldung"),
            "Radr",
            {{"KB_gelb", colour::Yellow, "[f]", "frei"}, {"KB_rot", colour::Red, "[b]", "belegt"}}};
    case PopupKind::Route:
        break;
    }
    return {"Taste_Fadr",
            QStringLiteral("Fahrstraße"),
            "Fadr",
            {{"KB_gelb", colour::Yellow, "[f]", "anfordern"},
             {"KB_grau", colour::Grey, "[l]", "auflösen"}}};
}
} // namespace

KeyPopup::KeyPopup(PopupKind kind, const Clock& clock, JobMachine& jobs, RouteTable& routes,
                   QWidget* parent)
    : QDialog(parent), m_logic(kind, jobs, routes), m_clock(clock) {
    const PopupLook look = lookOf(kind);
    setObjectName(QLatin1String(look.objectName));
    setWindowTitle(look.caption);

    m_address = new QLabel(QStringLiteral("8888"));
    m_address->setObjectName(QLatin1String(look.labelName));
    QFont font = courierNewFont();
    font.setPointSizeF(font.pointSizeF() * 2);
    font.setBold(true);
    m_address->setFont(font);
    m_address->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_address->setAlignment(Qt::AlignCenter);
    m_address->setMinimumWidth(QFontMetrics(font).horizontalAdvance(QStringLiteral("88888")));

    auto* grid = new QGridLayout(this);
    grid->addWidget(m_address, 0, 0, 1, 2);
    for (int b = 0; b < 2; ++b) {
        const KeyLook& keyLook = look.keys[b];
        QPushButton* key = makeColouredKey(QLatin1String(keyLook.name), keyLook.colour,
                                           QString::fromUtf8(keyLook.spoken));
        auto* hint = new QLabel(QLatin1String(keyLook.hint));
        hint->setBuddy(key);
        hint->setAlignment(Qt::AlignHCenter);
        grid->addWidget(key, 1, b, Qt::AlignHCenter);
        grid->addWidget(hint, 2, b);
        const auto button = static_cast<KeyPopupLogic::Button>(b);
        connect(key, &QPushButton::clicked, this, [this, button] { press(button); });
    }
    grid->setSizeConstraint(QLayout::SetFixedSize);

    m_timer.setInterval(StepInterval);
    connect(&m_timer, &QTimer::timeout, this, &KeyPopup::advance);
}

void KeyPopup::startTyping(int digit) {
    m_logic.open(digit);
    m_address->setText(m_logic.label());
    show();
    raise();
    activateWindow();
}

QString KeyPopup::label() const {
    return m_address->text();
}

void KeyPopup::keyPressEvent(QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return QDialog::keyPressEvent(event);
    const KeyPopupLogic::Key key = m_logic.keyDown(event->key());
    switch (key.outcome) {
    case KeyPopupLogic::KeyOutcome::Ignored:
        return QDialog::keyPressEvent(event);
    case KeyPopupLogic::KeyOutcome::Typed:
        m_address->setText(m_logic.label());
        return;
    case KeyPopupLogic::KeyOutcome::Hide:
        hide();
        return;
    case KeyPopupLogic::KeyOutcome::Pressed:
        press(key.button);
        return;
    }
}

void KeyPopup::press(KeyPopupLogic::Button button) {
    // Without a connection nothing is switched or reported, and the user
    // hears so.
    if (!m_logic.press(button))
        QApplication::beep();
    if (m_logic.switching())
        m_timer.start();
    hide();
}

void KeyPopup::advance() {
    m_logic.step(m_clock.now());
    if (!m_logic.switching())
        m_timer.stop();
}
