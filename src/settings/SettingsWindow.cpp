#include "SettingsWindow.h"

#include "link/Colours.h"

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

void paintText(QWidget* widget, bool red) {
    const int bgr = red ? colour::Red : 0;
    const QColor ink(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, ink);       // fields
    palette.setColor(QPalette::WindowText, ink); // labels
    widget->setPalette(palette);
}

void showWholeText(QLineEdit* field, const QString& text, int typedLength) {
    field->setMaxLength(qMax(typedLength, static_cast<int>(text.size())));
    field->setText(text);
}
