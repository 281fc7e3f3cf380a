#include "SettingsWindow.h"

#include <QLineEdit>
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

void showWholeText(QLineEdit* field, const QString& text, int typedLength) {
    field->setMaxLength(qMax(typedLength, static_cast<int>(text.size())));
    field->setText(text);
}
