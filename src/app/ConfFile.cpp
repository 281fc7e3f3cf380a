#include "ConfFile.h"

#include "net/ServerHost.h"
#include "platform/WholeFile.h"

#include <QFile>
#include <QList>

namespace {
constexpr qint64 MaxConfSize = 4096;

// Lines 3 and 4 count only together and only when both are sound; an older
// file's or a stray line after line 2 means no server.
ServerAddress readServer(const QList<QByteArray>& lines) {
    if (lines.size() < 4)
        return {};
    const QString host = serverHost(QString::fromLatin1(lines[2]));
    const int port = serverPort(QString::fromLatin1(lines[3]));
    if (host.isEmpty() || port == 0)
        return {};
    return {host, port};
}
} // namespace

ConfFile ConfFile::parse(const QByteArray& content) {
    ConfFile conf;
    const QList<QByteArray> lines = content.split('\n');
    if (lines.size() < 2)
        return conf;
    bool okType = false;
    bool okPort = false;
    const int type = lines[0].trimmed().toInt(&okType);
    const int port = lines[1].trimmed().toInt(&okPort);
    if (!okType || !okPort || port < 1 || port > 255)
        return conf;
    conf.InterfaceType = type;
    conf.ComPortNumber = port;
    conf.Server = readServer(lines);
    return conf;
}

ConfFile ConfFile::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.read(MaxConfSize));
}

bool ConfFile::write(const QString& path, QString* error) const {
    QByteArray content =
        QByteArray::number(InterfaceType) + "\r\n" + QByteArray::number(ComPortNumber) + "\r\n";
    if (!Server.host.isEmpty())
        content += Server.host.toLatin1() + "\r\n" + QByteArray::number(Server.port) + "\r\n";
    return writeWholeFile(path, content, error);
}
