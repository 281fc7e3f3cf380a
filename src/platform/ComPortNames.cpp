#include "ComPortNames.h"

#include "WholeFile.h"

#include <QFile>
#include <QList>

namespace {

constexpr int MaxComNumber = 255;

struct DefaultRange {
    int first;
    const char* prefix;
};
// COM 1..32 are the on-board UARTs, 33..64 USB converters, 65..96 USB modems.
constexpr DefaultRange DefaultRanges[] = {
    {1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}};
constexpr int RangeSize = 32;

bool parseEntry(const QByteArray& rawLine, int* number, QString* device) {
    const QByteArray line = rawLine.trimmed();
    const int eq = line.indexOf('=');
    if (eq <= 0)
        return false;
    bool ok = false;
    const int n = line.left(eq).trimmed().toInt(&ok);
    const QString path = QString::fromLocal8Bit(line.mid(eq + 1).trimmed());
    if (!ok || n < 1 || n > MaxComNumber || path.isEmpty())
        return false;
    *number = n;
    *device = path;
    return true;
}

} // namespace

ComPortNames ComPortNames::fromText(const QByteArray& portsDat) {
    ComPortNames names;
    for (const QByteArray& line : portsDat.split('\n')) {
        int n = 0;
        QString path;
        if (parseEntry(line, &n, &path))
            names.m_entries.insert(n, path);
    }
    return names;
}

ComPortNames ComPortNames::fromFile(const QString& portsDatPath) {
    QFile file(portsDatPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // A ports.dat is a few lines; a huge file is not one of ours.
    return fromText(file.read(64 * 1024));
}

QString ComPortNames::device(int comNumber) const {
    if (auto it = m_entries.find(comNumber); it != m_entries.end())
        return it.value();
#ifdef Q_OS_WIN
    return QStringLiteral("COM%1").arg(comNumber);
#else
    for (const DefaultRange& range : DefaultRanges) {
        if (comNumber >= range.first && comNumber < range.first + RangeSize)
            return QString::fromLatin1(range.prefix) + QString::number(comNumber - range.first);
    }
    return QStringLiteral("COM%1").arg(comNumber);
#endif
}

int ComPortNames::comNumber(const QString& device) const {
    for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
        if (it.value() == device)
            return it.key();
    }
    const QString name = device.startsWith("/dev/") ? device : device.toUpper();
    if (name.startsWith("COM")) {
        bool ok = false;
        const int n = name.mid(3).toInt(&ok);
        return ok && n >= 1 && n <= MaxComNumber ? n : 0;
    }
    for (const DefaultRange& range : DefaultRanges) {
        const QString prefix = QString::fromLatin1(range.prefix);
        if (!name.startsWith(prefix))
            continue;
        bool ok = false;
        const int index = name.mid(prefix.size()).toInt(&ok);
        if (ok && index >= 0 && index < RangeSize)
            return range.first + index;
    }
    return 0;
}

bool ComPortNames::registerPort(const QString& portsDatPath, int comNumber, const QString& device,
                                QString* error) {
    QList<QByteArray> kept;
    QFile old(portsDatPath);
    if (old.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : old.readAll().split('\n')) {
            int n = 0;
            QString path;
            const QByteArray trimmed = line.trimmed();
            if (trimmed.isEmpty() || (parseEntry(line, &n, &path) && n == comNumber))
                continue;
            kept.append(trimmed);
        }
    }
    kept.append(QByteArray::number(comNumber) + '=' + device.toLocal8Bit());

    QByteArray content;
    for (const QByteArray& line : kept)
        content += line + "\r\n";
    return writeWholeFile(portsDatPath, content, error);
}
