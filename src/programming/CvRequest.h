#pragma once

#include "link/ReceiveRing.h"

#include <QString>

class Transmitter;

namespace cvrequest {

// Programming start and end messages of the command station.
inline const QString StartMessage = QStringLiteral("E5 07 01 47 58 41");
inline const QString EndMessage = QStringLiteral("E5 07 01 47 58 40");

// Places the 31-byte CV request. cv is the number the user sees (1..1024);
// only the low 8 bits of value are used.
void placeRead(Transmitter& tx, int cv);
void placeWrite(Transmitter& tx, int cv, int value);

// The programming-track answer (slot 124) read against what is outstanding:
// the value read (0..255) when a read succeeded, else 1000 + the status.
int answerFrom(const ReceiveRing::Row& message, int progAnswer);

} // namespace cvrequest
