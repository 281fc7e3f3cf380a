#include "HelpText.h"

#include "platform/TextFile.h"
#include "platform/WholeFile.h"

namespace {
const QString EndMark = QStringLiteral("##ENDE##");
// Far more than any help text; of a stray huge file only the beginning is
// read.
constexpr qint64 MaxHelpSize = 4 * 1024 * 1024;
} // namespace

QStringList helpLines(const QByteArray& content) {
    QStringList lines = textLines(content);
    if (const qsizetype end = lines.indexOf(EndMark); end >= 0)
        lines.resize(end);
    return lines;
}

std::optional<QStringList> readHelpFile(const QString& path) {
    const FileContent file = readWholeFile(path, MaxHelpSize);
    if (!file.whole() && file.bytes.isEmpty())
        return std::nullopt;
    return helpLines(file.bytes);
}
