#include "CvTableFile.h"

#include "CvText.h"
#include "DecoderTextFile.h"
#include "ProgrammingState.h"
#include "platform/DigitText.h"

#include <optional>

namespace cvtablefile {

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

qsizetype skipBlanks(QStringView line, qsizetype i) {
    while (i < line.size() && isBlank(line[i]))
        ++i;
    return i;
}

std::optional<CvTable::Entry> entryOf(QStringView line) {
    qsizetype i = skipBlanks(line, 0);
    const qsizetype start = i;
    while (i < line.size() && isDecimalDigit(line[i]))
        ++i;
    const QStringView number = line.mid(start, i - start);
    // The number ends at a blank, a comma or the line end.
    if (number.isEmpty() || !cvtext::holdsNumber(number) ||
        (i < line.size() && !isBlank(line[i]) && line[i] != u','))
        return std::nullopt;
    const int cv = cvtext::fieldNumber(number);
    if (!ProgrammingState::isCv(cv))
        return std::nullopt;
    i = skipBlanks(line, i);
    if (i < line.size() && line[i] == u',')
        i = skipBlanks(line, i + 1);
    QString text = line.mid(i).toString();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        text = text.mid(1, text.size() - 2);
    return CvTable::Entry{QString::number(cv), text};
}

// An explanation that would not read back as it is (blanks or a comma in
// front, or quotes around it) is written between quotes.
QString storedText(const QString& text) {
    const bool readsBack = !text.startsWith(u' ') && !text.startsWith(u'\t') &&
                           !text.startsWith(u',') &&
                           !(text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'));
    return readsBack ? text : decoderfile::quoted(text);
}

} // namespace

QStringList lines(const QString& name, const QList<CvTable::Entry>& entries) {
    QStringList file{QString::fromLatin1(Header), name};
    for (const CvTable::Entry& entry : entries)
        file.append(entry.cv + QLatin1Char(' ') + storedText(entry.text));
    return file;
}

Parsed parse(const QByteArray& content) {
    Parsed parsed;
    const std::optional<decoderfile::Sections> file =
        decoderfile::sections(content, QLatin1String(Header));
    if (!file)
        return parsed;
    parsed.formatOk = true;
    parsed.name = file->second;
    for (const QString& line : file->records) {
        if (const std::optional<CvTable::Entry> entry = entryOf(line))
            parsed.entries.append(*entry);
    }
    return parsed;
}

} // namespace cvtablefile
