#pragma once

#include "SettingsWindow.h"

class LinkState;
class QLabel;

// "Serienummer und Software-Version": asks the command station each time it
// is opened; the labels change only when both answers have come.
class Version : public SettingsWindow {
    Q_OBJECT
public:
    explicit Version(LinkState& state, QWidget* parent = nullptr);
    ~Version() override;

    void ShowVersion();

protected:
    void activated() override;

private:
    LinkState& s;
    QLabel* m_serialNumber;
    QLabel* m_version;
};
