#include "Routes.h"

#include "RouteFile.h"
#include "RouteTriggers.h"
#include "link/LinkView.h"

#include <QDir>

void Routes::LoadRoutes(const QString& path) {
    const RouteFileReading reading = ReadRouteFile(table, path);
    if (reading.whole)
        return;
    m_backup.keepBeforeWriting(path);
    const QString where =
        reading.line > 0 ? QStringLiteral("Zeile %1: ").arg(reading.line) : QString();
    m_view.ShowMessage(QStringLiteral("Die Fahrstraßen in %1 wurden nicht vollständig gelesen.\n"
                                      "%2%3.\n\nGeladen ist, was lesbar war. Die Datei wird vor "
                                      "dem ersten Speichern als %4 aufbewahrt.")
                           .arg(QDir::toNativeSeparators(path), where, reading.problem,
                                QDir::toNativeSeparators(m_backup.backupPath())),
                       QStringLiteral("Dateifehler"), MessageIcon::Critical);
}

bool Routes::save(const QString& path, QString* error) {
    return m_backup.makeIfDue(path, error) && WriteRouteFile(table, path, error);
}

bool Routes::SaveRoutes(const QString& path) {
    QString error;
    if (save(path, &error))
        return true;
    cannotSave(path, error);
    return false;
}

void Routes::SaveEdit(const QString& path) {
    QString error;
    const bool saved = save(path, &error);
    if (!saved && !m_editSaveFailed)
        cannotSave(path, error);
    m_editSaveFailed = !saved;
}

void Routes::cannotSave(const QString& path, const QString& error) {
    m_view.ShowMessage(QStringLiteral("Die Fahrstraßen konnten nicht in %1 gespeichert werden "
                                      "(%2).\nDie bisherige Datei bleibt unverändert.")
                           .arg(QDir::toNativeSeparators(path), error),
                       QStringLiteral("Fehler"), MessageIcon::Critical);
}

void Routes::OnFeedbackForRoutes(int contact, int state) {
    FireRouteTriggers(table, FeedbackTrigger, contact, state);
}

void Routes::OnAccessoryForRoutes(int address, int direction) {
    FireRouteTriggers(table, AccessoryTrigger, address, direction);
}
