#pragma once

#include <QStyledItemDelegate>

// How a row of the monitor looks: calm ink by direction, damaged messages
// red on a pale red ground, the bytes in a fixed-width font.
class MonitorRowLook : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
