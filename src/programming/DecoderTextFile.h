#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The plain-text files of decoder programming: 8-bit Latin-1 text, CR LF at
// the end of each line on writing; LF and CR alone are read as well.
namespace decoderfile {

// Far more than any decoder file holds; a larger file is read as if it
// ended there.
constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

QStringList lines(const QByteArray& content);
QByteArray joinLines(const QStringList& lines);

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

// Nothing when the file cannot be opened.
std::optional<QByteArray> read(const QString& path);
// The file is replaced only when all of it was written.
bool write(const QString& path, const QByteArray& content, QString* error);

} // namespace decoderfile
