#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The plain-text files of decoder programming, read and written as the
// program's text files are (platform/TextFile.h).
namespace decoderfile {

// Far more than any decoder file holds; a larger file is not one.
constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

// A text in double quotes, the way sequential files write text fields.
QString quoted(const QString& text);
// The first field of a line read the sequential way: blanks before it
// skipped; a quoted field runs to its closing quote, anything else to the
// next comma.
QString firstField(QStringView line);

// A file of the kind its first line names: the line after that (empty when
// there is none) and the record lines that follow.
struct Sections {
    QString second;
    QStringList records;
};
// Nothing when the first field of the first line is not the header.
std::optional<Sections> sections(const QByteArray& content, QLatin1String header);

} // namespace decoderfile
