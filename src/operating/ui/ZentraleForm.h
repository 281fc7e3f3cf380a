#pragma once

#include "platform/ServerAddress.h"

#include <QDialog>
#include <functional>

class QButtonGroup;
class QGridLayout;
class QLineEdit;
class QPushButton;

// What the interface window shows and hands on: the interface type, and the
// LocoNet server that type 4 connects to.
struct InterfaceChoice {
    int interfaceType = 0;
    ServerAddress server;
};

// "Auswahl der Zentrale": which of the four interfaces leads to the command
// station, and for a LocoNet server over TCP where it is. Shows the current
// choice each time it is opened; "OK" hands the new one on, "Abbrechen"
// leaves everything as it was.
class ZentraleForm : public QDialog {
    Q_OBJECT
public:
    ZentraleForm(std::function<InterfaceChoice()> current,
                 std::function<void(const InterfaceChoice&)> choose, QWidget* parent = nullptr);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* addServerField(const char* name, const QString& label, int row);
    void showChoice();
    bool serverChosen() const;
    // The server as typed; no host or port 0 where the text is none.
    ServerAddress typedServer() const;
    void showValidity();

    std::function<InterfaceChoice()> m_current;
    std::function<void(const InterfaceChoice&)> m_choose;
    QButtonGroup* m_options;
    QGridLayout* m_serverRows;
    QLineEdit* m_host;
    QLineEdit* m_port;
    QPushButton* m_ok;
};
