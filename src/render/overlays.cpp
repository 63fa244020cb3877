#include "render/overlays.h"

#include <cstring>

#include "data/districts.h"
#include "data/text.h"
#include "platform/gdi.h"
#include "render/buildings.h"
#include "render/frame.h"
#include "render/scratch_points.h"
#include "render/styles.h"
#include "view/shared_state.h"
#include "view/geometry.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

constexpr COLORREF kFlagText = RGB(0xFF, 0x00, 0x00);
constexpr COLORREF kOverlayShadow = RGB(0x00, 0x00, 0x00);
constexpr COLORREF kPartNameColour = RGB(0xF0, 0xA0, 0xA0);
constexpr COLORREF kDistrictNameColour = RGB(0xFF, 0xFF, 0x00);

void DrawFlag(const BuildingRec& b) {
    if (!PointInView(b.x, b.y) || b.pts == nullptr || b.count < 1) return;
    // The foot stands on the northernmost outline point: the flag then rises clear of the
    // building instead of covering it.
    int top = 0;
    for (int i = 1; i < b.count; ++i) {
        if (b.pts[i].x > b.pts[top].x) top = i;
    }
    int32_t fx = 0, fy = 0;
    PlanToScreen(b.pts[top].x, b.pts[top].y, &fx, &fy);
    const int k = g_view.detailLevel;
    if (k != 0 && DisplayMode != kModeFlat && DisplayMode != kModeGraphic) fy -= b.floors * storeyPx;
    const int m = k == 0 ? 1 : k;
    MoveToEx(g_hdc, fx, fy, nullptr);
    LineTo(g_hdc, fx, fy - 5 * m - 1);
    Rectangle(g_hdc, fx, fy - 10 * m, fx + 10 * m, fy - 5 * m);
    if (k > 2) {
        char number[sizeof b.houseNumber];
        memcpy(number, b.houseNumber, sizeof number);
        number[sizeof number - 1] = '\0';
        const int len = TrimText(number);
        TextOutA(g_hdc, fx + 4, fy - 10 * k + 1, number, len);
    }
}

}  // namespace

void DrawSearchFlags() {
    SelectObject(g_hdc, g_fixed.font_label);
    SelectObject(g_hdc, g_style.pen_red);
    SelectObject(g_hdc, g_style.brush_marker);
    SetTextColor(g_hdc, kFlagText);
    if (g_buildings == nullptr) return;
    if (g_selCount != 0) {
        if (g_selList == nullptr) return;
        const int count = g_selCount < kSelListSize ? g_selCount : kSelListSize;
        for (int i = 0; i < count; ++i) {
            const int32_t index = g_selList[i];
            if (index >= 0 && index < g_building_count) DrawFlag(g_buildings[index]);
        }
    } else if (g_shownStreet >= 0) {
        for (int i = buildingCursor < 0 ? 0 : buildingCursor; i < g_building_count; ++i) {
            if (g_buildings[i].streetId == g_shownStreet) DrawFlag(g_buildings[i]);
        }
    }
}

void DrawPartName(const PlaceRec* place) {
    if (place == nullptr) return;
    const int len = static_cast<int>(strnlen(place->name, sizeof place->name));
    // A nameless place has nothing to show (and its width rule would divide by zero).
    if (len == 0) return;
    const int k = g_view.detailLevel;
    const int f = 300 / len > 40 ? 300 / len : 40;
    HFONT font = CreateFontA(k * f, 0, 0, 0, 800, 0, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");
    HGDIOBJ previous = SelectObject(g_hdc, font);
    int32_t px = 0, py = 0;
    PlanToScreen(place->x, place->y, &px, &py);
    const int left = px - (f / 4) * k * len;
    const int top = py - k * f;
    SetTextColor(g_hdc, kOverlayShadow);
    TextOutA(g_hdc, left + 1, top + 1, place->name, len);
    SetTextColor(g_hdc, kPartNameColour);
    TextOutA(g_hdc, left, top, place->name, len);
    if (previous != nullptr) SelectObject(g_hdc, previous);
    else SelectObject(g_hdc, g_fixed.font_label);
    DeleteObject(font);
}

void DrawDistrictOutline(const AreaRec* outline) {
    if (outline == nullptr) return;
    SelectObject(g_hdc, g_style.pen_district);
    if (outline->pts != nullptr && outline->count > 0) {
        POINT* pts = ScratchPoints(outline->count);
        if (pts != nullptr) {
            const int n = PackedPointsToScreen(outline->count, reinterpret_cast<const uint16_t*>(outline->pts), pts);
            Polyline(g_hdc, pts, n);
        }
    }
    if (outline->code < 1 || outline->code > kDistrictCount) return;
    const char* name = g_district_names[outline->code];
    const int len = static_cast<int>(strnlen(name, kDistrictNameField));
    HFONT font = CreateFontA(60, 0, 0, 0, 800, 0, 0, 0, 0, 0, 0, 0, 0, "Arial Cyr");
    HGDIOBJ previous = SelectObject(g_hdc, font);
    int32_t dx = 0, dy = 0;
    const int cx = (outline->box.xMin + outline->box.xMax) / 2;
    const int cy = (outline->box.yMin + outline->box.yMax) / 2;
    PlanToScreen(static_cast<float>(cx), static_cast<float>(cy), &dx, &dy);
    SetTextColor(g_hdc, kOverlayShadow);
    TextOutA(g_hdc, dx - 15 * len + 1, dy - 59, name, len);
    SetTextColor(g_hdc, kDistrictNameColour);
    TextOutA(g_hdc, dx - 15 * len, dy - 60, name, len);
    if (previous != nullptr) SelectObject(g_hdc, previous);
    else SelectObject(g_hdc, g_fixed.font_label);
    DeleteObject(font);
}
