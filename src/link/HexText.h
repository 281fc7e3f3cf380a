#pragma once

#include <QString>

class Transmitter;

// The outcome of placing a hexadecimal text such as "B0 12 30".
struct HexTextResult {
    enum Kind { Placed, Empty, BadToken, TooLong };
    Kind kind = Empty;
    QString token; // the token that is no byte, for BadToken
};

// Fills TxBuffer from a text of hexadecimal byte values separated by spaces.
// A text with a token that is not one or two hex digits, or with more bytes
// than a message holds, is refused whole and nothing is placed: a byte the
// user never typed must not reach the layout.
HexTextResult SendHexText(Transmitter& tx, const QString& text);

// The user's words for a refused text.
QString hexTextProblem(const HexTextResult& result);

// Moves bit 7 of data bytes 7..13 of a 15-byte station request into byte 6.
void PackHighBits(Transmitter& tx);
