#include "ComPortNames.h"

#include "TextFile.h"
#include "WholeFile.h"

#include <QList>

namespace {

constexpr int MaxComNumber = 255;
// A ports.dat is a few lines; a huge file is not one of ours.
constexpr qint64 MaxPortsDatSize = 64 * 1024;

struct DefaultRange {
    int first;
    const char* prefix;
};
// COM 1..32 are the on-board UARTs, 33..64 USB converters, 65..96 USB modems.
constexpr DefaultRange DefaultRanges[] = {
    {1, "/dev/ttyS"}, {33, "/dev/ttyUSB"}, {65, "/dev/ttyACM"}};
constexpr int RangeSize = 32;

// The device is a path of this system, so its bytes are taken as the system
// names its files, not as the code page of the program's text.
bool parseEntry(QByteArrayView rawLine, int* number, QString* device) {
    const QByteArrayView line = rawLine.trimmed();
    const int eq = line.indexOf('=');
    if (eq <= 0)
        return false;
    bool ok = false;
    const int n = line.first(eq).trimmed().toInt(&ok);
    const QString path = QString::fromLocal8Bit(line.sliced(eq + 1).trimmed());
    if (!ok || n < 1 || n > MaxComNumber || path.isEmpty())
        return false;
    *number = n;
    *device = path;
    return true;
}

} // namespace

ComPortNames ComPortNames::fromText(const QByteArray& portsDat) {
    ComPortNames names;
    for (const QByteArrayView line : byteLines(portsDat)) {
        int n = 0;
        QString path;
        if (parseEntry(line, &n, &path))
            names.m_entries.insert(n, path);
    }
    return names;
}

ComPortNames ComPortNames::fromFile(const QString& portsDatPath) {
    return fromText(readWholeFile(portsDatPath, MaxPortsDatSize).bytes);
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
    // Lines that could not be read cannot be kept: then nothing is written.
    const FileContent old = readWholeFile(portsDatPath, MaxPortsDatSize);
    if (!old.whole() && !old.missing) {
        if (error)
            *error = old.problem;
        return false;
    }
    QByteArray content;
    for (const QByteArrayView line : byteLines(old.bytes)) {
        int n = 0;
        QString path;
        if (line.trimmed().isEmpty() || (parseEntry(line, &n, &path) && n == comNumber))
            continue;
        content.append(line.trimmed()).append("\r\n");
    }
    content += QByteArray::number(comNumber) + '=' + device.toLocal8Bit() + "\r\n";
    return writeWholeFile(portsDatPath, content, error);
}
