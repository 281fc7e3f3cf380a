#pragma once

#include <QString>

// What the CV jobs show in the programming windows. The DCC window
// implements it; tests fake it. Message boxes go through the LinkView.
class ProgView {
public:
    virtual ~ProgView() = default;
    // DCCProgStat: what the job is doing.
    virtual void ShowProgStatus(const QString& text) = 0;
    // CVValTxt: the result of a single-CV read.
    virtual void ShowSingleCvValue(const QString& text) = 0;
    virtual void ShowStandardCvs() = 0;
    virtual void RefreshCvList() = 0;
    // The speed-step curve after a list job on the speed table.
    virtual void ShowSpeedTable() = 0;
    // Idle: the start buttons usable and "Abbruch" not; busy the other way.
    virtual void SetProgIdle(bool idle) = 0;
};
