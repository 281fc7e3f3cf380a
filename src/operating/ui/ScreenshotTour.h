#pragma once

#include <QString>
#include <QStringList>

class MainWin;
class ManualClock;
class ProgramCore;

// Opens every window the main window's menus offer, as far as they are
// enabled; "Beenden" is left alone.
void openEveryMenuWindow(MainWin& window);

// Pictures of the program: every window its menus open, saved as
// DIR/<window name>.png. Time is the tour's own clock, moved on 10 ms per
// tick without waiting, so a drive on the virtual station takes no time.
class ScreenshotTour {
public:
    ScreenshotTour(MainWin& window, ProgramCore& core, ManualClock& clock)
        : m_window(window), m_core(core), m_clock(clock) {}

    // Connects to the station behind the port and sets throttle 1 driving
    // the locomotive with this address, its light on; false when the
    // connect failed.
    bool driveLocomotive(int address, int sliderValue);
    // Lets the layout go on for a while, so the bus monitor has more than
    // the connect to show.
    void watchLayout(double seconds) { run(seconds); }
    // Opens every window and saves it; the files written, or an error.
    bool saveAll(const QString& folder, QStringList* written, QString* error);

private:
    // The program's ticks for the given time.
    void run(double seconds);

    MainWin& m_window;
    ProgramCore& m_core;
    ManualClock& m_clock;
};
