// Kerb lines: the edges of every street, drawn instead of the street bodies at the largest
// scales, where a street body of a few pixels would no longer show its real width.
#pragma once

#include "city.h"

namespace citygen {

// Feature code of a kerb in the fourth line list (paths there are 4).
constexpr int kKerbCode = 5;

// Half the carriageway, centre line to kerb, by street rank (4 for unnamed roads). It stays
// inside the corridor the buildings keep clear of, so kerbs do not cut through house fronts.
double KerbHalfWidth(int rank);

// The line moved sideways by `d` (positive to the left of its direction). Corners are mitred,
// with the mitre limited to twice `d` so that sharp turns cannot throw a point far away.
Polyline OffsetLine(const Polyline& line, double d);

// Appends both kerbs of every named street piece and unnamed road to the minor lines. Where
// pieces of other streets meet a piece's end, its kerbs stop short by the widest of them, so
// the crossing is left open; coordinates stay inside the plan.
void AddKerbs(City& city);

}  // namespace citygen
