#include "DecoderTextFile.h"

#include <QFile>
#include <QSaveFile>

namespace decoderfile {

QStringList lines(const QByteArray& content) {
    QStringList result;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= content.size(); ++i) {
        if (i < content.size() && content[i] != '\r' && content[i] != '\n')
            continue;
        if (i == content.size() && start == i)
            break;
        result.append(QString::fromLatin1(content.mid(start, i - start)));
        if (i + 1 < content.size() && content[i] == '\r' && content[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    return result;
}

QByteArray joinLines(const QStringList& lines) {
    QByteArray content;
    for (const QString& line : lines)
        content += line.toLatin1() + "\r\n";
    return content;
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString firstField(QStringView line) {
    qsizetype i = 0;
    while (i < line.size() && (line[i] == u' ' || line[i] == u'\t'))
        ++i;
    line = line.mid(i);
    if (line.startsWith(u'"')) {
        const qsizetype close = line.indexOf(u'"', 1);
        return (close < 0 ? line.mid(1) : line.mid(1, close - 1)).toString();
    }
    const qsizetype comma = line.indexOf(u',');
    return (comma < 0 ? line : line.left(comma)).trimmed().toString();
}

std::optional<Sections> sections(const QByteArray& content, QLatin1String header) {
    const QStringList all = lines(content);
    if (all.isEmpty() || firstField(all[0]) != header)
        return std::nullopt;
    return Sections{all.value(1), all.mid(2)};
}

std::optional<QByteArray> read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(MaxFileSize);
}

bool write(const QString& path, const QByteArray& content, QString* error) {
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(content);
        if (file.commit())
            return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace decoderfile
