#pragma once

#include "link/Colours.h"

#include <QWidget>

// A round lamp filled with a colour given as 0xBBGGRR.
class IndicatorLamp : public QWidget {
    Q_OBJECT
public:
    explicit IndicatorLamp(QWidget* parent = nullptr);

    int colour() const { return m_colour; }
    void setColour(int bbggrr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_colour = colour::Grey;
};
