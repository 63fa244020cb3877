// How the land is divided: the five districts and the named parts of the city.
#pragma once

#include "city.h"
#include "coast.h"

namespace citygen {

// The five district outlines: fixed convex cells of the plan, each cut to the land.
std::vector<District> BuildDistricts(const Ring& land);

// Whether p lies within `distance` of a border between district cells.
bool NearDistrictBorder(const std::vector<District>& districts, Vec p, double distance);
// How many district outlines contain p (the outlines are rounded to whole metres, so right on a
// border a point may fall into none).
int OutlinesContaining(const std::vector<District>& districts, Vec p);

// District number (1..5) of the cell containing p; 0 outside every cell.
int DistrictAt(const std::vector<District>& districts, Vec p);

}  // namespace citygen
