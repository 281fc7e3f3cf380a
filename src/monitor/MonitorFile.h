#pragma once

#include <QList>
#include <QString>

class MonitorModel;

// The rows as lines of text, the columns tab-separated, each line ended
// with lineEnd.
QString monitorRowsText(const MonitorModel& model, const QList<int>& rows,
                        const QString& lineEnd = QStringLiteral("\n"));

// Every row of the table into a UTF-8 text file, one line per message;
// written whole or not at all.
bool saveMonitorRows(const MonitorModel& model, const QString& path, QString* error);
