#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The program's text files, line by line: written in the Windows code page
// 1252 with CR LF after every line; read with CR LF, LF or CR alone as line
// ends. A UTF-8 byte-order mark in front is skipped, and the text after it is
// read as the UTF-8 that the editor which put it there meant.

// The content without a leading byte-order mark.
QByteArrayView withoutByteOrderMark(const QByteArray& content);
QString fileText(const QByteArray& content);
// The lines without their ends; the last line end opens no empty line.
QStringList textLines(const QByteArray& content);
// The same as bytes, for lines whose bytes matter more than their text
// (file names of this system).
QList<QByteArrayView> byteLines(const QByteArray& content);

// A value out of a file, cut short to be quoted in a message.
QString excerpt(const QString& value);

// Every line followed by CR LF, in the code page. Nothing when a character
// cannot be written; error then names it for the user.
std::optional<QByteArray> textFileContent(const QStringList& lines, QString* error);
// Refuses a character the code page lacks before anything is written, then
// writes the file whole or not at all.
bool writeTextFile(const QString& path, const QStringList& lines, QString* error);
