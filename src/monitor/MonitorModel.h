#pragma once

#include "MessageRing.h"
#include "MonitorFilter.h"

#include <QAbstractTableModel>
#include <array>
#include <deque>
#include <optional>
#include <vector>

class MonitorLog;

// The monitor's table: one row per message of the log that the filter
// lets through, oldest first. A message is read in full only when its
// row is shown; taking new messages in asks only what the filter needs.
// Paused, the table holds a copy of the log as it was and stays still
// while the log goes on collecting.
class MonitorModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { TimeColumn, WallClockColumn, DirectionColumn, BytesColumn, MeaningColumn };
    static constexpr int ColumnCount = 5;
    // MessageTap::Origin of the row's message, as int.
    static constexpr int OriginRole = Qt::UserRole;
    // True for a message with a wrong checksum, or one the receiver dropped.
    static constexpr int DamagedRole = Qt::UserRole + 1;

    explicit MonitorModel(MonitorLog& log, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Takes in what the log has collected since, and lets go of the rows
    // whose messages the log no longer holds; nothing while paused.
    void refresh();
    void setPaused(bool paused);
    bool paused() const { return m_frozen.has_value(); }
    // Rows are taken again from every message held: a filter loses none.
    void setFilter(const MonitorFilter& filter);
    const MonitorFilter& filter() const { return m_filter; }
    // Empties the log and the table.
    void clear();

    // The messages the table could show, filtered or not.
    qint64 heldCount() const { return source().end() - source().first(); }
    // The row's columns, tab-separated.
    QString rowText(int row) const;

private:
    struct Row {
        qint64 number;
        int address;
    };

    const MessageRing& source() const;
    void take(qint64 number, std::vector<Row>& rows);
    void takeAgain();
    monitor::Context contextOf(const MessageRing::Entry& entry, qint64 number, int address) const;
    QString text(const Row& row, const MessageRing::Entry& entry, int column) const;
    QString meaning(const Row& row, const MessageRing::Entry& entry) const;

    MonitorLog& m_log;
    std::optional<MessageRing> m_frozen;
    MonitorFilter m_filter;
    std::deque<Row> m_rows;
    // Messages before this number have been taken in.
    qint64 m_taken = 0;
    // The locomotive each slot held when last reported.
    std::array<int, 128> m_slotAddress;
};
