// Street layers: not drawn yet. The frame calls them at their places in the layer order, so
// the plan shows no streets until they are filled in.
#include "render/streets.h"

void DrawStreetBodies() {}

void DrawShownStreet() {}

void HighlightStreet(int) {}

void DrawStreetLabels() {}
