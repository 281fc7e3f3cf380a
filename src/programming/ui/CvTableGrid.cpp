#include "CvTableGrid.h"

#include "OpPictures.h"
#include "programming/CvTable.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {
constexpr int ColumnWidths[CvTable::ColumnCount] = {50, 20, 200, 50, 15, 15,
                                                    15, 15, 15,  15, 15, 15};

bool isBitColumn(int column) {
    return column >= CvTable::FirstBitColumn && column <= CvTable::LastBitColumn;
}
} // namespace

CvTableGrid::CvTableGrid(CvTable& table, QWidget* parent) : QTableView(parent), m_table(table) {
    setObjectName(QStringLiteral("Tabelle"));
    setModel(&table);
    setItemDelegate(new CvTableDelegate(this));
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setTabKeyNavigation(false);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    QHeaderView* header = horizontalHeader();
    header->setMinimumSectionSize(ColumnWidths[CvTable::FirstBitColumn]);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->viewport()->installEventFilter(this);
    for (int column = 0; column < CvTable::ColumnCount; ++column) {
        header->resizeSection(column, ColumnWidths[column]);
        header->setSectionResizeMode(column, QHeaderView::Fixed);
    }
    header->setDefaultAlignment(Qt::AlignCenter);
    setFixedWidth(Width);

    m_blink.setObjectName(QStringLiteral("Timer_Tabelle"));
    m_blink.setInterval(BlinkInterval);
    connect(&m_blink, &QTimer::timeout, this, [this] {
        m_table.blink();
        if (!m_table.editing())
            m_blink.stop();
    });
    for (const auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        connect(&table, signal, this, &CvTableGrid::followCurrentCell);
    connect(&table, &QAbstractItemModel::modelReset, this, &CvTableGrid::followCurrentCell);
}

int CvTableGrid::currentRow() const {
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool CvTableGrid::wholeRowSelected(int row) const {
    return row >= 0 && selectionModel()->isRowSelected(row, {});
}

void CvTableGrid::selectWholeRow(int row) {
    selectionModel()->select(
        QItemSelection(m_table.index(row, 0), m_table.index(row, CvTable::ColumnCount - 1)),
        QItemSelectionModel::ClearAndSelect);
}

void CvTableGrid::mousePressEvent(QMouseEvent* event) {
    const QModelIndex cell = indexAt(event->position().toPoint());
    if (event->button() == Qt::RightButton) {
        if (cell.isValid() && cell.column() != CvTable::CvColumn) {
            emit insertRowRequested();
        } else if (cell.isValid()) {
            setCurrentIndex(cell);
            selectionModel()->select(cell, QItemSelectionModel::ClearAndSelect);
        }
        return;
    }
    QTableView::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !cell.isValid())
        return;
    if (cell.column() == CvTable::CvColumn)
        selectWholeRow(cell.row());
    else if (cell.column() == CvTable::OpColumn)
        m_table.setChecked(cell.row(), !m_table.isChecked(cell.row()));
    else if (isBitColumn(cell.column()))
        m_table.toggleBit(cell.row(), cell.column());
    else
        followCurrentCell();
}

void CvTableGrid::keyPressEvent(QKeyEvent* event) {
    const int row = currentRow();
    switch (event->key()) {
    case Qt::Key_Insert:
        emit insertRowRequested();
        return;
    case Qt::Key_Delete:
        if (m_table.editing())
            m_table.dropLastChar();
        else if (wholeRowSelected(row))
            m_table.ClrRow(row);
        return;
    case Qt::Key_Backspace:
        m_table.dropLastChar();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() != 1 || !text[0].isPrint()) {
        QTableView::keyPressEvent(event);
        return;
    }
    // Typed characters never search the table.
    const QChar c = text[0];
    const int column = currentIndex().column();
    if (row >= 0 && c == u' ' && column == CvTable::OpColumn) {
        m_table.setChecked(row, !m_table.isChecked(row));
    } else if (row >= 0 && c == u' ' && isBitColumn(column)) {
        m_table.toggleBit(row, column);
    } else if (row >= 0 && isBitColumn(column) && (c == u'0' || c == u'1')) {
        m_table.typeBit(row, column, c);
    } else if (row >= 0 && column == CvTable::ValueColumn && c.isDigit()) {
        followCurrentCell();
        m_table.typeDigit(c);
    }
}

void CvTableGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    followCurrentCell();
}

void CvTableGrid::followCurrentCell() {
    const QModelIndex current = currentIndex();
    const bool onValue = current.isValid() && current.column() == CvTable::ValueColumn;
    if (m_table.editing() && (!onValue || current.row() != m_table.editRow()))
        m_table.endEdit();
    if (onValue && !m_table.editing())
        m_table.beginEdit(current.row());
    if (m_table.editing())
        m_blink.start();
    else
        m_blink.stop();
}

bool CvTableGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == horizontalHeader()->viewport() && event->type() == QEvent::MouseButtonPress)
        return onHeader(static_cast<QMouseEvent*>(event));
    return QTableView::eventFilter(watched, event);
}

bool CvTableGrid::onHeader(QMouseEvent* event) {
    const int column = horizontalHeader()->logicalIndexAt(event->position().toPoint());
    const bool left = event->button() == Qt::LeftButton;
    if (column != CvTable::OpColumn || m_table.rowCount() == 0 ||
        (!left && event->button() != Qt::RightButton))
        return false;
    m_table.setAllChecked(left);
    return true;
}
