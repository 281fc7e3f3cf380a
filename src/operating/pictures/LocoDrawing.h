#pragma once

#include "LocoLook.h"

#include <QImage>
#include <QSize>
#include <optional>

constexpr QSize LocoPictureSize(160, 96);

// A simple locomotive on its track: the headlight shines when the light is
// on, two badges show F1 and F2, the engine faces and an arrow points the way
// it runs. No look draws the empty track. Needs no fonts and no window
// system, so the build can draw the pictures.
QImage drawLocoPicture(const std::optional<LocoLook>& look);
