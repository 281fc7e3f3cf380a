#include "CvFile.h"

#include "CvText.h"
#include "DecoderTextFile.h"
#include "ProgrammingState.h"

#include <QRegularExpression>

namespace cvfile {

QByteArray content(const ProgrammingState& prog, const std::optional<QString>& tableFile) {
    QStringList lines{decoderfile::quoted(QString::fromLatin1(Header)),
                      tableFile ? decoderfile::quoted(*tableFile) : QString()};
    for (int cv = 1; cv <= ProgrammingState::MaxCv; ++cv) {
        if (prog.CvValue[cv] != ProgrammingState::Unknown)
            lines.append(QStringLiteral("%1,%2").arg(cv).arg(prog.CvValue[cv]));
    }
    return decoderfile::joinLines(lines);
}

Parsed parse(const QByteArray& content) {
    Parsed parsed;
    const QStringList lines = decoderfile::lines(content);
    if (lines.isEmpty() || decoderfile::firstField(lines[0]) != QLatin1String(Header))
        return parsed;
    parsed.formatOk = true;
    if (lines.size() > 1)
        parsed.tableFile = decoderfile::firstField(lines[1]);
    // A number ends at a blank or a comma.
    static const QRegularExpression separators(QStringLiteral("[ ,\t]+"));
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList numbers = lines[i].split(separators, Qt::SkipEmptyParts);
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
