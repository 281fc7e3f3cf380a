#include "KeyboardPage.h"

#include "PanelActions.h"
#include "PanelTexts.h"
#include "link/LinkState.h"

int KeyboardPage::base() const {
    return m_state.KeyboardBase;
}

bool KeyboardPage::select(int index) {
    if (index < 0 || index >= panel::AddressPages)
        return false;
    const int base = index * panel::PageSize;
    if (base == m_state.KeyboardBase)
        return false;
    m_state.KeyboardBase = base;
    m_state.job.start(PageQueryJob, base - 1);
    return true;
}

QString KeyboardPage::keyTip(int key, bool green) const {
    return panel::accessoryKeyTip(address(key), green);
}

void KeyboardPage::keyDown(int key, bool green) {
    panel::switchAccessory(m_state.job, address(key), green, true);
}

void KeyboardPage::keyUp(int key, bool green) {
    panel::switchAccessory(m_state.job, address(key), green, false);
}
