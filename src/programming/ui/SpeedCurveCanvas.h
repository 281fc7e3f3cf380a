#pragma once

#include "programming/SpeedCurve.h"

#include <QWidget>
#include <array>

struct ProgrammingState;

// The drawing of the speed-step curve: axes with their ticks and numbers,
// the 28 points Pkt(0..27) and the lines PLine between them. A point is
// grabbed with the mouse and dragged up or down; the pointer over a point
// paints it red. From the keyboard, Left and Right choose a point and Up and
// Down change its value by one.
class SpeedCurveCanvas : public QWidget {
    Q_OBJECT
public:
    static constexpr int PointSize = 12;

    SpeedCurveCanvas(ProgrammingState& prog, QWidget* parent = nullptr);

    // Places the points from CvValue(67..94).
    void redraw();
    const SpeedCurve& curve() const { return m_curve; }
    int selectedPoint() const { return m_selected; }

signals:
    // The CV and value of the point under the pointer or being dragged.
    void pointShown(int cv, int value);
    // A drag has changed CvValue.
    void curveChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placePoint(int i);
    // Moves point i to height y; true when its value was taken.
    bool dragTo(int i, int y);
    void showOnly(int i);
    void hover(QPoint pos);
    void fill(int i, Qt::GlobalColor colour);

    ProgrammingState& m_prog;
    SpeedCurve m_curve;
    std::array<QWidget*, SpeedCurve::Points> m_pkt{};
    int m_selected = -1;
    bool m_dragged = false;
};
