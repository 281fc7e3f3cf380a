#include "Station.h"

#include "ConfFolder.h"
#include "platform/SerialPort.h"

Station::Station(const Clock& clock, SerialPort& port, LinkView& view, QString confFolder)
    : link(clock, port, view), m_clock(clock), m_confFolder(std::move(confFolder)) {
    m_timer1.setInterval(Timer1Interval);
    m_mainTimer.setInterval(MainTimerInterval);
    connect(&m_timer1, &QTimer::timeout, this, &Station::ReceiveBytes);
    connect(&m_mainTimer, &QTimer::timeout, this, &Station::MainTick);
    port.onBytesArrived = [this] { ReceiveBytes(); };
}

void Station::StartUp() {
    const ConfFile conf = ConfFile::read(confPath(m_confFolder, "conf.dat"));
    link.InterfaceType = conf.InterfaceType;
    link.ComPortNumber = conf.ComPortNumber;
    setTimer1Running(true);
    StationType = 99;
    resetLinkState();
}

void Station::resetLinkState() {
    link.Rx = ReceiveRing{};
    link.Tx.release();
    for (int t = 0; t < 2; ++t) {
        ThrottleData[t][SlotRecord::Address] = -1;
        ThrottleSlot[t] = -1;
    }
    FeedbackState.fill(-1);
    SlotTable[BlankSlot] = SlotRecord{};
}

void Station::ShutDown() { setMainTimerRunning(false); }

void Station::MainTick() { link.TransmitPending(); }

void Station::setMainTimerRunning(bool on) {
    if (on)
        m_mainTimer.start();
    else
        m_mainTimer.stop();
}

void Station::setTimer1Running(bool on) {
    if (on)
        m_timer1.start();
    else
        m_timer1.stop();
}

bool Station::writeConf(QString* error) const {
    const ConfFile conf{link.InterfaceType, link.ComPortNumber};
    return conf.write(confPath(m_confFolder, "conf.dat"), error);
}
