#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <optional>

// The 8-bit text of the program's files: the Windows code page 1252. It
// agrees with Latin-1 except at 0x80..0x9F, where it holds „ “ – € and the
// like. Every byte reads as a character (the five bytes the code page leaves
// free as the control character of the same number, as Windows does), so a
// file that is read is written back byte for byte.
namespace cp1252 {

QString decode(QByteArrayView bytes);

// Nothing when the text holds a character the code page does not have;
// refused then names the first of them.
std::optional<QByteArray> encode(QStringView text, QString* refused = nullptr);

} // namespace cp1252
