#include "SpeedCurveCanvas.h"

#include "programming/ProgrammingState.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int Tick = 4;
constexpr int Width = 460;
constexpr int Height = 310;
} // namespace

SpeedCurveCanvas::SpeedCurveCanvas(ProgrammingState& prog, QWidget* parent)
    : QWidget(parent), m_prog(prog) {
    setObjectName(QStringLiteral("SpeedCurve"));
    setAccessibleName(QStringLiteral("Fahrstufentabelle"));
    setFixedSize(Width, Height);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    for (int i = 0; i < SpeedCurve::Points; ++i) {
        QWidget* point = new QWidget(this);
        point->setObjectName(QStringLiteral("Pkt_%1").arg(i));
        point->resize(PointSize, PointSize);
        point->setAutoFillBackground(true);
        point->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_pkt[i] = point;
        fill(i, Qt::black);
    }
    redraw();
}

void SpeedCurveCanvas::redraw() {
    m_curve.place(m_prog);
    for (int i = 0; i < SpeedCurve::Points; ++i)
        placePoint(i);
    update();
}

void SpeedCurveCanvas::placePoint(int i) {
    const QPoint centre = m_curve.point(i);
    m_pkt[i]->move(centre.x() - PointSize / 2, centre.y() - PointSize / 2);
}

void SpeedCurveCanvas::fill(int i, Qt::GlobalColor colour) {
    QPalette palette = m_pkt[i]->palette();
    palette.setColor(QPalette::Window, colour);
    m_pkt[i]->setPalette(palette);
}

void SpeedCurveCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    const int baseline = m_curve.baseline();
    const int axisX = m_curve.axisX();
    painter.drawLine(m_curve.xAxis());
    painter.drawLine(m_curve.yAxis());
    const QFontMetrics metrics = painter.fontMetrics();
    // Numbers are placed by their top left corner.
    const auto print = [&](int x, int y, const QString& text) {
        painter.drawText(QPoint(x, y + metrics.ascent()), text);
    };
    for (int i = 0; i < SpeedCurve::Points; ++i) {
        const int x = m_curve.stepX(i);
        painter.drawLine(x, baseline - Tick, x, baseline + Tick);
        if (i % 5 == 0)
            print(x - 6, baseline + 8, QString::number(i + 1));
    }
    for (int v = 0; v <= 120; v += 10) {
        const int y = m_curve.valueY(v);
        painter.drawLine(axisX - Tick, y, axisX + Tick, y);
        print(axisX - 30, y - 8, QString::number(v));
    }
    for (int i = 0; i + 1 < SpeedCurve::Points; ++i)
        painter.drawLine(m_curve.point(i), m_curve.point(i + 1));
}

void SpeedCurveCanvas::mousePressEvent(QMouseEvent* event) {
    m_selected = m_curve.pointAt(event->position().toPoint()).value_or(-1);
}

void SpeedCurveCanvas::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->buttons() == Qt::NoButton) {
        hover(pos);
        return;
    }
    if (!(event->buttons() & Qt::LeftButton) || m_selected < 0)
        return;
    m_dragged = dragTo(m_selected, pos.y()) || m_dragged;
}

bool SpeedCurveCanvas::dragTo(int i, int y) {
    const std::optional<int> value = m_curve.drag(i, y, m_prog);
    if (value) {
        placePoint(i);
        emit pointShown(ProgrammingState::FirstSpeedCv + i, *value);
    }
    update();
    return value.has_value();
}

void SpeedCurveCanvas::keyPressEvent(QKeyEvent* event) {
    const int point = qMax(m_selected, 0);
    const int value = m_curve.valueAt(m_curve.point(point).y());
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
        m_selected =
            qBound(0, point + (event->key() == Qt::Key_Left ? -1 : 1), SpeedCurve::Points - 1);
        showOnly(m_selected);
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        m_selected = point;
        if (dragTo(point, m_curve.valueY(value + (event->key() == Qt::Key_Up ? 1 : -1))))
            emit curveChanged();
        showOnly(point);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void SpeedCurveCanvas::showOnly(int i) {
    for (int k = 0; k < SpeedCurve::Points; ++k)
        fill(k, k == i ? Qt::red : Qt::black);
    emit pointShown(ProgrammingState::FirstSpeedCv + i, m_curve.valueAt(m_curve.point(i).y()));
}

void SpeedCurveCanvas::mouseReleaseEvent(QMouseEvent*) {
    if (m_dragged)
        emit curveChanged();
    m_dragged = false;
}

void SpeedCurveCanvas::hover(QPoint pos) {
    for (int i = 0; i < SpeedCurve::Points; ++i) {
        const bool near = m_curve.near(i, pos);
        fill(i, near ? Qt::red : Qt::black);
        if (near)
            emit pointShown(ProgrammingState::FirstSpeedCv + i,
                            m_curve.valueAt(m_curve.point(i).y()));
    }
}
