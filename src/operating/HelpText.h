#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

// The help text, a text file of the program (platform/TextFile.h).
// Everything from the line "##ENDE##" (exactly that) on is left out, so the
// file may carry notes after it.
QStringList helpLines(const QByteArray& content);

// The lines of the help file; nothing when it is missing or unreadable.
std::optional<QStringList> readHelpFile(const QString& path);
