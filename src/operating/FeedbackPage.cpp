#include "FeedbackPage.h"

#include "PanelTexts.h"
#include "link/AccessoryJobs.h"
#include "link/Colours.h"
#include "link/StationSlots.h"

int FeedbackPage::base() const {
    return m_pages.FeedbackBase;
}

bool FeedbackPage::select(int index) {
    if (index < 0 || index >= panel::AddressPages)
        return false;
    const int base = index * panel::PageSize;
    if (base == m_pages.FeedbackBase)
        return false;
    m_pages.FeedbackBase = base;
    return true;
}

std::optional<int> FeedbackPage::indexOf(int contact) const {
    const int index = contact - base();
    if (index < 0 || index >= Contacts)
        return std::nullopt;
    return index;
}

int FeedbackPage::state(int index) const {
    return m_contacts.FeedbackState.at(contact(index));
}

int FeedbackPage::colour(int index) const {
    switch (state(index)) {
    case 1:
        return colour::Red;
    case 0:
        return colour::Yellow;
    default:
        return colour::White;
    }
}

QString FeedbackPage::reportTip(int index) const {
    return panel::feedbackReportTip(contact(index), state(index));
}

void FeedbackPage::report(int index) {
    requestFeedbackReport(m_jobs, contact(index), state(index) != 1);
}
