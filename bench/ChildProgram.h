#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>

// The benchmark's children: the program and gx-sim, started from the build
// folder with a Conf folder of their own.

// A copy of the build's Conf folder, so that nothing a child saves reaches it.
bool copyConf(const QString& programFolder, const QString& to);
// Starts gx-velomat, offscreen.
void startProgram(QProcess& child, const QString& programFolder, const QStringList& arguments);
// The next line the child writes; empty when it ended or went quiet.
QByteArray nextLine(QProcess& child);
// The CPU time the child has used so far, as the operating system counts it.
double childCpuSeconds(const QProcess& child);
