#pragma once

#include "MessageKind.h"

#include <QString>
#include <QtGlobal>

namespace monitor {

// A message as it crossed the line, checksum included. The bytes belong to
// whoever hands the message over.
struct Message {
    const quint8* bytes = nullptr;
    int length = 0;

    quint8 operator[](int i) const { return bytes[i]; }
    quint8 opcode() const { return bytes[0]; }
    bool isEmpty() const { return length == 0; }
};

constexpr int NoAddress = -1;
constexpr int NoSlot = -1;

// What a message is about, and what it says.
struct Reading {
    MessageKind kind = MessageKind::Other;
    // As the user counts it: the accessory, the contact, the locomotive or
    // the CV. The address filter looks at it.
    int address = NoAddress;
    // A loco slot the message names without the locomotive's address.
    int slot = NoSlot;
    // Plain German; empty when only the subject was asked for.
    QString text;
};

// What a message's meaning depends on beyond its own bytes.
struct Context {
    // The message before it on the bus: the request a long acknowledge answers.
    Message request;
    // The locomotive in the slot the message names, when known.
    int locoAddress = NoAddress;
};

} // namespace monitor
