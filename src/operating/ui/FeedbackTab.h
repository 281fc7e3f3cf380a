#pragma once

#include "PanelTab.h"
#include "operating/FeedbackPage.h"

#include <array>

class IndicatorLamp;
class JobMachine;
struct FeedbackContacts;
struct PanelPages;
class QPushButton;

// The "Rückmelder" tab: 16 feedback contacts, each with its indicator and a
// button that reports it the other way round.
class FeedbackTab : public PanelTab {
    Q_OBJECT
public:
    FeedbackTab(PanelPages& pages, const FeedbackContacts& contacts, JobMachine& jobs,
                QWidget* parent = nullptr);

    // A report for the contact was seen; the tab shows it when it is on
    // the page.
    void ShowFeedback(int contact);

protected:
    void pageChosen(int index) override;

private:
    void showContact(int index);

    FeedbackPage m_page;
    std::array<IndicatorLamp*, Places> m_lamps{};
    std::array<QPushButton*, Places> m_reports{};
};
