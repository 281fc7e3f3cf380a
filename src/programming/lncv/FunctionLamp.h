#pragma once

#include <QWidget>

// A round lamp that shows one function's state by its colour.
class FunctionLamp : public QWidget {
    Q_OBJECT
public:
    explicit FunctionLamp(QWidget* parent = nullptr);

    // 0xBBGGRR.
    void setColour(int colour);
    int colour() const { return m_colour; }

    QSize sizeHint() const override { return {14, 14}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_colour;
};
