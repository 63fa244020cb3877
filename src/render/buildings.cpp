// Buildings in the day modes and at night, the footprints of the smallest detailed scale and
// the house numbers. The 3D blocks are in building_3d.cpp.
#include "render/buildings.h"

#include <cstring>
#include <ctime>
#include <vector>

#include "data/text.h"
#include "platform/gdi.h"
#include "render/building_walk.h"
#include "render/layer_settings.h"
#include "render/pixel_math.h"
#include "render/scratch_points.h"
#include "render/styles.h"
#include "view/surface.h"
#include "view/view.h"

int32_t storeyPx = 0;
int32_t minLabelSize = 0;
int32_t currentHour = 0;

namespace {

LocalHourQuery g_hourQuery = nullptr;

constexpr COLORREF kDayText = RGB(0, 0, 0);
constexpr COLORREF kNightText = RGB(0xFF, 0xFF, 0xFF);

// Bridges, covered passages and the like: drawn only where their upper storeys matter.
bool IsRaisedStructure(int16_t purpose) { return purpose >= 657 && purpose <= 659; }
// At night, structures without lit storeys of their own: bridges, passages and sheds.
bool IsUnlitStructure(int16_t purpose) { return purpose >= 657 && purpose <= 661; }

constexpr int16_t kPurposeOutbuilding = 413;

void Outline(const POINT* pts, int n) { Polygon(g_hdc, pts, n); }

// ---- Night, detail level 1: every storey a thin outline 3 pixels above the last ----

void DrawNightBuildingSimple(const BuildingRec& b, POINT* pts, int n) {
    if (IsRaisedStructure(b.purpose)) return;
    int lowest = LowestY(pts, n);
    if (b.floors > 1) {
        SelectBuildingPen(b.purpose);
        SelectBuildingBrush(b.purpose);
        Outline(pts, n);
        SelectStoreyPen(b.purpose);
        for (int f = 0; f < b.floors; ++f) {
            MovePointsUp(pts, n, 3);
            lowest -= 3;
            // The rest of the stack lies higher still.
            if (WhollyAboveScreen(lowest)) return;
            Outline(pts, n);
        }
        SelectBuildingPen(b.purpose);
        MovePointsUp(pts, n, 3);
        Outline(pts, n);
    } else {
        SelectStoreyPen(b.purpose);
        SelectBuildingBrush(b.purpose);
        Outline(pts, n);
        MovePointsUp(pts, n, 4);
        Outline(pts, n);
    }
}

// ---- Night, detail level 2 and more: stacks of k outlines per storey ----

// A building with upper storeys, drawn storey by storey in the passes after the ground pass.
struct TallBuilding {
    const BuildingRec* b;
    int bottom;  // lowest screen y of anything the building draws, its house number included
};

int HouseNumberBottom(const BuildingRec& b) {
    int32_t sx = 0, sy = 0;
    PlanToScreen(b.x, b.y, &sx, &sy);
    // The number's text cell starts 6 pixels above the point and is about 13 pixels high.
    return sy + 7;
}

void DrawNightGround(const BuildingRec& b, POINT* pts, int n, int k) {
    if (b.floors > 1) {
        SelectBuildingPen(b.purpose);
        SelectBuildingBrush(b.purpose);
        Outline(pts, n);
        SelectStoreyPen(b.purpose);
        for (int t = 0; t < k; ++t) {
            MovePointsUp(pts, n, k);
            Outline(pts, n);
        }
        return;
    }
    const bool number = k > 2 && b.houseNumber[0] != '\0';
    if (b.purpose == kPurposeOutbuilding) {
        SelectStoreyPen(b.purpose);
        SelectBuildingBrush(b.purpose);
        const int m = (k - 1) * k + 1;
        for (int t = 0; t < m; ++t) {
            Outline(pts, n);
            MovePointsUp(pts, n, 1);
        }
        if (number) DrawHouseNumber(b, m);
        return;
    }
    SelectBuildingPen(b.purpose);
    SelectBuildingBrush(b.purpose);
    Outline(pts, n);
    SelectStoreyPen(b.purpose);
    for (int t = 0; t < k - 1; ++t) {
        MovePointsUp(pts, n, k);
        Outline(pts, n);
    }
    SelectBuildingPen(b.purpose);
    MovePointsUp(pts, n, k);
    Outline(pts, n);
    if (number) DrawHouseNumber(b, (k + 1) * k);
}

// Storey `level` of every tall building that has it, `o` pixels above the footprints.
// False when nothing of this storey or any higher one can be seen any more.
bool DrawNightStoreyPass(const std::vector<TallBuilding>& tall, int level, int o, int k) {
    bool anyVisible = false;
    for (const TallBuilding& entry : tall) {
        const BuildingRec& b = *entry.b;
        if (b.floors < level) continue;
        if (WhollyAboveScreen(entry.bottom - o)) continue;
        anyVisible = true;
        POINT* pts = nullptr;
        const int n = ConvertBuilding(b, &pts);
        if (n < 1) continue;
        MovePointsUp(pts, n, o);
        SelectStoreyPen(b.purpose);
        SelectBuildingBrush(b.purpose);
        Outline(pts, n);
        for (int t = 0; t < k - 1; ++t) {
            MovePointsUp(pts, n, k);
            Outline(pts, n);
        }
        if (b.floors == level) {
            SelectBuildingPen(b.purpose);
            Outline(pts, n);
            if (k > 2 && b.houseNumber[0] != '\0') DrawHouseNumber(b, (k - 1) * k + o);
        }
    }
    return anyVisible;
}

void DrawNightStoreys(int k) {
    SetTextColor(g_hdc, kNightText);
    // Sized from the data: every tall building of the walk has its place.
    std::vector<TallBuilding> tall;
    int maxFloors = 1;
    WalkBuildings([&](const BuildingRec& b, POINT* pts, int n) {
        if (b.floors > 1) {
            const int lowest = LowestY(pts, n);
            const int number = HouseNumberBottom(b);
            tall.push_back(TallBuilding{&b, lowest > number ? lowest : number});
        }
        if (IsUnlitStructure(b.purpose)) return;
        if (b.floors > maxFloors) maxFloors = b.floors;
        DrawNightGround(b, pts, n, k);
    });
    // All second storeys before all third storeys, so that the higher parts of tall buildings
    // overlap their lower neighbours.
    int o = TruncateToInt(k * k + 1.5 * k);
    for (int level = 2; level <= maxFloors; ++level) {
        if (!DrawNightStoreyPass(tall, level, o, k)) break;
        o += k / 2 + k * k;
    }
}

}  // namespace

