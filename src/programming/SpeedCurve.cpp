#include "SpeedCurve.h"

#include "ProgrammingState.h"

#include <cstdlib>

namespace {
constexpr int TwipsPerPixel = 15;
constexpr int ValueSteps = 128;

QLine designLine(int x1, int y1, int x2, int y2) {
    return QLine(x1 / TwipsPerPixel, y1 / TwipsPerPixel, x2 / TwipsPerPixel, y2 / TwipsPerPixel);
}
} // namespace

SpeedCurve::SpeedCurve()
    : SpeedCurve(designLine(495, 4230, 6480, 4230), designLine(495, 180, 495, 4230)) {}

int SpeedCurve::dx() const {
    return std::abs(m_xAxis.x2() - m_xAxis.x1()) / Points;
}

int SpeedCurve::dy() const {
    return std::abs(m_yAxis.y2() - m_yAxis.y1()) / ValueSteps;
}

int SpeedCurve::valueAt(int y) const {
    return dy() == 0 ? 0 : (baseline() - y) / dy();
}

void SpeedCurve::place(const ProgrammingState& prog) {
    for (int i = 0; i < Points; ++i)
        m_points[i] = QPoint(stepX(i), valueY(prog.CvValue[ProgrammingState::FirstSpeedCv + i]));
}

bool SpeedCurve::near(int i, QPoint pos) const {
    return std::abs(m_points[i].x() - pos.x()) < GrabDistance &&
           std::abs(m_points[i].y() - pos.y()) < GrabDistance;
}

std::optional<int> SpeedCurve::pointAt(QPoint pos) const {
    for (int i = 0; i < Points; ++i) {
        if (near(i, pos))
            return i;
    }
    return std::nullopt;
}

std::optional<int> SpeedCurve::drag(int i, int y, ProgrammingState& prog) {
    if (i < 0 || i >= Points)
        return std::nullopt;
    const int value = valueAt(y);
    if (value < 0 || value > MaxValue)
        return std::nullopt;
    m_points[i].setY(y);
    prog.CvValue[ProgrammingState::FirstSpeedCv + i] = value;
    return value;
}
