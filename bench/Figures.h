#pragma once

#include "Figure.h"

// Each runs the program's own objects and measures one figure.
Figure saturation();
Figure latency();
Figure tickCost();
// The saturation run with the bus monitor open.
Figure monitorOpen();
// The saturation run and the latency again, through TCP.
Figure tcpLine();
Figure routeSave();
// Start gx-velomat (and gx-sim) from programFolder as child processes.
Figure startUp(const QString& programFolder);
Figure lineCost(const QString& programFolder);
