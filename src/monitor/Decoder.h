#pragma once

#include "MonitorMessage.h"

#include <QByteArray>

// Reads LocoNet messages as the program and the command station use them,
// for the monitor, the raw send line and whoever else wants to know what a
// message means.
namespace monitor {

// The XOR of all bytes, checksum included, is 0xFF.
bool checksumOk(const Message& m);

// What the filters need, without building any text: cheap enough for every
// message that arrives.
Reading subjectOf(const Message& m, const Context& context = {});
// The same with the German text.
Reading meaningOf(const Message& m, const Context& context = {});

// What the raw send line would put on the wire, the typed bytes with their
// checksum appended. Not sound: the bytes are no proper message.
struct TypedMeaning {
    QString text;
    bool sound = true;
};
TypedMeaning meaningOfTyped(const QByteArray& typed);

} // namespace monitor
