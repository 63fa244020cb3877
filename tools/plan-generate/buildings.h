// Buildings along the streets: footprints of the kind each neighbourhood builds (old
// perimeter blocks, slabs and towers, private houses, sheds, campuses), their purpose, floors
// and house numbers counted along each street, odd on the left and even on the right.
#pragma once

#include "city.h"
#include "coast.h"
#include "streets.h"

namespace citygen {

// Places up to `wanted` buildings along the named streets and driveways of `city` (whose
// street ids must be set), nearest the centre first, and numbers them.
void PlaceBuildings(uint64_t seed, const Network& net, City& city, const LandMask& mask, int wanted);

}  // namespace citygen
