#include "ConfFolder.h"
#include "ProgramWindows.h"
#include "StartupReport.h"
#include "Station.h"
#include "operating/MainWin.h"
#include "operating/MessageQueue.h"
#include "operating/OperatingRelay.h"
#include "operating/ScreenshotTour.h"
#include "platform/Clock.h"
#include "platform/ComPortNames.h"
#include "platform/EndSignals.h"
#include "platform/QtSerialPort.h"
#include "sim/VirtualSerialPort.h"
#include "sim/VirtualStation.h"

#include <QApplication>
#include <QTextStream>
#include <cstring>

namespace {
// The value after an option such as "--screenshot DIR"; empty when absent.
QString optionValue(int argc, char* argv[], const char* option) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], option) == 0)
            return QString::fromLocal8Bit(argv[i + 1]);
    }
    return {};
}

// The README's picture: throttle 1 driving locomotive 3 at about half speed.
constexpr int PictureLocomotive = 3;
constexpr int PictureSpeed = 60;

int takeScreenshots(MainWin& window, Station& station, ManualClock& clock, bool simulated,
                    const QString& folder) {
    QTextStream err(stderr);
    ScreenshotTour tour(window, station, clock);
    if (simulated && !tour.driveLocomotive(PictureLocomotive, PictureSpeed))
        err << "The virtual command station did not answer the connect.\n";
    QStringList written;
    QString error;
    if (!tour.saveAll(folder, &written, &error)) {
        err << error << '\n';
        return 1;
    }
    QTextStream(stdout) << written.join('\n') << '\n';
    return 0;
}
} // namespace

int main(int argc, char* argv[]) {
    // --screenshot DIR draws every window into DIR and ends, with no screen needed.
    const QString screenshotFolder = optionValue(argc, argv, "--screenshot");
    if (!screenshotFolder.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    const QString conf = confFolder(app.arguments(), QApplication::applicationDirPath());
    const bool simulate = app.arguments().contains("--simulate");

    // Pictures are taken on the tour's own clock, so a drive takes no time.
    SteadyClock steadyClock;
    ManualClock tourClock;
    const Clock& clock =
        screenshotFolder.isEmpty() ? static_cast<const Clock&>(steadyClock) : tourClock;
    QtSerialPort serialPort(ComPortNames::fromFile(confPath(conf, "ports.dat")));
    // --simulate puts the virtual command station behind the port, whatever
    // interface is chosen; --demo brings its small demo layout to life.
    VirtualStation virtualStation;
    virtualStation.setDemo(app.arguments().contains("--demo"));
    VirtualSerialPort virtualPort(clock, virtualStation);
    SerialPort& port = simulate ? static_cast<SerialPort&>(virtualPort) : serialPort;
    MessageQueue messages;
    OperatingRelay operating;
    Station station(clock, port, messages, operating, conf);
    MainWin window(station);
    operating.setTarget(&window);
    messages.setParentWindow(&window);
    ProgramWindows windows(station, window, operating);

    window.StartUp();
    if (!screenshotFolder.isEmpty())
        return takeScreenshots(window, station, tourClock, simulate, screenshotFolder);
    window.show();
    if (app.arguments().contains("--report-startup"))
        reportStartup(window, station);
    if (app.arguments().contains("--connect"))
        connectAtStart(window, station);
    // Ended from outside, the program ends as "Beenden" ends it.
    EndSignals endSignals([&window] { window.endWithoutQuestions(); });
    return app.exec();
}
