// The layers of the printed page, the street names, the house numbers and the flags. The
// buildings themselves are in print_buildings.cpp.
#include "print/print_layers.h"

#include <cstring>

#include "data/text.h"
#include "platform/gdi.h"
#include "print/print_view.h"
#include "render/frame.h"
#include "render/labels.h"
#include "render/layer_settings.h"
#include "render/pixel_math.h"
#include "render/scratch_points.h"
#include "render/styles.h"
#include "view/geometry.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

int32_t g_printStorey = 0;
int32_t g_printHidden = 0;
int32_t g_printLift = 0;
int32_t g_printNumberHeight = 0;

namespace {

constexpr COLORREF Hex(uint32_t rgb) {
    return RGB(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
               static_cast<int>(rgb & 0xFF));
}

constexpr COLORREF kBlack = Hex(0x000000);
constexpr COLORREF kCoastColour = Hex(0x0000C8);
constexpr COLORREF kCasingColour = Hex(0xC89678);
constexpr COLORREF kCasingGrey = Hex(0x282828);
constexpr COLORREF kInnerColour = Hex(0xC8C8AA);
constexpr COLORREF kInnerWhite = Hex(0xFFFFFF);
constexpr COLORREF kLineGrey = Hex(0x4B4B4B);
constexpr COLORREF kShoreColour = Hex(0x000096);
constexpr COLORREF kFarLabelGrey = Hex(0x646464);

constexpr int16_t kCodeArea718 = 718;
constexpr int16_t kCodeArea750 = 750;
constexpr int16_t kCodeArea1014 = 1014;
constexpr int16_t kCodeArea6614 = 6614;
constexpr int16_t kCodeWater4925 = 4925;
constexpr int16_t kCodeWater4912 = 4912;
// Lines of this code are not printed.
constexpr int16_t kCodeUnprintedLine = 9005;

bool InColour() { return g_printInColor != 0; }
COLORREF ColourOr(COLORREF colour, COLORREF grey) { return InColour() ? colour : grey; }

int AtLeast(int value, int least) { return value > least ? value : least; }

// A new solid pen, selected; the caller deletes it after its layer.
HPEN SelectNewPen(int width, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, width, colour);
    SelectObject(g_hdc, pen);
    return pen;
}

void DeleteLayerPen(HPEN pen) {
    SelectObject(g_hdc, g_fixed.null_pen);
    DeleteObject(pen);
}

Box ViewBox() { return OrderedBox(g_view.xMin, g_view.yMin, g_view.xMax, g_view.yMax); }

void PrintAreas() {
    if (g_topo1 == nullptr) return;
    if (!InColour()) SelectObject(g_hdc, g_fixed.brush_grey_240);
    for (int i = 0; i < g_topo1_count; ++i) {
        const LineRec& rec = g_topo1[i];
        if (InColour() && (i == 0 || rec.code != g_topo1[i - 1].code)) {
            // Other codes keep the brush in use.
            switch (rec.code) {
                case kCodeArea718:
                    SelectObject(g_hdc, g_style.brush_area_718);
                    break;
                case kCodeArea750:
                    SelectObject(g_hdc, g_style.brush_hatch_750);
                    break;
                case kCodeArea1014:
                    SelectObject(g_hdc, g_style.brush_area_1014);
                    break;
                case kCodeArea6614:
                    SelectObject(g_hdc, g_style.brush_area_6614);
                    break;
                default:
                    break;
            }
        }
        if (rec.pts == nullptr || rec.count < 1) continue;
        if (!RectInView(rec.box.xMin, rec.box.yMin, rec.box.xMax, rec.box.yMax)) continue;
        POINT* pts = ScratchPoints(rec.count);
        if (pts == nullptr) continue;
        const int n = PlanPointsToScreen(rec.count, reinterpret_cast<const float*>(rec.pts), pts);
        if (n > 0) Polygon(g_hdc, pts, n);
    }
}

// The land outline, cut into the stretches that reach the page.
void PrintCoast() {
    HPEN pen =
        SelectNewPen(AtLeast(TruncateToInt(g_view.pxPerMmX * 0.25), 1), ColourOr(kCoastColour, kBlack));
    const AreaRec* land = g_areas != nullptr && g_area_count > 0 ? &g_areas[0] : nullptr;
    if (land != nullptr && land->pts != nullptr && land->count > 0) {
        POINT* pts = ScratchPoints(land->count);
        if (pts != nullptr) {
            const int n =
                PackedPointsToScreen(land->count, reinterpret_cast<const uint16_t*>(land->pts), pts);
            const Box page = OrderedBox(g_view.vpLeft, g_view.vpTop, g_view.vpRight, g_view.vpBottom);
            ForEachVisibleRun(
                n,
                [&](int i) {
                    const float segment[4] = {static_cast<float>(pts[i].x), static_cast<float>(pts[i].y),
                                              static_cast<float>(pts[i + 1].x),
                                              static_cast<float>(pts[i + 1].y)};
                    return PolylineTouchesBox(2, segment, page, 0.0f);
                },
                [&](int first, int last) { Polyline(g_hdc, pts + first, last - first + 1); });
        }
    }
    DeleteLayerPen(pen);
}

