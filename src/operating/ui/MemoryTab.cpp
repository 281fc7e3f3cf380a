#include "MemoryTab.h"

#include "ColouredKey.h"
#include "link/Colours.h"
#include "operating/PanelTexts.h"
#include "routes/Routes.h"
#include "widgets/IndicatorLamp.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int FirstShape = 32;
} // namespace

MemoryTab::MemoryTab(Routes& routes, QWidget* parent)
    : PanelTab(QStringLiteral("MemNrCo"), QStringLiteral("MemAdrBereichTxt"),
               panel::routePageEntries(RouteTable::RowCount), FirstShape, parent),
      m_routes(routes), m_page(routes.table, routes.engine) {
    setObjectName(QStringLiteral("Memory"));
    for (int i = 0; i < Places; ++i) {
        m_lamps[i] = new IndicatorLamp;
        m_lamps[i]->setObjectName(indexedName("FS_Anz", i));
        m_lamps[i]->setColour(colour::White);
        m_request[i] = makeColouredKey(indexedName("FSSetBut", i), colour::Yellow);
        m_dissolve[i] = makeColouredKey(indexedName("FSRsBut", i), colour::Grey);
        connect(m_request[i], &QPushButton::clicked, this, [this, i] { m_page.request(i); });
        connect(m_dissolve[i], &QPushButton::clicked, this, [this, i] { m_page.dissolve(i); });
        auto* keys = new QHBoxLayout;
        keys->addWidget(m_request[i]);
        keys->addWidget(m_dissolve[i]);
        place(i)->addWidget(m_lamps[i], 0, Qt::AlignHCenter);
        place(i)->addLayout(keys);
    }
    pageList()->setCurrentIndex(m_page.base() / panel::PageSize);
    showRange(m_page.base());
    showTips();
    m_routes.engine.setIndicatorView(this);
}

// The engine outlives the main window's tabs.
MemoryTab::~MemoryTab() {
    m_routes.engine.setIndicatorView(nullptr);
}

void MemoryTab::pageChosen(int index) {
    m_page.select(index);
    showRange(m_page.base());
    showTips();
}

void MemoryTab::showTips() {
    for (int i = 0; i < Places; ++i) {
        setKeyTip(m_request[i], m_page.requestTip(i));
        setKeyTip(m_dissolve[i], m_page.dissolveTip(i));
    }
}

void MemoryTab::ShowRouteIndicator(int index, int colour) {
    if (index >= 0 && index < Places)
        m_lamps[index]->setColour(colour);
}
