#include "RouteFile.h"

#include "RouteTable.h"
#include "platform/TextFile.h"
#include "platform/WholeFile.h"

#include <optional>

namespace {

// Far more than any route table needs; a larger file is read as if it
// ended there.
constexpr qint64 MaxFileSize = 16 * 1024 * 1024;
// What some old editors put at the end of a text file.
constexpr char16_t EndOfFileMark = 0x1A;

// Takes one value after the other, each ended by a comma or a line end, and
// keeps the first problem with its line.
class ValueReader {
public:
    explicit ValueReader(const QString& text) : m_text(text) {}

    // Nothing at the end of the text.
    std::optional<QString> next() {
        while (m_pos < m_text.size() && isBlank(m_text[m_pos]))
            ++m_pos;
        m_valueLine = m_line;
        if (m_pos >= m_text.size())
            return std::nullopt;
        QString value;
        if (m_text[m_pos] == u'"') {
            const qsizetype close = findEnd(m_pos + 1, u'"');
            value = m_text.sliced(m_pos + 1, close - m_pos - 1).toString();
            if (close >= m_text.size() || m_text[close] != u'"') {
                // Taken as closed at the line end, so that one lost quote
                // does not shift every value after it.
                note(QStringLiteral("Das schließende Anführungszeichen fehlt"));
                m_pos = close;
            } else {
                m_pos = findEnd(close + 1, u',');
                if (!m_text.sliced(close + 1, m_pos - close - 1).trimmed().isEmpty())
                    note(QStringLiteral("Nach dem schließenden Anführungszeichen steht noch Text"));
            }
        } else {
            const qsizetype end = findEnd(m_pos, u',');
            value = m_text.sliced(m_pos, end - m_pos).trimmed().toString();
            m_pos = end;
            // A quote the file cannot hold in a cell: the opening one is lost.
            if (value.contains(u'"')) {
                note(QStringLiteral("Ein Anführungszeichen fehlt"));
                value.remove(u'"');
            }
        }
        skipDelimiter();
        return value;
    }

    bool isEmpty() const { return m_text.isEmpty(); }

    // After the last value the table holds only blanks and line ends may
    // follow.
    void expectEnd() {
        while (m_pos < m_text.size()) {
            const QChar c = m_text[m_pos];
            if (c == u'\r' || c == u'\n') {
                skipDelimiter();
            } else if (isBlank(c) || c == EndOfFileMark) {
                ++m_pos;
            } else {
                m_valueLine = m_line;
                note(QStringLiteral("Nach Fahrstraße %1 folgt noch Text")
                         .arg(RouteTable::LastRoute));
                return;
            }
        }
    }

    // A problem with the value read last, or with the end of the text.
    void note(const QString& problem) {
        if (m_reading.whole)
            m_reading = RouteFileReading{false, m_valueLine, problem};
    }
    const RouteFileReading& reading() const { return m_reading; }

private:
    static bool isBlank(QChar c) { return c == u' ' || c == u'\t'; }

    // The first line end or stop character from pos on.
    qsizetype findEnd(qsizetype pos, char16_t stop) const {
        while (pos < m_text.size() && m_text[pos] != u'\r' && m_text[pos] != u'\n' &&
               m_text[pos] != stop)
            ++pos;
        return pos;
    }

    void skipDelimiter() {
        if (m_pos >= m_text.size())
            return;
        const QChar c = m_text[m_pos++];
        if (c == u',')
            return;
        if (c == u'\r' && m_pos < m_text.size() && m_text[m_pos] == u'\n')
            ++m_pos;
        ++m_line;
    }

    QStringView m_text;
    qsizetype m_pos = 0;
    int m_line = 1;
    int m_valueLine = 1;
    RouteFileReading m_reading;
};

std::optional<qint32> readTime(ValueReader& reader, const QString& name) {
    const std::optional<QString> value = reader.next();
    if (!value) {
        reader.note(reader.isEmpty() ? QStringLiteral("Die Datei ist leer")
                                     : QStringLiteral("Die Datei endet vor %1").arg(name));
        return std::nullopt;
    }
    bool ok = false;
    const qint32 time = value->trimmed().toInt(&ok);
    if (!ok)
        reader.note(QStringLiteral("„%1“ ist keine Zahl für %2").arg(excerpt(*value), name));
    return ok ? std::optional<qint32>(time) : std::nullopt;
}

} // namespace

RouteFileReading ParseRouteFile(RouteTable& table, const QByteArray& content) {
    const QString text = fileText(content);
    ValueReader reader(text);
    const std::optional<qint32> pause = readTime(reader, QStringLiteral("die Pausenzeit"));
    if (!pause)
        return reader.reading();
    table.PauseTimeMs = *pause;
    const std::optional<qint32> switching = readTime(reader, QStringLiteral("die Schaltzeit"));
    if (!switching)
        return reader.reading();
    table.SwitchTimeMs = *switching;
    for (int row = 1; row < RouteTable::RowCount; ++row) {
        for (int column = 1; column < RouteTable::ColumnCount; ++column) {
            const std::optional<QString> value = reader.next();
            if (!value) {
                reader.note(
                    column == 1
                        ? QStringLiteral("Die Datei endet vor Fahrstraße %1").arg(row)
                        : QStringLiteral("Die Datei endet mitten in Fahrstraße %1").arg(row));
                return reader.reading();
            }
            table.setText(row, column, *value);
        }
    }
    reader.expectEnd();
    return reader.reading();
}

RouteFileReading ReadRouteFile(RouteTable& table, const QString& path) {
    const FileContent file = readWholeFile(path, MaxFileSize);
    if (file.missing)
        return {};
    if (!file.whole() && file.bytes.isEmpty())
        return {false, 0, QStringLiteral("Die Datei kann nicht gelesen werden: ") + file.problem};
    const RouteFileReading parsed = ParseRouteFile(table, file.bytes);
    if (file.whole())
        return parsed;
    return {false, 0, QStringLiteral("Nur ihr Anfang wurde gelesen: ") + file.problem};
}

QStringList RouteFileLines(const RouteTable& table) {
    QStringList lines{QString::number(table.PauseTimeMs), QString::number(table.SwitchTimeMs)};
    lines.reserve(2 + RouteTable::LastRoute * (RouteTable::ColumnCount - 1));
    for (int row = 1; row < RouteTable::RowCount; ++row) {
        for (int column = 1; column < RouteTable::ColumnCount; ++column)
            lines.append(u'"' + table.text(row, column) + u'"');
    }
    return lines;
}

bool WriteRouteFile(const RouteTable& table, const QString& path, QString* error) {
    return writeTextFile(path, RouteFileLines(table), error);
}
