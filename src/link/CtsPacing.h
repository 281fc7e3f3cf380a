#pragma once

#include <QByteArray>

class SerialPort;

// The command station's own port takes a character only while it holds CTS,
// and a character already queued in the port goes out whatever CTS says. So
// a character is handed over only when the port has nothing left to send and
// CTS is held. Writes bytes[from..] as far as that allows now and returns how
// far it got; the caller goes on in its next tick. A write the port refuses
// ends the pacing where it stands: the port reports the lost line.
int writeCtsPaced(SerialPort& port, const QByteArray& bytes, int from);
