#include "Station.h"

#include "ConfFile.h"
#include "ConfFolder.h"
#include "link/LinkJobs.h"
#include "link/LinkView.h"
#include "link/OperatingView.h"
#include "platform/SerialPort.h"

#include <QDir>

Station::Station(const Clock& clock, SerialPort& port, LinkView& messages, OperatingView& operating,
                 QString confFolder)
    : state(clock, port, messages, operating), link(state.link), jobs(state), dispatcher(state),
      routes(clock, link.Tx, messages), programming(state, jobs), lncv(state, jobs),
      settings(state, jobs), m_confFolder(std::move(confFolder)) {
    registerLinkJobs(jobs, state);
    state.hooks.OnAccessoryForRoutes = [this](int address, int direction) {
        routes.OnAccessoryForRoutes(address, direction);
    };
    state.hooks.OnFeedbackForRoutes = [this](int contact, int occupied) {
        routes.OnFeedbackForRoutes(contact, occupied);
    };
    m_timer1.setInterval(Timer1Interval);
    m_mainTimer.setInterval(MainTimerInterval);
    connect(&m_timer1, &QTimer::timeout, this, &Station::ReceiveBytes);
    connect(&m_mainTimer, &QTimer::timeout, this, &Station::MainTick);
    port.onBytesArrived = [this] { ReceiveBytes(); };
}

void Station::StartUp() {
    const QString confFile = confPath(m_confFolder, "conf.dat");
    QString problem;
    const ConfFile conf = ConfFile::read(confFile, &problem);
    if (!problem.isEmpty()) {
        m_confBackup.keepBeforeWriting(confFile);
        state.messages.ShowMessage(
            QStringLiteral("%1 wurde nicht gelesen.\n%2.\n\nDas Programm beginnt mit "
                           "Schnittstelle 1 an COM 1. Bevor die Datei nach dem ersten Verbinden "
                           "neu geschrieben wird, wird sie als %3 aufbewahrt.")
                .arg(QDir::toNativeSeparators(confFile), problem,
                     QDir::toNativeSeparators(m_confBackup.backupPath())),
            QStringLiteral("Dateifehler"), MessageIcon::Critical);
    }
    link.InterfaceType = conf.InterfaceType;
    link.ComPortNumber = conf.ComPortNumber;
    setTimer1Running(true);
    routes.LoadRoutes(routeFilePath());
    state.resetToStartValues();
    state.operating.SetLinkBusy(true);
}

bool Station::ShutDown() {
    setMainTimerRunning(false);
    return routes.SaveRoutes(routeFilePath());
}

void Station::MainTick() {
    jobs.RunJobStep();
    routes.RunRouteEngine();
    link.TransmitPending();
    dispatcher.DispatchAll();
}

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

bool Station::writeConf(QString* error) {
    const QString path = confPath(m_confFolder, "conf.dat");
    const ConfFile conf{link.InterfaceType, link.ComPortNumber};
    return m_confBackup.makeIfDue(path, error) && conf.write(path, error);
}

QString Station::routeFilePath() const {
    return confPath(m_confFolder, "FS.DAT");
}
