#pragma once

#include <QString>
#include <QStringList>

// Where the program's Conf folder is: "--conf DIR", else Conf beside the
// executable.
QString confFolder(const QStringList& arguments, const QString& applicationDir);

// A file in the Conf folder.
QString confPath(const QString& folder, const QString& name);
