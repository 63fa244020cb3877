// Buildings as extruded blocks: the walls facing the viewer, back to front, with rows of
// windows, lit bands or single windows, then the roof at the building's height.
#include <cstring>
#include <vector>

#include "platform/gdi.h"
#include "render/block_walls.h"
#include "render/building_walk.h"
#include "render/buildings.h"
#include "render/pixel_math.h"
#include "render/rand.h"
#include "render/styles.h"
#include "view/geometry.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

// The edge tables of the current 3D pass.
BlockEdgeTables edgeTables;

constexpr int16_t kPurposeOutbuilding = 413;
constexpr int16_t kPurposeApartments = 411;
constexpr int16_t kPurposeOffices = 555;
constexpr int16_t kPurposeDarkBands = 777;
constexpr int16_t kPurposeLitBands = 888;

bool IsRaisedStructure(int16_t purpose) { return purpose >= 657 && purpose <= 659; }

// Whether a window of a building of `purpose` is lit at `hour` for the random number r: homes
// light up in the evening and at night, offices and the rest by day.
bool WindowLitOnClock(int16_t purpose, int hour, int r) {
    if (hour <= 5) {
        if (purpose == kPurposeOffices) return r % 2 == 0;
        return r % 30 == 0;
    }
    if (hour <= 8) {
        const int m = hour - 4;
        if (purpose == kPurposeApartments) return r % m == 0;
        return r % m != 0;
    }
    if (hour <= 17) {
        if (purpose == kPurposeApartments) return r % 10 == 0;
        return r % 5 != 0;
    }
    const int m = hour - 16;
    if (purpose == kPurposeApartments) return r % m != 0;
    return r % m == 0;
}

HBRUSH SingleWindowBrush(int16_t purpose) {
    if (DisplayMode == kModeLightWindows) return g_style.brush_window_lit;
    if (DisplayMode == kModeDarkWindows) return g_style.brush_window_dark;
    return WindowLitOnClock(purpose, currentHour, RuntimeRand()) ? g_style.brush_window_lit
                                                                   : g_style.brush_window_dark;
}

void Line2(int x1, int y1, int x2, int y2) {
    const POINT line[2] = {{x1, y1}, {x2, y2}};
    Polyline(g_hdc, line, 2);
}

// Detail level 1: a line two pixels thick along the wall every 4 pixels.
void DrawWindowRows(const BuildingRec& b, int xa, int ya, int xb, int yb, int h) {
    const bool dark = DisplayMode == kModeDarkWindows || b.purpose == kPurposeDarkBands;
    SelectObject(g_hdc, dark ? g_style.pen_window_dark : g_style.pen_window_lit);
    ForEachWindowRowLine(xa, ya, xb, yb, h, Line2);
}

// Detail level 2 and more: one band per storey, or single windows a storey apart.
void DrawWindows(const BuildingRec& b, int xa, int ya, int xb, int yb, int f) {
    SelectObject(g_hdc, g_fixed.null_pen);
    if (DisplayMode == kModeWideWindows || b.purpose == kPurposeDarkBands || b.purpose == kPurposeLitBands) {
        SelectObject(g_hdc, b.purpose == kPurposeDarkBands ? g_style.brush_window_dark : g_style.brush_window_lit);
        ForEachWindowBand(xa, ya, xb, yb, f, storeyPx, [](const POINT* band) { Polygon(g_hdc, band, 4); });
        return;
    }
    ForEachSingleWindow(xa, ya, xb, yb, f, storeyPx, [&b](const POINT* window) {
        SelectObject(g_hdc, SingleWindowBrush(b.purpose));
        Polygon(g_hdc, window, 4);
    });
}

}  // namespace

bool WallsHaveWindows(const BuildingRec& b, int f) {
    if (b.purpose != kPurposeOutbuilding) return true;
    if (f <= 1) return false;
    // Garages ("га..." in the caption) have no windows. Captions are kept in Latin letters, so
    // the transliterated form is what is stored; the Cyrillic bytes are still recognised.
    const char* c = b.caption;
    if (c[0] == 'g' && c[1] == 'a') return false;
    if (static_cast<unsigned char>(c[0]) == 0xE3 && static_cast<unsigned char>(c[1]) == 0xE0) return false;
    return true;
}

void DrawBlockWalls(int n, const POINT* P, const BuildingRec& b) {
    if (n < 1 || P == nullptr) return;
    const int H = storeyPx;
    const int k = g_view.detailLevel;
    HBRUSH wallBrush = BrushBuilding(BuildingCategory(b.purpose));
    SelectObject(g_hdc, g_fixed.pen_outline_dark);
    SelectObject(g_hdc, wallBrush);

    const bool windowsShown = k >= 1 && DisplayMode != kModeWithoutWindows;
    WalkBlockWalls(n, P, H, &edgeTables, [&](POINT top, POINT bottom) {
        int xa = top.x, ya = top.y, xb = bottom.x, yb = bottom.y;
        int f = b.floors;
        if (IsRaisedStructure(b.purpose)) {
            // Bridges and passages stand one storey above the ground.
            ya -= H;
            yb -= H;
            f -= 1;
        }
        const int h = f * H;
        const POINT wall[4] = {{xa, ya}, {xb, yb}, {xb, yb - h}, {xa, ya - h}};
        Polygon(g_hdc, wall, 4);
        if (windowsShown && WallsHaveWindows(b, f)) {
            if (k == 1) DrawWindowRows(b, xa, ya, xb, yb, h);
            else DrawWindows(b, xa, ya, xb, yb, f);
            // The wall's edge again, over the windows that reach it.
            SelectObject(g_hdc, g_fixed.pen_outline_dark);
            SelectObject(g_hdc, wallBrush);
            const POINT edge[5] = {{xa, ya}, {xb, yb}, {xb, yb - h}, {xa, ya - h}, {xa, ya}};
            Polyline(g_hdc, edge, 5);
        }
    });
}

void Draw3DBuildings() {
    const int k = g_view.detailLevel;
    storeyPx = TruncateToInt(g_view.pxPerMmX * g_view.scale * 5.0);
    currentHour = ReadLocalHour();
    AllocateEdgeTables(&edgeTables);
    WalkBuildings([k](const BuildingRec& b, POINT* pts, int n) {
        const int c = BuildingCategory(b.purpose);
        DrawBlockWalls(n, pts, b);
        const int lift = b.floors * storeyPx;
        MovePointsUp(pts, n, lift);
        SelectObject(g_hdc, g_fixed.pen_outline_dark);
        SelectObject(g_hdc, BrushRoof(c));
        Polygon(g_hdc, pts, n);
        if (k > 1 && b.houseNumber[0] != '\0') DrawHouseNumber(b, lift);
    });
    SelectObject(g_hdc, g_fixed.null_brush);
    SelectObject(g_hdc, g_fixed.black_pen);
    FreeEdgeTables(&edgeTables);
}
