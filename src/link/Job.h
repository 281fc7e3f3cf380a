#pragma once

// The job table: everything the job machine can be asked to do. The
// numbers are the program's own job numbers.
enum class Job : int {
    None = 0,
    AccessoryPageQuery = 1,
    PowerOff = 3,
    PowerOn = 4,
    SwitchRedOff = 16,
    SwitchGreenOff = 17,
    SwitchRedOn = 18,
    SwitchGreenOn = 19,
    ReportFree = 20,
    ReportOccupied = 21,
    // Loco jobs of a throttle: take the locomotive, then send the action.
    LocoAcquire = 30,
    LocoDirectionThenStop = 35,
    LocoHighFunctions = 36,
    LocoSoundFunctions = 37,
    LocoDirectionAndLight = 38,
    LocoSpeed = 39,
    RawMessage = 40,
    OptionRead = 41,
    OptionWrite = 42,
    OptionListRead = 43,
    OptionListWrite = 44,
    StationReset = 46,
    SerialNumberAndVersion = 47,
    LocoFormatRead = 48,
    LocoFormatWrite = 49,
    CvListRead = 50,
    CvListWrite = 51,
    CvRead = 54,
    CvWrite = 55,
    LncvStart = 61,
    LncvEnd = 62,
    LncvRead = 63,
    LncvWrite = 64,
    Identification = 100,
};

inline bool isLocoJob(Job job) {
    return job >= Job::LocoAcquire && job <= Job::LocoSpeed;
}
