#include "StartupReport.h"

#include "Station.h"
#include "operating/MainWin.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <functional>

namespace {
constexpr int UsbInterface = 3;

QByteArray residentMemory() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (line.startsWith("VmRSS:"))
                return line.simplified();
        }
    }
    return "VmRSS: unknown";
}

// Connects on the port of conf.dat once the event loop runs, and calls done
// with the outcome when the connect has ended.
void connectSoon(MainWin& window, Station& station, std::function<void(bool connected)> done) {
    QTimer::singleShot(0, &window, [&window, &station, done] {
        window.connection().connectPort(station.link.ComPortNumber);
        auto* watch = new QTimer(&window);
        QObject::connect(watch, &QTimer::timeout, &window, [&window, watch, done] {
            const Connection& connection = window.connection();
            if (connection.connecting())
                return;
            watch->stop();
            watch->deleteLater();
            done(connection.connected());
        });
        watch->start(Connection::TickInterval);
    });
}
} // namespace

void reportStartup(MainWin& window, Station& station) {
    QTimer::singleShot(0, &window, [] { QTextStream(stdout) << "shown" << Qt::endl; });
    station.link.InterfaceType = UsbInterface;
    connectSoon(window, station, [](bool connected) {
        QTextStream(stdout) << (connected ? residentMemory() : "not connected") << Qt::endl;
        QCoreApplication::exit(connected ? 0 : 1);
    });
}

void connectAtStart(MainWin& window, Station& station) {
    connectSoon(window, station, [](bool connected) {
        QTextStream(stdout) << (connected ? "connected" : "not connected") << Qt::endl;
    });
}
