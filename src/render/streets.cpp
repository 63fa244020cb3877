// Street bodies are drawn in two passes, the wide edge colour first and the narrower centre
// colour over it, so that crossing streets merge into one surface.
#include "render/streets.h"

#include "data/plan_ini.h"
#include "data/store.h"
#include "platform/gdi.h"
#include "render/frame.h"
#include "render/pixel_math.h"
#include "render/styles.h"
#include "view/shared_state.h"
#include "view/geometry.h"
#include "view/surface.h"
#include "view/view.h"

const CircularPlace kCircularPlaces[kCircularPlaceCount] = {
    {4737.0f, 6125.0f}, {4084.0f, 6461.0f}, {3933.0f, 10777.0f}, {6997.6f, 6798.2f},
    {8551.0f, 5019.0f}, {8021.0f, 5212.0f}, {12547.0f, 7667.0f}, {7409.6f, 7115.0f},
};

namespace {

void DrawStreetLinesFromCursor() {
    if (g_street_lines == nullptr) return;
    for (int i = streetLineCursor < 0 ? 0 : streetLineCursor; i < g_street_line_count; ++i) {
        DrawLineRec(g_street_lines[i]);
    }
}

// Both rings of every circular place in view: the edge colour at radius r, the centre colour
// h pixels inside it, so that the ring looks like a street of its own.
void DrawCircularRings(int k, double s) {
    SelectObject(g_hdc, g_fixed.null_brush);
    const int r = TruncateToInt(s * 40.0);
    const int h = k / 2;
    if (g_planIni.present) return;  // they are Korvinsk's squares
    for (const CircularPlace& place : kCircularPlaces) {
        if (!PointInView(place.x, place.y)) continue;
        int32_t cx = 0, cy = 0;
        PlanToScreen(place.x, place.y, &cx, &cy);
        SelectObject(g_hdc, PenRoadEdge(k));
        Ellipse(g_hdc, cx - r, cy - r, cx + r, cy + r);
        SelectObject(g_hdc, PenRoadInner(k));
        Ellipse(g_hdc, cx - r + h, cy - r + h, cx + r - h, cy + r - h);
    }
}

void DrawCircularIslands(double s) {
    SelectObject(g_hdc, g_fixed.null_pen);
    SelectObject(g_hdc, g_style.brush_area_718);
    const int r2 = TruncateToInt(s * 30.0);
    if (g_planIni.present) return;  // they are Korvinsk's squares
    for (const CircularPlace& place : kCircularPlaces) {
        if (!PointInView(place.x, place.y)) continue;
        int32_t cx = 0, cy = 0;
        PlanToScreen(place.x, place.y, &cx, &cy);
        Ellipse(g_hdc, cx - r2, cy - r2, cx + r2, cy + r2);
    }
}

}  // namespace

void DrawStreetBodies() {
    const int k = g_view.detailLevel;
    const double s = g_view.scale;
    SelectObject(g_hdc, PenRoadEdge(k));
    DrawStreetLinesFromCursor();
    DrawCircularRings(k, s);
    SelectObject(g_hdc, PenRoadInner(k));
    DrawStreetLinesFromCursor();
    // At the smallest detailed scale the island would be a speck inside the ring.
    if (k != 0) DrawCircularIslands(s);
}

void DrawShownStreet() {
    if (g_shownStreet >= 0 && g_selCount == 0) HighlightStreet(g_shownStreet);
}

void HighlightStreet(int code) {
    SelectObject(g_hdc, g_view.detailLevel < 2 ? g_style.pen_red : g_style.pen_red_wide);
    if (g_street_lines == nullptr) return;
    for (int i = 0; i < g_street_line_count; ++i) {
        if (g_street_lines[i].code == code) DrawLineRec(g_street_lines[i]);
    }
}
