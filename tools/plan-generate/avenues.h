// The city's main avenues: a few long streets laid out before everything else, along the shore
// of Tervelsky bay, up the valley of the Sosnovka, along the peninsula from the centre and across
// it. The neighbourhoods turn their grids to them, and the woods keep out of their way.
#pragma once

#include <vector>

#include "coast.h"

namespace citygen {

// The avenues' centre lines, each one street from end to end; not yet cut at the water.
std::vector<Polyline> TraceAvenues(const Coast& coast, const LandMask& mask);

// Distance from p to the nearest avenue line, and its direction there.
double AvenueDistance(const std::vector<Polyline>& avenues, Vec p, Vec* direction = nullptr);

}  // namespace citygen
