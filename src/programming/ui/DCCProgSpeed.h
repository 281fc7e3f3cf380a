#pragma once

#include <QWidget>

class LinkView;
class ProgrammingJobs;
class QLineEdit;
class QPushButton;
class SpeedCurveCanvas;

// "Fahrstufentabelle": the speed-step table of CVs 67..94 as a curve the
// user reshapes with the mouse, read and programmed through the list jobs
// on the speed table. Closing only hides it; the values stay in CvValue.
class DCCProgSpeed : public QWidget {
    Q_OBJECT
public:
    DCCProgSpeed(ProgrammingJobs& jobs, LinkView& messages, QWidget* parent = nullptr);

    // The curve from CvValue(67..94).
    void ShowSpeedTable();
    // Busy: "Abbruch" usable, "Lesen" and "Programmieren" not.
    void SetProgIdle(bool idle);

    SpeedCurveCanvas* canvas() const { return m_canvas; }

signals:
    // The user changed a point of the curve.
    void curveChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void activated();

    ProgrammingJobs& m_jobs;
    LinkView& m_messages;
    SpeedCurveCanvas* m_canvas;
    QLineEdit* m_cv;
    QLineEdit* m_value;
    QPushButton* m_read;
    QPushButton* m_write;
    QPushButton* m_cancel;
};
