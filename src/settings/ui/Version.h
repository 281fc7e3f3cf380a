#pragma once

#include "SettingsWindow.h"

class JobMachine;
struct AnswerBook;
struct LinkHooks;
class QLabel;

// "Serienummer und Software-Version": asks the command station each time it
// is opened; the labels change only when both answers have come.
class Version : public SettingsWindow {
    Q_OBJECT
public:
    Version(const AnswerBook& answers, LinkHooks& hooks, JobMachine& jobs,
            QWidget* parent = nullptr);
    ~Version() override;

    void ShowVersion();

protected:
    void activated() override;

private:
    const AnswerBook& m_answers;
    LinkHooks& m_hooks;
    JobMachine& m_jobs;
    QLabel* m_serialNumber;
    QLabel* m_version;
};
