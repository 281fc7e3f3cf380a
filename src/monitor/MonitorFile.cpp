#include "MonitorFile.h"

#include "MonitorModel.h"
#include "platform/WholeFile.h"

QString monitorRowsText(const MonitorModel& model, const QList<int>& rows, const QString& lineEnd) {
    QString text;
    for (const int row : rows)
        text += model.rowText(row) + lineEnd;
    return text;
}

bool saveMonitorRows(const MonitorModel& model, const QString& path, QString* error) {
    QList<int> rows(model.rowCount());
    for (int row = 0; row < rows.size(); ++row)
        rows[row] = row;
    // The line end of the program's other files, which are read on Windows.
    return writeWholeFile(path, monitorRowsText(model, rows, QStringLiteral("\r\n")).toUtf8(),
                          error);
}
