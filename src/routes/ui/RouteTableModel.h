#pragma once

#include <QAbstractTableModel>

class RouteTable;

// The route table as the editor's grid sees it: the routes' cells as items,
// row 0 and column 0 of the table as the fixed headers.
class RouteTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // True for a status cell that is set (shown with the check picture).
    static constexpr int StatusSetRole = Qt::UserRole;

    explicit RouteTableModel(RouteTable& table, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The text of the header corner, above the route numbers.
    QString cornerText() const;

    // Item coordinates to table coordinates and back.
    static int tableRow(const QModelIndex& index) { return index.row() + 1; }
    static int tableColumn(const QModelIndex& index) { return index.column() + 1; }
    QModelIndex cellIndex(int row, int column) const { return index(row - 1, column - 1); }

private:
    void onCellChanged(int row, int column);

    RouteTable& m_table;
};
