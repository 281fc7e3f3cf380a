#include "HelpText.h"

#include <QFile>

namespace {
const QString EndMark = QStringLiteral("##ENDE##");
// Far more than any help text; a stray huge file is not read whole.
constexpr qint64 MaxHelpSize = 4 * 1024 * 1024;
} // namespace

QStringList helpLines(const QByteArray& content) {
    QString text = QString::fromLatin1(content);
    if (text.isEmpty())
        return {};
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    QStringList lines = text.split(u'\n');
    // The last line end closes the last line; it opens no empty one.
    if (text.endsWith(u'\n'))
        lines.removeLast();
    if (const qsizetype end = lines.indexOf(EndMark); end >= 0)
        lines.resize(end);
    return lines;
}

std::optional<QStringList> readHelpFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return helpLines(file.read(MaxHelpSize));
}
