#pragma once

#include "SettingsWindow.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class SettingsJobs;

// "Lokdatenformat einzeln": the combo follows the address typed, read anew on
// every change; "Einstellung übernehmen" writes the chosen format once the
// station has told the format of that address.
class Lokeinst : public SettingsWindow {
    Q_OBJECT
public:
    explicit Lokeinst(SettingsJobs& jobs, QWidget* parent = nullptr);
    ~Lokeinst() override;

    // Hides the window; a read still under way is no longer shown.
    void reject() override;

protected:
    void activated() override;

private:
    void addressChanged();
    void showFormat(int code);
    void checkButton();
    void apply();

    SettingsJobs& m_jobs;
    QLineEdit* m_address;
    QComboBox* m_format;
    QPushButton* m_apply;
};
