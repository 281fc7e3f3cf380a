#include "ThrottlePanel.h"

#include "CourierFont.h"
#include "SpeedGauge.h"
#include "link/Colours.h"
#include "operating/LocoAddress.h"
#include "operating/pictures/LocoDrawing.h"
#include "operating/pictures/LocoPictureName.h"
#include "widgets/FieldProblem.h"
#include "widgets/IndicatorLamp.h"
#include "widgets/WindowColours.h"

#include <QDir>
#include <QEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int TimerInterval = 100;
constexpr int SliderPageStep = 10;
constexpr int FunctionColumns = 4;
const QString Blank = QStringLiteral("-");

QString indexed(const char* name, int i) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(i);
}
} // namespace

ThrottlePanel::ThrottlePanel(int t, StationSlots& station, JobMachine& jobs, QWidget* parent)
    : QWidget(parent), m_control(t, station, jobs) {
    setObjectName(indexed("Fahrpult", t));
    buildControls();
    ResetThrottle();
    m_timer.setObjectName(indexed("Zeiger_Timer", t));
    m_timer.setInterval(TimerInterval);
    connect(&m_timer, &QTimer::timeout, this, &ThrottlePanel::ZeigerTimerTick);
    m_timer.start();
}

void ThrottlePanel::buildControls() {
    const int t = throttle();

    auto* locoFrame = new QGroupBox(QStringLiteral("Lok:"));
    locoFrame->setObjectName(indexed("Lok_Frame", t));
    m_address = new QLineEdit(Blank);
    m_address->setObjectName(indexed("LokAdr", t));
    m_address->setFont(courierNewFont());
    m_address->setMaxLength(8);
    m_address->installEventFilter(this);
    auto* addressLabel = new QLabel(QStringLiteral("Adresse:"));
    addressLabel->setBuddy(m_address);
    m_format = new QLabel(Blank);
    m_format->setObjectName(indexed("ProtLbL", t));
    auto* locoForm = new QFormLayout(locoFrame);
    locoForm->addRow(addressLabel, m_address);
    locoForm->addRow(new QLabel(QStringLiteral("Format:")), m_format);

    m_picture = new QToolButton;
    m_picture->setObjectName(indexed("LokImage", t));
    m_picture->setAutoRaise(true);
    m_picture->setAccessibleName(QStringLiteral("Lokbild"));
    m_picture->setAccessibleDescription(QStringLiteral("Richtung wechseln und anhalten"));
    m_picture->setIconSize(LocoPictureSize);

    auto* directionBox = new QGroupBox(QStringLiteral("Richtung"));
    auto* directionRow = new QHBoxLayout(directionBox);
    const char* directionCaptions[] = {"->", "<-"};
    for (int d = 0; d < 2; ++d) {
        auto* button = new QPushButton(QString::fromLatin1(directionCaptions[d]));
        button->setObjectName(indexed("DIR", 2 * t + d));
        connect(button, &QPushButton::clicked, this, [this, d] { setDirection(d); });
        m_direction[d] = button;
    }
    directionRow->addWidget(m_direction[1]);
    directionRow->addWidget(m_direction[0]);

    auto* leftColumn = new QVBoxLayout;
    leftColumn->addWidget(locoFrame);
    leftColumn->addWidget(m_picture, 0, Qt::AlignHCenter);
    leftColumn->addWidget(directionBox);
    leftColumn->addStretch();

    auto* speedBox = new QGroupBox(QStringLiteral("Fahrt"));
    m_slider = new QSlider(Qt::Vertical);
    m_slider->setObjectName(indexed("FSTScroll", t));
    m_slider->setRange(0, ThrottleControl::TopSliderValue);
    m_slider->setPageStep(SliderPageStep);
    m_slider->setSingleStep(1);
    m_slider->setFocusPolicy(Qt::StrongFocus);
    connect(m_slider, &QSlider::valueChanged, this, &ThrottlePanel::onSliderMoved);
    m_gauge = new SpeedGauge;
    m_gauge->setObjectName(indexed("Zeiger", t));
    auto* stepLabel = new QLabel(QStringLiteral("Fahrstufe:"));
    stepLabel->setBuddy(m_slider);
    m_speedStep = new QLabel(Blank);
    m_speedStep->setObjectName(indexed("SpeedLbl", t));
    QFont stepFont = courierNewFont();
    stepFont.setPointSizeF(font().pointSizeF() * 1.5);
    stepFont.setBold(true);
    m_speedStep->setFont(stepFont);
    m_speedStep->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_speedStep->setMinimumWidth(QFontMetrics(stepFont).horizontalAdvance(QStringLiteral("000")));
    auto* speedGrid = new QGridLayout(speedBox);
    speedGrid->addWidget(m_slider, 0, 0, Qt::AlignHCenter);
    speedGrid->addWidget(m_gauge, 0, 1);
    speedGrid->addWidget(stepLabel, 1, 0);
    speedGrid->addWidget(m_speedStep, 1, 1);

    auto* functionBox = new QGroupBox(QStringLiteral("Funktionen"));
    auto* functionGrid = new QGridLayout(functionBox);
    for (int n = 0; n < ThrottleControl::FunctionCount; ++n) {
        const int index = 13 * t + n;
        auto* button = new QPushButton(n == 0 ? QStringLiteral("Licht") : QString::number(n));
        button->setObjectName(indexed("FCmd", index));
        connect(button, &QPushButton::clicked, this, [this, n] { toggleFunction(n); });
        auto* lamp = new IndicatorLamp;
        lamp->setObjectName(indexed("FKT", index));
        m_functions[n] = button;
        m_lamps[n] = lamp;
        // The light gets a row of its own above F1..F12.
        const int row = n == 0 ? 0 : 1 + (n - 1) / FunctionColumns;
        const int column = n == 0 ? 0 : 2 * ((n - 1) % FunctionColumns);
        functionGrid->addWidget(button, row, column);
        functionGrid->addWidget(lamp, row, column + 1);
    }
    functionGrid->setRowStretch(1 + ThrottleControl::FunctionCount / FunctionColumns, 1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(leftColumn);
    layout->addWidget(speedBox);
    layout->addWidget(functionBox, 1, Qt::AlignTop);

    connect(m_address, &QLineEdit::textChanged, this, &ThrottlePanel::showAddressValidity);
    connect(m_address, &QLineEdit::textEdited, this, &ThrottlePanel::onAddressEdited);
    connect(m_address, &QLineEdit::returnPressed, this, &ThrottlePanel::onAddressEntered);
    connect(m_picture, &QToolButton::clicked, this, [this] {
        if (m_control.reverseAndStop())
            setSliderQuietly(0);
    });

    QWidget* order[] = {m_address, m_picture, m_direction[1], m_direction[0], m_slider};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);
    setTabOrder(m_slider, m_functions[0]);
    for (int n = 1; n < ThrottleControl::FunctionCount; ++n)
        setTabOrder(m_functions[n - 1], m_functions[n]);
}

