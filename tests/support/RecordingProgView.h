#pragma once

#include "programming/ProgView.h"

#include <QStringList>

// Remembers what the CV jobs showed in the programming windows.
class RecordingProgView : public ProgView {
public:
    void ShowProgStatus(const QString& text) override { statuses.append(text); }
    void ShowSingleCvValue(const QString& text) override { singleValues.append(text); }
    void ShowStandardCvs() override {}
    void RefreshCvList() override { ++listRefreshes; }
    void ShowSpeedTable() override {}
    void SetProgIdle(bool on) override { idle = on; }

    QString status() const { return statuses.isEmpty() ? QString() : statuses.last(); }

    QStringList statuses;
    QStringList singleValues;
    int listRefreshes = 0;
    bool idle = true;
};
