#include "ConfFile.h"

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
    return conf;
}

ConfFile ConfFile::read(const QString& path, QString* problem) {
    const FileContent file = readWholeFile(path, MaxConfSize);
    if (file.missing)
        return {};
    // Of a file larger than any conf.dat the first two lines still count.
    if (!file.whole() && file.bytes.isEmpty())
        return refused(problem,
                       QStringLiteral("Die Datei kann nicht gelesen werden: ") + file.problem);
    return parse(file.bytes, problem);
}

bool ConfFile::write(const QString& path, QString* error) const {
    return writeTextFile(path, {QString::number(InterfaceType), QString::number(ComPortNumber)},
                         error);
}
