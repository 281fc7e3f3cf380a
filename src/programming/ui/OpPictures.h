#pragma once

#include <QPixmap>
#include <QStyledItemDelegate>

// HakenPic and LeerPic: the check mark and the empty box of the CV table's
// "Op" column, painted here so that no picture file is needed.
QPixmap HakenPic();
QPixmap LeerPic();

// Paints the CV table's cells: the "Op" picture centred, and a value above
// 255 in red.
class CvTableDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
