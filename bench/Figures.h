#pragma once

#include "Figure.h"

// Each runs the program's own objects and measures one figure.
Figure saturation();
Figure latency();
Figure tickCost();
Figure routeSave();
// Starts gx-velomat from programFolder as a child process.
Figure startUp(const QString& programFolder);
