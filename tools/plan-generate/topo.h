// The lie of the land beyond the streets: forests and wooded hills, lakes, parks and squares,
// industrial zones, railways, paths.
#pragma once

#include "city.h"
#include "coast.h"
#include "streets.h"

namespace citygen {

// Forests (6614), wooded hills (750) and lakes (4925), laid out before the streets, which keep
// out of them and the avenues' way; marks them in the mask.
void PlaceNature(uint64_t seed, City& city, LandMask& mask, const std::vector<Polyline>& avenues);

// Parks and squares (718) and industrial zones (1014) among the streets; marks them in the mask.
// The side streets and driveways that crossed a park end at its edge.
void PlaceUrbanAreas(uint64_t seed, Network& net, City& city, LandMask& mask);

// Railways (3011), sidings (3035), the main roads drawn red on the overview (9005) and the
// paths of parks and forests (class 4).
void PlaceLines(uint64_t seed, const Network& net, City& city, const LandMask& mask);

}  // namespace citygen
