#include "RouteTable.h"

RouteTable::RouteTable(QObject* parent)
    : QObject(parent), m_cells(std::size_t(RowCount) * ColumnCount) {
    const QString headers[] = {QStringLiteral("Fahrstr."),  QStringLiteral("aktiv."),
                               QStringLiteral("angef."),    QStringLiteral("block."),
                               QStringLiteral("anfordern"), QStringLiteral("auflösen")};
    for (int column = 0; column < FirstCommandColumn; ++column)
        m_cells[column] = headers[column];
    for (int column = FirstCommandColumn; column < ColumnCount; ++column)
        m_cells[column] = QString::number(column - FirstCommandColumn + 1);
    for (int row = 1; row < RowCount; ++row)
        m_cells[std::size_t(row) * ColumnCount] = QString::number(row);
}

QString RouteTable::text(int row, int column) const {
    return cell(row, column);
}

const QString& RouteTable::cell(int row, int column) const {
    static const QString outside;
    return isCell(row, column) ? m_cells[std::size_t(row) * ColumnCount + column] : outside;
}

void RouteTable::setText(int row, int column, const QString& text) {
    if (!isCell(row, column))
        return;
    QString& cell = m_cells[std::size_t(row) * ColumnCount + column];
    if (cell == text)
        return;
    cell = text;
    emit cellChanged(row, column);
}
