#pragma once

#include "LocoNetMessage.h"

#include <QByteArray>
#include <QString>

// A hexadecimal text such as "B0 12 30", read as the bytes of a message.
struct HexTextResult {
    enum Kind { Placed, Empty, BadToken, TooLong };
    Kind kind = Empty;
    QString token;    // the token that is no byte, for BadToken
    QByteArray bytes; // the message without its checksum, for Placed
};

// The most bytes a typed message may have: its checksum makes it the longest
// message the receiver can frame.
constexpr int MaxTypedBytes = loconet::MaxMessageLength - 1;

// Reads a text of hexadecimal byte values separated by spaces. A text with a
// token that is not one or two hex digits, or with more bytes than a message
// holds beside its checksum, is refused whole: a byte the user never typed
// must not reach the layout.
HexTextResult parseHexText(const QString& text);

// The user's words for a refused text.
QString hexTextProblem(const HexTextResult& result);
