#pragma once

#include "ProgramOnLayout.h"
#include "app/ProgramWindows.h"

// The program put together as main.cpp does it: the main window with the
// windows behind its menus, through the USB interface on COM 1.
struct WholeProgram : ProgramOnLayout {
    WholeProgram() : windows(*core, *win, relay) {}

    ProgramWindows windows;
};
