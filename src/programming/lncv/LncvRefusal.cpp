#include "LncvRefusal.h"

QString lncvWriteRefusal(int code) {
    switch (code) {
    case 0:
        return QStringLiteral("fehlerhaft");
    case 1:
        return QStringLiteral("LNCV nicht vorhanden");
    case 2:
        return QStringLiteral("LNCV schreibgeschützt");
    case 3:
        return QStringLiteral("Wert nicht gültig");
    default:
        return {};
    }
}
