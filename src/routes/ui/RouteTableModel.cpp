#include "RouteTableModel.h"

#include "routes/RouteTable.h"

RouteTableModel::RouteTableModel(RouteTable& table, QObject* parent)
    : QAbstractTableModel(parent), m_table(table) {
    connect(&table, &RouteTable::cellChanged, this, &RouteTableModel::onCellChanged);
}

int RouteTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RouteTable::RowCount - 1;
}

int RouteTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RouteTable::ColumnCount - 1;
}

QVariant RouteTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int row = tableRow(index);
    const int column = tableColumn(index);
    switch (role) {
    case Qt::DisplayRole:
        return m_table.text(row, column);
    case Qt::TextAlignmentRole:
        return int(Qt::AlignCenter);
    case StatusSetRole:
        return RouteTable::isStatusColumn(column) && m_table.isSet(row, column);
    default:
        return {};
    }
}

QVariant RouteTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return orientation == Qt::Horizontal ? m_table.text(0, section + 1)
                                         : m_table.text(section + 1, 0);
}

QString RouteTableModel::cornerText() const {
    return m_table.text(0, 0);
}

void RouteTableModel::onCellChanged(int row, int column) {
    // The headers never change; only the routes' cells do.
    if (row > 0 && column > 0)
        emit dataChanged(cellIndex(row, column), cellIndex(row, column));
}
