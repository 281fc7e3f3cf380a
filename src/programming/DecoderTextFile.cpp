#include "DecoderTextFile.h"

#include "platform/TextFile.h"

namespace decoderfile {

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
    const QStringList all = textLines(content);
    if (all.isEmpty() || firstField(all[0]) != header)
        return std::nullopt;
    return Sections{all.value(1), all.mid(2)};
}

} // namespace decoderfile
