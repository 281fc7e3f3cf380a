#pragma once

#include <QByteArray>
#include <array>

class Outbox;

// The accessories (turnouts, signals) and the feedback contacts as the
// station knows them from the commands and reports on the bus.
class Accessories {
public:
    static constexpr int Count = 2048;
    static constexpr int Contacts = 4096;

    enum ContactState : qint8 { Unknown = -1, Free = 0, Occupied = 1 };

    // B0 switch commands, B2 feedback reports and B4 state requests BC.
    // False for other messages.
    bool handle(const QByteArray& message, Outbox& out);

    // Direction of the last switch command with the output on; green at start.
    bool isGreen(int address) const { return m_green.at(address); }
    ContactState contact(int number) const { return m_contacts.at(number); }

    // The report of a feedback module that a contact changed.
    static QByteArray contactReport(int contact, bool occupied);

private:
    std::array<bool, Count> m_green = filled(true);
    std::array<ContactState, Contacts> m_contacts = unknownContacts();

    static std::array<bool, Count> filled(bool value);
    static std::array<ContactState, Contacts> unknownContacts();
};
