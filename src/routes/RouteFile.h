#pragma once

#include <QByteArray>
#include <QString>

class RouteTable;

// FS.DAT, Latin-1 text with one value a line: the pause time, the
// switching time (ms, unquoted), then routes 1..208 with their columns
// 1..55 as quoted cell texts; CR LF line ends.

// Fills the table from the file's content. Also takes LF or CR line ends,
// values separated by commas and unquoted text. Reading stops quietly at
// the end of the data or at a malformed value; what was read stays.
void ParseRouteFile(RouteTable& table, const QByteArray& content);
// A missing or unreadable file leaves the table and the times as they are.
void ReadRouteFile(RouteTable& table, const QString& path);

QByteArray RouteFileContent(const RouteTable& table);
// Writes a temporary file and replaces the old one only when all of it was
// written, so a failed write keeps the routes saved before.
bool WriteRouteFile(const RouteTable& table, const QString& path, QString* error);
