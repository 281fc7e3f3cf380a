#pragma once

#include "link/ReceiveRing.h"

#include <array>

namespace cvrequest {

// The 31-byte CV request without its checksum.
using Request = std::array<quint8, 30>;

// cv is the number the user sees (1..1024); only the low 8 bits of value
// are used.
Request read(int cv);
Request write(int cv, int value);

// The programming-track answer (slot 124) read against what is outstanding:
// the value read (0..255) when a read succeeded, else 1000 + the status.
int answerFrom(const ReceiveRing::Row& message, int progAnswer);

} // namespace cvrequest
