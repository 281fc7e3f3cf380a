#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The help text: Latin-1, lines ended by CR LF, a lone CR or LF. Everything
// from the line "##ENDE##" (exactly that) on is left out, so the file may
// carry notes after it.
QStringList helpLines(const QByteArray& content);

// The lines of the help file; nothing when it is missing or unreadable.
std::optional<QStringList> readHelpFile(const QString& path);