void ThrottlePanel::setConfFolder(const QString& folder) {
    m_confFolder = folder;
    m_shownPicture.clear();
    showPicture(m_shownLook);
}

bool ThrottlePanel::eventFilter(QObject* watched, QEvent* event) {
    // The blank mark "-" makes way for the address the user is about to type.
    if (watched == m_address && event->type() == QEvent::FocusIn && m_address->text() == Blank)
        m_address->clear();
    return QWidget::eventFilter(watched, event);
}

void ThrottlePanel::ShowThrottle() {
    const ThrottleDisplay d = m_control.ShowThrottle();
    for (int n = 0; n < ThrottleControl::FunctionCount; ++n) {
        if (d.lamps[n])
            m_lamps[n]->setColour(*d.lamps[n]);
    }
    showPicture(d.look);
    setSliderQuietly(d.sliderValue);
    m_format->setText(d.formatName.isEmpty() ? Blank : d.formatName);
    if (d.speedStep)
        m_speedStep->setText(QString::number(*d.speedStep));
}

void ThrottlePanel::ShowLocoPicture() {
    m_shownPicture.clear();
}

void ThrottlePanel::ResetThrottle() {
    m_control.ResetThrottle();
    m_speedStep->setText(Blank);
    m_format->setText(Blank);
    for (IndicatorLamp* lamp : m_lamps)
        lamp->setColour(colour::Grey);
    showPicture(std::nullopt);
    setSliderQuietly(0);
}

void ThrottlePanel::toggleFunction(int n) {
    m_control.toggleFunction(n);
}

void ThrottlePanel::setDirection(int d) {
    m_control.setDirection(d);
}

void ThrottlePanel::changeDirection() {
    m_control.changeDirection();
}

void ThrottlePanel::setSpeedByDigit(int digit) {
    m_control.setSpeedByDigit(digit);
}

void ThrottlePanel::focusAddress() {
    if (m_address->text() == Blank)
        m_address->clear();
    m_address->setFocus(Qt::ShortcutFocusReason);
}

void ThrottlePanel::ZeigerTimerTick() {
    m_control.stepPointer();
    m_gauge->setPointer(m_control.pointer().position());
}

void ThrottlePanel::onAddressEdited() {
    m_control.addressEdited();
    ResetThrottle();
}

void ThrottlePanel::onAddressEntered() {
    onAddressEdited();
    if (m_control.enterAddress())
        m_slider->setFocus(Qt::OtherFocusReason);
}

void ThrottlePanel::onSliderMoved(int position) {
    if (!m_control.moveSlider(position))
        setSliderQuietly(0);
}

// The program's own settings of the slider are not the user's: they send
// nothing.
void ThrottlePanel::setSliderQuietly(int value) {
    const QSignalBlocker quiet(m_slider);
    m_slider->setValue(value);
}

void ThrottlePanel::showPicture(const std::optional<LocoLook>& look) {
    const QString name = locoPictureFileName(look);
    if (name == m_shownPicture)
        return;
    m_shownPicture = name;
    m_shownLook = look;
    const QString path = QDir(m_confFolder).filePath(name);
    QPixmap picture;
    if (!m_confFolder.isEmpty())
        picture.load(path);
    if (picture.isNull()) {
        picture = QPixmap::fromImage(drawLocoPicture(look));
        m_picture->setToolTip(
            QStringLiteral("Bilddatei fehlt: %1").arg(QDir::toNativeSeparators(path)));
    } else {
        m_picture->setToolTip(QString());
    }
    m_picture->setIcon(QIcon(picture));
    m_picture->setIconSize(picture.size());
}

void ThrottlePanel::showAddressValidity() {
    m_control.setAddressText(m_address->text());
    showFieldRange(m_address, isBadAddressText(m_address->text()), QStringLiteral("Adresse"), 1,
                   HighestLocoAddress);
}
