#include "ScreenshotTour.h"

#include "MainWin.h"
#include "ThrottlePanel.h"
#include "core/ProgramCore.h"
#include "platform/Clock.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QSlider>

namespace {
constexpr double Tick = 0.01;
constexpr int TicksPerGaugeStep = 10;
constexpr double ConnectTimeLimit = 30.0;
} // namespace

void ScreenshotTour::run(double seconds) {
    const int ticks = static_cast<int>(seconds / Tick);
    for (int i = 0; i < ticks; ++i) {
        m_window.connection().advance();
        if (m_core.timer1Running())
            m_core.ReceiveBytes();
        if (m_core.mainTimerRunning())
            m_core.MainTick();
        if (i % TicksPerGaugeStep == 0) {
            m_window.throttle(0).ZeigerTimerTick();
            m_window.throttle(1).ZeigerTimerTick();
        }
        m_clock.advance(Tick);
    }
}

bool ScreenshotTour::driveLocomotive(int address, int sliderValue) {
    Connection& connection = m_window.connection();
    connection.connectPort(m_core.state.link.ComPortNumber);
    for (double waited = 0; connection.connecting() && waited < ConnectTimeLimit; waited += 0.5)
        run(0.5);
    if (!connection.connected())
        return false;

    ThrottlePanel& throttle = m_window.throttle(0);
    auto* addressField = throttle.findChild<QLineEdit*>(QStringLiteral("LokAdr_0"));
    addressField->setText(QString::number(address));
    emit addressField->returnPressed();
    run(1.0);
    throttle.findChild<QSlider*>(QStringLiteral("FSTScroll_0"))->setValue(sliderValue);
    run(1.0);
    throttle.toggleFunction(0);
    run(2.0);
    return true;
}

// Every window is drawn, also those that a closed line or a job started by
// a window opened before keeps locked.
void openEveryMenuWindow(MainWin& window) {
    for (QMenu* menu : window.menuBar()->findChildren<QMenu*>()) {
        for (QAction* item : menu->actions()) {
            window.SetLinkBusy(false);
            if (item->isEnabled() && !item->isSeparator() &&
                item->objectName() != QStringLiteral("EndeMenu"))
                item->trigger();
        }
    }
}

bool ScreenshotTour::saveAll(const QString& folder, QStringList* written, QString* error) {
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("Ordner %1 kann nicht angelegt werden.").arg(folder);
        return false;
    }
    m_window.show();
    openEveryMenuWindow(m_window);
    QCoreApplication::sendPostedEvents();
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->objectName().isEmpty())
            continue;
        const QString path = QDir(folder).filePath(window->objectName() + QStringLiteral(".png"));
        if (!window->grab().save(path)) {
            *error = QStringLiteral("%1 kann nicht geschrieben werden.").arg(path);
            return false;
        }
        written->append(path);
    }
    return true;
}
