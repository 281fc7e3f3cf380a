#include "CvTable.h"

#include "CvText.h"
#include "ProgrammingState.h"

namespace {
const QString Unknown = QStringLiteral("-");
const QString Cursor = QStringLiteral("|");
constexpr int BitCount = 8;
} // namespace

int CvTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CvTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CvTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !validRow(index.row()))
        return {};
    const int row = index.row();
    const int column = index.column();
    switch (role) {
    case Qt::DisplayRole:
        return text(row, column);
    case Qt::TextAlignmentRole:
        if (column == TextColumn)
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        if (column == ValueColumn && row == m_editRow)
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        return QVariant::fromValue(Qt::AlignCenter);
    case CheckedRole:
        return m_rows[row].checked;
    case TooLargeRole:
        return column == ValueColumn && cvtext::fieldNumber(text(row, column)) > MaxValue;
    default:
        return {};
    }
}

QVariant CvTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case CvColumn:
        return QStringLiteral("CV");
    case OpColumn:
        return QStringLiteral("Op");
    case TextColumn:
        return QStringLiteral("Erklärung");
    case ValueColumn:
        return QStringLiteral("Wert");
    default:
        return QString::number(LastBitColumn - section);
    }
}

QString CvTable::text(int row, int column) const {
    if (!validRow(row) || column < 0 || column >= ColumnCount)
        return {};
    if (column == OpColumn)
        return m_rows[row].checked ? QStringLiteral(" ") : QString();
    return m_rows[row].cells[column];
}

int CvTable::cvOf(int row) const {
    return cvtext::fieldNumber(text(row, CvColumn));
}

bool CvTable::isChecked(int row) const {
    return validRow(row) && m_rows[row].checked;
}

void CvTable::setChecked(int row, bool checked) {
    if (!validRow(row) || m_rows[row].checked == checked)
        return;
    m_rows[row].checked = checked;
    const QModelIndex cell = index(row, OpColumn);
    emit dataChanged(cell, cell);
}

void CvTable::setAllChecked(bool checked) {
    for (int row = 0; row < rowCount(); ++row)
        setChecked(row, checked);
}

void CvTable::setName(const QString& name) {
    if (name == m_name)
        return;
    m_name = name;
    emit nameChanged(name);
}

CvTable::Row CvTable::blankRow(int cv, const QString& text) {
    Row row;
    row.cells[CvColumn] = QString::number(cv);
    row.cells[TextColumn] = text;
    for (int column = ValueColumn; column < ColumnCount; ++column)
        row.cells[column] = Unknown;
    return row;
}

int CvTable::NewRow(int cv, const QString& text) {
    endEdit();
    int position = -1;
    for (int row = 0; row < rowCount() && position < 0; ++row) {
        if (cvOf(row) == cv)
            position = row;
    }
    if (position >= 0) {
        m_rows[position] = blankRow(cv, text);
        rowChanged(position);
        return position;
    }
    position = rowCount();
    for (int row = 0; row < rowCount(); ++row) {
        if (cvOf(row) > cv) {
            position = row;
            break;
        }
    }
    beginInsertRows({}, position, position);
    m_rows.insert(m_rows.begin() + position, blankRow(cv, text));
    endInsertRows();
    return position;
}

void CvTable::ClrRow(int row) {
    if (!validRow(row))
        return;
    endEdit();
    beginRemoveRows({}, row, row);
    m_rows.erase(m_rows.begin() + row);
    endRemoveRows();
}

void CvTable::clear() {
    endEdit();
    beginResetModel();
    m_rows.clear();
    endResetModel();
    setName(QStringLiteral("----"));
}

void CvTable::setEntries(const QList<Entry>& entries) {
    endEdit();
    beginResetModel();
    std::vector<Row> rows;
    rows.reserve(entries.size());
    for (const Entry& entry : entries) {
        Row row = blankRow(0, entry.text);
        row.cells[CvColumn] = entry.cv;
        row.checked = rows.size() < m_rows.size() && m_rows[rows.size()].checked;
        rows.push_back(row);
    }
    m_rows = std::move(rows);
    endResetModel();
}

QList<CvTable::Entry> CvTable::entries() const {
    QList<Entry> list;
    for (const Row& row : m_rows)
        list.append({row.cells[CvColumn], row.cells[TextColumn]});
    return list;
}

