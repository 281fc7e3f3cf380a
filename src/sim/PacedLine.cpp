#include "PacedLine.h"

#include <algorithm>

namespace {
// Clock readings are sums of many small steps; a byte due "now" must not be
// missed by a rounding error.
constexpr double Tolerance = 1e-9;
} // namespace

void PacedLine::setBitRate(int bitsPerSecond) {
    if (bitsPerSecond > 0)
        m_bitRate = bitsPerSecond;
}

void PacedLine::send(const QByteArray& bytes, double notBefore) {
    if (bytes.isEmpty())
        return;
    const auto after =
        std::upper_bound(m_held.begin(), m_held.end(), notBefore,
                         [](double time, const Held& held) { return time < held.notBefore; });
    m_held.insert(after, Held{notBefore, bytes});
}

void PacedLine::schedule(double now) {
    while (!m_held.empty() && m_held.front().notBefore <= now + Tolerance) {
        const Held held = m_held.front();
        m_held.erase(m_held.begin());
        double t = std::max(held.notBefore, m_lineFree);
        for (const char b : held.bytes) {
            t += byteTime();
            m_bytes.push_back(Byte{t, b});
        }
        m_lineFree = t;
    }
}

qint64 PacedLine::ready(double now) {
    schedule(now);
    qint64 n = 0;
    for (const Byte& b : m_bytes) {
        if (b.arrival > now + Tolerance)
            break;
        ++n;
    }
    return n;
}

QByteArray PacedLine::take(double now) {
    const qint64 n = ready(now);
    QByteArray out;
    out.reserve(n);
    for (qint64 i = 0; i < n; ++i) {
        out.append(m_bytes.front().value);
        m_bytes.pop_front();
    }
    return out;
}

double PacedLine::nextArrival(double now) {
    schedule(now);
    if (!m_bytes.empty())
        return m_bytes.front().arrival;
    if (!m_held.empty())
        return std::max(m_held.front().notBefore, m_lineFree) + byteTime();
    return -1;
}

void PacedLine::clear() {
    m_held.clear();
    m_bytes.clear();
}
