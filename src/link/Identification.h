#pragma once

#include "JobMachine.h"

#include <QString>
#include <QtGlobal>

class LinkState;

// Job 100: asks for slot 0 and tells the command station's type from the
// pattern of its answer. Without an answer within a second the type is
// unknown (99), so a connect never waits for ever.
bool IdentifySlot0(LinkState& s);
JobMachine::Ticket requestIdentification(JobMachine& jobs);

// 1, 2, 3 by the slot 0 pattern, else 99. Byte 7 (track status) is not compared.
int stationTypeOfSlot0(const quint8* message);
// The station as the main window names it: "GX-Basic", "unbekannt", …;
// empty while it is being identified.
QString stationTypeName(int stationType);
