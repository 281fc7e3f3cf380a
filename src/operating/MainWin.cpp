#include "MainWin.h"

#include "app/Station.h"

#include <QApplication>
#include <QCloseEvent>

MainWin::MainWin(Station& station, QWidget* parent) : QMainWindow(parent), m_station(station) {
    setObjectName("MainWin");
    setWindowTitle(QStringLiteral("GX-Velomat"));
}

void MainWin::closeEvent(QCloseEvent* event) {
    m_station.ShutDown();
    event->accept();
    QApplication::quit();
}
