#include "DirectionArrow.h"

#include <QLine>
#include <QPainter>

namespace {
// One straight line, drawn across its own small widget so each line can be
// shown and hidden on its own.
class LineShape : public QWidget {
public:
    LineShape(const QLine& line, QWidget* parent) : QWidget(parent) {
        const QRect bounds = QRect(line.p1(), line.p2()).normalized().adjusted(-1, -1, 1, 1);
        setGeometry(bounds);
        m_line = line.translated(-bounds.topLeft());
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(palette().windowText(), 2));
        painter.drawLine(m_line);
    }

private:
    QLine m_line;
};

constexpr int Middle = 12;
constexpr int Top = 4;
constexpr int Bottom = 56;
constexpr int Head = 8;
} // namespace

DirectionArrow::DirectionArrow(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
    m_shaft = addLine("DirL", {Middle, Top, Middle, Bottom});
    m_up[0] = addLine("DirO1", {Middle, Top, Middle - Head, Top + Head});
    m_up[1] = addLine("DirO2", {Middle, Top, Middle + Head, Top + Head});
    m_down[0] = addLine("DirU1", {Middle, Bottom, Middle - Head, Bottom - Head});
    m_down[1] = addLine("DirU2", {Middle, Bottom, Middle + Head, Bottom - Head});
    hideDirection();
}

QWidget* DirectionArrow::addLine(const char* name, const QLine& line) {
    auto* shape = new LineShape(line, this);
    shape->setObjectName(QString::fromLatin1(name));
    return shape;
}

void DirectionArrow::showDirection(bool backward) {
    m_shaft->setVisible(true);
    for (QWidget* line : m_up)
        line->setVisible(!backward);
    for (QWidget* line : m_down)
        line->setVisible(backward);
}

void DirectionArrow::hideDirection() {
    for (QWidget* line : {m_shaft, m_up[0], m_up[1], m_down[0], m_down[1]})
        line->setVisible(false);
}
