#pragma once

#include <QWidget>

class QLine;

// A vertical arrow of five lines: the shaft DirL, the head DirO1/DirO2 at
// the top for forward and DirU1/DirU2 at the bottom for backward.
class DirectionArrow : public QWidget {
    Q_OBJECT
public:
    explicit DirectionArrow(QWidget* parent = nullptr);

    void showDirection(bool backward);
    // No locomotive yet: no arrow at all.
    void hideDirection();

    QSize sizeHint() const override { return {Width, Height}; }

private:
    static constexpr int Width = 24;
    static constexpr int Height = 60;

    QWidget* addLine(const char* name, const QLine& line);

    QWidget* m_shaft;
    QWidget* m_up[2];
    QWidget* m_down[2];
};
