#pragma once

#include <QDialog>
#include <array>
#include <functional>

class QButtonGroup;
class QPushButton;
class QRadioButton;

// "Auswahl der Zentrale": which of the three interfaces leads to the
// command station. Shows the current choice each time it is opened; "OK"
// hands the new one on, "Abbrechen" leaves everything as it was.
class ZentraleForm : public QDialog {
    Q_OBJECT
public:
    ZentraleForm(std::function<int()> currentInterface, std::function<void(int)> choose,
                 QWidget* parent = nullptr);

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showChoice();

    std::function<int()> m_current;
    std::function<void(int)> m_choose;
    QButtonGroup* m_options;
    QPushButton* m_ok;
};
