#pragma once

#include "MonitorMessage.h"

// One reader per family of messages, each in its own file. A reader sets
// the kind, the address and the slot of a message of its family, and the
// German text only when asked for it (withText); it returns false for a
// message that is not of its family. The message has its proper length and
// only data bytes after the opcode; its checksum is not looked at here.
namespace monitor {

// 81 82 83 85
bool readPower(const Message& m, const Context& c, Reading& r, bool withText);
// B0 B1 BC BD
bool readSwitch(const Message& m, const Context& c, Reading& r, bool withText);
// B2
bool readFeedback(const Message& m, const Context& c, Reading& r, bool withText);
// A0..A3, B5, B6, B8..BB, BE, BF, D4, E6
bool readLoco(const Message& m, const Context& c, Reading& r, bool withText);
// E7 and EF of the station's and the locomotives' slots
bool readSlotData(const Message& m, const Context& c, Reading& r, bool withText);
// B4, read against the request it answers when that is known
bool readLongAck(const Message& m, const Context& c, Reading& r, bool withText);
// The station's own 15-byte requests ED 0F 01 47 58 and its E5 0F answers
bool readStation(const Message& m, const Context& c, Reading& r, bool withText);
// LNCV requests ED 0F 01 05 00 and answers E5 0F ... 1F
bool readLncv(const Message& m, const Context& c, Reading& r, bool withText);
// The programming track: E5 07 start and end, ED 1F CV requests, slot 124
bool readProgramming(const Message& m, const Context& c, Reading& r, bool withText);
// Other peer transfers, and DCC packets for the track
bool readPeer(const Message& m, const Context& c, Reading& r, bool withText);

// ED 0F 01 05 00: a request to the LNCV modules.
bool isLncvRequest(const Message& m);

} // namespace monitor
