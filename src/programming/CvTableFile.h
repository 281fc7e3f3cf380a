#pragma once

#include "CvTable.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A CV table file (.LST): the line LST-Datei, the table's name, then one
// line per row: its CV number, a blank, its explanation. Values and check
// marks are not stored.
namespace cvtablefile {

constexpr auto Header = "LST-Datei";

QStringList lines(const QString& name, const QList<CvTable::Entry>& entries);

struct Parsed {
    bool formatOk = false;
    QString name;
    // Rows in file order, duplicates kept. A line without a CV number of
    // 1..1024 in front is passed over. The explanation is the rest of the
    // line, so a comma in it does not split the row.
    QList<CvTable::Entry> entries;
};

Parsed parse(const QByteArray& content);

} // namespace cvtablefile
