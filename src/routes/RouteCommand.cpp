#include "RouteCommand.h"

RouteCommandParts SplitRouteCommand(const QString& text) {
    RouteCommandParts parts;
    const qsizetype dash = text.indexOf(u'-');
    if (dash < 0)
        return parts;
    const QString number = text.mid(2, dash - 2);
    const QString after = text.mid(dash + 1);
    if (text.startsWith(u"Rm")) {
        parts.RmAddr = number;
        parts.RmState = after;
    } else if (text.startsWith(u"Ma")) {
        parts.MaAddr = number;
        parts.MaDir = after;
    } else if (text.startsWith(u"Fs")) {
        parts.FsNum = number;
        parts.FsAction = after;
    } else if (text.startsWith(u"Pa")) {
        parts.PaSeconds = after;
    }
    return parts;
}

RouteCommandParts::Kind RouteCommandParts::kind() const {
    if (!MaAddr.isEmpty())
        return Kind::Accessory;
    if (!RmAddr.isEmpty())
        return Kind::Feedback;
    if (!FsNum.isEmpty())
        return Kind::Route;
    if (!PaSeconds.isEmpty())
        return Kind::Pause;
    return Kind::None;
}
