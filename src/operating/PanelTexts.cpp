#include "PanelTexts.h"

namespace panel {
namespace {
QStringList rangeEntries(int pages, const QString& prefix) {
    QStringList entries;
    entries.reserve(pages);
    for (int k = 0; k < pages; ++k)
        entries.append(prefix + rangeText(k * PageSize));
    return entries;
}
} // namespace

QString rangeText(int base) {
    return QStringLiteral("%1 - %2").arg(base + 1).arg(base + PageSize);
}

QStringList keyboardPageEntries() {
    QStringList entries = rangeEntries(AddressPages, QString());
    for (int k = 0; k < AddressPages; ++k)
        entries[k].prepend(QStringLiteral("Keyboard %1 Adr.: ").arg(k + 1));
    return entries;
}

QStringList feedbackPageEntries() {
    return rangeEntries(AddressPages, QStringLiteral("Rückmelder: "));
}

QStringList routePageEntries(int rowCount) {
    return rangeEntries(qMax(rowCount, 0) / PageSize, QStringLiteral("Fahrstrassen: "));
}

QString accessoryKeyTip(int address, bool green) {
    return QStringLiteral("Mag.Art. %1 %2")
        .arg(address + 1)
        .arg(green ? QStringLiteral("grün") : QStringLiteral("rot"));
}

QString FeedbackActionText(int feedbackState) {
    return feedbackState == 1 ? QStringLiteral("frei") : QStringLiteral("belegt");
}

QString feedbackReportTip(int contact, int feedbackState) {
    return QStringLiteral("Rückm.%1 %2 aussenden")
        .arg(contact + 1)
        .arg(FeedbackActionText(feedbackState));
}

QString routeRequestTip(int route) {
    return QStringLiteral("Fahrstr. %1 anfordern").arg(route);
}

QString routeDissolveTip(int route) {
    return QStringLiteral("Fahrstr. %1 auflösen").arg(route);
}
} // namespace panel
