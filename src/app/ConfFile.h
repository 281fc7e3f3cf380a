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

    // A missing, unreadable or malformed file gives interface 1 on COM 1.
    static ConfFile read(const QString& path);
    static ConfFile parse(const QByteArray& content);
    // Writes the file whole or not at all.
    bool write(const QString& path, QString* error) const;

    // Line 1 other than 1 to 4: no interface chosen.
    bool hasInterface() const { return InterfaceType >= 1 && InterfaceType <= 4; }
};
