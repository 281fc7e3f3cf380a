#include "ConfFolder.h"
#include "Station.h"
#include "link/OperatingView.h"
#include "operating/MainWin.h"
#include "operating/MessageQueue.h"
#include "platform/Clock.h"
#include "platform/ComPortNames.h"
#include "platform/QtSerialPort.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString conf = confFolder(app.arguments(), QApplication::applicationDirPath());

    SteadyClock clock;
    QtSerialPort port(ComPortNames::fromFile(confPath(conf, "ports.dat")));
    MessageQueue messages;
    OperatingView operating;
    Station station(clock, port, messages, operating, conf);
    MainWin window(station);
    messages.setParentWindow(&window);

    station.StartUp();
    window.show();
    return app.exec();
}
