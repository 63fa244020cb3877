// The building layers of the detailed plan, one routine per way of drawing them.
#pragma once

#include <cstdint>

#include "data/store.h"
#include "platform/types.h"

// Per detailed frame: the screen height of one storey (5 m of plan) and the plan metres that
// make 7 mm on the screen. Set by the frame before its first layer.
extern int32_t storeyPx;
extern int32_t minLabelSize;
// The local hour (0..23) the lit windows of "Windows on clock" follow; read once per 3D pass.
extern int32_t currentHour;

// Where the hour comes from: the local time unless a test installs a fixed one. A null query
// goes back to the local time.
using LocalHourQuery = int (*)();
void SetLocalHourQuery(LocalHourQuery query);

// Detail level 0, every display mode.
void DrawFootprints();
// Detail levels 1 to 5, "Flat" and "Graphic".
void DrawDayBuildings();
// Detail levels 1 to 5, "Night".
void DrawNightBuildings();
// Detail levels 1 to 5, the five 3D modes.
void Draw3DBuildings();
// The walls of one block from its n screen points, back to front, with their windows. Needs
// storeyPx and currentHour of the pass and selects the wall brush of the building's category.
void DrawBlockWalls(int n, const POINT* points, const BuildingRec& b);
// The trimmed house number centred over the reference point, `lift` pixels higher; nothing
// when the "Addresses" setting hides it.
void DrawHouseNumber(const BuildingRec& b, int lift);
// Whether the walls of b get windows, f being the storeys its walls stand (k and the display
// mode aside): single-storey outbuildings and garages stay blind.
bool WallsHaveWindows(const BuildingRec& b, int f);
