#pragma once

#include <QLine>
#include <QPoint>
#include <array>
#include <optional>

struct ProgrammingState;

// The speed-step curve of CVs 67..94: 28 points over an X axis of speed
// steps and a Y axis of values, in window pixels.
class SpeedCurve {
public:
    static constexpr int Points = 28;
    static constexpr int MaxValue = 127;
    // How close (in pixels, exclusive) the pointer must be to grab a point.
    static constexpr int GrabDistance = 5;

    // XAchse and YAchse as designed: (495, 4230)-(6480, 4230) and
    // (495, 180)-(495, 4230) twips at 15 twips a pixel.
    SpeedCurve();
    SpeedCurve(QLine xAxis, QLine yAxis) : m_xAxis(xAxis), m_yAxis(yAxis) {}

    QLine xAxis() const { return m_xAxis; }
    QLine yAxis() const { return m_yAxis; }
    // Pixels per speed step and per value unit.
    int dx() const;
    int dy() const;
    int baseline() const { return m_xAxis.y1(); }
    int axisX() const { return m_yAxis.x1(); }

    // x of step i; the y of a value.
    int stepX(int i) const { return axisX() + i * dx() + 9; }
    int valueY(int value) const { return baseline() - value * dy(); }
    // The value a height stands for, truncated.
    int valueAt(int y) const;

    // Places every point from CvValue(67..94); an unknown value is drawn 256
    // units up, beyond the axis.
    void place(const ProgrammingState& prog);
    QPoint point(int i) const { return m_points[i]; }

    // Point i lies within GrabDistance of pos.
    bool near(int i, QPoint pos) const;
    // The lowest point within GrabDistance of pos.
    std::optional<int> pointAt(QPoint pos) const;
    // Drags point i to the pointer's height: a value of 0..127 moves the
    // point to y and is stored in CvValue; any other leaves it. Returns the
    // value when it was taken.
    std::optional<int> drag(int i, int y, ProgrammingState& prog);

private:
    QLine m_xAxis;
    QLine m_yAxis;
    std::array<QPoint, Points> m_points{};
};
