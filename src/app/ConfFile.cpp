#include "ConfFile.h"

#include "platform/WholeFile.h"

#include <QFile>
#include <QList>

namespace {
constexpr qint64 MaxConfSize = 4096;
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
    return conf;
}

ConfFile ConfFile::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parse(file.read(MaxConfSize));
}

bool ConfFile::write(const QString& path, QString* error) const {
    return writeWholeFile(path,
                          QByteArray::number(InterfaceType) + "\r\n" +
                              QByteArray::number(ComPortNumber) + "\r\n",
                          error);
}
