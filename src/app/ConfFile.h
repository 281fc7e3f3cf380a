#pragma once

#include <QString>

// conf.dat: the interface type on line 1, the COM port number on line 2.
struct ConfFile {
    int InterfaceType = 1;
    int ComPortNumber = 1;

    // A missing file gives interface 1 on COM 1. So does a file that cannot
    // be read or does not start with the two numbers; problem then says what
    // was wrong, in the user's words.
    static ConfFile read(const QString& path, QString* problem = nullptr);
    static ConfFile parse(const QByteArray& content, QString* problem = nullptr);
    // Writes the file whole or not at all.
    bool write(const QString& path, QString* error) const;

    // Line 1 other than 1, 2 or 3: no interface chosen.
    bool hasInterface() const { return InterfaceType >= 1 && InterfaceType <= 3; }
};
