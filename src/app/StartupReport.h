#pragma once

class MainWin;
class Station;

// "--report-startup", for the benchmark: writes "shown" on stdout once the
// main window is up and the event loop runs, then connects to the station
// behind the port through the USB interface, writes the resident memory
// ("VmRSS: <n> kB") once connected, and ends the program.
void reportStartup(MainWin& window, Station& station);

// "--connect": connects at once, on the interface and port of conf.dat, and
// writes "connected" or "not connected" on stdout when the connect has
// ended; the program runs on.
void connectAtStart(MainWin& window, Station& station);
