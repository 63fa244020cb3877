// The walk every building routine makes: north to south from the building cursor, over the
// buildings in view, each outline converted into the shared point buffer.
#pragma once

#include "data/store.h"
#include "platform/types.h"
#include "render/frame.h"

// In view, and in "select" big enough to be seen (2 mm on the screen).
bool BuildingInWalk(const BuildingRec& b);
// The building's outline in screen points (the shared buffer); the number of points, 0 when
// there are none or the buffer cannot hold them.
int ConvertBuilding(const BuildingRec& b, POINT** out);
// Every point `dy` pixels up (down for a negative dy).
void MovePointsUp(POINT* pts, int n, int dy);
// The lowest screen y of the points.
int LowestY(const POINT* pts, int n);

// The local hour, from the installed query or the clock.
int ReadLocalHour();

// Anything drawn wholly this far above the top edge cannot show: stacks of storeys stop there
// instead of drawing on towards an absurd number of floors.
constexpr int kAboveScreenMargin = 32;
bool WhollyAboveScreen(int lowestY);

template <typename Draw>
void WalkBuildings(Draw&& draw) {
    if (g_buildings == nullptr) return;
    for (int i = buildingCursor < 0 ? 0 : buildingCursor; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        if (!BuildingInWalk(b)) continue;
        POINT* pts = nullptr;
        const int n = ConvertBuilding(b, &pts);
        if (n < 1) continue;
        draw(b, pts, n);
    }
}