void CvTable::showValues(const ProgrammingState& prog) {
    for (int row = 0; row < rowCount(); ++row) {
        if (row == m_editRow)
            continue;
        const int value = prog.value(cvOf(row));
        if (value == ProgrammingState::Unknown) {
            for (int column = ValueColumn; column < ColumnCount; ++column)
                m_rows[row].cells[column] = Unknown;
            rowChanged(row);
        } else {
            setValueText(row, QString::number(value));
        }
    }
}

void CvTable::setValueText(int row, const QString& text) {
    m_rows[row].cells[ValueColumn] = text;
    RowValueToBits(row);
    rowChanged(row);
}

void CvTable::RowValueToBits(int row) {
    if (!validRow(row))
        return;
    const QString& value = m_rows[row].cells[ValueColumn];
    if (value.isEmpty() || value == Unknown)
        return;
    const int number = cvtext::fieldNumber(value);
    for (int i = 0; i < BitCount; ++i)
        m_rows[row].cells[FirstBitColumn + i] =
            (number >> (BitCount - 1 - i)) & 1 ? QStringLiteral("1") : QStringLiteral("0");
    rowChanged(row);
}

void CvTable::RowBitsToValue(int row) {
    if (!validRow(row))
        return;
    int value = 0;
    for (int i = 0; i < BitCount; ++i) {
        if (m_rows[row].cells[FirstBitColumn + i] == QLatin1String("1"))
            value += 1 << (BitCount - 1 - i);
    }
    m_rows[row].cells[ValueColumn] = QString::number(value);
    rowChanged(row);
}

void CvTable::toggleBit(int row, int column) {
    if (!validRow(row) || !isBitColumn(column))
        return;
    QString& cell = m_rows[row].cells[column];
    if (cell == Unknown)
        return;
    cell = cell == QLatin1String("1") ? QStringLiteral("0") : QStringLiteral("1");
    RowBitsToValue(row);
}

void CvTable::typeBit(int row, int column, QChar bit) {
    if (!validRow(row) || !isBitColumn(column) || (bit != u'0' && bit != u'1'))
        return;
    m_rows[row].cells[column] = bit;
    RowBitsToValue(row);
    // Bits still unknown in the row now read as the value says: 0.
    RowValueToBits(row);
}

void CvTable::beginEdit(int row) {
    if (!validRow(row))
        return;
    endEdit();
    m_editRow = row;
    m_buffer = m_rows[row].cells[ValueColumn];
    m_cursorHidden = false;
    showEdit();
}

void CvTable::typeDigit(QChar digit) {
    if (!editing() || digit < u'0' || digit > u'9')
        return;
    if (cvtext::fieldNumber(m_buffer) == 0)
        m_buffer = digit;
    else if (m_buffer.size() < MaxDigits)
        m_buffer += digit;
    m_cursorHidden = false;
    showEdit();
}

void CvTable::dropLastChar() {
    if (!editing())
        return;
    m_buffer.chop(1);
    m_cursorHidden = false;
    showEdit();
}

void CvTable::blink() {
    if (!editing())
        return;
    m_cursorHidden = !m_cursorHidden;
    showEdit();
}

void CvTable::showEdit() {
    m_rows[m_editRow].cells[ValueColumn] =
        m_buffer + (m_cursorHidden ? QStringLiteral(" ") : Cursor);
    rowChanged(m_editRow);
}

void CvTable::endEdit() {
    if (!editing())
        return;
    const int row = m_editRow;
    m_editRow = -1;
    setValueText(row, m_buffer);
}

std::vector<int> CvTable::checkedCvs() const {
    std::vector<int> cvs;
    for (int row = 0; row < rowCount(); ++row) {
        if (m_rows[row].checked && ProgrammingState::isCv(cvOf(row)))
            cvs.push_back(cvOf(row));
    }
    return cvs;
}

std::optional<int> CvTable::firstTooLargeCheckedRow() const {
    for (int row = 0; row < rowCount(); ++row) {
        if (m_rows[row].checked && cvtext::fieldNumber(text(row, ValueColumn)) > MaxValue)
            return row;
    }
    return std::nullopt;
}

void CvTable::copyCheckedValues(ProgrammingState& prog) const {
    for (int row = 0; row < rowCount(); ++row) {
        const int value = cvtext::fieldValue(text(row, ValueColumn));
        if (m_rows[row].checked && value != ProgrammingState::Unknown)
            prog.setValue(cvOf(row), value);
    }
}

void CvTable::rowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}
