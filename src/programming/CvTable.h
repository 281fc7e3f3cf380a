#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <array>
#include <optional>
#include <vector>

struct ProgrammingState;

// The decoder's own CV table (Tabelle): per row the CV number, the "Op"
// check mark, an explanation, the value and its eight bits (column 4 + i
// shows bit 7 - i). Unknown values and bits read "-". The rows are data
// rows counted from 0; the header is the view's.
class CvTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        CvColumn = 0,
        OpColumn = 1,
        TextColumn = 2,
        ValueColumn = 3,
        FirstBitColumn = 4,
        LastBitColumn = 11,
        ColumnCount = 12
    };
    enum Role { CheckedRole = Qt::UserRole + 1, TooLargeRole };
    static constexpr int MaxValue = 255;
    static constexpr int MaxDigits = 5;

    struct Entry {
        QString cv;
        QString text;
    };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    QString text(int row, int column) const;
    int cvOf(int row) const;
    bool isChecked(int row) const;
    void setChecked(int row, bool checked);
    void setAllChecked(bool checked);

    // TabNameTxt
    QString name() const { return m_name; }
    void setName(const QString& name);

    // Keeps the table sorted by CV and free of duplicates: an existing row
    // of the CV is reused, else a row is inserted before the first greater
    // CV. The row is unchecked and its value unknown. Returns the row.
    int NewRow(int cv, const QString& text);
    void ClrRow(int row);
    // Only the header is left; the name becomes "----".
    void clear();

    // The rows of a table file in its order; check marks stay with their
    // row numbers, values become unknown.
    void setEntries(const QList<Entry>& entries);
    QList<Entry> entries() const;

    // The values of all rows from CvValue; the row being edited keeps what
    // is typed.
    void showValues(const ProgrammingState& prog);
    void RowValueToBits(int row);
    void RowBitsToValue(int row);
    // A click on a bit cell: "1" and "0" swap, "-" stays.
    void toggleBit(int row, int column);
    // "0" or "1" typed into a bit cell.
    void typeBit(int row, int column, QChar bit);

    // Editing the value cell with a blinking cursor.
    bool editing() const { return m_editRow >= 0; }
    int editRow() const { return m_editRow; }
    void beginEdit(int row);
    void typeDigit(QChar digit);
    void dropLastChar();
    void blink();
    void endEdit();

    std::vector<int> checkedCvs() const;
    // The first checked row whose value cannot go to a decoder.
    std::optional<int> firstTooLargeCheckedRow() const;
    // CvValue of every checked row with a value; rows showing "-" keep it.
    void copyCheckedValues(ProgrammingState& prog) const;

signals:
    void nameChanged(const QString& name);

private:
    struct Row {
        std::array<QString, ColumnCount> cells;
        bool checked = false;
    };
    static Row blankRow(int cv, const QString& text);
    void setValueText(int row, const QString& text);
    void showEdit();
    void rowChanged(int row);
    bool isBitColumn(int column) const {
        return column >= FirstBitColumn && column <= LastBitColumn;
    }
    bool validRow(int row) const { return row >= 0 && row < static_cast<int>(m_rows.size()); }

    std::vector<Row> m_rows;
    QString m_name = QStringLiteral("----");
    int m_editRow = -1;
    QString m_buffer;
    bool m_cursorHidden = false;
};
