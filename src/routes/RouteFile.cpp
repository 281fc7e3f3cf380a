#include "RouteFile.h"

#include "RouteTable.h"
#include "platform/WholeFile.h"

#include <QFile>
#include <optional>

namespace {

// Far more than any route table needs; a larger file is read as if it
// ended there.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;

// Takes one value after the other, each ended by a comma or a line end.
class ValueReader {
public:
    explicit ValueReader(const QByteArray& data) : m_data(data) {}

    // Nothing at the end of the data or on a quote that is not closed
    // before the line ends.
    std::optional<QByteArray> next() {
        while (m_pos < m_data.size() && (m_data[m_pos] == ' ' || m_data[m_pos] == '\t'))
            ++m_pos;
        if (m_pos >= m_data.size())
            return std::nullopt;
        QByteArray value;
        if (m_data[m_pos] == '"') {
            const qsizetype close = findEnd(m_pos + 1, '"');
            if (close >= m_data.size() || m_data[close] != '"')
                return std::nullopt;
            value = m_data.mid(m_pos + 1, close - m_pos - 1);
            // Anything between the closing quote and the delimiter is dropped.
            m_pos = findEnd(close + 1, ',');
        } else {
            const qsizetype end = findEnd(m_pos, ',');
            value = m_data.mid(m_pos, end - m_pos).trimmed();
            m_pos = end;
        }
        skipDelimiter();
        return value;
    }

private:
    // The first line end or stop character from pos on.
    qsizetype findEnd(qsizetype pos, char stop) const {
        while (pos < m_data.size() && m_data[pos] != '\r' && m_data[pos] != '\n' &&
               m_data[pos] != stop)
            ++pos;
        return pos;
    }

    void skipDelimiter() {
        if (m_pos >= m_data.size())
            return;
        if (m_data[m_pos] == ',') {
            ++m_pos;
        } else if (m_data[m_pos] == '\r') {
            ++m_pos;
            if (m_pos < m_data.size() && m_data[m_pos] == '\n')
                ++m_pos;
        } else if (m_data[m_pos] == '\n') {
            ++m_pos;
        }
    }

    const QByteArray& m_data;
    qsizetype m_pos = 0;
};

std::optional<qint32> readTime(ValueReader& reader) {
    const std::optional<QByteArray> value = reader.next();
    if (!value)
        return std::nullopt;
    bool ok = false;
    const qint32 time = value->trimmed().toInt(&ok);
    return ok ? std::optional<qint32>(time) : std::nullopt;
}

} // namespace

void ParseRouteFile(RouteTable& table, const QByteArray& content) {
    ValueReader reader(content);
    const std::optional<qint32> pause = readTime(reader);
    if (!pause)
        return;
    table.PauseTimeMs = *pause;
    const std::optional<qint32> switching = readTime(reader);
    if (!switching)
        return;
    table.SwitchTimeMs = *switching;
    for (int row = 1; row < RouteTable::RowCount; ++row) {
        for (int column = 1; column < RouteTable::ColumnCount; ++column) {
            const std::optional<QByteArray> value = reader.next();
            if (!value)
                return;
            table.setText(row, column, QString::fromLatin1(*value));
        }
    }
}

void ReadRouteFile(RouteTable& table, const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        ParseRouteFile(table, file.read(MaxFileSize));
}

QByteArray RouteFileContent(const RouteTable& table) {
    QByteArray content;
    content.reserve(256 * 1024);
    content += QByteArray::number(table.PauseTimeMs) + "\r\n";
    content += QByteArray::number(table.SwitchTimeMs) + "\r\n";
    for (int row = 1; row < RouteTable::RowCount; ++row) {
        for (int column = 1; column < RouteTable::ColumnCount; ++column)
            content += '"' + table.text(row, column).toLatin1() + "\"\r\n";
    }
    return content;
}

bool WriteRouteFile(const RouteTable& table, const QString& path, QString* error) {
    return writeWholeFile(path, RouteFileContent(table), error);
}
