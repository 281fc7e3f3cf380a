#pragma once

#include <QList>

// What can go wrong with the command station, switched on by tests so that
// every failure path of the program can be walked. All off by default.
struct Faults {
    // Neither echo nor answer nor text: a dead line.
    bool silent = false;
    // Answers, but the PC's own messages do not come back.
    bool noEcho = false;
    // The echo comes back with its checksum byte changed.
    bool corruptEcho = false;
    // Requests are refused with a long acknowledge of code 0 and not acted on.
    bool refuse = false;
    // Seconds by which every answer comes later than it would.
    double answerDelay = 0;
    // Requests with these opcodes are echoed but never answered.
    QList<quint8> unanswered;
    // The station's port holds CTS off: the PC may hand it no character.
    bool ctsOff = false;
    // The cable between the PC and the station is out: an open line fails at
    // its next use, and the port cannot be opened until it is back in.
    bool cablePulled = false;

    enum class ProgrammingTrack { Decoder, NoDecoder, ShortCircuit };
    ProgrammingTrack programmingTrack = ProgrammingTrack::Decoder;
};
