#pragma once

#include "LocoLook.h"

#include <QImage>
#include <QSize>
#include <optional>

class QPainter;

constexpr QSize LocoPictureSize(160, 96);

// A simple locomotive on its track: the headlight shines when the light is
// on, two badges show F1 and F2, the engine faces and an arrow points the way
// it runs. No look draws the empty track. Needs no fonts and no window
// system, so the build can draw the pictures.
QImage drawLocoPicture(const std::optional<LocoLook>& look);

// The program's icon: the engine with its light on, on its track, on a
// rounded square of the given side. Paints on any device, so one drawing
// gives the scalable icon and every pixel size.
void paintLocoIcon(QPainter& painter, double side);
