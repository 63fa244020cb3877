// The geometry of a block's walls and windows in pixels, shared by the 3D drawing of the
// window and the printed page: which walls face the viewer and in what order, and where the
// rows, bands and single windows of a wall lie. The callers choose the pens and brushes.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/types.h"
#include "render/building_walk.h"
#include "render/pixel_math.h"
#include "view/geometry.h"

// Entry i: the upper and the lower end on the screen of the outline edge from vertex i to
// vertex i + 1 (the last vertex to vertex 0). Made for one pass over the buildings.
struct BlockEdgeTables {
    std::vector<POINT> top;
    std::vector<POINT> bottom;
};

// Room for the edges of a usual block; the tables grow for any outline longer than that.
constexpr size_t kEdgeTableRoom = 220;
// An edge whose wall is drawn or hidden.
constexpr int32_t kEdgeDone = -9999;

inline void AllocateEdgeTables(BlockEdgeTables* tables) {
    tables->top.assign(kEdgeTableRoom, POINT{0, 0});
    tables->bottom.assign(kEdgeTableRoom, POINT{0, 0});
}

inline void FreeEdgeTables(BlockEdgeTables* tables) {
    std::vector<POINT>().swap(tables->top);
    std::vector<POINT>().swap(tables->bottom);
}

// Calls wall(top, bottom) for each wall of the outline P (n screen points) that the block does
// not hide, back to front: the wall whose upper end is highest on the screen first. A wall is
// hidden when both its ends, moved `hiddenDrop` pixels down, fall inside the footprint: it
// stands on the far side of the block. Edges upright on the screen have walls of no width and
// are left out, and so are the edges whose upper end is the highest point of the block.
template <typename Wall>
void WalkBlockWalls(int n, const POINT* P, int hiddenDrop, BlockEdgeTables* tables, Wall&& wall) {
    if (n < 1 || P == nullptr) return;
    if (tables->top.size() < static_cast<size_t>(n)) {
        tables->top.resize(static_cast<size_t>(n));
        tables->bottom.resize(static_cast<size_t>(n));
    }
    POINT* T = tables->top.data();
    POINT* B = tables->bottom.data();
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
    int minTop = T[0].y;
    for (int i = 1; i < n; ++i) {
        if (T[i].y < minTop) minTop = T[i].y;
    }
    const int32_t* polygon = reinterpret_cast<const int32_t*>(P);
    for (int i = 0; i < n; ++i) {
        if (PointInPolygonI32(n, polygon, T[i].x, T[i].y + hiddenDrop) &&
            PointInPolygonI32(n, polygon, B[i].x, B[i].y + hiddenDrop)) {
            T[i].y = kEdgeDone;
        }
    }
    for (;;) {
        int i = -1;
        for (int e = 0; e < n; ++e) {
            if (T[e].y != minTop && T[e].y != kEdgeDone) {
                i = e;
                break;
            }
        }
        if (i < 0) break;
        if (T[i].x == B[i].x) {
            T[i].y = kEdgeDone;
            continue;
        }
        int c = i;
        for (int e = i + 1; e < n; ++e) {
            if (T[e].y != kEdgeDone && T[e].y < T[c].y) c = e;
        }
        wall(T[c], B[c]);
        T[c].y = kEdgeDone;
    }
}

// Window rows of a wall h pixels high standing on (xa, ya)-(xb, yb): every 4 pixels a row two
// pixels thick, one pixel in from both ends. Calls line(x1, y1, x2, y2) for each of its lines.
template <typename Line>
void ForEachWindowRowLine(int xa, int ya, int xb, int yb, int h, Line&& line) {
    int x1 = xa + 1, x2 = xb - 1;
    if (xa > xb) {
        x1 = xa - 1;
        x2 = xb + 1;
    }
    if (h <= 2) return;
    const int lowest = ya > yb ? ya : yb;
    for (int t = 2; t < h; t += 4) {
        if (WhollyAboveScreen(lowest - t)) break;
        line(x1, ya - t, x2, yb - t);
        line(x1, ya - t - 1, x2, yb - t - 1);
    }
}

// One lit band per storey of a wall of f storeys H pixels high: a quarter storey in from both
// ends, a quarter storey above the floor line, half a storey high. Calls quad(points) with
// the band's four corners.
template <typename Quad>
void ForEachWindowBand(int xa, int ya, int xb, int yb, int f, int H, Quad&& quad) {
    const double L = Distance(static_cast<float>(xa), static_cast<float>(ya), static_cast<float>(xb),
                              static_cast<float>(yb));
    // A wall of no length, or storeys of no height, has no room for a window.
    if (!(L > 0.0) || H < 1) return;
    const double ux = (xb - xa) / L;
    const double uy = (yb - ya) / L;
    const int q = H / 4;
    const int halfStorey = H / 2;
    const int lowest = ya > yb ? ya : yb;
    const POINT S{TruncateToInt(xa + q * ux), TruncateToInt(ya + q * uy - q)};
    const POINT E{TruncateToInt(xb - q * ux), TruncateToInt(yb - q * uy - q)};
    for (int i = 0; i < f; ++i) {
        if (WhollyAboveScreen(lowest - q - i * H)) break;
        const POINT band[4] = {{S.x, S.y - i * H},
                               {E.x, E.y - i * H},
                               {E.x, E.y - i * H - halfStorey},
                               {S.x, S.y - i * H - halfStorey}};
        quad(band);
    }
}

// Single windows: per storey a row of windows 0.6 storey long and half a storey high, one
// storey apart, the row centred on the wall. Calls quad(points) for each window, storey by
// storey from the ground.
template <typename Quad>
void ForEachSingleWindow(int xa, int ya, int xb, int yb, int f, int H, Quad&& quad) {
    const double L = Distance(static_cast<float>(xa), static_cast<float>(ya), static_cast<float>(xb),
                              static_cast<float>(yb));
    if (!(L > 0.0) || H < 1) return;
    const double ux = (xb - xa) / L;
    const double uy = (yb - ya) / L;
    const int q = H / 4;
    const int halfStorey = H / 2;
    const int lowest = ya > yb ? ya : yb;
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
            const POINT window[4] = {p1, p2, {p2.x, p2.y - halfStorey}, {p1.x, p1.y - halfStorey}};
            quad(window);
        }
    }
}
