#include "KeyboardPage.h"

#include "PanelTexts.h"
#include "link/AccessoryJobs.h"
#include "link/StationSlots.h"

int KeyboardPage::base() const {
    return m_pages.KeyboardBase;
}

bool KeyboardPage::select(int index) {
    if (index < 0 || index >= panel::AddressPages)
        return false;
    const int base = index * panel::PageSize;
    if (base == m_pages.KeyboardBase)
        return false;
    m_pages.KeyboardBase = base;
    requestPageQuery(m_jobs, base);
    return true;
}

QString KeyboardPage::keyTip(int key, bool green) const {
    return panel::accessoryKeyTip(address(key), green);
}

void KeyboardPage::keyDown(int key, bool green) {
    requestAccessory(m_jobs, address(key), green, true);
}

void KeyboardPage::keyUp(int key, bool green) {
    requestAccessory(m_jobs, address(key), green, false);
}
