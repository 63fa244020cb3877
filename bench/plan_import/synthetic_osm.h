// The generated city as an OpenStreetMap XML extract: every street piece a named way, every
// building a closed way with its address, the land a coastline, water, parks, places and the
// objects of the buildings as points of interest. Plan metres become degrees round a centre.
#pragma once

#include <string>

#include "city.h"

namespace planbench {

// Writes the extract; false when the file cannot be written.
bool WriteSyntheticOsm(const citygen::City& city, const std::string& path);

}  // namespace planbench
