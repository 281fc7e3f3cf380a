#include "StartupReport.h"

#include "Station.h"
#include "operating/MainWin.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <QTimer>

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

void reportWhenConnected(MainWin& window) {
    auto* watch = new QTimer(&window);
    QObject::connect(watch, &QTimer::timeout, &window, [&window, watch] {
        const Connection& connection = window.connection();
        if (connection.connecting())
            return;
        watch->stop();
        QTextStream out(stdout);
        out << (connection.connected() ? residentMemory() : "not connected") << Qt::endl;
        QCoreApplication::exit(connection.connected() ? 0 : 1);
    });
    watch->start(Connection::TickInterval);
}
} // namespace

void reportStartup(MainWin& window, Station& station) {
    QTimer::singleShot(0, &window, [&window, &station] {
        QTextStream(stdout) << "shown" << Qt::endl;
        station.link.InterfaceType = UsbInterface;
        window.connection().connectPort(station.link.ComPortNumber);
        reportWhenConnected(window);
    });
}
