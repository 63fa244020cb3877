// A rough picture of the generated city, for looking at the coast, districts and streets while
// the generator is tuned. Not part of the map data.
#pragma once

#include <string>

#include "city.h"

namespace citygen {

// Draws the plan box (xMin, yMin)-(xMax, yMax) of `city` into a PNG `width` pixels wide.
bool WriteDebugPng(const City& city, const std::string& path, double xMin, double yMin, double xMax, double yMax,
                   int width);

}  // namespace citygen
