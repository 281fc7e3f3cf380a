#pragma once

#include <QMainWindow>

class Station;

// The program's main window.
class MainWin : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWin(Station& station, QWidget* parent = nullptr);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    Station& m_station;
};
