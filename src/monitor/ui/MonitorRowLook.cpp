#include "MonitorRowLook.h"

#include "link/MessageTap.h"
#include "monitor/MonitorModel.h"

#include <QFontDatabase>

namespace {
const QColor SentInk(0x1F, 0x4E, 0x79);
const QColor EchoInk(0x6B, 0x6B, 0x6B);
const QColor DamagedInk(0xB0, 0x00, 0x20);
const QColor DamagedGround(0xFC, 0xE4, 0xE4);
} // namespace

void MonitorRowLook::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (index.column() == MonitorModel::BytesColumn)
        option->font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    QColor ink;
    if (index.data(MonitorModel::DamagedRole).toBool()) {
        ink = DamagedInk;
        option->backgroundBrush = DamagedGround;
    } else {
        switch (static_cast<MessageTap::Origin>(index.data(MonitorModel::OriginRole).toInt())) {
        case MessageTap::Origin::Sent:
            ink = SentInk;
            break;
        case MessageTap::Origin::Echo:
            ink = EchoInk;
            break;
        default:
            return;
        }
    }
    option->palette.setColor(QPalette::Text, ink);
}
