#include "LineSplitter.h"

QList<QByteArray> LineSplitter::feed(const QByteArray& bytes) {
    QList<QByteArray> lines;
    for (const char c : bytes) {
        if (c == '\r' || c == '\n') {
            if (!m_line.isEmpty() && !m_overlong)
                lines.append(m_line);
            m_line.clear();
            m_overlong = false;
        } else if (m_line.size() < MaxLineLength) {
            m_line.append(c);
        } else {
            m_overlong = true;
        }
    }
    return lines;
}
