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
// Starts gx-velomat from programFolder as a child process.
Figure startUp(const QString& programFolder);
