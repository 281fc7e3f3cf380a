#pragma once

#include <QString>

// The fields of a command or trigger cell such as "Ma5-g", "Rm12-b",
// "Fs3-an" or "Pa-10". Which of the four address fields is non-empty tells
// the kind; all four empty means no command (empty or unknown text, or a
// known kind without "-").
struct RouteCommandParts {
    QString MaAddr;
    QString MaDir;
    QString FsNum;
    QString FsAction;
    QString RmAddr;
    QString RmState;
    QString PaSeconds;

    enum class Kind { None, Accessory, Feedback, Route, Pause };
    Kind kind() const;
};

RouteCommandParts SplitRouteCommand(const QString& text);
