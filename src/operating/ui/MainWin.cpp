#include "MainWin.h"

#include "CourierFont.h"
#include "HelpKey.h"
#include "ThrottlePanel.h"
#include "ZentraleForm.h"
#include "core/ConfFolder.h"
#include "core/ProgramCore.h"
#include "link/Colours.h"
#include "link/HexText.h"
#include "link/LinkJobs.h"
#include "monitor/Decoder.h"
#include "platform/ComPortNames.h"
#include "platform/DigitText.h"
#include "platform/UsbInterfaceSearch.h"
#include "widgets/FieldProblem.h"
#include "widgets/IndicatorLamp.h"
#include "widgets/WindowColours.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
// The lamp of a station whose power nobody knows.
constexpr int UnknownPowerColour = 0xE0E0E0;
constexpr int MaxComPort = 255;

MainWin::UsbPortList machineUsbPorts(const QString& confFolder) {
    return [names = ComPortNames::fromFile(confPath(confFolder, QStringLiteral("ports.dat")))] {
        return usbInterfaceComPorts(availableSerialPorts(), names);
    };
}

QLabel* infoLabel(const char* name) {
    auto* label = new QLabel(QStringLiteral("Info"));
    label->setObjectName(QLatin1String(name));
    label->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    label->setMinimumWidth(
        label->fontMetrics().horizontalAdvance(QStringLiteral("GX/ZT Sw.Vers.1.55")) + 12);
    return label;
}
} // namespace

MainWin::MainWin(ProgramCore& core, UsbPortList listUsbComPorts, QWidget* parent)
    : QMainWindow(parent), m_core(core),
      m_connection(core.state, core.jobs, *this,
                   core.connectionHooks(listUsbComPorts ? std::move(listUsbComPorts)
                                                        : machineUsbPorts(core.confFolder()))),
      m_help(new HelpKey(confPath(core.confFolder(), QStringLiteral("Hilfe.txt")), this)) {
    setObjectName(QStringLiteral("MainWin"));
    setWindowTitle(QStringLiteral(" GX-Velomat") + QString(36, u' ') +
                   QStringLiteral("Dornquist Vovurerezu GmbH"));

    auto* top = new QHBoxLayout;
    top->addWidget(buildPowerArea());
    top->addWidget(buildConnectionArea(), 1);
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addWidget(buildTabs(), 1);
    layout->addWidget(buildRawMessageArea());
    setCentralWidget(central);
    setStatusBar(newStatusLine(this));
    buildMenus();
    buildPanels();

    setTabOrder(m_stopGo, m_port);
    setTabOrder(m_port, m_connect);
    setTabOrder(m_connect, m_disconnect);
    setTabOrder(m_disconnect, m_tabs);
    setTabOrder(m_message, m_send);

    ShowPortState(PortState::Closed);
    SetLinkBusy(true);
    qApp->installEventFilter(m_help);
}

QWidget* MainWin::buildPowerArea() {
    auto* area = new QGroupBox;
    m_stopGo = new QPushButton(QStringLiteral("- - -"));
    m_stopGo->setObjectName(QStringLiteral("StopGoBut"));
    QFont big = m_stopGo->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    m_stopGo->setFont(big);
    m_stopGo->setMinimumWidth(QFontMetrics(big).horizontalAdvance(QStringLiteral("STOP")) * 2);
    m_stopGo->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    connect(m_stopGo, &QPushButton::clicked, this, &MainWin::onStopGo);

    m_powerLamp = new IndicatorLamp;
    m_powerLamp->setObjectName(QStringLiteral("StopGoAnz"));
    m_powerLamp->setFixedSize(m_stopGo->sizeHint().height(), m_stopGo->sizeHint().height());
    m_powerLamp->setColour(UnknownPowerColour);

    auto* row = new QHBoxLayout(area);
    row->addWidget(m_stopGo);
    row->addWidget(m_powerLamp);
    return area;
}

