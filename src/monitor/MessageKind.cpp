#include "MessageKind.h"

namespace monitor {

QString kindName(MessageKind kind) {
    switch (kind) {
    case MessageKind::Feedback:
        return QStringLiteral("Rückmelder");
    case MessageKind::Switch:
        return QStringLiteral("Weichen");
    case MessageKind::Loco:
        return QStringLiteral("Lok");
    case MessageKind::Programming:
        return QStringLiteral("Programmierung");
    case MessageKind::Station:
        return QStringLiteral("Zentrale");
    case MessageKind::Other:
        break;
    }
    return QStringLiteral("Sonstiges");
}

} // namespace monitor
