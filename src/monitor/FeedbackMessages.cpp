#include "Families.h"
#include "link/MessageReaders.h"

namespace monitor {

// The contact as the feedback panel counts it: from 1.
bool readFeedback(const Message& m, const Context&, Reading& r, bool withText) {
    r.kind = MessageKind::Feedback;
    const messages::FeedbackReport report = messages::readFeedbackReport(m.bytes);
    r.address = report.contact + 1;
    if (withText)
        r.text = QStringLiteral("Rückmelder %1: %2")
                     .arg(r.address)
                     .arg(report.state ? QStringLiteral("belegt") : QStringLiteral("frei"));
    return true;
}

} // namespace monitor
