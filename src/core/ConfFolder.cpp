#include "ConfFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {
const QString ConfName = QStringLiteral("Conf");

QString besideExecutable(const QString& applicationDir) {
    return QDir(applicationDir).filePath(ConfName);
}

// Copies the files of the first default folder that exists into the Conf
// folder, each only where the folder has no file of that name.
bool addMissingDefaults(const QString& folder, const QStringList& defaultDirs, QString* problem) {
    for (const QString& defaults : defaultDirs) {
        const QDir source(defaults);
        if (!source.exists())
            continue;
        if (QFileInfo(source.absolutePath()) == QFileInfo(folder))
            return true;
        for (const QFileInfo& file : source.entryInfoList(QDir::Files)) {
            const QString target = QDir(folder).filePath(file.fileName());
            if (QFileInfo::exists(target))
                continue;
            // Shipped files are read-only; the user's copies are his to change.
            if (!QFile::copy(file.filePath(), target) ||
                !QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner)) {
                *problem = QStringLiteral("%1 kann nicht dorthin kopiert werden.")
                               .arg(QDir::toNativeSeparators(file.filePath()));
                return false;
            }
        }
        return true;
    }
    return true;
}
} // namespace

bool isWritableFolder(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".gx-velomat-XXXXXX")));
    return probe.open();
}

QString ConfChoice::message() const {
    const QString shown = QDir::toNativeSeparators(folder);
    if (!problem.isEmpty())
        return QStringLiteral("Der Conf-Ordner %1 kann nicht eingerichtet werden: %2\n"
                              "Einstellungen und Fahrstraßen können nicht gespeichert werden.")
            .arg(shown, problem);
    if (created)
        return QStringLiteral("Der Conf-Ordner %1 wurde angelegt und mit den mitgelieferten "
                              "Dateien gefüllt. Dort liegen die Einstellungen und Fahrstraßen.")
            .arg(shown);
    return {};
}

ConfChoice chooseConfFolder(const QString& given, const ConfPlaces& places) {
    ConfChoice choice;
    const QString beside = besideExecutable(places.applicationDir);
    if (!given.isEmpty())
        choice.folder = QDir(given).absolutePath();
    else if (QFileInfo(beside).isDir() && places.writable(beside))
        choice.folder = beside;
    else
        choice.folder = QDir(places.userDataDir).absolutePath();

    if (!QFileInfo(choice.folder).isDir()) {
        if (!QDir().mkpath(choice.folder)) {
            choice.problem = QStringLiteral("Der Ordner kann nicht angelegt werden.");
            return choice;
        }
        choice.created = true;
    }
    addMissingDefaults(choice.folder, places.defaultDirs, &choice.problem);
    return choice;
}

QStringList defaultConfDirs(const QString& applicationDir) {
    const QDir dir(applicationDir);
    return {QDir::cleanPath(dir.filePath(QStringLiteral(GX_DEFAULT_CONF_FROM_BIN))),
            besideExecutable(applicationDir)};
}

QString confPath(const QString& folder, const QString& name) {
    return QDir(folder).filePath(name);
}
