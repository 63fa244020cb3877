// The two overview files: the inset map of the region round the city (1.tqf) and the lakes,
// rivers and names drawn over the whole-city map (2.tqf).
#pragma once

#include "city.h"
#include "coast.h"

namespace citygen {

void BuildOverview(const Coast& coast, City& city);

}  // namespace citygen
