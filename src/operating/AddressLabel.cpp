#include "AddressLabel.h"

void AddressLabel::open(int digit) {
    m_text = QString::number(digit);
}

void AddressLabel::type(int digit) {
    m_text += QString::number(digit);
    if (m_text.size() > MaxDigits)
        m_text.remove(0, m_text.size() - MaxDigits);
}

void AddressLabel::erase() {
    m_text.chop(1);
}

int AddressLabel::number() const {
    return m_text.toInt();
}
