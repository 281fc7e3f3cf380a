#include "ConfFile.h"

#include "net/ServerHost.h"
#include "platform/TextFile.h"
#include "platform/WholeFile.h"

#include <QStringList>

namespace {

constexpr qint64 MaxConfSize = 4096;
constexpr int MaxComPort = 255;

ConfFile refused(QString* problem, const QString& why) {
    if (problem)
        *problem = why;
    return {};
}

// Lines 3 and 4 count only together and only when both are sound; an older
// file's or a stray line after line 2 means no server.
ServerAddress readServer(const QStringList& lines) {
    if (lines.size() < 4)
        return {};
    const QString host = serverHost(lines[2]);
    const int port = serverPort(lines[3]);
    if (host.isEmpty() || port == 0)
        return {};
    return {host, port};
}

} // namespace

ConfFile ConfFile::parse(const QByteArray& content, QString* problem) {
    const QStringList lines = textLines(content);
    if (lines.size() < 2)
        return refused(problem, lines.isEmpty() ? QStringLiteral("Die Datei ist leer")
                                                : QStringLiteral("Zeile 2 fehlt"));
    bool okType = false;
    bool okPort = false;
    const int type = lines[0].trimmed().toInt(&okType);
    const int port = lines[1].trimmed().toInt(&okPort);
    if (!okType)
        return refused(
            problem,
            QStringLiteral("Zeile 1: „%1“ ist keine Schnittstellennummer").arg(excerpt(lines[0])));
    if (!okPort || port < 1 || port > MaxComPort)
        return refused(problem, QStringLiteral("Zeile 2: „%1“ ist keine COM-Portnummer "
                                               "von 1 bis %2")
                                    .arg(excerpt(lines[1]))
                                    .arg(MaxComPort));
    ConfFile conf;
    conf.InterfaceType = type;
    conf.ComPortNumber = port;
    conf.Server = readServer(lines);
    return conf;
}

ConfFile ConfFile::read(const QString& path, QString* problem) {
    const FileContent file = readWholeFile(path, MaxConfSize);
    if (file.missing)
        return {};
    // Of a file larger than any conf.dat the first lines still count.
    if (!file.whole() && file.bytes.isEmpty())
        return refused(problem,
                       QStringLiteral("Die Datei kann nicht gelesen werden: ") + file.problem);
    return parse(file.bytes, problem);
}

bool ConfFile::write(const QString& path, QString* error) const {
    QStringList lines{QString::number(InterfaceType), QString::number(ComPortNumber)};
    if (!Server.host.isEmpty())
        lines << Server.host << QString::number(Server.port);
    return writeTextFile(path, lines, error);
}
