#pragma once

#include <QtGlobal>

// Sees every message that crosses the line, for the bus monitor. The link
// calls it as messages leave and as the dispatcher takes them; a tap only
// records and must not act on the link.
class MessageTap {
public:
    enum class Origin {
        Sent,    // written by this program
        Echo,    // the bus repeating what this program wrote
        Bus,     // from the command station or another device
        Damaged, // its bytes do not add up to its checksum; never acted on
    };

    virtual ~MessageTap() = default;
    virtual void tapMessage(Origin origin, const quint8* bytes, int length) = 0;
};
