#pragma once

#include <QObject>
#include <QString>
#include <vector>

// Every route as text cells, shared by the engine, the editor's grid, the
// main window's route buttons and the triggers. Row 0 holds the headers,
// rows 1..208 are routes 1..208. Column 0 is the route number, 1..3 the
// status cells, 4 and 5 the triggers, 6..55 the commands 1..50.
//
// A status cell is set when its text is exactly one blank; any other text
// counts as clear. The check picture a view shows follows from the text.
class RouteTable : public QObject {
    Q_OBJECT
public:
    static constexpr int RowCount = 209;
    static constexpr int ColumnCount = 56;
    static constexpr int LastRoute = RowCount - 1;
    static constexpr int EstablishedColumn = 1;     // "aktiv."
    static constexpr int RequestedColumn = 2;       // "angef."
    static constexpr int BlockedColumn = 3;         // "block."
    static constexpr int RequestTriggerColumn = 4;  // "anfordern"
    static constexpr int DissolveTriggerColumn = 5; // "auflösen"
    static constexpr int FirstCommandColumn = 6;
    static constexpr int LastColumn = ColumnCount - 1;
    static constexpr int Commands = LastColumn - FirstCommandColumn + 1;

    explicit RouteTable(QObject* parent = nullptr);

    // Cells outside the table read as empty and ignore writes.
    QString text(int row, int column) const;
    void setText(int row, int column, const QString& text);

    bool isSet(int row, int column) const { return cell(row, column) == SetText; }
    bool isEmpty(int row, int column) const { return cell(row, column).isEmpty(); }
    void setStatus(int row, int column, bool on) { setText(row, column, on ? SetText : QString()); }

    static bool isRoute(int row) { return row >= 1 && row <= LastRoute; }
    static bool isStatusColumn(int column) {
        return column >= EstablishedColumn && column <= BlockedColumn;
    }
    static bool isTriggerColumn(int column) {
        return column == RequestTriggerColumn || column == DissolveTriggerColumn;
    }
    static bool isCommandColumn(int column) {
        return column >= FirstCommandColumn && column <= LastColumn;
    }

    // How long an accessory output stays on, and the pause after a command.
    qint32 SwitchTimeMs = 0;
    qint32 PauseTimeMs = 0;

signals:
    void cellChanged(int row, int column);

private:
    static inline const QString SetText = QStringLiteral(" ");
    static bool isCell(int row, int column) {
        return row >= 0 && row < RowCount && column >= 0 && column < ColumnCount;
    }
    // Read in place: the engine looks at every status cell on every tick.
    const QString& cell(int row, int column) const;

    std::vector<QString> m_cells;
};
