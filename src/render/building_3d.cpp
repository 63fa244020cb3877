// Buildings as extruded blocks: the walls facing the viewer, back to front, with rows of
// windows, lit bands or single windows, then the roof at the building's height.
#include <cstring>
#include <vector>

#include "platform/gdi.h"
#include "render/building_walk.h"
#include "render/buildings.h"
#include "render/pixel_math.h"
#include "render/rand.h"
#include "render/styles.h"
#include "view/geometry.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

// An edge whose wall is drawn or hidden.
constexpr int32_t kEdgeDone = -9999;
// Room for the edges of a usual block; the tables grow for any outline longer than that.
constexpr size_t kEdgeTableRoom = 220;

// Entry i: the upper (T) and lower (B) end on the screen of the outline edge from vertex i to
// vertex i + 1 (the last vertex to vertex 0). Alive for one 3D pass.
std::vector<POINT> edgeTop;
std::vector<POINT> edgeBottom;

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
    int x1 = xa + 1, x2 = xb - 1;
    if (xa > xb) {
        x1 = xa - 1;
        x2 = xb + 1;
    }
    if (h <= 2) return;
    const int lowest = ya > yb ? ya : yb;
    for (int t = 2; t < h; t += 4) {
        if (WhollyAboveScreen(lowest - t)) break;
        Line2(x1, ya - t, x2, yb - t);
        Line2(x1, ya - t - 1, x2, yb - t - 1);
    }
}

// Detail level 2 and more: one band per storey, or single windows a storey apart.
void DrawWindows(const BuildingRec& b, int xa, int ya, int xb, int yb, int f) {
    const int H = storeyPx;
    const double L = Distance(static_cast<float>(xa), static_cast<float>(ya), static_cast<float>(xb),
                              static_cast<float>(yb));
    // A wall of no length, or storeys of no height, has no room for a window.
    if (!(L > 0.0) || H < 1) return;
    const double ux = (xb - xa) / L;
    const double uy = (yb - ya) / L;
    const int q = H / 4;
    const int halfStorey = H / 2;
    const int lowest = ya > yb ? ya : yb;
    SelectObject(g_hdc, g_fixed.null_pen);

    if (DisplayMode == kModeWideWindows || b.purpose == kPurposeDarkBands || b.purpose == kPurposeLitBands) {
        SelectObject(g_hdc, b.purpose == kPurposeDarkBands ? g_style.brush_window_dark : g_style.brush_window_lit);
        const POINT S{TruncateToInt(xa + q * ux), TruncateToInt(ya + q * uy - q)};
        const POINT E{TruncateToInt(xb - q * ux), TruncateToInt(yb - q * uy - q)};
        for (int i = 0; i < f; ++i) {
            if (WhollyAboveScreen(lowest - q - i * H)) break;
            const POINT band[4] = {{S.x, S.y - i * H},
                                   {E.x, E.y - i * H},
                                   {E.x, E.y - i * H - halfStorey},
                                   {S.x, S.y - i * H - halfStorey}};
            Polygon(g_hdc, band, 4);
        }
        return;
    }

    const int w = TruncateToInt(L / H);
    const double off = (L - static_cast<double>(w) * H) * 0.5 + 0.2 * H;
    for (int i = 0; i < f; ++i) {
        if (WhollyAboveScreen(lowest - q - i * H)) break;
        const double y0 = ya - q - i * H;
        for (int j = 0; j < w; ++j) {
            const double t = off + static_cast<double>(j) * H;
            const double t2 = t + 0.6 * H;
            const POINT p1{TruncateToInt(xa + t * ux), TruncateToInt(y0 + t * uy)};
            const POINT p2{TruncateToInt(xa + t2 * ux), TruncateToInt(y0 + t2 * uy)};
            SelectObject(g_hdc, SingleWindowBrush(b.purpose));
            const POINT window[4] = {p1, p2, {p2.x, p2.y - halfStorey}, {p1.x, p1.y - halfStorey}};
            Polygon(g_hdc, window, 4);
        }
    }
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
    if (edgeTop.size() < static_cast<size_t>(n)) {
        edgeTop.resize(static_cast<size_t>(n));
        edgeBottom.resize(static_cast<size_t>(n));
    }
    POINT* T = edgeTop.data();
    POINT* B = edgeBottom.data();
    const int H = storeyPx;
    const int k = g_view.detailLevel;
    HBRUSH wallBrush = BrushBuilding(BuildingCategory(b.purpose));

    for (int i = 0; i < n; ++i) {
        const int j = i + 1 < n ? i + 1 : 0;
        if (P[i].y < P[j].y) {
            T[i] = P[i];
            B[i] = P[j];
        } else {
            T[i] = P[j];
            B[i] = P[i];
        }
    }
    SelectObject(g_hdc, g_fixed.pen_outline_dark);
    SelectObject(g_hdc, wallBrush);

    int minTop = T[0].y;
    for (int i = 1; i < n; ++i) {
        if (T[i].y < minTop) minTop = T[i].y;
    }
    // A wall whose both ends, one storey lower, fall inside the footprint stands on the far
    // side of the block: the block itself hides it.
    const int32_t* polygon = reinterpret_cast<const int32_t*>(P);
    for (int i = 0; i < n; ++i) {
        if (PointInPolygonI32(n, polygon, T[i].x, T[i].y + H) && PointInPolygonI32(n, polygon, B[i].x, B[i].y + H)) {
            T[i].y = kEdgeDone;
        }
    }

    const bool windowsShown = k >= 1 && DisplayMode != kModeWithoutWindows;
    for (;;) {
        int i = -1;
        for (int e = 0; e < n; ++e) {
            if (T[e].y != minTop && T[e].y != kEdgeDone) {
                i = e;
                break;
            }
        }
        if (i < 0) break;
        // An edge upright on the screen has a wall of no width.
        if (T[i].x == B[i].x) {
            T[i].y = kEdgeDone;
            continue;
        }
        // Back to front: the wall whose upper end is highest on the screen first.
        int c = i;
        for (int e = i + 1; e < n; ++e) {
            if (T[e].y != kEdgeDone && T[e].y < T[c].y) c = e;
        }
        int xa = T[c].x, ya = T[c].y, xb = B[c].x, yb = B[c].y;
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
        T[c].y = kEdgeDone;
    }
}

void Draw3DBuildings() {
    const int k = g_view.detailLevel;
    storeyPx = TruncateToInt(g_view.pxPerMmX * g_view.scale * 5.0);
    currentHour = ReadLocalHour();
    edgeTop.assign(kEdgeTableRoom, POINT{0, 0});
    edgeBottom.assign(kEdgeTableRoom, POINT{0, 0});
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
    std::vector<POINT>().swap(edgeTop);
    std::vector<POINT>().swap(edgeBottom);
}
