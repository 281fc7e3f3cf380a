#include "FeedbackStream.h"
#include "PseudoTerminal.h"
#include "SharedBus.h"
#include "TcpBusServer.h"
#include "VirtualStation.h"
#include "platform/Clock.h"
#include "platform/ComPortNames.h"
#include "platform/ServerAddress.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace {

int failWith(const QString& text) {
    QTextStream(stderr) << "gx-sim: " << text << Qt::endl;
    return 1;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("gx-sim");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "The virtual command station on a pseudo-terminal, and with --tcp on a LocoNet-over-TCP "
        "server as well: all share one bus. Prints the terminal's path (and the TCP port) and "
        "serves until stopped.");
    parser.addHelpOption();
    const QCommandLineOption type("type", "Command station type 1, 2, 3, or 99 for unknown.", "N",
                                  "1");
    const QCommandLineOption demo("demo", "Run the demo layout.");
    const QCommandLineOption textMode(
        "text-mode", "Start in text command mode, as the station's own serial port does.");
    const QCommandLineOption registerCom(
        "register-com", "Enter the terminal as COM N in the Conf folder's ports.dat.", "N");
    const QCommandLineOption conf("conf", "The Conf folder for --register-com.", "DIR");
    const QCommandLineOption stream(
        "stream",
        "From the program's first message on, send feedback reports back to back at the line's "
        "bit rate for SECONDS (report k: contact k mod 2048, occupied when k is even), then "
        "print how many, and how many bytes were thrown away because nobody read them.",
        "SECONDS");
    const QCommandLineOption tcp(
        "tcp", "Serve the bus to LocoNet-over-TCP clients on PORT (1234 if none is given, any "
               "free one for 0).");
    parser.addOptions({type, demo, textMode, registerCom, conf, stream, tcp});
    parser.addPositionalArgument("PORT", "The TCP port for --tcp.", "[PORT]");
    parser.process(app);

    bool ok = false;
    const int stationType = parser.value(type).toInt(&ok);
    if (!ok)
        return failWith("--type needs a number: " + parser.value(type));
    int comNumber = 0;
    if (parser.isSet(registerCom)) {
        comNumber = parser.value(registerCom).toInt(&ok);
        if (!ok || comNumber < 1 || comNumber > 255)
            return failWith("--register-com needs a COM number 1..255: " +
                            parser.value(registerCom));
        if (!parser.isSet(conf))
            return failWith("--register-com needs --conf DIR");
    }
    const double streamSeconds = parser.isSet(stream) ? parser.value(stream).toDouble(&ok) : 0;
    if (parser.isSet(stream) && (!ok || streamSeconds <= 0))
        return failWith("--stream needs a number of seconds: " + parser.value(stream));
    const QStringList rest = parser.positionalArguments();
    if (rest.size() > (parser.isSet(tcp) ? 1 : 0))
        return failWith("unexpected arguments: " + rest.join(' '));
    const int tcpPort = rest.isEmpty() ? ServerAddress::DefaultPort : rest.first().toInt(&ok);
    if (!rest.isEmpty() && (!ok || tcpPort < 0 || tcpPort > 65535))
        return failWith("--tcp needs a port 0..65535 (0: any free one): " + rest.first());

    SteadyClock clock;
    VirtualStation station(StationProfile::forType(stationType));
    station.setDemo(parser.isSet(demo));
    if (parser.isSet(textMode))
        station.enterTextMode();

    SharedBus bus(clock, station);
    PseudoTerminal terminal(clock, station, bus);
    if (!terminal.open())
        return failWith(terminal.errorText());
    TcpBusServer server(clock, station, bus);
    if (parser.isSet(tcp) && !server.listen(static_cast<quint16>(tcpPort)))
        return failWith(QStringLiteral("TCP port %1: %2").arg(tcpPort).arg(server.errorText()));
    bus.deliverDue();

    if (comNumber > 0) {
        QString error;
        const QString portsDat = QDir(parser.value(conf)).filePath("ports.dat");
        if (!ComPortNames::registerPort(portsDat, comNumber, terminal.path(), &error))
            return failWith(portsDat + ": " + error);
    }
    FeedbackStream reports(clock, station, streamSeconds);
    if (streamSeconds > 0) {
        QObject::connect(&terminal, &PseudoTerminal::programWrote, &reports,
                         &FeedbackStream::start);
        QObject::connect(&reports, &FeedbackStream::finished, [&terminal](int sent) {
            QTextStream(stdout) << "streamed " << sent << " feedback reports, "
                                << terminal.unreadBytesDropped() << " bytes left unread"
                                << Qt::endl;
        });
    }
    QTextStream out(stdout);
    out << terminal.path() << Qt::endl;
    if (parser.isSet(tcp))
        out << "LocoNet over TCP on port " << server.port() << Qt::endl;
    return app.exec();
}
