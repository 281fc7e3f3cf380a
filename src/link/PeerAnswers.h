#pragma once

// What the command station answered in its peer-transfer messages. A job
// sets its marker to -1 before it asks and waits for it to change.
struct PeerAnswers {
    int SoValueAnswer = -1;
    int LocoFormatAnswer = -1;
    int LocoFormatExtra = -1;
    double SoftwareVersion = -1;
    double SerialNumber = -1;
    int LncvAnswerArticle = -1;
    int LncvNumber = 0;
    int LncvValue = 0;
};
