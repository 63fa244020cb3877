// One finished picture of the plan: composed off screen layer by layer, then copied to the
// window in one block with the scale caption and the sunken edge.
#include "render/frame.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "data/plan_ini.h"
#include "platform/gdi.h"
#include "platform/user.h"
#include "render/buildings.h"
#include "render/layer_settings.h"
#include "render/overview.h"
#include "render/scratch_points.h"
#include "render/streets.h"
#include "render/styles.h"
#include "view/geometry.h"
#include "view/surface.h"
#include "view/view.h"

HRGN mapClipRegion = nullptr;
int32_t buildingCursor = 0;
int32_t waterCursor = 0;
int32_t minorLineCursor = 0;
int32_t streetLineCursor = 0;
int32_t labelCursor = 0;
float sweepXMax = 75000.0f;
bool labelsAdded = false;

int32_t g_layerStreetNames = kLayerSelect;
int32_t g_layerBuildings = kLayerAll;
int32_t g_layerAddresses = kLayerSelect;

namespace {

constexpr int16_t kCodeArea750 = 750;
constexpr int16_t kCodeArea718 = 718;
constexpr int16_t kCodeArea1014 = 1014;
constexpr int16_t kCodeArea6614 = 6614;
constexpr int16_t kCodeWater4925 = 4925;
constexpr int16_t kCodeWater4912 = 4912;
constexpr int16_t kCodeLine3011 = 3011;
constexpr int16_t kCodeLine3035 = 3035;

float SouthBound(const LineRec& rec) { return rec.box.xMin; }
float SouthBound(const BuildingRec& rec) { return rec.box.xMin; }
float SouthBound(const LabelRec& rec) { return static_cast<float>(rec.x); }

template <typename Rec>
int AdvanceOver(const Rec* list, int count, int start) {
    if (list == nullptr) return start;
    for (int i = start < 0 ? 0 : start; i < count; ++i) {
        if (SouthBound(list[i]) <= sweepXMax) return i;
    }
    return start;
}

bool MainFilesLoaded() { return g_areas != nullptr && g_area_count > 0 && g_zoom.zoomDepth >= 1; }

// The land outline, record 0 of the outlines, when it has points.
const AreaRec* LandOutline() {
    if (g_areas == nullptr || g_area_count < 1 || g_areas[0].pts == nullptr || g_areas[0].count < 1) return nullptr;
    return &g_areas[0];
}

const uint16_t* PackedCoords(const AreaRec& area) { return reinterpret_cast<const uint16_t*>(area.pts); }
const float* PlanCoords(const LineRec& rec) { return reinterpret_cast<const float*>(rec.pts); }

// Converts a line record into g_pts; the number of screen points, 0 when it cannot.
int ConvertLine(const LineRec& rec, POINT** out) {
    if (rec.pts == nullptr || rec.count < 1) return 0;
    POINT* pts = ScratchPoints(rec.count);
    if (pts == nullptr) return 0;
    *out = pts;
    return PlanPointsToScreen(rec.count, PlanCoords(rec), pts);
}

int ConvertOutline(const AreaRec& area, POINT** out) {
    POINT* pts = ScratchPoints(area.count);
    if (pts == nullptr) return 0;
    *out = pts;
    return PackedPointsToScreen(area.count, PackedCoords(area), pts);
}

int Truncate(double value) {
    if (!(value > -2147483648.0 && value < 2147483647.0)) return 0;
    return static_cast<int>(value);
}

void UpdateSweepCursors() {
    const float xMax = g_view.xMax;
    if (xMax == sweepXMax) return;
    // Only a move south may go on from the cursors: anything else (north, or no comparable
    // edge) scans again from the start.
    const bool south = sweepXMax > xMax;
    sweepXMax = xMax;
    if (!south) {
        buildingCursor = 0;
        waterCursor = 0;
        minorLineCursor = 0;
        streetLineCursor = 0;
        labelCursor = 0;
    }
    buildingCursor = AdvanceCursor(g_buildings, g_building_count, buildingCursor);
    waterCursor = AdvanceCursor(g_topo3, g_topo3_count, waterCursor);
    minorLineCursor = AdvanceCursor(g_topo4, g_topo4_count, minorLineCursor);
    streetLineCursor = AdvanceCursor(g_street_lines, g_street_line_count, streetLineCursor);
    labelCursor = AdvanceCursor(g_labels, g_label_count, labelCursor);
}

// The view is all land when it lies inside the whole city, inside the outline's box, no edge
// of the outline crosses its border, and its centre is on land. Then one fill does for the
// sea and the land polygon. Anything less certain takes the full drawing, which is always
// right.
bool ViewIsAllLand(const AreaRec& land) {
    const ViewRect& E = g_zoom.entries[1];
    const float vx1 = g_view.xMin, vy1 = g_view.yMin, vx2 = g_view.xMax, vy2 = g_view.yMax;
    if (!(vx2 < E.xMax && vy2 < E.yMax && vx1 > E.xMin && vy1 > E.yMin)) return false;

    const int n = land.count;
    std::vector<float> pts(2 * static_cast<size_t>(n));
    const uint16_t* packed = PackedCoords(land);
    float bx1 = packed[0], by1 = packed[1], bx2 = packed[0], by2 = packed[1];
    for (int i = 0; i < n; ++i) {
        const float x = packed[2 * i];
        const float y = packed[2 * i + 1];
        pts[2 * i] = x;
        pts[2 * i + 1] = y;
        if (x < bx1) bx1 = x;
        if (x > bx2) bx2 = x;
        if (y < by1) by1 = y;
        if (y > by2) by2 = y;
    }
    if (!(bx1 <= vx1 && by1 <= vy1 && vx2 <= bx2 && vy2 <= by2)) return false;

    const Segment sides[4] = {{vx1, vy1, vx1, vy2}, {vx1, vy2, vx2, vy2}, {vx2, vy2, vx2, vy1}, {vx2, vy1, vx1, vy1}};
    for (int i = 0; i < n; ++i) {
        const int j = i + 1 < n ? i + 1 : 0;
        const Segment edge{pts[2 * i], pts[2 * i + 1], pts[2 * j], pts[2 * j + 1]};
        for (const Segment& side : sides) {
            if (SegmentsIntersect(edge, side)) return false;
        }
    }
    const float cx = (vx1 + vx2) * 0.5f;
    const float cy = (vy1 + vy2) * 0.5f;
    return PointInPolygon(n, pts.data(), cx, cy) == 1;
}

void DrawLandAndSea(const AreaRec* land, const RECT& frame) {
    if (land != nullptr && ViewIsAllLand(*land)) {
        FillRect(g_hdc, &frame, g_style.brush_land);
        return;
    }
    FillRect(g_hdc, &frame, g_style.brush_water);
    if (land == nullptr) return;
    SelectObject(g_hdc, g_fixed.null_pen);
    SelectObject(g_hdc, g_style.brush_land);
    POINT* pts = nullptr;
    const int n = ConvertOutline(*land, &pts);
    if (n > 0) Polygon(g_hdc, pts, n);
}

// Selects the style of an area code; false for a code without a style of its own.
bool SelectAreaStyle(int16_t code) {
    switch (code) {
        case kCodeArea750:
            SelectObject(g_hdc, g_style.pen_green);
            SelectObject(g_hdc, g_style.brush_hatch_750);
            return true;
        case kCodeArea718:
            SelectObject(g_hdc, g_style.pen_area_718);
            SelectObject(g_hdc, g_style.brush_area_718);
            return true;
        case kCodeArea1014:
            SelectObject(g_hdc, g_fixed.null_pen);
            SelectObject(g_hdc, g_style.brush_area_1014);
            return true;
        case kCodeArea6614:
            SelectObject(g_hdc, g_style.pen_green);
            SelectObject(g_hdc, g_style.brush_area_6614);
            return true;
        default: return false;
    }
}

void DrawAreas() {
    // A code without a style keeps the one in force; until a known code has chosen one there
    // is nothing to draw such areas with, so they are left out.
    bool styled = false;
    for (int i = 0; i < g_topo1_count && g_topo1 != nullptr; ++i) {
        const LineRec& rec = g_topo1[i];
        if (i == 0 || rec.code != g_topo1[i - 1].code) {
            if (SelectAreaStyle(rec.code)) styled = true;
        }
        if (!styled || !RectInView(rec.box.xMin, rec.box.yMin, rec.box.xMax, rec.box.yMax)) continue;
        POINT* pts = nullptr;
        const int n = ConvertLine(rec, &pts);
        if (n > 0) Polygon(g_hdc, pts, n);
    }
}

void DrawCoast(const AreaRec* land) {
    SelectObject(g_hdc, g_style.pen_coast);
    if (land == nullptr) return;
    POINT* pts = nullptr;
    const int n = ConvertOutline(*land, &pts);
    if (n > 0) Polyline(g_hdc, pts, n);
}

bool SameColumnOrRow(const POINT& a, const POINT& b) { return a.x == b.x || a.y == b.y; }

void DrawWaterBodies() {
    SelectObject(g_hdc, g_style.brush_water);
    SelectObject(g_hdc, g_fixed.null_pen);
    for (int i = waterCursor < 0 ? 0 : waterCursor; i < g_topo3_count && g_topo3 != nullptr; ++i) {
        const LineRec& rec = g_topo3[i];
        if (rec.code != kCodeWater4925 && rec.code != kCodeWater4912) continue;
        if (!RectInView(rec.box.xMin, rec.box.yMin, rec.box.xMax, rec.box.yMax)) continue;
        POINT* pts = nullptr;
        const int n = ConvertLine(rec, &pts);
        if (n > 0) Polygon(g_hdc, pts, n);
    }
}

void DrawShores() {
    SelectObject(g_hdc, g_style.pen_shore);
    for (int i = waterCursor < 0 ? 0 : waterCursor; i < g_topo3_count && g_topo3 != nullptr; ++i) {
        const LineRec& rec = g_topo3[i];
        if (!RectInView(rec.box.xMin, rec.box.yMin, rec.box.xMax, rec.box.yMax)) continue;
        POINT* pts = nullptr;
        int n = ConvertLine(rec, &pts);
        if (n < 1) continue;
        if (rec.code == kCodeWater4912) {
            // A water area cut at the edge of a map sheet closes along the cut with a straight
            // vertical or horizontal edge: the cut is not a shore.
            if (n >= 2 && SameColumnOrRow(pts[0], pts[n - 1])) --n;
            if (n >= 2 && SameColumnOrRow(pts[0], pts[1])) {
                ++pts;
                --n;
            }
        }
        Polyline(g_hdc, pts, n);
    }
}

void DrawLinesOfCode(int16_t code) {
    for (int i = 0; i < g_topo2_count && g_topo2 != nullptr; ++i) {
        if (g_topo2[i].code == code) DrawLineRec(g_topo2[i]);
    }
}

void DrawMinorLines() {
    SelectObject(g_hdc, g_style.pen_minor_line);
    for (int i = minorLineCursor < 0 ? 0 : minorLineCursor; i < g_topo4_count && g_topo4 != nullptr; ++i) {
        DrawLineRec(g_topo4[i]);
    }
}

void ComputeBuildingMetrics() {
    const double s = g_view.scale;
    storeyPx = Truncate(g_view.pxPerMmX * s * 5.0);
    minLabelSize = s > 0.0 ? Truncate(7.0 / s) : 0;
}

void CopyFrameToWindow() { BitBlt(g_hdc, 0, 0, g_clientWidth, g_clientHeight, g_hdcMem, 0, 0, SRCCOPY); }

void DrawScaleCaption() {
    SelectObject(g_hdc, g_fixed.font_label);
    char caption[32];
    const int length = snprintf(caption, sizeof caption, "Scale 1:%d", ScaleDenominator());
    SetTextColor(g_hdc, DisplayMode == kModeNight ? RGB(255, 255, 255) : RGB(0, 0, 0));
    TextOutA(g_hdc, 12, 10, caption, length);
}

}  // namespace

