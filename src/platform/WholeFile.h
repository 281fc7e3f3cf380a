#pragma once

#include <QByteArray>
#include <QString>

// Writes a file whole or not at all: a temporary file replaces the old one
// only when every byte was written, so a crash or a full disk never leaves a
// cut-off file behind. On failure the old file stays and error says why.
bool writeWholeFile(const QString& path, const QByteArray& content, QString* error);
