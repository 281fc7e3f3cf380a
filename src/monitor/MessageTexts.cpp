#include "MessageTexts.h"

#include <QStringList>

namespace monitor {

QString hexByte(quint8 b) {
    return QStringLiteral("%1").arg(b, 2, 16, QLatin1Char('0')).toUpper();
}

QString hexBytes(const Message& m) {
    QString text;
    text.reserve(m.length * 3);
    for (int i = 0; i < m.length; ++i) {
        if (i > 0)
            text += u' ';
        text += hexByte(m[i]);
    }
    return text;
}

QString directionText(int dirf) {
    return (dirf & 0x20) ? QStringLiteral("rückwärts") : QStringLiteral("vorwärts");
}

QString speedText(int speed) {
    switch (speed) {
    case 0:
        return QStringLiteral("Halt");
    case 1:
        return QStringLiteral("Nothalt");
    default:
        return QStringLiteral("Geschwindigkeit %1").arg(speed);
    }
}

QString functionsText(int bits, int first, int count) {
    const QString range = QStringLiteral("F%1–F%2").arg(first).arg(first + count - 1);
    QStringList on;
    for (int k = 0; k < count; ++k) {
        if (bits & (1 << k))
            on.append(QStringLiteral("F%1").arg(first + k));
    }
    if (on.isEmpty())
        return range + QStringLiteral(" aus");
    return range + QStringLiteral(" ein: ") + on.join(QStringLiteral(", "));
}

QString slotText(int slot, int locoAddress) {
    if (locoAddress == NoAddress)
        return QStringLiteral("Slot %1").arg(slot);
    return QStringLiteral("Lok %1 (Slot %2)").arg(locoAddress).arg(slot);
}

QString slotStatusText(int stat) {
    static const char* const Use[] = {"frei", "gemeinsam", "belegt, ohne Auffrischung",
                                      "in Benutzung"};
    QString text = QString::fromUtf8(Use[(stat >> 4) & 0x03]);
    switch (stat & 0x07) {
    case 0:
        text += QStringLiteral(", 28 Fahrstufen");
        break;
    case 1:
        text += QStringLiteral(", 28 Fahrstufen trinär");
        break;
    case 2:
        text += QStringLiteral(", 14 Fahrstufen");
        break;
    case 3:
        text += QStringLiteral(", 128 Fahrstufen");
        break;
    case 4:
        text += QStringLiteral(", 28 Fahrstufen, Mehrfachtraktion");
        break;
    case 7:
        text += QStringLiteral(", 128 Fahrstufen, Mehrfachtraktion");
        break;
    default:
        text += QStringLiteral(", Decodertyp %1").arg(stat & 0x07);
        break;
    }
    switch (stat & 0x48) {
    case 0x08:
        text += QStringLiteral(", Traktionsspitze");
        break;
    case 0x40:
        text += QStringLiteral(", in Traktion");
        break;
    case 0x48:
        text += QStringLiteral(", Traktionsmitte");
        break;
    default:
        break;
    }
    return text;
}

QString dirfText(int dirf) {
    return QStringLiteral("%1, Licht %2, %3")
        .arg(directionText(dirf), (dirf & 0x10) ? QStringLiteral("ein") : QStringLiteral("aus"),
             functionsText(dirf & 0x0F, 1, 4));
}

QString trackText(int trk) {
    QString text =
        (trk & 0x01) ? QStringLiteral("Gleisspannung ein") : QStringLiteral("Gleisspannung aus");
    if (trk & 0x08)
        text += QStringLiteral(", Programmiergleis belegt");
    return text;
}

} // namespace monitor
