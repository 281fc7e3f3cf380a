#pragma once

#include "ConnectionSwitchOver.h"
#include "ConnectionView.h"
#include "platform/ServerAddress.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>

class JobMachine;
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
    // Asked every tick while the line closes: the accessory outputs the
    // program holds on are switched off; true once none is held any more.
    std::function<bool()> releaseOutputs;
    // The line speaks LocoNet again: what releaseOutputs stopped goes on.
    std::function<void()> takeUpOutputs;
};

// Opens the line to the command station through one of the four
// interfaces, identifies the station, asks for the keyboard page and the
// serial number, and closes the line again. A connect is a sequence of
// steps advanced every 10 ms by its own timer; the jobs it starts run in the
// ordinary main tick meanwhile. Closing is a sequence too: the running job
// ends properly and outputs held on go off before the port closes. A line
// that is lost closes at once.
class Connection : public QObject {
    Q_OBJECT
public:
    static constexpr int TickInterval = 10;
    // The LocoNet bit rate, 115200 / 7, at which interface 41770 runs.
    static constexpr int Interface41770BitRate = 16457;

    // The most a close waits for the running job's end message and the
    // outputs held on: the echo time-out and a long switching time.
    static constexpr double CloseTimeout = 5.0;

    Connection(LinkState& state, JobMachine& jobs, ConnectionView& view, ConnectionHooks hooks,
               QObject* parent = nullptr);

    // "Verbinden" and "Trennen", with the number in the port field. Once
    // the line is closed, closed is called (also when it was closed already).
    void connectPort(int comPortNumber);
    void disconnectPort(int comPortNumber, std::function<void()> closed = {});
    // The choice in the interface window: 1 to 4, and the LocoNet server
    // that 4 connects to.
    void chooseInterface(int interfaceType, const ServerAddress& server);

    void ShowLinkStatus();
    // Acts only while the USB interface is chosen.
    void SearchUsbInterface();

    // One step of a running connect.
    void advance();

    bool connecting() const {
        return m_phase != Phase::Idle && m_phase != Phase::Connected && m_phase != Phase::Closing;
    }
    bool connected() const { return m_phase == Phase::Connected; }
    bool closing() const { return m_phase == Phase::Closing; }

private:
    enum class Phase {
        Idle,
        SwitchOver,
        Opening,
        Identify,
        PageQuery,
        SerialNumber,
        Connected,
        Closing
    };

    bool openPort(const char* settings);
    bool openInterface41770();
    bool openUsbInterface();
    bool openServer();
    bool portError();
    void startLink();
    void follow(quint64 ticket);
    void identified();
    void finish();
    void fail();
    void closeWhenQuiet();
    void closeNow();
    // What a failed connect and a closing line share.
    void closeLine();
    void lineLost(const QString& reason);
    void stopSequence(Phase phase);
    void holdReceiver();
    void releaseReceiver();

    LinkState& s;
    JobMachine& m_jobs;
    ConnectionView& m_view;
    ConnectionHooks m_hooks;
    ConnectionSwitchOver m_switchOver;
    QTimer m_tick;
    Phase m_phase = Phase::Idle;
    quint64 m_ticket = 0;
    double m_closingSince = 0;
    std::function<void()> m_closed;
    bool m_receiverHeld = false;
    std::function<void()> m_receiveEvent;
};