int AdvanceCursor(const LineRec* list, int count, int start) { return AdvanceOver(list, count, start); }
int AdvanceCursor(const BuildingRec* list, int count, int start) { return AdvanceOver(list, count, start); }
int AdvanceCursor(const LabelRec* list, int count, int start) { return AdvanceOver(list, count, start); }

void DrawLineRec(const LineRec& rec) {
    if (!RectInView(rec.box.xMin, rec.box.yMin, rec.box.xMax, rec.box.yMax)) return;
    POINT* pts = nullptr;
    const int n = ConvertLine(rec, &pts);
    if (n > 0) Polyline(g_hdc, pts, n);
}

RECT FrameRect() {
    return RECT{g_view.vpLeft - 1, g_view.vpTop - 1, g_view.vpRight + 3, g_view.vpBottom + 2};
}

void DrawDetailedLayers() {
    const int k = g_view.detailLevel;
    const int kLimited = k < 3 ? k : 3;
    const bool buildings = g_layerBuildings != kLayerNo;
    ComputeBuildingMetrics();

    const AreaRec* land = LandOutline();
    const RECT frame = FrameRect();
    DrawLandAndSea(land, frame);
    DrawAreas();
    DrawCoast(land);
    DrawWaterBodies();
    DrawShores();

    SelectObject(g_hdc, PenLineA(kLimited));
    DrawLinesOfCode(kCodeLine3011);
    if (k >= 4) DrawMinorLines();
    if (k <= 3) DrawStreetBodies();
    SelectObject(g_hdc, k == 0 ? g_fixed.black_pen : PenLineB(kLimited));
    DrawLinesOfCode(kCodeLine3035);

    DrawShownStreet();
    if (g_labels != nullptr && g_label_count > 0 && g_layerStreetNames != kLayerNo) DrawStreetLabels();

    SelectObject(g_hdc, g_fixed.font_label);
    if (buildings) {
        if (k == 0) DrawFootprints();
        else if (DisplayMode == kModeFlat || DisplayMode == kModeGraphic) DrawDayBuildings();
    }
    SelectObject(g_hdc, g_fixed.font_label);
    SetTextColor(g_hdc, RGB(0, 0, 0));
    if (k > 0 && buildings) {
        if (DisplayMode == kModeNight) DrawNightBuildings();
        else if (IsBlockMode(DisplayMode)) Draw3DBuildings();
    }
}

