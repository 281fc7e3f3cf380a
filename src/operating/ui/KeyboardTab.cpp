#include "KeyboardTab.h"

#include "ColouredKey.h"
#include "link/Colours.h"
#include "operating/PanelTexts.h"
#include "widgets/IndicatorLamp.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int FirstShape = 0;

enum class KeyMove { None, Down, Up };

// The left button and the space bar hold a key down; nothing else does.
KeyMove keyMoveOf(const QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton ? KeyMove::Down
                                                                                  : KeyMove::None;
    case QEvent::MouseButtonRelease:
        return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton ? KeyMove::Up
                                                                                  : KeyMove::None;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->key() != Qt::Key_Space || key->isAutoRepeat())
            return KeyMove::None;
        return event->type() == QEvent::KeyPress ? KeyMove::Down : KeyMove::Up;
    }
    default:
        return KeyMove::None;
    }
}
} // namespace

KeyboardTab::KeyboardTab(PanelPages& pages, JobMachine& jobs, QWidget* parent)
    : PanelTab(QStringLiteral("KeybNrCo"), QStringLiteral("KeyBAdrBereichTxt"),
               panel::keyboardPageEntries(), FirstShape, parent),
      m_page(pages, jobs) {
    setObjectName(QStringLiteral("Keyboard"));
    for (int i = 0; i < Places; ++i) {
        m_lamps[i] = new IndicatorLamp;
        m_lamps[i]->setObjectName(indexedName("KB_Anz", i));
        m_red[i] = makeColouredKey(indexedName("KB_rot", i), colour::Red);
        m_green[i] = makeColouredKey(indexedName("KB_grn", i), colour::Green);
        m_red[i]->installEventFilter(this);
        m_green[i]->installEventFilter(this);
        auto* keys = new QHBoxLayout;
        keys->addWidget(m_red[i]);
        keys->addWidget(m_green[i]);
        place(i)->addWidget(m_lamps[i], 0, Qt::AlignHCenter);
        place(i)->addLayout(keys);
    }
    pageList()->setCurrentIndex(m_page.base() / panel::PageSize);
    showRange(m_page.base());
    showTips();
}

void KeyboardTab::pageChosen(int index) {
    m_page.select(index);
    showRange(m_page.base());
    showTips();
}

void KeyboardTab::showTips() {
    for (int i = 0; i < Places; ++i) {
        for (const bool green : {false, true}) {
            setKeyTip(green ? m_green[i] : m_red[i], m_page.keyTip(i, green));
        }
    }
}

void KeyboardTab::ShowKeyLamp(int key, int colour) {
    if (key >= 0 && key < Places)
        m_lamps[key]->setColour(colour);
}

bool KeyboardTab::eventFilter(QObject* watched, QEvent* event) {
    for (int i = 0; i < Places; ++i) {
        if (watched != m_red[i] && watched != m_green[i])
            continue;
        const bool green = watched == m_green[i];
        switch (keyMoveOf(event)) {
        case KeyMove::Down:
            m_page.keyDown(i, green);
            break;
        case KeyMove::Up:
            m_page.keyUp(i, green);
            break;
        case KeyMove::None:
            break;
        }
    }
    return PanelTab::eventFilter(watched, event);
}
