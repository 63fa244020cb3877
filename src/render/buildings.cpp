// Building layers: not drawn yet. The frame calls them at their places in the layer order, so
// the plan shows no buildings until they are filled in.
#include "render/buildings.h"

int32_t storeyPx = 0;
int32_t minLabelSize = 0;

void DrawFootprints() {}

void DrawDayBuildings() {}

void DrawNightBuildings() {}

void Draw3DBuildings() {}
