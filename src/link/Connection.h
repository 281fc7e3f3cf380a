#pragma once

#include "ConnectionSwitchOver.h"
#include "ConnectionView.h"
#include "platform/ServerAddress.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class LinkState;

// What a connect needs from the program around the link.
struct ConnectionHooks {
    // MainTimer: the 10 ms tick of jobs, transmitter and dispatcher.
    std::function<void(bool on)> runMainTimer;
    // Timer1: the 100 ms receive poll.
    std::function<void(bool on)> runReceivePoll;
    // conf.dat with the interface type and port that have just worked.
    std::function<bool(QString* error)> writeConf;
    // The COM numbers of the USB LocoNet interfaces plugged in.
    std::function<QList<int>()> listUsbComPorts;
};

// Opens the line to the command station through one of the four
// interfaces, identifies the station, asks for the keyboard page and the
// serial number, and closes the line again. A connect is a sequence of
// steps advanced every 10 ms by its own timer; the jobs it starts run in the
// ordinary main tick meanwhile.
class Connection : public QObject {
    Q_OBJECT
public:
    static constexpr int TickInterval = 10;
    // The LocoNet bit rate, 115200 / 7, at which interface 41770 runs.
    static constexpr int Interface41770BitRate = 16457;

    Connection(LinkState& state, ConnectionView& view, ConnectionHooks hooks,
               QObject* parent = nullptr);

    // "Verbinden" and "Trennen", with the number in the port field.
    void connectPort(int comPortNumber);
    void disconnectPort(int comPortNumber);
    // The choice in the interface window: 1 to 4, and the LocoNet server
    // that 4 connects to.
    void chooseInterface(int interfaceType, const ServerAddress& server);

    void ShowLinkStatus();
    // Acts only while the USB interface is chosen.
    void SearchUsbInterface();

    // One step of a running connect.
    void advance();

    bool connecting() const { return m_phase != Phase::Idle && m_phase != Phase::Connected; }
    bool connected() const { return m_phase == Phase::Connected; }

private:
    enum class Phase { Idle, SwitchOver, Opening, Identify, PageQuery, SerialNumber, Connected };

    bool openPort(const char* settings);
    bool openInterface41770();
    bool openUsbInterface();
    bool openServer();
    bool portError();
    void startLink();
    void identified();
    void finish();
    void fail();
    void lineLost(const QString& reason);
    void stopSequence(Phase phase);
    void holdReceiver();
    void releaseReceiver();

    LinkState& s;
    ConnectionView& m_view;
    ConnectionHooks m_hooks;
    ConnectionSwitchOver m_switchOver;
    QTimer m_tick;
    Phase m_phase = Phase::Idle;
    bool m_receiverHeld = false;
    std::function<void()> m_receiveEvent;
};
