#pragma once

#include <QFont>

// Courier New where the windows ask for it; Liberation Mono stands in
// where Courier New is not installed.
QFont courierNewFont();
