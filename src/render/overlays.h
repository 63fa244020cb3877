// Marks the paint lays on the window over a copied frame: the flags on the buildings a search
// found, the name of a chosen part of the city and the outline of a chosen district. They are
// not part of the stored frame, so the next plain paint wipes them.
#pragma once

#include "data/store.h"

// A flag on each building of the selection; without a selection, on each building of the
// shown street.
void DrawSearchFlags();
// The place's name, large, at its point.
void DrawPartName(const PlaceRec* place);
// The district's outline and its name in the middle of its box.
void DrawDistrictOutline(const AreaRec* outline);
