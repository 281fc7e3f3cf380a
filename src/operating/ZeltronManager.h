#pragma once

#include "ZeltronWindowView.h"
#include "link/HandheldTable.h"

#include <QStringView>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class LinkState;
class LncvJobs;

// Keeps the windows of the handheld throttles that ask the PC for a
// locomotive: one per throttle, up to 20. The user types the address, it
// is written into the throttle's LNCV 10, and the window then mirrors the
// locomotive the throttle drives.
class ZeltronManager {
public:
    static constexpr int MaxAddress = 10000;
    static constexpr int AddressLncv = 10;

    // Makes the window for entry w; the manager owns it from then on.
    using WindowFactory =
        std::function<std::unique_ptr<ZeltronWindowView>(ZeltronManager& manager, int window)>;

    // Takes over the link's throttle announcements.
    ZeltronManager(LinkState& state, LncvJobs& lncv, WindowFactory makeWindow);
    ~ZeltronManager();
    ZeltronManager(const ZeltronManager&) = delete;
    ZeltronManager& operator=(const ZeltronManager&) = delete;

    // A throttle announced itself with its number (0..65535).
    void ZeltronRequest(int throttleId);
    // Refreshes window w from its locomotive's slot (the link's ZeltronShow).
    void show(int window);
    // The user confirmed the address typed in window w.
    void confirmAddress(int window, int address);
    // Window w was closed: its entry is free again.
    void closed(int window);

    // The address typed in a window: only digits, 1..10000.
    static std::optional<int> addressOf(QStringView text);

    int throttleId(int window) const { return m_windows.at(window).throttleId; }
    ZeltronWindowView* window(int window) const { return m_windows.at(window).view.get(); }

private:
    struct Window {
        int throttleId = 0;
        // The article the throttle announced itself with; the address is
        // written to it.
        int article = 0;
        std::unique_ptr<ZeltronWindowView> view;
    };
    void take(int window, int throttleId);
    void callUp(int window);
    ZeltronEntry* entryInUse(int window);

    LinkState& s;
    LncvJobs& m_lncv;
    WindowFactory m_makeWindow;
    std::array<Window, ZeltronWindowCount + 1> m_windows;
};
