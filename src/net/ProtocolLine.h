#pragma once

#include <QByteArray>
#include <optional>

// One line of the LocoNet-over-TCP protocol: an upper-case token, then
// optionally one space and a parameter, as in "SEND A0 2F 00 70".
struct ProtocolLine {
    QByteArray token;
    QByteArray parameter;

    static ProtocolLine parse(const QByteArray& line);
};

// Bytes as the protocol writes them: "A0 2F 00 70".
QByteArray hexBytes(const QByteArray& bytes);
// The bytes of such a text; nothing when there are none or a token is no
// byte of one or two hex digits.
std::optional<QByteArray> bytesOfHex(const QByteArray& text);
