// What the object search finds: the two-level tree of themes, the objects in the buildings
// (shops, pharmacies, schools, clinics, banks, cafés, ...), the captions of the buildings they
// stand in, and the signs (monuments and memorial plaques).
#pragma once

#include "city.h"

namespace citygen {

void PlaceObjects(uint64_t seed, City& city);

}  // namespace citygen
