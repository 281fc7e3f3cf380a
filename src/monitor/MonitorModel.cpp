#include "MonitorModel.h"

#include "Decoder.h"
#include "MessageTexts.h"
#include "MonitorLog.h"
#include "link/Opcode.h"

#include <QDateTime>
#include <QStringList>

namespace {
// How far back the request of a long acknowledge is looked for: past what
// this program wrote meanwhile, which is no answer.
constexpr int RequestSearch = 8;

using Origin = MessageTap::Origin;

QString directionText(Origin origin) {
    switch (origin) {
    case Origin::Sent:
        return QStringLiteral("gesendet");
    case Origin::Echo:
        return QStringLiteral("Echo");
    case Origin::Bus:
    case Origin::Damaged:
        break;
    }
    return QStringLiteral("vom Bus");
}

bool damaged(const MessageRing::Entry& entry) {
    return entry.origin == Origin::Damaged || !monitor::checksumOk(entry.message());
}

// What went out on the bus and reached the dispatcher.
bool onBus(const MessageRing::Entry& entry) {
    return entry.origin != Origin::Sent && entry.origin != Origin::Damaged && entry.length > 0 &&
           entry.bytes[0] != loconet::Busy;
}
} // namespace

MonitorModel::MonitorModel(MonitorLog& log, QObject* parent)
    : QAbstractTableModel(parent), m_log(log), m_taken(log.ring().end()) {
    m_slotAddress.fill(monitor::NoAddress);
    takeAgain();
}

const MessageRing& MonitorModel::source() const {
    return m_frozen ? *m_frozen : m_log.ring();
}

int MonitorModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int MonitorModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

void MonitorModel::refresh() {
    if (paused())
        return;
    const MessageRing& ring = m_log.ring();
    int gone = 0;
    while (gone < static_cast<int>(m_rows.size()) && m_rows[gone].number < ring.first())
        ++gone;
    if (gone > 0) {
        beginRemoveRows({}, 0, gone - 1);
        m_rows.erase(m_rows.begin(), m_rows.begin() + gone);
        endRemoveRows();
    }
    std::vector<Row> fresh;
    for (qint64 n = std::max(m_taken, ring.first()); n < ring.end(); ++n)
        take(n, fresh);
    m_taken = ring.end();
    if (fresh.empty())
        return;
    const int at = static_cast<int>(m_rows.size());
    beginInsertRows({}, at, at + static_cast<int>(fresh.size()) - 1);
    m_rows.insert(m_rows.end(), fresh.begin(), fresh.end());
    endInsertRows();
}

void MonitorModel::setPaused(bool paused) {
    if (paused == this->paused())
        return;
    if (paused) {
        m_frozen = m_log.ring();
        return;
    }
    m_frozen.reset();
    refresh();
}

void MonitorModel::setFilter(const MonitorFilter& filter) {
    if (filter == m_filter)
        return;
    m_filter = filter;
    beginResetModel();
    takeAgain();
    endResetModel();
}

void MonitorModel::clear() {
    beginResetModel();
    m_log.clear();
    if (m_frozen)
        m_frozen->clear();
    m_rows.clear();
    m_taken = m_log.ring().end();
    endResetModel();
}

void MonitorModel::takeAgain() {
    std::vector<Row> rows;
    const MessageRing& ring = source();
    for (qint64 n = ring.first(); n < std::min(m_taken, ring.end()); ++n)
        take(n, rows);
    m_rows.assign(rows.begin(), rows.end());
}

// The subject only; a slot's locomotive is the one its last slot data
// named.
void MonitorModel::take(qint64 number, std::vector<Row>& rows) {
    const MessageRing::Entry& entry = *source().at(number);
    monitor::Reading reading =
        monitor::subjectOf(entry.message(), contextOf(entry, number, monitor::NoAddress));
    const bool slot = reading.slot >= 0 && reading.slot < static_cast<int>(m_slotAddress.size());
    if (slot && reading.address == monitor::NoAddress)
        reading.address = m_slotAddress[reading.slot];
    else if (slot && !damaged(entry))
        m_slotAddress[reading.slot] = reading.address;
    if (m_filter.accepts(reading))
        rows.push_back({number, reading.address});
}

monitor::Context MonitorModel::contextOf(const MessageRing::Entry& entry, qint64 number,
                                         int address) const {
    monitor::Context context;
    context.locoAddress = address;
    if (entry.length == 0 || entry.bytes[0] != loconet::LongAck)
        return context;
    const MessageRing& ring = source();
    for (qint64 n = number - 1; n >= std::max(ring.first(), number - RequestSearch); --n) {
        const MessageRing::Entry& before = *ring.at(n);
        if (onBus(before)) {
            context.request = before.message();
            break;
        }
    }
    return context;
}

QVariant MonitorModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const Row& row = m_rows[index.row()];
    // Gone from the ring since the last refresh; the row leaves with the next.
    const MessageRing::Entry* entry = source().at(row.number);
    if (!entry)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return text(row, *entry, index.column());
    case Qt::ToolTipRole:
        if (index.column() == TimeColumn || index.column() == WallClockColumn)
            return QDateTime::fromMSecsSinceEpoch(m_log.wallClockMs(*entry))
                .toString(QStringLiteral("dd.MM.yyyy HH:mm:ss.zzz"));
        return text(row, *entry, index.column());
    case Qt::TextAlignmentRole:
        return index.column() == TimeColumn ? int(Qt::AlignRight | Qt::AlignVCenter)
                                            : int(Qt::AlignLeft | Qt::AlignVCenter);
    case OriginRole:
        return static_cast<int>(entry->origin);
    case DamagedRole:
        return damaged(*entry);
    default:
        return {};
    }
}

QString MonitorModel::text(const Row& row, const MessageRing::Entry& entry, int column) const {
    switch (column) {
    case TimeColumn:
        return QString::number(qRound64(entry.sinceConnect * 1000.0));
    case WallClockColumn:
        return QDateTime::fromMSecsSinceEpoch(m_log.wallClockMs(entry))
            .toString(QStringLiteral("HH:mm:ss.zzz"));
    case DirectionColumn:
        return directionText(entry.origin);
    case BytesColumn:
        return monitor::hexBytes(entry.message());
    default:
        return meaning(row, entry);
    }
}

QString MonitorModel::meaning(const Row& row, const MessageRing::Entry& entry) const {
    const QString text =
        monitor::meaningOf(entry.message(), contextOf(entry, row.number, row.address)).text;
    if (entry.origin == Origin::Damaged)
        return QStringLiteral("Verworfen: ") + text;
    return text;
}

QVariant MonitorModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    if (role == Qt::ToolTipRole && section == TimeColumn)
        return QStringLiteral("Millisekunden seit dem Verbinden");
    if (role != Qt::DisplayRole)
        return {};
    static const char* const Titles[ColumnCount] = {"Zeit (ms)", "Uhrzeit", "Richtung", "Bytes",
                                                    "Bedeutung"};
    return section >= 0 && section < ColumnCount ? QString::fromUtf8(Titles[section]) : QVariant();
}

QString MonitorModel::rowText(int row) const {
    QStringList columns;
    for (int column = 0; column < ColumnCount; ++column)
        columns.append(data(index(row, column), Qt::DisplayRole).toString());
    return columns.join(u'\t');
}
