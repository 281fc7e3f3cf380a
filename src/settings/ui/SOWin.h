#pragma once

#include "SettingsWindow.h"

class QLineEdit;
class QPushButton;
class SettingsJobs;

// "Sonderoptionen": reads or writes one special option by number. "Lesen"
// needs a number, "Programmieren" a number and a value; each is disabled
// while its fields hold none.
class SOWin : public SettingsWindow {
    Q_OBJECT
public:
    explicit SOWin(SettingsJobs& jobs, QWidget* parent = nullptr);
    ~SOWin() override;

    // Hides the window; it opens again with the first texts.
    void reject() override;

private:
    void checkFields();
    void read();
    void write();
    void showValue(int value);

    SettingsJobs& m_jobs;
    QLineEdit* m_number;
    QLineEdit* m_value;
    QPushButton* m_read;
    QPushButton* m_write;
};
