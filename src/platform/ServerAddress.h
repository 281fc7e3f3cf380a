#pragma once

#include <QString>

// Where a LocoNet-over-TCP server listens.
struct ServerAddress {
    // The port such servers listen on unless told otherwise.
    static constexpr int DefaultPort = 1234;

    QString host;
    int port = DefaultPort;

    // "host:port" as the user reads it; an IPv6 address in brackets, so its
    // colons do not run into the port's.
    QString text() const {
        const QString shownHost = host.contains(u':') ? u'[' + host + u']' : host;
        return shownHost + u':' + QString::number(port);
    }

    bool operator==(const ServerAddress&) const = default;
};
