#include "RouteGrid.h"

#include "RouteTableModel.h"
#include "routes/RouteTable.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

constexpr int StatusColumnWidth = 40;
constexpr int ColumnWidth = 60;
constexpr int HeaderMargin = 10;

// Draws the check picture centred in set status cells.
class StatusCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        if (!index.data(RouteTableModel::StatusSetRole).toBool())
            return;
        const bool selected = option.state.testFlag(QStyle::State_Selected);
        const QColor ink =
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
        const qreal side = qMin(12, qMin(option.rect.width(), option.rect.height()) - 4);
        QRectF box(0, 0, side, side);
        box.moveCenter(QRectF(option.rect).center());
        QPainterPath tick;
        tick.moveTo(box.left(), box.top() + side * 0.55);
        tick.lineTo(box.left() + side * 0.4, box.bottom());
        tick.lineTo(box.right(), box.top());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(QPen(ink, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->drawPath(tick);
        painter->restore();
    }
};

} // namespace

RouteGrid::RouteGrid(RouteTableModel& model, QWidget* parent) : QTableView(parent), m_model(model) {
    setObjectName(QStringLiteral("FSTab"));
    setAccessibleName(QStringLiteral("Fahrstraßentabelle"));
    setModel(&model);
    setEditTriggers(NoEditTriggers);
    setTabKeyNavigation(false);
    for (int column = RouteTable::EstablishedColumn; column <= RouteTable::BlockedColumn; ++column)
        setItemDelegateForColumn(column - 1, new StatusCellDelegate(this));
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->viewport()->installEventFilter(this);
    setColumnWidths();

    // The corner above the route numbers carries the first column's header.
    m_corner = findChild<QAbstractButton*>();
    if (m_corner)
        m_corner->installEventFilter(this);
}

// The widths are at least wide enough for their header text.
void RouteGrid::setColumnWidths() {
    const auto fitted = [this](int width, const QString& header) {
        return qMax(width, fontMetrics().horizontalAdvance(header) + HeaderMargin);
    };
    verticalHeader()->setFixedWidth(fitted(StatusColumnWidth, m_model.cornerText()));
    for (int section = 0; section < m_model.columnCount(); ++section) {
        const int width = RouteTable::isStatusColumn(section + 1) ? StatusColumnWidth : ColumnWidth;
        setColumnWidth(
            section,
            fitted(width, m_model.headerData(section, Qt::Horizontal, Qt::DisplayRole).toString()));
    }
}

void RouteGrid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && index.isValid())
        emit cellActivated(RouteTableModel::tableRow(index), RouteTableModel::tableColumn(index));
}

void RouteGrid::keyPressEvent(QKeyEvent* event) {
    const QModelIndex index = currentIndex();
    switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (index.isValid()) {
            emit cellActivated(RouteTableModel::tableRow(index),
                               RouteTableModel::tableColumn(index));
            return;
        }
        break;
    case Qt::Key_Delete:
        if (index.isValid() && isWholeRowSelected(index.row())) {
            emit routeDeleteRequested(RouteTableModel::tableRow(index));
            return;
        }
        break;
    default:
        break;
    }
    QTableView::keyPressEvent(event);
}

bool RouteGrid::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_corner && event->type() == QEvent::Paint) {
        paintCorner();
        return true;
    }
    if (watched == verticalHeader()->viewport() && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        const int itemRow = verticalHeader()->logicalIndexAt(press->position().toPoint());
        if (press->button() == Qt::RightButton && itemRow >= 0 && isWholeRowSelected(itemRow)) {
            emit routeDeleteRequested(itemRow + 1);
            return true;
        }
    }
    return QTableView::eventFilter(watched, event);
}

bool RouteGrid::isWholeRowSelected(int itemRow) const {
    return selectionModel()->isRowSelected(itemRow, QModelIndex());
}

void RouteGrid::paintCorner() {
    QStyleOptionHeader option;
    option.initFrom(m_corner);
    option.rect = m_corner->rect();
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.text = m_model.cornerText();
    option.textAlignment = Qt::AlignCenter;
    QStylePainter painter(m_corner);
    painter.drawControl(QStyle::CE_Header, option);
}
