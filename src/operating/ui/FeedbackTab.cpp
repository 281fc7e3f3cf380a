#include "FeedbackTab.h"

#include "ColouredKey.h"
#include "link/Colours.h"
#include "operating/PanelTexts.h"
#include "widgets/IndicatorLamp.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int FirstShape = 16;
} // namespace

FeedbackTab::FeedbackTab(PanelPages& pages, const FeedbackContacts& contacts, JobMachine& jobs,
                         QWidget* parent)
    : PanelTab(QStringLiteral("RMNrCo"), QStringLiteral("RMAdrBereichTxt"),
               panel::feedbackPageEntries(), FirstShape, parent),
      m_page(pages, contacts, jobs) {
    setObjectName(QStringLiteral("Rueckmelder"));
    for (int i = 0; i < Places; ++i) {
        m_lamps[i] = new IndicatorLamp;
        m_lamps[i]->setObjectName(indexedName("RM_Anz", i));
        m_reports[i] = makeColouredKey(indexedName("RMChgBut", i), colour::Grey);
        connect(m_reports[i], &QPushButton::clicked, this, [this, i] { m_page.report(i); });
        place(i)->addWidget(m_lamps[i], 0, Qt::AlignHCenter);
        place(i)->addWidget(m_reports[i], 0, Qt::AlignHCenter);
    }
    pageList()->setCurrentIndex(m_page.base() / panel::PageSize);
    showRange(m_page.base());
    for (int i = 0; i < Places; ++i)
        showContact(i);
}

void FeedbackTab::pageChosen(int index) {
    if (!m_page.select(index))
        return;
    showRange(m_page.base());
    for (int i = 0; i < Places; ++i)
        showContact(i);
}

void FeedbackTab::ShowFeedback(int contact) {
    if (const auto index = m_page.indexOf(contact))
        showContact(*index);
}

void FeedbackTab::showContact(int index) {
    m_lamps[index]->setColour(m_page.colour(index));
    setKeyTip(m_reports[index], m_page.reportTip(index));
}