// ---- The walk ----

bool BuildingInWalk(const BuildingRec& b) {
    if (!RectInView(b.box.xMin, b.box.yMin, b.box.xMax, b.box.yMax)) return false;
    if (g_layerBuildings == kLayerSelect) {
        const double width = static_cast<double>(b.box.yMax) - b.box.yMin;
        const double height = static_cast<double>(b.box.xMax) - b.box.xMin;
        if ((width > height ? width : height) * g_view.scale < 2.0) return false;
    }
    return true;
}

int ConvertBuilding(const BuildingRec& b, POINT** out) {
    if (b.pts == nullptr || b.count < 1) return 0;
    POINT* pts = ScratchPoints(b.count);
    if (pts == nullptr) return 0;
    *out = pts;
    return PlanPointsToScreen(b.count, reinterpret_cast<const float*>(b.pts), pts);
}

void MovePointsUp(POINT* pts, int n, int dy) {
    for (int i = 0; i < n; ++i) pts[i].y -= dy;
}

int LowestY(const POINT* pts, int n) {
    int lowest = pts[0].y;
    for (int i = 1; i < n; ++i) {
        if (pts[i].y > lowest) lowest = pts[i].y;
    }
    return lowest;
}

bool WhollyAboveScreen(int lowestY) { return lowestY < g_view.vpTop - kAboveScreenMargin; }

// ---- The layers ----

void SetLocalHourQuery(LocalHourQuery query) { g_hourQuery = query; }

int ReadLocalHour() {
    if (g_hourQuery != nullptr) return g_hourQuery();
    const time_t now = time(nullptr);
    struct tm local = {};
    if (localtime_r(&now, &local) == nullptr) return 0;
    return local.tm_hour;
}

void DrawFootprints() {
    WalkBuildings([](const BuildingRec& b, POINT* pts, int n) {
        if (IsRaisedStructure(b.purpose)) return;
        SelectBuildingPen(b.purpose);
        SelectBuildingBrush(b.purpose);
        Outline(pts, n);
    });
}

void DrawDayBuildings() {
    const int k = g_view.detailLevel;
    const bool flat = DisplayMode == kModeFlat;
    if (flat) {
        // The shadow: the footprint k pixels right and down, under the building drawn next.
        SelectObject(g_hdc, g_fixed.null_pen);
        SelectObject(g_hdc, g_style.brush_shadow);
        WalkBuildings([k](const BuildingRec&, POINT* pts, int n) {
            for (int i = 0; i < n; ++i) {
                pts[i].x += k;
                pts[i].y += k;
            }
            Outline(pts, n);
        });
        if (k > 1) SelectObject(g_hdc, g_style.pen_flat_edge);
    } else {
        SelectObject(g_hdc, g_fixed.pen_outline_dark);
        SelectObject(g_hdc, g_fixed.null_brush);
    }
    WalkBuildings([flat](const BuildingRec& b, POINT* pts, int n) {
        if (flat) SelectBuildingBrush(b.purpose);
        Outline(pts, n);
    });
    if (k <= 1) return;

    SetTextColor(g_hdc, kDayText);
    WalkBuildings([k](const BuildingRec& b, POINT*, int) {
        const bool hasNumber = b.houseNumber[0] != '\0';
        if (hasNumber) DrawHouseNumber(b, 0);
        if (k > 3 && b.caption[0] != '\0') {
            int32_t sx = 0, sy = 0;
            PlanToScreen(b.x, b.y, &sx, &sy);
            const int len = static_cast<int>(strnlen(b.caption, sizeof b.caption));
            // Below the number when there is one, in its place otherwise.
            TextOutA(g_hdc, sx - 3 * len, hasNumber ? sy + 6 : sy - 6, b.caption, len);
        }
    });
}

void DrawNightBuildings() {
    const int k = g_view.detailLevel;
    if (k <= 1) {
        WalkBuildings(DrawNightBuildingSimple);
        return;
    }
    DrawNightStoreys(k);
}

void DrawHouseNumber(const BuildingRec& b, int lift) {
    // "no" hides the house numbers on the screen as it does on paper.
    if (g_layerAddresses == kLayerNo) return;
    if (g_layerAddresses == kLayerSelect) {
        const double width = static_cast<double>(b.box.yMax) - b.box.yMin;
        const double height = static_cast<double>(b.box.xMax) - b.box.xMin;
        if (width < minLabelSize && height < minLabelSize) return;
    }
    int32_t sx = 0, sy = 0;
    PlanToScreen(b.x, b.y, &sx, &sy);
    char text[sizeof b.houseNumber];
    memcpy(text, b.houseNumber, sizeof text);
    text[sizeof text - 1] = '\0';
    const int len = TrimText(text);
    TextOutA(g_hdc, sx - 3 * len, sy - 6 - lift, text, len);
}
