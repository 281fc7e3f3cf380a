#pragma once

#include <QWidget>

// The throttle's speed gauge: a scale from "0" at the bottom to "100" at the
// top, and a pointer with its line across the scale.
class SpeedGauge : public QWidget {
    Q_OBJECT
public:
    explicit SpeedGauge(QWidget* parent = nullptr);

    // 0 = stop .. 1 = full speed.
    void setPointer(float position);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double scaleY(double fraction) const;

    float m_pointer = 0.0f;
};
