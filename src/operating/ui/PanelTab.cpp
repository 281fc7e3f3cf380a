#include "PanelTab.h"

#include "operating/PanelTexts.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
constexpr int Columns = 8;
} // namespace

QString indexedName(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

PanelTab::PanelTab(const QString& pageListName, const QString& rangeName, const QStringList& pages,
                   int firstShape, QWidget* parent)
    : QWidget(parent), m_pages(new QComboBox), m_range(new QLabel) {
    m_pages->setObjectName(pageListName);
    m_pages->addItems(pages);
    m_pages->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    m_range->setObjectName(rangeName);
    m_range->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* rangeLabel = new QLabel(QStringLiteral("Adressbereich:"));
    rangeLabel->setBuddy(m_pages);
    showRange(0);

    auto* top = new QHBoxLayout;
    top->addWidget(m_pages);
    top->addSpacing(12);
    top->addWidget(rangeLabel);
    top->addWidget(m_range);
    top->addStretch();

    auto* grid = new QGridLayout;
    for (int i = 0; i < Places; ++i) {
        auto* frame = new QFrame;
        frame->setObjectName(indexedName("KBShape", firstShape + i));
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        m_places[i] = new QVBoxLayout(frame);
        m_places[i]->setAlignment(Qt::AlignHCenter);
        grid->addWidget(frame, i / Columns, i % Columns);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->addStretch();

    connect(m_pages, &QComboBox::activated, this, [this](int index) { pageChosen(index); });
}

void PanelTab::showRange(int base) {
    m_range->setText(panel::rangeText(base));
}
