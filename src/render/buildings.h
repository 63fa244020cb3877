// The building layers of the detailed plan, one routine per way of drawing them.
#pragma once

#include <cstdint>

// Per detailed frame: the screen height of one storey (5 m of plan) and the plan metres that
// make 7 mm on the screen. Set by the frame before its first layer.
extern int32_t storeyPx;
extern int32_t minLabelSize;

// Detail level 0, every display mode.
void DrawFootprints();
// Detail levels 1 to 5, "Flat" and "Graphic".
void DrawDayBuildings();
// Detail levels 1 to 5, "Night".
void DrawNightBuildings();
// Detail levels 1 to 5, the five 3D modes.
void Draw3DBuildings();
