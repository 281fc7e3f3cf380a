#pragma once

#include <QWidget>

class QLabel;
class QListWidget;

// "Hilfe": the help text, one line per entry in a fixed-pitch font so its
// tables line up. The file is read each time the window is made.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(const QString& helpFile, QWidget* parent = nullptr);

    QListWidget* lines() const { return m_lines; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QListWidget* m_lines;
    QLabel* m_note;
};
