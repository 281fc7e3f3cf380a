#include "OpPictures.h"

#include "programming/CvTable.h"

#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int Size = 13;

QPixmap box(bool checked) {
    QPixmap picture(Size, Size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(0.5, 0.5, Size - 1, Size - 1));
    if (checked) {
        QPainterPath tick;
        tick.moveTo(2.5, 6.5);
        tick.lineTo(5.0, 9.5);
        tick.lineTo(10.5, 2.5);
        painter.setPen(QPen(Qt::black, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(tick);
    }
    return picture;
}
} // namespace

QPixmap HakenPic() {
    static const QPixmap picture = box(true);
    return picture;
}

QPixmap LeerPic() {
    static const QPixmap picture = box(false);
    return picture;
}

void CvTableDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    if (index.column() != CvTable::OpColumn)
        return;
    const QPixmap picture = index.data(CvTable::CheckedRole).toBool() ? HakenPic() : LeerPic();
    QRect place = picture.rect();
    place.moveCenter(option.rect.center());
    painter->drawPixmap(place, picture);
}

void CvTableDelegate::initStyleOption(QStyleOptionViewItem* option,
                                      const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.data(CvTable::TooLargeRole).toBool())
        option->palette.setColor(QPalette::Text, Qt::red);
}
