#include "Connection.h"

#include "AccessoryJobs.h"
#include "Identification.h"
#include "JobMachine.h"
#include "LinkState.h"
#include "LinkView.h"
#include "OperatingView.h"
#include "SerialNumberJob.h"
#include "platform/SerialPort.h"

#include <QStringList>

namespace {

QString interfaceText(int interfaceType) {
    switch (interfaceType) {
    case 1:
        return QStringLiteral("ComPort->GX");
    case 2:
        return QStringLiteral("ComPort->41770");
    case 3:
        return QStringLiteral("USB->GX/41780");
    case Link::ServerInterface:
        return QStringLiteral("TCP->LocoNet");
    default:
        return {};
    }
}

void showAttention(LinkState& s, const QString& text) {
    s.messages.ShowMessage(text, QStringLiteral("Achtung"), MessageIcon::None);
}
} // namespace

Connection::Connection(LinkState& state, JobMachine& jobs, ConnectionView& view,
                       ConnectionHooks hooks, QObject* parent)
    : QObject(parent), s(state), m_jobs(jobs), m_view(view), m_hooks(std::move(hooks)),
      m_switchOver(state.clock, state.link.port(), state.messages) {
    m_tick.setInterval(TickInterval);
    connect(&m_tick, &QTimer::timeout, this, &Connection::advance);
    s.link.port().onLineLost = [this](const QString& reason) { lineLost(reason); };
}

void Connection::ShowLinkStatus() {
    if (const QString text = stationTypeName(s.station.StationType); !text.isEmpty())
        m_view.ShowStationInfo(text);
    if (const QString text = interfaceText(s.link.InterfaceType); !text.isEmpty())
        m_view.ShowInterfaceInfo(text);
}

void Connection::SearchUsbInterface() {
    if (s.link.InterfaceType != Link::UsbInterface)
        return;
    const QList<int> ports = m_hooks.listUsbComPorts();
    if (ports.size() == 1) {
        m_view.ShowPortNumber(ports.first());
    } else if (ports.isEmpty()) {
        showAttention(s, QStringLiteral("Es wurde kein Dornquist-USB-Interface gefunden!"));
    } else {
        QStringList numbers;
        for (const int port : ports)
            numbers.append(QString::number(port));
        showAttention(s, QStringLiteral("Es gibt mehrere mögliche ComPorts mit einem "
                                        "Dornquist-USB-Interface!\n\n"
                                        "Liste der möglichen ComPortNr.: ") +
                             numbers.join(QStringLiteral(", ")));
    }
}

void Connection::chooseInterface(int interfaceType, const ServerAddress& server) {
    s.link.InterfaceType = interfaceType;
    s.link.Server = server;
    SearchUsbInterface();
    ShowLinkStatus();
}

void Connection::connectPort(int comPortNumber) {
    if (m_phase != Phase::Idle)
        return;
    m_hooks.runMainTimer(false);
    Link& link = s.link;
    link.ComPortNumber = comPortNumber;
    if (interfaceText(link.InterfaceType).isEmpty()) {
        showAttention(s, QStringLiteral("Es ist kein Interface ausgewählt!\n\n"
                                        "Bitte unter Optionen - Interface auswählen eines "
                                        "wählen."));
        return;
    }
    // Whatever an earlier connection left in the transmitter or the ring
    // must not be taken for this station's.
    link.port().close();
    link.Tx.release();
    link.Rx.clear();
    link.ConnectTime = s.now();
    s.answers.AnswerExpected = false;
    m_view.ShowPortState(ConnectionView::PortState::Opening);

    switch (link.InterfaceType) {
    case 1:
        if (!openPort("2400,n,8,2"))
            return fail();
        holdReceiver();
        m_switchOver.begin(comPortNumber);
        m_phase = Phase::SwitchOver;
        m_tick.start();
        return;
    case 2:
        if (!openInterface41770())
            return fail();
        return startLink();
    case Link::ServerInterface:
        if (!openServer())
            return fail();
        // The server is reached in the event loop; the start-up
        // conversation waits for it.
        m_phase = Phase::Opening;
        m_tick.start();
        return;
    default:
        if (!openUsbInterface())
            return fail();
        return startLink();
    }
}

bool Connection::openPort(const char* settings) {
    SerialPort& port = s.link.port();
    return (port.setSettings(QString::fromLatin1(settings)) && port.open(s.link.ComPortNumber)) ||
           portError();
}

bool Connection::openInterface41770() {
    const int com = s.link.ComPortNumber;
    if (com != 1 && com != 2) {
        s.messages.ShowMessage(QStringLiteral("Nur ComPort 1 oder 2 möglich!"),
                               QStringLiteral("Fehler 41770"), MessageIcon::None);
        return false;
    }
    SerialPort& port = s.link.port();
    port.setRts(true);
    if (!openPort("19200,n,8,1"))
        return false;
    port.readAll();
    return port.setCustomBitRate(Interface41770BitRate) || portError();
}

bool Connection::openUsbInterface() {
    SerialPort& port = s.link.port();
    port.setDtr(false);
    port.setRts(false);
    return openPort("115200,n,8,1");
}

bool Connection::openServer() {
    return s.link.port().openServer(s.link.Server) || portError();
}

bool Connection::portError() {
    QString text = s.link.port().errorText();
    if (text.isEmpty())
        text = QStringLiteral("ComPort %1 lässt sich nicht öffnen.").arg(s.link.ComPortNumber);
    s.messages.ShowMessage(text, QStringLiteral("Verbindungsfehler:"), MessageIcon::None);
    return false;
}

