#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Whether the program may write in a folder: it tries, since permission bits
// do not tell about read-only media, and root passes every bit test.
bool isWritableFolder(const QString& folder);

// Where the program may look for its Conf folder.
struct ConfPlaces {
    QString applicationDir; // the executable's folder
    QString userDataDir;    // the user's own data folder for the program
    // The folders that hold the shipped default files, first found first.
    QStringList defaultDirs;
    std::function<bool(const QString&)> writable = isWritableFolder;
};

// The Conf folder in use and what starting with it took.
struct ConfChoice {
    QString folder;
    bool created = false; // made now and filled with the shipped files
    QString problem;      // why the folder could not be made or filled

    // What the user is told once: that the folder was made, or why it
    // could not be; empty when there is nothing to tell.
    QString message() const;
};

// The folder given (by "--conf DIR"); else the Conf folder beside the executable when the program
// may write in it, as in a portable copy or the build; else the user's data
// folder, as for an installed program. A missing folder is made; shipped
// default files it lacks are copied in, and nothing in it is overwritten.
ConfChoice chooseConfFolder(const QString& given, const ConfPlaces& places);

// The shipped defaults: installed under the data folder that belongs to
// the executable's folder, or the Conf folder beside the executable.
QStringList defaultConfDirs(const QString& applicationDir);

// A file in the Conf folder.
QString confPath(const QString& folder, const QString& name);
