#pragma once

// The one shared request a window writes for the job machine. A later
// request replaces one that has not been taken yet.
struct JobRequest {
    int JobCode = 0; // 0 = idle
    int JobCounter = 0;
    int JobPhase = 0;
    double JobTimeStamp = 0;
    double JobPulseTime = 0;
    int JobThrottle = 0;
    bool LocoJobActive = false;
    int ExtFnType = 0;
    int ExtFnValue = 0;

    void start(int code, int counter = 0) {
        JobCode = code;
        JobCounter = counter;
        JobPhase = 0;
    }
    bool idle() const { return JobCode == 0; }
};
