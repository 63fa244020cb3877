// What makes the network a city to search in: street kinds and names, the name labels along
// the streets, and the named parts of the city.
#pragma once

#include "city.h"
#include "coast.h"
#include "streets.h"

namespace citygen {

// Kinds by rank and setting, names from the word lists (after the buildings, so that streets
// left without houses can become roads), and a few reserved names of streets not yet built.
void NameStreets(uint64_t seed, City& city, const LandMask& mask);

// Labels on the middle of street pieces: main streets show from the smallest scale, side
// streets and repeated labels of long streets only as the user zooms in.
void PlaceLabels(City& city);

// At least `count` named parts of the city at neighbourhood centres across the districts.
void PlacePlaces(uint64_t seed, const Network& net, City& city, const LandMask& mask, int count);

}  // namespace citygen
