#include "MessageRing.h"

MessageRing::Entry& MessageRing::add() {
    const qint64 number = m_end++;
    if (m_end - m_first > m_capacity)
        m_first = m_end - m_capacity;
    if (number < m_capacity)
        return m_entries.emplace_back();
    return m_entries[number % m_capacity];
}

const MessageRing::Entry* MessageRing::at(qint64 number) const {
    if (number < m_first || number >= m_end)
        return nullptr;
    return &m_entries[number % m_capacity];
}
