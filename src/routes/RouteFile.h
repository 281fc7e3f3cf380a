#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class RouteTable;

// FS.DAT, text with one value a line: the pause time, the switching time
// (ms, unquoted), then routes 1..208 with their columns 1..55 as quoted
// cell texts; CR LF line ends.

// What reading FS.DAT gave.
struct RouteFileReading {
    // False when something in the file could not be taken as it stands, or
    // the file could not be read at all: a save would then lose part of it.
    bool whole = true;
    // The line of the first problem; 0 when it lies in no one line.
    int line = 0;
    QString problem;
};

// Fills the table from the file's content. Also takes LF or CR line ends,
// values separated by commas and unquoted text. Times that are not numbers
// end the reading; a quote missing in a cell costs only that cell, so the
// routes after it are still read. What was read stays.
RouteFileReading ParseRouteFile(RouteTable& table, const QByteArray& content);
// A missing file leaves the table and the times as they are and counts as
// whole: there is nothing in it to lose.
RouteFileReading ReadRouteFile(RouteTable& table, const QString& path);

QStringList RouteFileLines(const RouteTable& table);
// Writes a temporary file and replaces the old one only when all of it was
// written, so a failed write keeps the routes saved before.
bool WriteRouteFile(const RouteTable& table, const QString& path, QString* error);