QGroupBox* MainWin::buildConnectionArea() {
    auto* frame = new QGroupBox(QStringLiteral("Zentrale/Interface:"));
    frame->setObjectName(QStringLiteral("USB_Frame"));
    m_port = new QLineEdit;
    m_port->setObjectName(QStringLiteral("PortAdr"));
    m_port->setMaxLength(3);
    m_port->setFixedWidth(m_port->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12);
    auto* portLabel = new QLabel(QStringLiteral("PortNr.:"));
    portLabel->setBuddy(m_port);
    m_connect = new QPushButton(QStringLiteral("Verbinden"));
    m_connect->setObjectName(QStringLiteral("OpenPortBut_1"));
    m_disconnect = new QPushButton(QStringLiteral("Trennen"));
    m_disconnect->setObjectName(QStringLiteral("OpenPortBut_0"));
    m_interfaceInfo = infoLabel("Interface_Info");
    m_stationInfo = infoLabel("Zentralen_Info");

    auto* grid = new QGridLayout(frame);
    grid->addWidget(portLabel, 0, 0);
    grid->addWidget(m_port, 0, 1);
    grid->addWidget(m_connect, 0, 2);
    grid->addWidget(m_disconnect, 0, 3);
    grid->addWidget(m_interfaceInfo, 1, 0, 1, 2);
    grid->addWidget(m_stationInfo, 1, 2, 1, 2);
    grid->setColumnStretch(4, 1);

    connect(m_port, &QLineEdit::textChanged, this, &MainWin::showPortValidity);
    connect(m_port, &QLineEdit::returnPressed, m_connect, &QPushButton::click);
    connect(m_connect, &QPushButton::clicked, this, [this] {
        if (const auto port = portToConnect())
            m_connection.connectPort(*port);
    });
    connect(m_disconnect, &QPushButton::clicked, this, [this] {
        m_connection.disconnectPort(typedPortNumber().value_or(m_core.state.link.ComPortNumber));
    });
    return frame;
}

QTabWidget* MainWin::buildTabs() {
    m_tabs = new QTabWidget;
    m_tabs->setObjectName(QStringLiteral("MainTab"));
    m_tabs->setAccessibleName(QStringLiteral("Karten"));
    for (int t = 0; t < 2; ++t) {
        m_throttles[t] = new ThrottlePanel(t, m_core.state.station, m_core.jobs);
        m_throttles[t]->setConfFolder(m_core.confFolder());
        m_tabs->addTab(m_throttles[t], QStringLiteral("Fahrpult %1").arg(t + 1));
    }
    for (const QString& caption :
         {QStringLiteral("Keyboard"), QStringLiteral("Rückmelder"), QStringLiteral("Memory")})
        m_tabs->addTab(new QWidget, caption);
    return m_tabs;
}

void MainWin::setTabPage(int index, QWidget* page) {
    const QString caption = m_tabs->tabText(index);
    QWidget* old = m_tabs->widget(index);
    m_tabs->removeTab(index);
    m_tabs->insertTab(index, page, caption);
    delete old;
}

QGroupBox* MainWin::buildRawMessageArea() {
    auto* area = new QGroupBox;
    m_message = new QLineEdit(QStringLiteral("-"));
    m_message->setObjectName(QStringLiteral("MesTxt"));
    m_message->setFont(courierNewFont());
    m_message->setPlaceholderText(QStringLiteral("B0 12 30"));
    auto* label = new QLabel(QStringLiteral("LocoNet Message (hex):"));
    label->setBuddy(m_message);
    m_send = new QPushButton(QStringLiteral("Sende LN Mes"));
    m_send->setObjectName(QStringLiteral("LN_MES_SEND"));
    // What the typed message means, before it is sent.
    m_messageMeaning = new QLabel;
    m_messageMeaning->setObjectName(QStringLiteral("MesMeaning"));
    m_messageMeaning->setMinimumHeight(m_messageMeaning->fontMetrics().height());

    auto* grid = new QGridLayout(area);
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_message, 0, 1);
    grid->addWidget(m_send, 0, 2);
    grid->addWidget(m_messageMeaning, 1, 1, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(m_send, &QPushButton::clicked, this, &MainWin::onSendRawMessage);
    connect(m_message, &QLineEdit::returnPressed, m_send, &QPushButton::click);
    connect(m_message, &QLineEdit::textEdited, this, &MainWin::showTypedMeaning);
    return area;
}

void MainWin::StartUp() {
    m_core.StartUp();
    m_port->setText(QString::number(m_core.state.link.ComPortNumber));
    m_connection.ShowLinkStatus();
    m_connection.SearchUsbInterface();
}

// The program ends here whichever way the window is closed. Routes that
// could not be saved are not thrown away without asking; an open line then
// closes in order (the running job's end message, outputs held on switched
// off) before the program ends.
void MainWin::closeEvent(QCloseEvent* event) {
    if (!m_ending && !m_core.saveRoutes() && m_askBeforeEnd && !endWithoutRoutes()) {
        event->ignore();
        return;
    }
    m_ending = true;
    if (m_portState != PortState::Closed) {
        event->ignore();
        m_connection.disconnectPort(m_core.state.link.ComPortNumber, [this] {
            QMetaObject::invokeMethod(this, &MainWin::close, Qt::QueuedConnection);
        });
        return;
    }
    m_core.setMainTimerRunning(false);
    event->accept();
    QApplication::quit();
}

void MainWin::endWithoutQuestions() {
    m_askBeforeEnd = false;
    // The question already open is answered the way an end from outside
    // must go.
    if (m_endQuestion)
        m_endQuestion->done(QMessageBox::Yes);
    else
        close();
}

