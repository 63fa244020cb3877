// The locator's picture of the whole plan: land and sea, green areas, water, the district
// outlines and the main streets, drawn from the loaded plan at a scale at which the map's
// height spans the picture's height.
#pragma once

#include "platform/types.h"

constexpr int kLocatorWidth = 314;
constexpr int kLocatorHeight = 400;
// The map area's top left corner inside the picture.
constexpr int kLocatorMapLeft = 8;
constexpr int kLocatorMapTop = 1;
// Metres a picture pixel covers, per metre of the whole map's height.
constexpr double kLocatorMetresPerPixelFactor = 0.0025;

// Picture pixel of a plan point for a whole map whose low corner is (exMin, eyMin) and whose
// height is exMax - exMin; k metres a pixel. Truncated as the locator's marking truncates.
POINT LocatorPicturePoint(float X, float Y, float exMin, float eyMin, float exMax);

// A new kLocatorWidth x kLocatorHeight bitmap of the loaded plan (the caller deletes it), or
// null while no plan is loaded or when no bitmap can be made.
HBITMAP DrawLocatorPicture();
