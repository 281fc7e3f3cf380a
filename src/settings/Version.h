#pragma once

#include "SettingsWindow.h"

class JobMachine;
class LinkState;
class QLabel;

// "Serienummer und Software-Version": asks the command station each time it
// is opened; the labels change only when both answers have come.
class Version : public SettingsWindow {
    Q_OBJECT
public:
    Version(LinkState& state, JobMachine& jobs, QWidget* parent = nullptr);
    ~Version() override;

    void ShowVersion();

protected:
    void activated() override;

private:
    LinkState& s;
    JobMachine& m_jobs;
    QLabel* m_serialNumber;
    QLabel* m_version;
};
