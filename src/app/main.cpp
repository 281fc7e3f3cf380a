#include "ConfFolder.h"
#include "Station.h"
#include "link/OperatingView.h"
#include "operating/MainWin.h"
#include "operating/MessageQueue.h"
#include "platform/Clock.h"
#include "platform/ComPortNames.h"
#include "platform/QtSerialPort.h"
#include "sim/VirtualSerialPort.h"
#include "sim/VirtualStation.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString conf = confFolder(app.arguments(), QApplication::applicationDirPath());

    SteadyClock clock;
    QtSerialPort serialPort(ComPortNames::fromFile(confPath(conf, "ports.dat")));
    // --simulate puts the virtual command station behind the port, whatever
    // interface is chosen; --demo brings its small demo layout to life.
    VirtualStation virtualStation;
    virtualStation.setDemo(app.arguments().contains("--demo"));
    VirtualSerialPort virtualPort(clock, virtualStation);
    SerialPort& port =
        app.arguments().contains("--simulate") ? static_cast<SerialPort&>(virtualPort) : serialPort;
    MessageQueue messages;
    OperatingView operating;
    Station station(clock, port, messages, operating, conf);
    MainWin window(station);
    messages.setParentWindow(&window);

    station.StartUp();
    window.show();
    return app.exec();
}
