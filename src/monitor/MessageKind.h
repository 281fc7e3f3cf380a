#pragma once

#include <QString>
#include <array>

namespace monitor {

// The kinds of message the monitor's filters tell apart.
enum class MessageKind { Feedback, Switch, Loco, Programming, Station, Other };

constexpr int KindCount = 6;

constexpr std::array<MessageKind, KindCount> AllKinds = {
    MessageKind::Feedback,    MessageKind::Switch,  MessageKind::Loco,
    MessageKind::Programming, MessageKind::Station, MessageKind::Other,
};

// The word the filters show: "Rückmelder", "Weichen", ...
QString kindName(MessageKind kind);

} // namespace monitor
