#pragma once

#include <QTableView>

class QAbstractButton;
class RouteTableModel;

// FSTab: the route table with the route numbers and the column headers
// fixed at the left and the top, status cells shown with a check mark.
// A left click, Space or Enter on a cell activates it. A right click on the
// number of a route whose whole row is selected (left click on the number
// first), or Delete while it is selected, asks to delete the route.
class RouteGrid : public QTableView {
    Q_OBJECT
public:
    explicit RouteGrid(RouteTableModel& model, QWidget* parent = nullptr);

signals:
    // Table coordinates: row 1..208, column 1..55.
    void cellActivated(int row, int column);
    void routeDeleteRequested(int row);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setColumnWidths();
    bool isWholeRowSelected(int itemRow) const;
    void paintCorner();

    RouteTableModel& m_model;
    QAbstractButton* m_corner = nullptr;
};
