#pragma once

#include <QString>
#include <QStringView>

// What the user types or conf.dat holds for a LocoNet server.

// The host: a name, an IPv4 address or an IPv6 address (in brackets or
// not), without blanks around it; empty when the text is none of them.
QString serverHost(QStringView text);
// The TCP port, 1 to 65535 in digits only; 0 when the text is none.
int serverPort(QStringView text);
