#include "ConfFolder.h"

#include <QDir>

QString confFolder(const QStringList& arguments, const QString& applicationDir) {
    const qsizetype i = arguments.indexOf("--conf");
    if (i >= 0 && i + 1 < arguments.size())
        return QDir(arguments[i + 1]).absolutePath();
    return QDir(applicationDir).filePath("Conf");
}

QString confPath(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name);
}
