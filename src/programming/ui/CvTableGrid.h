#pragma once

#include <QTableView>
#include <QTimer>

class CvTable;

// Tabelle: the CV table on screen. A click on "Op" checks a row, a click on
// a bit flips it (Space does both from the keyboard), the value cell is
// edited with a blinking cursor (Timer_Tabelle), a click on the CV selects
// the whole row for Delete, and the right button or Insert asks for a new
// row.
class CvTableGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int BlinkInterval = 200; // ms
    static constexpr int Width = 467;         // pixels

    CvTableGrid(CvTable& table, QWidget* parent = nullptr);

    // The current data row, -1 when there is none.
    int currentRow() const;
    bool wholeRowSelected(int row) const;
    void selectWholeRow(int row);
    QTimer& blinkTimer() { return m_blink; }

signals:
    void insertRowRequested();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Editing follows the current cell: on the value cell it runs, anywhere
    // else it ends.
    void followCurrentCell();
    bool onHeader(QMouseEvent* event);

    CvTable& m_table;
    QTimer m_blink;
};