void Connection::startLink() {
    m_hooks.runMainTimer(true);
    m_jobs.open();
    if (m_hooks.takeUpOutputs)
        m_hooks.takeUpOutputs();
    s.station.StationType = StationSlots::Identifying;
    m_phase = Phase::Identify;
    follow(requestIdentification(m_jobs));
    m_tick.start();
}

// Each step of the sequence follows the job before it at once; what the
// user asks for meanwhile waits until the whole connect is done.
void Connection::follow(quint64 ticket) {
    m_ticket = ticket;
    m_jobs.whenEnded(ticket, [this] { advance(); });
}

void Connection::advance() {
    if (m_phase != Phase::SwitchOver && m_phase != Phase::Closing && m_jobs.pending(m_ticket))
        return;
    switch (m_phase) {
    case Phase::SwitchOver:
        switch (m_switchOver.advance()) {
        case ConnectionSwitchOver::Result::Running:
            return;
        case ConnectionSwitchOver::Result::Failed:
            return fail();
        case ConnectionSwitchOver::Result::Done:
            releaseReceiver();
            return startLink();
        }
        return;
    case Phase::Opening:
        if (s.link.port().isOpen())
            startLink();
        return;
    case Phase::Identify:
        return identified();
    case Phase::PageQuery:
        m_phase = Phase::SerialNumber;
        follow(requestSerialNumberAndVersion(m_jobs));
        return;
    case Phase::SerialNumber:
        return finish();
    case Phase::Closing:
        return closeWhenQuiet();
    case Phase::Idle:
    case Phase::Connected:
        return;
    }
}

// A station that never sent its slot 0 is not there, or is no command
// station: the line is closed again instead of showing it as connected. The
// identification has already told the user.
void Connection::identified() {
    if (s.station.StationType == StationSlots::Identifying ||
        s.station.SlotTable[0][SlotRecord::Address] == -1) {
        s.station.StationType = StationSlots::UnknownStation;
        return fail();
    }
    ShowLinkStatus();
    // The keyboard page the user has chosen stays: its lamps are asked for.
    m_phase = Phase::PageQuery;
    follow(requestPageQuery(m_jobs, s.pages.KeyboardBase));
    m_view.FocusThrottleAddress();
}

void Connection::finish() {
    stopSequence(Phase::Connected);
    m_view.ShowPortState(ConnectionView::PortState::Open);
    s.operating.SetLinkBusy(false);
    QString error;
    if (!m_hooks.writeConf(&error))
        s.showError(QStringLiteral("conf.dat kann nicht geschrieben werden:\n%1").arg(error));
}

void Connection::fail() {
    closeLine();
    ShowLinkStatus();
}

// A line that is open and speaks LocoNet closes in order: the running job
// ends with its end message, outputs held on go off, then the port closes.
// Anything else closes at once.
void Connection::disconnectPort(int comPortNumber, std::function<void()> closed) {
    s.link.ComPortNumber = comPortNumber;
    m_closed = std::move(closed);
    const bool speaksLocoNet =
        m_phase != Phase::Idle && m_phase != Phase::SwitchOver && m_phase != Phase::Opening;
    if (!speaksLocoNet || m_phase == Phase::Closing || !s.link.port().isOpen())
        return closeNow();
    stopSequence(Phase::Closing);
    m_jobs.close(true);
    m_closingSince = s.now();
    m_view.ShowPortState(ConnectionView::PortState::Closing);
    m_tick.start();
}

void Connection::closeWhenQuiet() {
    const bool outputsOff = !m_hooks.releaseOutputs || m_hooks.releaseOutputs();
    const bool quiet = m_jobs.idle() && s.link.Tx.isFree() && s.link.port().bytesToWrite() == 0;
    if ((outputsOff && quiet) || s.now() - m_closingSince > CloseTimeout)
        closeNow();
}

void Connection::closeNow() {
    closeLine();
    s.link.Tx.release();
    m_view.ShowPowerUnknown();
    s.station.StationType = StationSlots::UnknownStation;
    ShowLinkStatus();
    if (auto closed = std::exchange(m_closed, nullptr))
        closed();
}

void Connection::closeLine() {
    stopSequence(Phase::Idle);
    m_jobs.close(false);
    m_hooks.runMainTimer(false);
    s.link.port().close();
    s.operating.SetLinkBusy(true);
    m_view.ShowPortState(ConnectionView::PortState::Closed);
}

// The cable is pulled or the device is gone: nothing more can be sent, so
// the line closes at once, and the user is told which line it was.
void Connection::lineLost(const QString& reason) {
    if (m_phase == Phase::Idle)
        return;
    closeNow();
    s.messages.ShowMessage(reason, QStringLiteral("Verbindungsfehler:"), MessageIcon::Critical);
}

void Connection::stopSequence(Phase phase) {
    m_tick.stop();
    releaseReceiver();
    m_phase = phase;
}

// While the station's own port still speaks text, its answers are for the
// switch-over, not for the LocoNet receiver.
void Connection::holdReceiver() {
    SerialPort& port = s.link.port();
    m_hooks.runReceivePoll(false);
    m_receiveEvent = std::exchange(port.onBytesArrived, nullptr);
    m_receiverHeld = true;
}

void Connection::releaseReceiver() {
    if (!m_receiverHeld)
        return;
    s.link.port().onBytesArrived = std::move(m_receiveEvent);
    m_hooks.runReceivePoll(true);
    m_receiverHeld = false;
}
