#pragma once

#include "ReceiveRing.h"

class LinkState;

// Decodes a received 0xE5 message: the command station's answers and the
// announcements of handheld throttles.
void OnPeerTransfer(LinkState& state, const ReceiveRing::Row& message);

// The serial number held as ten nibbles in five bytes, high nibble first.
// A nibble above 9 keeps its place value, so a damaged answer still gives
// one defined number.
double decodeSerialNumber(const quint8* fiveBytes);
// Version as hi(first).lo(first) hi(second) lo(second), e.g. 1.55.
double decodeSoftwareVersion(quint8 first, quint8 second);
