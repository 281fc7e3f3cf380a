#pragma once

#include "Opcode.h"

// What the command station answered, and which request an answer may
// belong to. A job sets its marker to -1 before it asks and waits for it to
// change; the dispatcher fills it in.
struct AnswerBook {
    // The echo of a request that expects an answer has come; the next
    // message is read as the answer to AnswerToOpcode (and, for 0xED, its
    // command byte).
    bool AnswerExpected = false;
    int AnswerToOpcode = 0;
    int AnswerToEdCommand = 0;
    // Byte 2 of the long acknowledge to the last 0xED request.
    int AnswerValue = -1;

    // The peer-transfer answers.
    int SoValueAnswer = -1;
    int LocoFormatAnswer = -1;
    int LocoFormatExtra = -1;
    double SoftwareVersion = -1;
    double SerialNumber = -1;
    int LncvAnswerArticle = -1;
    int LncvNumber = 0;
    int LncvValue = 0;

    // The station refused the last request; the dispatcher has told the
    // user, so the job ends without a second box.
    bool stationRefused() const { return AnswerValue != -1 && AnswerValue != loconet::Accepted; }
};