void ComposeFrame() {
    UpdateScreenMetrics();
    if (mapClipRegion == nullptr) {
        mapClipRegion = CreateRectRgn(g_view.vpLeft + 1, g_view.vpTop + 1, g_view.vpRight + 2, g_view.vpBottom + 1);
    }
    SelectClipRgn(g_hdc, mapClipRegion);
    HDC window = g_hdc;
    g_hdc = g_hdcMem;
    SetBkMode(g_hdc, TRANSPARENT);

    if (g_zoom.zoomDepth < 2) {
        if (!MainFilesLoaded()) {
            LoadMainFiles();
            const char* caption = PlanIniCaption();
            if (caption != nullptr && g_surfaceWindow != nullptr) SetWindowTextA(g_surfaceWindow, caption);
        }
        if (!MainFilesLoaded()) {
            // Without a plan there is nothing to show: the program ends. The window context
            // goes back to the paint unclipped, as every other way out of here leaves it.
            g_hdc = window;
            SelectClipRgn(g_hdc, nullptr);
            if (g_surfaceWindow != nullptr) PostMessageA(g_surfaceWindow, WM_DESTROY, 0, 0);
            return;
        }
        DrawOverview();
        g_hdc = window;
        CopyFrameToWindow();
        SelectClipRgn(g_hdc, nullptr);
        // The user looks at the overview while the buildings load.
        if (g_buildings == nullptr) LoadBuildingFiles();
        sweepXMax = g_zoom.entries[1].xMax;
        buildingCursor = waterCursor = minorLineCursor = streetLineCursor = labelCursor = 0;
        CopyFrameToWindow();
        return;
    }

    const ViewRect& top = g_zoom.entries[g_zoom.zoomDepth <= kZoomStackSize ? g_zoom.zoomDepth : kZoomStackSize];
    FitViewToRect(top.xMin, top.yMin, top.xMax, top.yMax);
    UpdateSweepCursors();
    if (labelsAdded) labelCursor = 0;
    DrawDetailedLayers();

    g_hdc = window;
    CopyFrameToWindow();
    DrawScaleCaption();
    SelectClipRgn(g_hdc, nullptr);
    RECT frame = FrameRect();
    DrawEdge(g_hdc, &frame, EDGE_SUNKEN, BF_RECT);
}
