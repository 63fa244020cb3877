// Buildings on the printed page: footprints for "Flat" and "Graphic", blocks with walls,
// windows and roofs for the other modes, all outlined in black. The walk over the buildings,
// the order of the walls and the places of the windows are the screen's.
#include "platform/gdi.h"
#include "print/print_layers.h"
#include "print/print_view.h"
#include "render/block_walls.h"
#include "render/building_walk.h"
#include "render/buildings.h"
#include "render/layer_settings.h"
#include "render/pixel_math.h"
#include "render/rand.h"
#include "render/styles.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWindowRowGrey = RGB(0xB4, 0xB4, 0xB4);
constexpr int16_t kPurposeOutbuilding = 413;
// Blocks hiding the building categories on paper when "Color buildings" is off.
constexpr int kUncolouredCategory = 2;

// The pens and edge tables of one block pass.
struct BlockPass {
    HPEN outline = nullptr;
    HPEN windowRows = nullptr;  // detail levels 0 and 1
    BlockEdgeTables edges;
};
BlockPass g_blockPass;

bool InColour() { return g_printInColor != 0; }
int AtLeast(int value, int least) { return value > least ? value : least; }

// Bridges, passages and sheds stand one storey above the ground on paper.
bool StandsAboveGround(int16_t purpose) { return purpose >= 657 && purpose <= 661; }

int BlockCategory(const BuildingRec& b) {
    return colorBuildings != 0 ? PrintCategory(b.purpose) : kUncolouredCategory;
}

HBRUSH WallBrush(const BuildingRec& b) {
    if (!InColour()) return g_fixed.brush_grey_240;
    return BrushBuilding(BlockCategory(b));
}

HBRUSH RoofBrush(const BuildingRec& b) {
    if (!InColour()) return g_fixed.brush_grey_200;
    return BrushRoof(BlockCategory(b));
}

// The brush of one single window; draws a random number where the mode lights windows by
// chance.
HBRUSH SingleWindowBrush() {
    if (!InColour()) return g_fixed.brush_grey_180;
    if (DisplayMode == kModeLightWindows) return g_style.brush_window_lit;
    if (DisplayMode == kModeDarkWindows) return g_style.brush_window_dark;
    // "Windows on clock" on paper, and the night: about half the windows lit, whatever the time.
    return RuntimeRand() % 2 == 0 ? g_style.brush_window_lit : g_style.brush_window_dark;
}

void PrintWindows(int xa, int ya, int xb, int yb, int f, int h) {
    const int k = g_view.detailLevel;
    if (k == 1) {
        SelectObject(g_hdc, g_blockPass.windowRows);
        ForEachWindowRowLine(xa, ya, xb, yb, h, [](int x1, int y1, int x2, int y2) {
            const POINT line[2] = {{x1, y1}, {x2, y2}};
            Polyline(g_hdc, line, 2);
        });
        return;
    }
    SelectObject(g_hdc, g_fixed.null_pen);
    if (DisplayMode == kModeWideWindows) {
        SelectObject(g_hdc, InColour() ? g_style.brush_window_lit : g_fixed.brush_grey_180);
        ForEachWindowBand(xa, ya, xb, yb, f, g_printStorey,
                          [](const POINT* band) { Polygon(g_hdc, band, 4); });
        return;
    }
    ForEachSingleWindow(xa, ya, xb, yb, f, g_printStorey, [](const POINT* window) {
        SelectObject(g_hdc, SingleWindowBrush());
        Polygon(g_hdc, window, 4);
    });
}

}  // namespace

