#include "StartupReport.h"

#include "core/ProgramCore.h"
#include "operating/ui/MainWin.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <functional>

namespace {
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

void whenConnectEnds(MainWin& window, const std::function<void(bool connected)>& then) {
    auto* watch = new QTimer(&window);
    QObject::connect(watch, &QTimer::timeout, &window, [&window, watch, then] {
        const Connection& connection = window.connection();
        if (connection.connecting())
            return;
        watch->stop();
        watch->deleteLater();
        then(connection.connected());
    });
    watch->start(Connection::TickInterval);
}
} // namespace

void reportStartup(MainWin& window, ProgramCore& core) {
    QTimer::singleShot(0, &window, [&window, &core] {
        QTextStream(stdout) << "shown" << Qt::endl;
        core.link.InterfaceType = Link::UsbInterface;
        window.connection().connectPort(core.link.ComPortNumber);
        whenConnectEnds(window, [](bool connected) {
            QTextStream(stdout) << (connected ? residentMemory() : "not connected") << Qt::endl;
            QCoreApplication::exit(connected ? 0 : 1);
        });
    });
}

void connectAtStart(MainWin& window) {
    QTimer::singleShot(0, &window, [&window] {
        window.findChild<QAbstractButton*>(QStringLiteral("OpenPortBut_1"))->click();
        whenConnectEnds(window, [](bool connected) {
            QTextStream(stdout) << (connected ? "connected" : "not connected") << Qt::endl;
        });
    });
}