void PrintLineList(const LineRec* list, int count) {
    for (int i = 0; i < count && list != nullptr; ++i) PrintVisibleLine(list[i]);
}

void PrintStreetBodies(int k, double p) {
    const PrintStreetWidths widths = StreetWidthsOnPaper(k, p);
    HPEN pen = SelectNewPen(widths.outer, ColourOr(kCasingColour, kCasingGrey));
    PrintLineList(g_street_lines, g_street_line_count);
    DeleteLayerPen(pen);
    pen = SelectNewPen(widths.inner, ColourOr(kInnerColour, kInnerWhite));
    PrintLineList(g_street_lines, g_street_line_count);
    DeleteLayerPen(pen);
}

void PrintMinorLines(double p) {
    HPEN pen = SelectNewPen(AtLeast(TruncateToInt(p * 0.3), 3), ColourOr(kCasingColour, kCasingGrey));
    PrintLineList(g_topo4, g_topo4_count);
    DeleteLayerPen(pen);
}

void PrintLines(int k, double p) {
    HPEN pen = SelectNewPen(AtLeast(TruncateToInt(k * p * 0.4), 3), kLineGrey);
    for (int i = 0; i < g_topo2_count && g_topo2 != nullptr; ++i) {
        if (g_topo2[i].code != kCodeUnprintedLine) PrintVisibleLine(g_topo2[i]);
    }
    DeleteLayerPen(pen);
}

void PrintWater() {
    // A black and white page shows water white like the open sea, inside its black shores:
    // the colour set's water would be the one coloured thing on the page.
    SelectObject(g_hdc, InColour() ? g_style.brush_water : g_fixed.white_brush);
    SelectObject(g_hdc, g_fixed.null_pen);
    for (int i = 0; i < g_topo3_count && g_topo3 != nullptr; ++i) {
        const LineRec& rec = g_topo3[i];
        if (rec.code != kCodeWater4925 && rec.code != kCodeWater4912) continue;
        if (rec.pts == nullptr || rec.count < 1) continue;
        if (!RectInView(rec.box.xMin, rec.box.yMin, rec.box.xMax, rec.box.yMax)) continue;
        POINT* pts = ScratchPoints(rec.count);
        if (pts == nullptr) continue;
        const int n = PlanPointsToScreen(rec.count, reinterpret_cast<const float*>(rec.pts), pts);
        if (n > 0) Polygon(g_hdc, pts, n);
    }
}

void PrintShores(int k, double p) {
    HPEN pen = SelectNewPen(AtLeast(TruncateToInt(k * p * 0.2), 3), ColourOr(kShoreColour, kBlack));
    PrintLineList(g_topo3, g_topo3_count);
    DeleteLayerPen(pen);
}

void PrintFlags(double p) {
    HPEN pen = SelectNewPen(TruncateToInt(p * 0.25), kBlack);
    SelectObject(g_hdc, g_fixed.brush_grey_240);
    if (g_selCount > 0) {
        const int count = g_selCount < kSelListSize ? g_selCount : kSelListSize;
        for (int i = 0; i < count && g_selList != nullptr; ++i) PrintFlag(g_selList[i]);
    } else {
        for (int i = 0; i < g_building_count && g_buildings != nullptr; ++i) {
            if (g_buildings[i].streetId == g_shownStreet) PrintFlag(i);
        }
    }
    DeleteLayerPen(pen);
}

void PrintBuildingLayers(double p) {
    g_printLift = 0;
    g_printNumberHeight = TruncateToInt(p * -3.0);
    HFONT font = CreateFontA(g_printNumberHeight, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");
    HGDIOBJ previous = SelectObject(g_hdc, font);
    if (DisplayMode == kModeFlat || DisplayMode == kModeGraphic)
        PrintFlatBuildings();
    else
        PrintBlockBuildings();
    if (g_selCount != 0 || g_shownStreet >= 0) PrintFlags(p);
    SelectObject(g_hdc, previous != nullptr ? previous : g_fixed.font_label);
    DeleteObject(font);
}

}  // namespace

int PrintCategory(int16_t purpose) {
    if (purpose == 411 || purpose == 658) return 0;
    if (purpose == 461 || purpose == 659) return 2;
    if (purpose == 444 || purpose == 660) return 3;
    if (purpose == 555 || purpose == 661) return 4;
    return 1;
}

PrintStreetWidths StreetWidthsOnPaper(int k, double p) {
    const double w = k * p;
    PrintStreetWidths widths{TruncateToInt(1.5 * w), TruncateToInt(1.2 * w)};
    if (widths.outer < 3) {
        widths.outer = 3;
        widths.inner = 1;
    }
    if (widths.outer - widths.inner < 4) widths.inner = AtLeast(widths.outer - 4, 1);
    return widths;
}

