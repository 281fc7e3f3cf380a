#include "Families.h"

namespace monitor {

// The contact as the feedback panel counts it: from 1, two per address
// byte, bit 5 of the second byte telling them apart.
bool readFeedback(const Message& m, const Context&, Reading& r, bool withText) {
    r.kind = MessageKind::Feedback;
    r.address = (m[2] & 0x0F) * 256 + m[1] * 2 + ((m[2] >> 5) & 1) + 1;
    if (withText)
        r.text = QStringLiteral("Rückmelder %1: %2")
                     .arg(r.address)
                     .arg((m[2] & 0x10) ? QStringLiteral("belegt") : QStringLiteral("frei"));
    return true;
}

} // namespace monitor
