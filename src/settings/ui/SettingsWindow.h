#pragma once

#include "widgets/WindowColours.h"

#include <QDialog>

// A window of the "Einstellungen" menu: shown without blocking the program,
// hidden (not destroyed) by closing, Escape or its cancel button. Some read
// from the command station each time they are opened.
class SettingsWindow : public QDialog {
    Q_OBJECT
public:
    using QDialog::QDialog;

    // What the menu calls: shows the window, or brings it to the front and
    // starts its reading again when it is already open.
    void present();

protected:
    void showEvent(QShowEvent* event) override;
    virtual void activated() {}
};
