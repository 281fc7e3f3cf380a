#pragma once

#include <QString>
#include <optional>

class JobMachine;
struct FeedbackContacts;
struct PanelPages;

// The feedback panel: which 16 contacts it shows, how each looks, and the
// report its button sends.
class FeedbackPage {
public:
    static constexpr int Contacts = 16;

    FeedbackPage(PanelPages& pages, const FeedbackContacts& contacts, JobMachine& jobs)
        : m_pages(pages), m_contacts(contacts), m_jobs(jobs) {}

    int base() const;
    // False when the page was shown already. Nothing is sent: the states
    // of every contact are kept.
    bool select(int index);

    int contact(int index) const { return base() + index; }
    // The indicator of a contact on the shown page, if it is there.
    std::optional<int> indexOf(int contact) const;

    // Occupied red, free yellow, never reported white.
    int colour(int index) const;
    QString reportTip(int index) const;
    // Reports the contact the other way round than it was last seen, so the
    // echo of the report turns the indicator; a contact never reported is
    // reported occupied.
    void report(int index);

private:
    int state(int index) const;

    PanelPages& m_pages;
    const FeedbackContacts& m_contacts;
    JobMachine& m_jobs;
};
