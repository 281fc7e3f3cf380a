#pragma once

#include "Figure.h"

// Each runs the program's own objects and measures one figure.
Figure saturation();
Figure latency();
Figure tickCost();
// Start gx-velomat (and gx-sim) from programFolder as child processes.
Figure startUp(const QString& programFolder);
Figure lineCost(const QString& programFolder);