void PrintFlatBuildings() {
    const int k = g_view.detailLevel;
    const bool flat = DisplayMode == kModeFlat;
    HPEN pen = CreatePen(PS_SOLID, AtLeast(TruncateToInt(g_view.pxPerMmX * 0.2), 1), kBlack);
    SelectObject(g_hdc, pen);
    SetTextColor(g_hdc, kBlack);
    WalkBuildings([k, flat](const BuildingRec& b, POINT* pts, int n) {
        if (flat) {
            HBRUSH brush = InColour() ? BrushBuilding(PrintCategory(b.purpose))
                                      : (b.purpose == kPurposeOutbuilding ? g_fixed.brush_grey_180
                                                                          : g_fixed.brush_grey_200);
            SelectObject(g_hdc, brush);
            Polygon(g_hdc, pts, n);
        } else {
            Polyline(g_hdc, pts, n);
            MoveToEx(g_hdc, pts[n - 1].x, pts[n - 1].y, nullptr);
            LineTo(g_hdc, pts[0].x, pts[0].y);
        }
        if (k != 0 && b.houseNumber[0] != '\0' && g_layerAddresses != kLayerNo) PrintHouseNumber(b);
    });
    SelectObject(g_hdc, GetStockObject(BLACK_PEN));
    DeleteObject(pen);
}

void PrintBlockWalls(int n, const POINT* P, const BuildingRec& b) {
    if (n < 1 || P == nullptr) return;
    const int S = g_printStorey;
    const int k = g_view.detailLevel;
    HBRUSH wallBrush = WallBrush(b);
    const bool windowsShown = k >= 1 && DisplayMode != kModeWithoutWindows;
    WalkBlockWalls(n, P, g_printHidden, &g_blockPass.edges, [&](POINT top, POINT bottom) {
        int xa = top.x, ya = top.y, xb = bottom.x, yb = bottom.y;
        int f = b.floors;
        if (StandsAboveGround(b.purpose)) {
            ya -= S;
            yb -= S;
            f -= 1;
        }
        const int h = f * S;
        SelectObject(g_hdc, g_blockPass.outline);
        SelectObject(g_hdc, wallBrush);
        const POINT wall[4] = {{xa, ya}, {xb, yb}, {xb, yb - h}, {xa, ya - h}};
        Polygon(g_hdc, wall, 4);
        if (!windowsShown || !WallsHaveWindows(b, f)) return;
        PrintWindows(xa, ya, xb, yb, f, h);
        // The wall's edge again, over the windows that reach it.
        SelectObject(g_hdc, g_blockPass.outline);
        const POINT edge[5] = {{xa, ya}, {xb, yb}, {xb, yb - h}, {xa, ya - h}, {xa, ya}};
        Polyline(g_hdc, edge, 5);
    });
}

void PrintBlockBuildings() {
    const int k = g_view.detailLevel;
    const double p = g_view.pxPerMmX;
    const double s = g_view.scale;
    g_printHidden = TruncateToInt(2.0 * p * s);
    AllocateEdgeTables(&g_blockPass.edges);
    g_printLift = 0;
    g_printStorey = TruncateToInt(4.0 * p * s);
    g_blockPass.windowRows =
        k <= 1 ? CreatePen(PS_SOLID, AtLeast(TruncateToInt(g_printStorey * 0.5), 1), kWindowRowGrey)
               : nullptr;
    g_blockPass.outline = CreatePen(PS_SOLID, AtLeast(TruncateToInt(p * 0.2), 1), kBlack);
    SetTextColor(g_hdc, kBlack);

    WalkBuildings([k](const BuildingRec& b, POINT* pts, int n) {
        PrintBlockWalls(n, pts, b);
        const int lift = b.floors * g_printStorey;
        MovePointsUp(pts, n, lift);
        SelectObject(g_hdc, RoofBrush(b));
        SelectObject(g_hdc, g_blockPass.outline);
        Polygon(g_hdc, pts, n);
        if (k != 0 && b.houseNumber[0] != '\0' && g_layerAddresses != kLayerNo) {
            g_printLift = lift;
            PrintHouseNumber(b);
        }
    });

    SelectObject(g_hdc, GetStockObject(BLACK_PEN));
    DeleteObject(g_blockPass.outline);
    if (g_blockPass.windowRows != nullptr) DeleteObject(g_blockPass.windowRows);
    g_blockPass.outline = nullptr;
    g_blockPass.windowRows = nullptr;
    FreeEdgeTables(&g_blockPass.edges);
}