bool MainWin::endWithoutRoutes() {
    QMessageBox question(QMessageBox::Question, QStringLiteral("Achtung"),
                         QStringLiteral("Die Fahrstrassentabelle konnte nicht gespeichert "
                                        "werden.\n\nProgramm trotzdem beenden?"),
                         QMessageBox::Yes | QMessageBox::No, this);
    question.setObjectName(QStringLiteral("EndQuestion"));
    question.setDefaultButton(QMessageBox::No);
    m_endQuestion = &question;
    return question.exec() == QMessageBox::Yes;
}

// While a job runs the user cannot start another from the settings and
// tools or switch the tab; the throttle on the open tab and the monitor
// keep working.
void MainWin::SetLinkBusy(bool busy) {
    m_linkBusy = busy;
    m_settingsMenu->menuAction()->setEnabled(!busy);
    for (QAction* item : m_toolJobItems)
        item->setEnabled(!busy && m_windowMakers.contains(item->objectName()));
    m_tabs->tabBar()->setEnabled(!busy);
    m_stopGo->setEnabled(!busy);
}

void MainWin::ShowPowerState(int on) {
    if (on)
        showPowerButton(QStringLiteral("STOP"), colour::Green);
    else
        showPowerButton(QStringLiteral("GO"), colour::Red);
}

void MainWin::ShowPowerUnknown() {
    showPowerButton(QStringLiteral("---"), UnknownPowerColour);
}

void MainWin::showPowerButton(const QString& caption, int colour) {
    m_stopGo->setText(caption);
    m_powerLamp->setColour(colour);
}

// The button offers the opposite of the present state; before the core
// has told it, it offers nothing.
void MainWin::onStopGo() {
    if (m_stopGo->text() == QStringLiteral("STOP"))
        requestPower(m_core.jobs, false);
    else if (m_stopGo->text() == QStringLiteral("GO"))
        requestPower(m_core.jobs, true);
}

void MainWin::ShowThrottle(int t) {
    m_throttles[t]->ShowThrottle();
}

void MainWin::ShowLocoPicture(int t) {
    m_throttles[t]->ShowLocoPicture();
}

void MainWin::ShowInterfaceInfo(const QString& text) {
    m_interfaceInfo->setText(text);
}

void MainWin::ShowStationInfo(const QString& text) {
    m_stationInfo->setText(text);
}

void MainWin::ShowPortState(PortState state) {
    m_portState = state;
    m_disconnect->setEnabled(state != PortState::Closed);
    showPortValidity();
}

void MainWin::ShowPortNumber(int comPortNumber) {
    m_port->setText(QString::number(comPortNumber));
}

void MainWin::FocusThrottleAddress() {
    const int tab = m_tabs->currentIndex();
    if (tab == 0 || tab == 1)
        m_throttles[tab]->focusAddress();
}

std::optional<int> MainWin::typedPortNumber() const {
    const QString text = m_port->text().trimmed();
    const bool digits = !text.isEmpty() && isDigitsOnly(text);
    const int number = digits ? text.toInt() : 0;
    if (number < 1 || number > MaxComPort)
        return std::nullopt;
    return number;
}

// A LocoNet server has no COM port: the number stays as it was.
std::optional<int> MainWin::portToConnect() const {
    const Link& link = m_core.state.link;
    if (link.InterfaceType == Link::ServerInterface)
        return link.ComPortNumber;
    return typedPortNumber();
}

// A port number that is none is shown red and cannot be connected to,
// unless the line goes to a server.
void MainWin::showPortValidity() {
    const bool valid = portToConnect().has_value();
    showFieldRange(m_port, !valid, QStringLiteral("Portnummer"), 1, MaxComPort);
    m_connect->setEnabled(valid && m_portState == PortState::Closed);
}

// The typed text read as a message: a refused text never touches the
// request or the line.
void MainWin::showTypedMeaning() {
    const HexTextResult result = parseHexText(m_message->text());
    const monitor::TypedMeaning meaning =
        result.kind == HexTextResult::Placed || result.kind == HexTextResult::Empty
            ? monitor::meaningOfTyped(result.bytes)
            : monitor::TypedMeaning{hexTextProblem(result).section(u'\n', 0, 0), false};
    m_messageMeaning->setText(meaning.text);
    paintText(m_messageMeaning, !meaning.sound);
}

void MainWin::onSendRawMessage() {
    const HexTextResult result = parseHexText(m_message->text());
    if (result.kind == HexTextResult::Empty)
        return;
    if (result.kind != HexTextResult::Placed) {
        m_core.state.showError(hexTextProblem(result));
        return;
    }
    requestRawMessage(m_core.jobs, result.bytes);
}
