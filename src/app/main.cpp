#include "ProgramWindows.h"
#include "QtGerman.h"
#include "StartupReport.h"
#include "core/ConfFolder.h"
#include "core/ProgramCore.h"
#include "net/TcpLinePort.h"
#include "operating/pictures/LocoDrawing.h"
#include "operating/ui/MainWin.h"
#include "operating/ui/MessageQueue.h"
#include "operating/ui/OperatingRelay.h"
#include "operating/ui/ScreenshotTour.h"
#include "platform/ChosenLine.h"
#include "platform/Clock.h"
#include "platform/ComPortNames.h"
#include "platform/EndSignals.h"
#include "platform/QtSerialPort.h"
#include "sim/VirtualSerialPort.h"
#include "sim/VirtualStation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPainter>
#include <QStandardPaths>
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

// The README's picture: throttle 1 driving locomotive 3 at about half speed,
// then the layout's own traffic for the bus monitor's picture.
constexpr int PictureLocomotive = 3;
constexpr int PictureSpeed = 60;
constexpr double PictureTraffic = 20.0;

int takeScreenshots(MainWin& window, ProgramCore& core, ManualClock& clock, bool simulated,
                    const QString& folder) {
    QTextStream err(stderr);
    ScreenshotTour tour(window, core, clock);
    if (simulated && !tour.driveLocomotive(PictureLocomotive, PictureSpeed))
        err << "The virtual command station did not answer the connect.\n";
    else if (simulated)
        tour.watchLayout(PictureTraffic);
    QStringList written;
    QString error;
    if (!tour.saveAll(folder, &written, &error)) {
        err << error << '\n';
        return 1;
    }
    QTextStream(stdout) << written.join('\n') << '\n';
    return 0;
}

QIcon programIcon() {
    QIcon icon;
    for (const int side : {16, 32, 64, 128}) {
        QPixmap picture(side, side);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paintLocoIcon(painter, side);
        painter.end();
        icon.addPixmap(picture);
    }
    return icon;
}
} // namespace

int main(int argc, char* argv[]) {
    // --screenshot DIR draws every window into DIR and ends, with no screen
    // needed: looked for before the application is made, since that is when
    // the platform is chosen.
    const QString screenshotFolder = optionValue(argc, argv, "--screenshot");
    if (!screenshotFolder.isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("gx-velomat"));
    QGuiApplication::setDesktopFileName(QStringLiteral(GX_APP_ID));
    QApplication::setWindowIcon(programIcon());
    loadQtGerman(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Fährt eine digitale Modellbahn über LocoNet."));
    parser.addHelpOption();
    const QCommandLineOption confOption(QStringLiteral("conf"),
                                        QStringLiteral("Der Conf-Ordner mit den Einstellungen."),
                                        QStringLiteral("ORDNER"));
    const QCommandLineOption simulateOption(
        QStringLiteral("simulate"),
        QStringLiteral("Die virtuelle Zentrale statt der gewählten Schnittstelle."));
    const QCommandLineOption demoOption(QStringLiteral("demo"),
                                        QStringLiteral("Mit --simulate: die Demo-Anlage fährt."));
    const QCommandLineOption connectOption(QStringLiteral("connect"),
                                           QStringLiteral("Gleich nach dem Start verbinden."));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Jedes Fenster als ORDNER/<Name>.png speichern und enden."),
        QStringLiteral("ORDNER"));
    const QCommandLineOption reportOption(
        QStringLiteral("report-startup"),
        QStringLiteral("Die Startzeit und nach dem Verbinden den Speicher melden."));
    parser.addOptions(
        {confOption, simulateOption, demoOption, connectOption, screenshotOption, reportOption});
    parser.process(app);

    const QString programFolder = QApplication::applicationDirPath();
    const ConfChoice confChoice = chooseConfFolder(
        parser.value(confOption),
        {programFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
         defaultConfDirs(programFolder)});
    const QString& conf = confChoice.folder;
    const bool simulate = parser.isSet(simulateOption);

    // Pictures are taken on the tour's own clock, so a drive takes no time.
    SteadyClock steadyClock;
    ManualClock tourClock;
    const Clock& clock =
        screenshotFolder.isEmpty() ? static_cast<const Clock&>(steadyClock) : tourClock;
    QtSerialPort serialPort(ComPortNames::fromFile(confPath(conf, "ports.dat")));
    TcpLinePort serverLine;
    ChosenLine realLine(serialPort, serverLine);
    // --simulate puts the virtual command station behind the port, whatever
    // interface is chosen; --demo brings its small demo layout to life.
    VirtualStation virtualStation;
    virtualStation.setDemo(parser.isSet(demoOption));
    VirtualSerialPort virtualPort(clock, virtualStation);
    SerialPort& port = simulate ? static_cast<SerialPort&>(virtualPort) : realLine;
    MessageQueue messages;
    OperatingRelay operating;
    ProgramCore core(clock, port, messages, operating, conf);
    MainWin window(core);
    operating.setTarget(&window);
    messages.setParentWindow(&window);
    ProgramWindows windows(core, window, operating);

    window.StartUp();
    if (!screenshotFolder.isEmpty())
        return takeScreenshots(window, core, tourClock, simulate, screenshotFolder);
    window.show();
    if (const QString message = confChoice.message(); !message.isEmpty())
        messages.ShowMessage(message, QStringLiteral("Conf-Ordner"),
                             confChoice.problem.isEmpty() ? MessageIcon::Information
                                                          : MessageIcon::Critical);
    if (parser.isSet(reportOption))
        reportStartup(window, core);
    else if (parser.isSet(connectOption))
        connectAtStart(window);
    // Ended from outside, the program ends as "Beenden" ends it.
    EndSignals endSignals([&window] { window.endWithoutQuestions(); });
    return app.exec();
}
