#include "ZeltronManager.h"

#include "ThrottleDisplay.h"
#include "link/LinkState.h"
#include "link/LinkView.h"
#include "programming/lncv/LncvFields.h"
#include "programming/lncv/LncvJobs.h"

namespace {
ZeltronLoco locoOf(const SlotRecord& r, const SpeedStepTable& steps) {
    ZeltronLoco loco;
    loco.address = r[SlotRecord::Address];
    loco.step = steps.displayStep(r[SlotRecord::Speed], r[SlotRecord::SpeedSteps]);
    for (int n = 0; n < ZeltronLoco::Functions; ++n)
        loco.functions[n] = functionOn(r, n);
    loco.backward = (r[SlotRecord::DirF] & 0x20) != 0;
    return loco;
}
} // namespace

ZeltronManager::ZeltronManager(LinkState& state, LncvJobs& lncv, WindowFactory makeWindow)
    : s(state), m_lncv(lncv), m_makeWindow(std::move(makeWindow)) {
    s.hooks.ZeltronRequest = [this](int throttleId) { ZeltronRequest(throttleId); };
}

ZeltronManager::~ZeltronManager() {
    s.hooks.ZeltronRequest = nullptr;
}

std::optional<int> ZeltronManager::addressOf(QStringView text) {
    const auto address = fieldNumber(text, MaxAddress);
    if (!address || *address < 1)
        return std::nullopt;
    return address;
}

void ZeltronManager::ZeltronRequest(int throttleId) {
    // A throttle that has a window keeps it, even when a window before it
    // has been closed meanwhile.
    for (int w = 1; w <= ZeltronWindowCount; ++w) {
        if (s.handhelds.ZeltronWindows[w].InUse != 0 && m_windows[w].throttleId == throttleId) {
            callUp(w);
            return;
        }
    }
    for (int w = 1; w <= ZeltronWindowCount; ++w) {
        if (s.handhelds.ZeltronWindows[w].InUse == 0) {
            take(w, throttleId);
            return;
        }
    }
    s.messages.ShowMessage(
        QStringLiteral("Max. Anzahl von Fenstern für Zeltron Fahrregler erreicht!"),
        QStringLiteral("Achtung!"), MessageIcon::Critical);
}

void ZeltronManager::take(int w, int throttleId) {
    ZeltronEntry& entry = s.handhelds.ZeltronWindows[w];
    entry.InUse = -1;
    entry.Waiting = -1;
    // Nothing of the locomotive an earlier window of this number showed may
    // reach the new one: no address matches -1, and no slot points here.
    entry.Address = -1;
    entry.Slot = 0;
    for (int& shownBy : s.handhelds.SlotOnZeltron) {
        if (shownBy == w)
            shownBy = 0;
    }
    Window& window = m_windows[w];
    window.throttleId = throttleId;
    window.article = s.answers.LncvAnswerArticle;
    if (!window.view)
        window.view = m_makeWindow(*this, w);
    window.view->Open(throttleId);
}

void ZeltronManager::callUp(int w) {
    s.handhelds.ZeltronWindows[w].Waiting = -1;
    m_windows[w].view->AwaitAddress();
}

ZeltronEntry* ZeltronManager::entryInUse(int w) {
    if (w < 1 || w > ZeltronWindowCount || s.handhelds.ZeltronWindows[w].InUse == 0 ||
        !m_windows[w].view)
        return nullptr;
    return &s.handhelds.ZeltronWindows[w];
}

void ZeltronManager::show(int w) {
    const ZeltronEntry* entry = entryInUse(w);
    if (!entry || entry->Slot < 1 || entry->Slot >= SlotCount)
        return;
    ZeltronLoco loco = locoOf(s.station.SlotTable[entry->Slot], s.station.SpeedSteps);
    loco.locked = entry->Waiting == 0;
    m_windows[w].view->ShowLoco(loco);
}

void ZeltronManager::confirmAddress(int w, int address) {
    ZeltronEntry* entry = entryInUse(w);
    if (!entry || address < 1 || address > MaxAddress)
        return;
    m_lncv.write({m_windows[w].article, AddressLncv, address});
    entry->Address = address;
    entry->Waiting = 0;
    m_windows[w].view->AddressSent();
}

void ZeltronManager::closed(int w) {
    if (w < 1 || w > ZeltronWindowCount)
        return;
    s.handhelds.ZeltronWindows[w].InUse = 0;
    m_windows[w].throttleId = 0;
}
