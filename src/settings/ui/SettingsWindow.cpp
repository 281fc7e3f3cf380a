#include "SettingsWindow.h"

#include <QShowEvent>

void SettingsWindow::present() {
    if (isVisible())
        activated();
    show();
    raise();
    activateWindow();
}

void SettingsWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Coming back from minimised is no new opening.
    if (!event->spontaneous())
        activated();
}
