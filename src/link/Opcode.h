#pragma once

#include <QtGlobal>

// The LocoNet opcodes the program sends or reads, and the codes inside the
// command station's own 15-byte requests and peer answers. The names are
// the ones the program's messages go by; the wire values are the protocol's.
namespace loconet {

enum Opcode : quint8 {
    Busy = 0x81,
    PowerOff = 0x82,
    PowerOn = 0x83,
    Idle = 0x85,

    LocoSpeed = 0xA0,
    LocoDirF = 0xA1,
    LocoSound = 0xA2,
    LocoF9to12 = 0xA3,

    SwitchRequest = 0xB0,
    SwitchReport = 0xB1,
    InputReport = 0xB2,
    LongAck = 0xB4,
    SlotStatus = 0xB5,
    ConsistFunction = 0xB6,
    UnlinkSlots = 0xB8,
    LinkSlots = 0xB9,
    MoveSlots = 0xBA,
    RequestSlotData = 0xBB,
    SwitchState = 0xBC,
    SwitchAck = 0xBD,
    LocoAddressExpanded = 0xBE,
    LocoAddress = 0xBF,

    ExtendedFunction = 0xD4,

    PeerTransfer = 0xE5,
    ExtendedSlotData = 0xE6,
    SlotData = 0xE7,
    StationRequest = 0xED,
    WriteSlotData = 0xEF,
};

// Byte 1 of a 0xD4 message that carries functions.
constexpr quint8 ExtendedFunctionGroup = 0x20;

// A long acknowledge names the opcode it answers without bit 7.
constexpr quint8 answeredOpcode(quint8 opcode) {
    return opcode & 0x7F;
}

// The slots with a meaning of their own.
enum Slot : int {
    StationSlot = 0,
    LastLocoSlot = 119,
    ProgrammingTrackSlot = 124,
};

// The command station's address inside its 15-byte requests and answers.
constexpr quint8 StationAddress1 = 0x47;
constexpr quint8 StationAddress2 = 0x58;
// LNCV requests go to the modules instead.
constexpr quint8 ModulesAddress1 = 0x05;
constexpr quint8 ModulesAddress2 = 0x00;

// Byte 5 of a 15-byte message 0xED 0x0F 0x01 <to> <to> <command> ...
enum StationCommand : quint8 {
    WriteOption = 0x01,
    ReadOption = 0x02,
    ReadVersion = 0x06,
    ReadSerialNumber = 0x07,
    WriteLocoFormat = 0x0C,
    ReadLocoFormat = 0x0D,
    DirectionReport = 0x15,
    ResetConfiguration = 0x18,
    LncvWrite = 0x20,
    LncvRequest = 0x21,
};

// Byte 5 of a 15-byte peer answer 0xE5 0x0F ...
enum PeerAnswerKind : quint8 {
    OptionValueAnswer = 0x00,
    VersionAnswer = 0x08,
    SerialNumberAnswer = 0x09,
    LocoFormatAnswer = 0x0B,
    LncvAnswer = 0x1F,
};

// The count bytes of the station's own messages.
constexpr quint8 Request15Count = 0x0F;
constexpr quint8 CvRequestCount = 0x1F;
constexpr quint8 SlotDataCount = 0x0E;

// Status of a long acknowledge to a station request: accepted.
constexpr quint8 Accepted = 0x7F;

// The long acknowledge to a switch state request: the accessory's direction.
constexpr quint8 SwitchStateGreen = 0x30;
constexpr quint8 SwitchStateRed = 0x50;

// The programming track: the start and end messages E5 07 01 47 58
// <41/40>, and byte 6 of the 31-byte CV request ED 1F 01 47 58.
constexpr quint8 ProgrammingStartEndCount = 0x07;
enum ProgrammingCommand : quint8 {
    EndProgramming = 0x40,
    StartProgramming = 0x41,
    WriteCv = 0x71,
    ReadCv = 0x72,
};

// A handheld throttle asks for a locomotive with an LNCV answer of its
// article, this LNCV and its number as the value, without source or
// destination.
constexpr int HandheldThrottleArticle = 4750;
constexpr int HandheldAnnouncementLncv = 5;

// The last data byte of an LNCV request.
enum LncvFlags : quint8 {
    LncvPlain = 0x00,
    LncvEnd = 0x40,
    LncvStart = 0x80,
};

} // namespace loconet
