#pragma once

#include "platform/ServerAddress.h"

#include <QString>

// conf.dat: the interface type on line 1, the COM port number on line 2,
// and once a LocoNet server has been chosen its host and TCP port on lines
// 3 and 4.
struct ConfFile {
    int InterfaceType = 1;
    int ComPortNumber = 1;
    // No host: lines 3 and 4 are neither there nor written.
    ServerAddress Server;

    // A missing file gives interface 1 on COM 1. So does a file that cannot
    // be read or does not start with the two numbers; problem then says what
    // was wrong, in the user's words.
    static ConfFile read(const QString& path, QString* problem = nullptr);
    static ConfFile parse(const QByteArray& content, QString* problem = nullptr);
    // Writes the file whole or not at all.
    bool write(const QString& path, QString* error) const;
};
