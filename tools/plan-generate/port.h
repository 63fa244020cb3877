// The railway station at the end of the line and the piers of the harbour: placed once the
// buildings stand, so that the station is one of them and no house is built on a pier.
#pragma once

#include "city.h"

namespace citygen {

// Makes the building nearest the railway's end the station, with its caption.
void PlaceStation(City& city);

// Piers from the harbour's banks into the water, as unnamed roads.
void PlacePiers(City& city);

}  // namespace citygen
