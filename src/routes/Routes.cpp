#include "Routes.h"

#include "RouteFile.h"
#include "RouteTriggers.h"
#include "link/LinkView.h"

void Routes::LoadRoutes(const QString& path) {
    ReadRouteFile(table, path);
}

bool Routes::SaveRoutes(const QString& path) {
    QString error;
    if (WriteRouteFile(table, path, &error))
        return true;
    m_view.ShowMessage(QStringLiteral("Die Fahrstraßen konnten nicht in %1 gespeichert werden "
                                      "(%2).\nDie bisherige Datei bleibt unverändert.")
                           .arg(path, error),
                       QStringLiteral("Fehler"), MessageIcon::Critical);
    return false;
}

void Routes::OnFeedbackForRoutes(int contact, int state) {
    FireRouteTriggers(table, FeedbackTrigger, contact, state);
}

void Routes::OnAccessoryForRoutes(int address, int direction) {
    FireRouteTriggers(table, AccessoryTrigger, address, direction);
}
