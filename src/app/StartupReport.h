#pragma once

class MainWin;
class ProgramCore;

// "--report-startup", for the benchmark: writes "shown" on stdout once the
// main window is up and the event loop runs, then connects to the core
// behind the port through the USB interface, writes the resident memory
// ("VmRSS: <n> kB") once connected, and ends the program.
void reportStartup(MainWin& window, ProgramCore& core);

// "--connect": presses "Verbinden" once the event loop runs, and writes
// "connected" or "not connected" on stdout when the connect has ended.
void connectAtStart(MainWin& window);
