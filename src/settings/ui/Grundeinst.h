#pragma once

#include "SettingsWindow.h"
#include "settings/BasicSettings.h"
#include "settings/SettingsJobs.h"

#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLineEdit;
class QPushButton;

// "Grundeinstellungen": reads the six basic special options each time it is
// opened and writes them all back with "Einstellungen übernehmen". That
// button waits for the first complete read and is disabled while a time or
// count field holds no valid number.
class Grundeinst : public SettingsWindow {
    Q_OBJECT
public:
    explicit Grundeinst(SettingsJobs& jobs, QWidget* parent = nullptr);
    ~Grundeinst() override;

protected:
    void activated() override;

private:
    QLineEdit* addNumberField(QGridLayout* grid, const QString& label, const QString& name,
                              int typedLength);
    void showOptions(const SpecialOptions& options);
    basic::Fields fields() const;
    void checkFields();
    void apply();

    SettingsJobs& m_jobs;
    std::optional<basic::Values> m_asRead;
    QComboBox* m_locoFormat;
    QComboBox* m_accessoryFormat;
    std::array<QLineEdit*, 2> m_switchTimes{};
    QLineEdit* m_packets;
    QCheckBox* m_stopAtStart;
    QPushButton* m_apply;
};
