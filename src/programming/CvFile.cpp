#include "CvFile.h"

#include "CvText.h"
#include "DecoderTextFile.h"
#include "ProgrammingState.h"

#include <QRegularExpression>

namespace cvfile {

QStringList lines(const ProgrammingState& prog, const std::optional<QString>& tableFile) {
    QStringList file{decoderfile::quoted(QString::fromLatin1(Header)),
                     tableFile ? decoderfile::quoted(*tableFile) : QString()};
    for (int cv = 1; cv <= ProgrammingState::MaxCv; ++cv) {
        if (prog.CvValue[cv] != ProgrammingState::Unknown)
            file.append(QStringLiteral("%1,%2").arg(cv).arg(prog.CvValue[cv]));
    }
    return file;
}

Parsed parse(const QByteArray& content) {
    Parsed parsed;
    const std::optional<decoderfile::Sections> file =
        decoderfile::sections(content, QLatin1String(Header));
    if (!file)
        return parsed;
    parsed.formatOk = true;
    parsed.tableFile = decoderfile::firstField(file->second);
    // A number ends at a blank or a comma.
    static const QRegularExpression separators(QStringLiteral("[ ,\t]+"));
    for (const QString& line : file->records) {
        const QStringList numbers = line.split(separators, Qt::SkipEmptyParts);
        if (numbers.size() < 2 || !cvtext::holdsNumber(numbers[0]) ||
            !cvtext::holdsNumber(numbers[1]))
            continue;
        const Record record{cvtext::fieldNumber(numbers[0]), cvtext::fieldNumber(numbers[1])};
        if (ProgrammingState::isCv(record.cv) && ProgrammingState::isValue(record.value))
            parsed.records.push_back(record);
    }
    return parsed;
}

} // namespace cvfile