void PrintVisibleLine(const LineRec& line) {
    if (line.pts == nullptr || line.count < 2) return;
    if (!RectInView(line.box.xMin, line.box.yMin, line.box.xMax, line.box.yMax)) return;
    const float* coords = reinterpret_cast<const float*>(line.pts);
    const Box view = ViewBox();
    ForEachVisibleRun(
        line.count, [&](int i) { return PolylineTouchesBox(2, coords + 2 * i, view, 0.0f); },
        [&](int first, int last) {
            const int count = last - first + 1;
            POINT* pts = ScratchPoints(count);
            if (pts == nullptr) return;
            const int n = PlanPointsToScreen(count, coords + 2 * first, pts);
            if (n > 1) Polyline(g_hdc, pts, n);
        });
}

void PrintHouseNumber(const BuildingRec& b) {
    if (g_layerAddresses == kLayerSelect) {
        const double width = static_cast<double>(b.box.yMax) - b.box.yMin;
        const double height = static_cast<double>(b.box.xMax) - b.box.xMin;
        if (width < g_printMinSize && height < g_printMinSize) return;
    }
    int32_t sx = 0, sy = 0;
    PlanToScreen(b.x, b.y, &sx, &sy);
    char text[sizeof b.houseNumber];
    memcpy(text, b.houseNumber, sizeof text);
    text[sizeof text - 1] = '\0';
    const int len = TrimText(text);
    const int a = g_printNumberHeight < 0 ? -g_printNumberHeight : g_printNumberHeight;
    TextOutA(g_hdc, TruncateToInt(sx - 0.3 * a * len), sy - g_printLift - a / 2, text, len);
}

void PrintFlag(int index) {
    if (g_buildings == nullptr || index < 0 || index >= g_building_count) return;
    const BuildingRec& b = g_buildings[index];
    if (b.pts == nullptr || b.count < 1) return;
    int top = 0;
    for (int i = 1; i < b.count; ++i) {
        if (b.pts[i].x > b.pts[top].x) top = i;
    }
    int32_t fx = 0, fy = 0;
    PlanToScreen(b.pts[top].x, b.pts[top].y, &fx, &fy);
    const int k = g_view.detailLevel;
    if (DisplayMode != kModeFlat && DisplayMode != kModeGraphic) {
        // On the roof of the block.
        if (k == 1)
            fy = fy + 2 - 2 * b.floors;
        else if (k >= 2)
            fy -= b.floors * g_printStorey;
    }
    const double p = g_view.pxPerMmX;
    MoveToEx(g_hdc, fx, fy, nullptr);
    LineTo(g_hdc, fx, TruncateToInt(fy - 2.0 * p));
    Rectangle(g_hdc, fx, TruncateToInt(fy - 4.0 * p), TruncateToInt(fx + 4.0 * p),
              TruncateToInt(fy - 2.0 * p));
}

void PrintStreetLabels() {
    const double s = g_view.scale;
    const double z = 100.0 * s;
    if (z < 10.0 || g_labels == nullptr) return;
    const int k = g_view.detailLevel;
    labelFontHeight = AtLeast(TruncateToInt(2.0 * k * g_view.pxPerMmX), 4);
    SetTextColor(g_hdc, k < 4 ? kBlack : kFarLabelGrey);
    const int weight = k == 0 || k >= 3 ? 700 : 100;
    for (int i = 0; i < g_label_count; ++i) {
        const LabelRec& label = g_labels[i];
        if (label.size >= 0 || !PointInView(label.x, label.y)) continue;
        const LineRec* line = LabelStreetLine(label);
        if (line == nullptr || !LayoutLabel(label.x, label.y, *line)) continue;
        char text[kLabelLayoutMax + 1];
        const int len = StreetLabelText(line->code, text);
        for (int c = 0; c < len && c < g_labelLayout.count; ++c) {
            HFONT font = CreateFontA(labelFontHeight, 0, g_labelLayout.escapement[c], 0, weight, 0, 0, 0, 0,
                                     0, 0, 0, 0, "Arial Cyr");
            SelectObject(g_hdc, font);
            TextOutA(g_hdc, g_labelLayout.x[c], g_labelLayout.y[c], text + c, 1);
            SelectObject(g_hdc, GetStockObject(ANSI_VAR_FONT));
            DeleteObject(font);
        }
    }
}

void PrintLayers() {
    const int k = g_view.detailLevel;
    const double p = g_view.pxPerMmX;
    SelectObject(g_hdc, g_fixed.null_pen);
    PrintAreas();
    PrintCoast();
    if (k <= 2)
        PrintStreetBodies(k, p);
    else
        PrintMinorLines(p);
    PrintLines(k, p);
    PrintWater();
    PrintShores(k, p);
    if (g_street_names != nullptr && g_label_count != 0) PrintStreetLabels();
    if (g_layerBuildings != kLayerNo) PrintBuildingLayers(p);
}
