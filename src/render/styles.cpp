// Display modes and the drawing objects every layer draws with: the style set of the current
// colour set (rebuilt at each mode change), the fixed objects made once for the whole run, and
// the building colour categories behind "Color buildings".
#include "render/styles.h"

#include <cctype>

#include "platform/user.h"
#include "view/surface.h"
#include "view/view.h"

const DisplayModeInfo kDisplayModes[kDisplayModeCount] = {
    {kModeGraphic, "Graphic", ColourSet::Day},
    {kModeFlat, "Flat", ColourSet::Day},
    {kModeNight, "Night", ColourSet::Night},
    {kModeWindowsOnClock, "Windows on clock", ColourSet::ThreeD},
    {kModeLightWindows, "Light windows", ColourSet::ThreeD},
    {kModeDarkWindows, "Dark windows", ColourSet::ThreeD},
    {kModeWideWindows, "Wide windows", ColourSet::ThreeD},
    {kModeWithoutWindows, "Without windows", ColourSet::ThreeD},
};

int32_t DisplayMode = kModeWindowsOnClock;
uint16_t colorBuildings = 1;
StyleSet g_style = {};
FixedObjects g_fixed = {};

namespace {

// Colours of the tables are written #RRGGBB.
constexpr COLORREF Hex(uint32_t rgb) {
    return RGB(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
               static_cast<int>(rgb & 0xFF));
}

struct PenLook {
    int width;
    uint32_t rgb;
};

// One pen slot: its look in the day, night and 3D colour sets.
struct PenSlot {
    HPEN StyleSet::*slot;
    PenLook look[3];
};

struct BrushSlot {
    HBRUSH StyleSet::*slot;
    uint32_t rgb[3];
};

const PenSlot kPens[] = {
    {&StyleSet::pen_shore, {{1, 0x2828FF}, {1, 0x000037}, {1, 0x2828FF}}},
    {&StyleSet::pen_green, {{1, 0x00FF00}, {1, 0x00FF00}, {1, 0x00FF00}}},
    {&StyleSet::pen_red, {{1, 0xFF0000}, {1, 0xFF0000}, {1, 0xFF0000}}},
    {&StyleSet::pen_coast, {{1, 0x5050FF}, {1, 0x000037}, {1, 0x5050FF}}},
    {&StyleSet::pen_road_inner_0, {{1, 0xFAFA64}, {1, 0x000000}, {1, 0xFAFA64}}},
    {&StyleSet::pen_road_inner_1, {{3, 0xE4E3C8}, {3, 0x000000}, {3, 0xE4E3C8}}},
    {&StyleSet::pen_road_inner_2, {{8, 0xE4E3C8}, {8, 0x000000}, {6, 0xE4E3C8}}},
    {&StyleSet::pen_road_inner_3, {{14, 0xE4E3C8}, {14, 0x000000}, {10, 0xE4E3C8}}},
    {&StyleSet::pen_road_edge_0, {{3, 0xDC783C}, {1, 0x5A5A00}, {3, 0xDC783C}}},
    {&StyleSet::pen_road_edge_1, {{5, 0xC89678}, {5, 0x5A5A00}, {5, 0xC89678}}},
    {&StyleSet::pen_road_edge_2, {{12, 0xC89678}, {12, 0x5A5A00}, {10, 0xC89678}}},
    {&StyleSet::pen_road_edge_3, {{18, 0xC89678}, {18, 0x5A5A00}, {14, 0xC89678}}},
    {&StyleSet::pen_red_wide, {{2, 0xFF0000}, {2, 0x9B0000}, {2, 0xFF0000}}},
    {&StyleSet::pen_line_a_0, {{2, 0x505050}, {2, 0x323232}, {2, 0x505050}}},
    {&StyleSet::pen_line_a_1, {{3, 0x505050}, {3, 0x323232}, {3, 0x505050}}},
    {&StyleSet::pen_line_a_2, {{5, 0x505050}, {5, 0x323232}, {5, 0x505050}}},
    {&StyleSet::pen_line_a_3, {{8, 0x505050}, {8, 0x323232}, {8, 0x505050}}},
    {&StyleSet::pen_line_b_1, {{2, 0x505050}, {2, 0x505050}, {2, 0x505050}}},
    {&StyleSet::pen_line_b_2, {{3, 0x505050}, {3, 0x505050}, {3, 0x505050}}},
    {&StyleSet::pen_line_b_3, {{4, 0x505050}, {4, 0x505050}, {4, 0x505050}}},
    {&StyleSet::pen_minor_line, {{3, 0xC89678}, {3, 0xC89678}, {3, 0xC89678}}},
    {&StyleSet::pen_area_718, {{2, 0xC89678}, {2, 0xC89678}, {2, 0xC89678}}},
    {&StyleSet::pen_flat_edge, {{1, 0xC8C8C8}, {1, 0xC8C8C8}, {1, 0xC8C8C8}}},
    {&StyleSet::pen_district, {{3, 0xFFFF00}, {3, 0xC8B4AA}, {3, 0xFFFF00}}},
    {&StyleSet::pen_building_0, {{1, 0x899A7D}, {1, 0x162E28}, {1, 0x899A7D}}},
    {&StyleSet::pen_building_1, {{1, 0x969696}, {1, 0x282828}, {1, 0x969696}}},
    {&StyleSet::pen_building_2, {{1, 0xBBA078}, {1, 0x25141E}, {1, 0xBBA078}}},
    {&StyleSet::pen_building_3, {{1, 0xA78C6E}, {1, 0x25141E}, {1, 0xA78C6E}}},
    {&StyleSet::pen_building_4, {{1, 0x6B968C}, {1, 0x25141E}, {1, 0x6B968C}}},
    {&StyleSet::pen_storey_0, {{1, 0xC8FFC8}, {1, 0xBE9628}, {1, 0xC8FFC8}}},
    {&StyleSet::pen_storey_1, {{1, 0xE1E1E1}, {1, 0x646446}, {1, 0xE1E1E1}}},
    {&StyleSet::pen_storey_2, {{1, 0xFFFFC8}, {1, 0xB4B464}, {1, 0xFFFFC8}}},
    {&StyleSet::pen_storey_3, {{1, 0xFFFFC8}, {1, 0xB4B464}, {1, 0xFFFFC8}}},
    {&StyleSet::pen_storey_4, {{1, 0xFFFFC8}, {1, 0xB4B464}, {1, 0xFFFFC8}}},
    {&StyleSet::pen_window_lit, {{1, 0xFFFFB4}, {1, 0xFFFFB4}, {1, 0xFFFFB4}}},
    {&StyleSet::pen_window_dark, {{1, 0x8C8C8C}, {1, 0x8C8C8C}, {1, 0x8C8C8C}}},
};

const BrushSlot kBrushes[] = {
    {&StyleSet::brush_land, {0xE4CFB0, 0x1E1E1E, 0xE4CFB0}},
    {&StyleSet::brush_water, {0x96E6FF, 0x000064, 0x96E6FF}},
    {&StyleSet::brush_area_1014, {0xCED4C8, 0x0A100A, 0xCED4C8}},
    {&StyleSet::brush_area_718, {0xAAFFAA, 0x0A100A, 0xAAFFAA}},
    {&StyleSet::brush_area_6614, {0x3C783C, 0x0F140C, 0x3C783C}},
    {&StyleSet::brush_hatch_750, {0x006E00, 0x0A100A, 0x006E00}},
    {&StyleSet::brush_shadow, {0x505050, 0x000000, 0x505050}},
    {&StyleSet::brush_overview_green, {0x60B95E, 0x38732C, 0x60B95E}},
    {&StyleSet::brush_marker, {0xFFFF00, 0xFFFF00, 0xFFFF00}},
    {&StyleSet::brush_building_0, {0x899A7D, 0x162E28, 0xBEB4A0}},
    {&StyleSet::brush_building_1, {0x969696, 0x282828, 0xA0A08C}},
    {&StyleSet::brush_building_2, {0xBBA078, 0x25141E, 0xB4B4A0}},
    {&StyleSet::brush_building_3, {0xA78C6E, 0x25141E, 0xC8C8A0}},
    {&StyleSet::brush_building_4, {0x6B968C, 0x25141E, 0xD2D2D2}},
    {&StyleSet::brush_roof_0, {0x899A7D, 0x162E28, 0xAAA082}},
    {&StyleSet::brush_roof_1, {0x969696, 0x282828, 0x787864}},
    {&StyleSet::brush_roof_2, {0xBBA078, 0x25141E, 0xA0A08C}},
    {&StyleSet::brush_roof_3, {0xA78C6E, 0x25141E, 0xB4B48C}},
    {&StyleSet::brush_roof_4, {0x6B968C, 0x25141E, 0xC8C8C8}},
    {&StyleSet::brush_window_lit, {0xFFFFB4, 0xFFFFB4, 0xFFFFB4}},
    {&StyleSet::brush_window_dark, {0x8C8C8C, 0x8C8C8C, 0x8C8C8C}},
};

int SetIndex(ColourSet colours) {
    switch (colours) {
        case ColourSet::Day: return 0;
        case ColourSet::Night: return 1;
        case ColourSet::ThreeD: return 2;
    }
    return 0;
}

int Clamp(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

bool SameText(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    }
    return *a == *b;
}

void DeleteIfCreated(HGDIOBJ object) {
    if (object != nullptr) DeleteObject(object);
}

// The redraw of a changed detailed plan: the next paint composes a new frame.
void RequestRedraw() {
    g_needRedraw = 1;
    if (g_surfaceWindow != nullptr) InvalidateRgn(g_surfaceWindow, nullptr, TRUE);
}

void CheckMenuCommand(int32_t id, UINT state) {
    if (g_surfaceWindow == nullptr) return;
    HMENU menu = GetMenu(g_surfaceWindow);
    if (menu != nullptr) CheckMenuItem(menu, static_cast<UINT>(id), MF_BYCOMMAND | state);
}

}  // namespace

const DisplayModeInfo* FindDisplayMode(int32_t id) {
    for (const DisplayModeInfo& mode : kDisplayModes) {
        if (mode.id == id) return &mode;
    }
    return nullptr;
}

const DisplayModeInfo* FindDisplayModeByText(const char* text) {
    if (text == nullptr) return nullptr;
    for (const DisplayModeInfo& mode : kDisplayModes) {
        if (SameText(mode.menuText, text)) return &mode;
    }
    return nullptr;
}

bool IsBlockMode(int32_t id) {
    return id == kModeWindowsOnClock || id == kModeLightWindows || id == kModeDarkWindows ||
           id == kModeWideWindows || id == kModeWithoutWindows;
}

HPEN PenRoadInner(int level) {
    HPEN StyleSet::*const family[] = {&StyleSet::pen_road_inner_0, &StyleSet::pen_road_inner_1,
                                      &StyleSet::pen_road_inner_2, &StyleSet::pen_road_inner_3};
    return g_style.*family[Clamp(level, 0, 3)];
}

HPEN PenRoadEdge(int level) {
    HPEN StyleSet::*const family[] = {&StyleSet::pen_road_edge_0, &StyleSet::pen_road_edge_1,
                                      &StyleSet::pen_road_edge_2, &StyleSet::pen_road_edge_3};
    return g_style.*family[Clamp(level, 0, 3)];
}

HPEN PenLineA(int level) {
    HPEN StyleSet::*const family[] = {&StyleSet::pen_line_a_0, &StyleSet::pen_line_a_1, &StyleSet::pen_line_a_2,
                                      &StyleSet::pen_line_a_3};
    return g_style.*family[Clamp(level, 0, 3)];
}

HPEN PenLineB(int level) {
    HPEN StyleSet::*const family[] = {&StyleSet::pen_line_b_1, &StyleSet::pen_line_b_2, &StyleSet::pen_line_b_3};
    return g_style.*family[Clamp(level, 1, 3) - 1];
}

HPEN PenBuilding(int category) {
    HPEN StyleSet::*const family[] = {&StyleSet::pen_building_0, &StyleSet::pen_building_1,
                                      &StyleSet::pen_building_2, &StyleSet::pen_building_3,
                                      &StyleSet::pen_building_4};
    return g_style.*family[Clamp(category, 0, 4)];
}

HPEN PenStorey(int category) {
    HPEN StyleSet::*const family[] = {&StyleSet::pen_storey_0, &StyleSet::pen_storey_1, &StyleSet::pen_storey_2,
                                      &StyleSet::pen_storey_3, &StyleSet::pen_storey_4};
    return g_style.*family[Clamp(category, 0, 4)];
}

HBRUSH BrushBuilding(int category) {
    HBRUSH StyleSet::*const family[] = {&StyleSet::brush_building_0, &StyleSet::brush_building_1,
                                        &StyleSet::brush_building_2, &StyleSet::brush_building_3,
                                        &StyleSet::brush_building_4};
    return g_style.*family[Clamp(category, 0, 4)];
}

HBRUSH BrushRoof(int category) {
    HBRUSH StyleSet::*const family[] = {&StyleSet::brush_roof_0, &StyleSet::brush_roof_1, &StyleSet::brush_roof_2,
                                        &StyleSet::brush_roof_3, &StyleSet::brush_roof_4};
    return g_style.*family[Clamp(category, 0, 4)];
}

void CreateFixedObjects() {
    if (g_fixed.pen_outline_dark != nullptr) return;
    g_fixed.null_brush = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    g_fixed.null_pen = static_cast<HPEN>(GetStockObject(NULL_PEN));
    g_fixed.black_pen = static_cast<HPEN>(GetStockObject(BLACK_PEN));
    g_fixed.white_brush = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    g_fixed.pen_outline_dark = CreatePen(PS_SOLID, 1, Hex(0x505050));
    const LOGBRUSH magenta = {BS_SOLID, Hex(0xFF00FF), 0};
    g_fixed.pen_rubber_band = ExtCreatePen(PS_GEOMETRIC | PS_DOT, 1, &magenta, 0, nullptr);
    g_fixed.brush_grey_240 = CreateSolidBrush(Hex(0xF0F0F0));
    g_fixed.brush_grey_200 = CreateSolidBrush(Hex(0xC8C8C8));
    g_fixed.brush_grey_180 = CreateSolidBrush(Hex(0xB4B4B4));
    g_fixed.font_label = static_cast<HFONT>(GetStockObject(ANSI_VAR_FONT));
}

void DeleteFixedObjects() {
    DeleteIfCreated(g_fixed.pen_rubber_band);
    DeleteIfCreated(g_fixed.pen_outline_dark);
    DeleteIfCreated(g_fixed.brush_grey_240);
    DeleteIfCreated(g_fixed.brush_grey_200);
    DeleteIfCreated(g_fixed.brush_grey_180);
    g_fixed = FixedObjects{};
}

bool StyleSetBuilt() {
    for (const PenSlot& pen : kPens) {
        if (g_style.*pen.slot != nullptr) return true;
    }
    for (const BrushSlot& brush : kBrushes) {
        if (g_style.*brush.slot != nullptr) return true;
    }
    return false;
}

void BuildStyleSet() {
    const DisplayModeInfo* mode = FindDisplayMode(DisplayMode);
    if (mode == nullptr) return;
    // Building over a set that was never released would lose its objects.
    if (StyleSetBuilt()) ReleaseStyleSet();
    const int set = SetIndex(mode->colours);
    for (const PenSlot& pen : kPens) {
        g_style.*pen.slot = CreatePen(PS_SOLID, pen.look[set].width, Hex(pen.look[set].rgb));
    }
    for (const BrushSlot& brush : kBrushes) {
        const COLORREF colour = Hex(brush.rgb[set]);
        g_style.*brush.slot = brush.slot == &StyleSet::brush_hatch_750 ? CreateHatchBrush(HS_DIAGCROSS, colour)
                                                                       : CreateSolidBrush(colour);
    }
}

void ReleaseStyleSet() {
    if (g_hdc != nullptr) {
        SelectObject(g_hdc, GetStockObject(NULL_PEN));
        SelectObject(g_hdc, GetStockObject(NULL_BRUSH));
    }
    for (const PenSlot& pen : kPens) {
        DeleteIfCreated(g_style.*pen.slot);
        g_style.*pen.slot = nullptr;
    }
    for (const BrushSlot& brush : kBrushes) {
        DeleteIfCreated(g_style.*brush.slot);
        g_style.*brush.slot = nullptr;
    }
}

void SetDisplayMode(int32_t id) {
    if (FindDisplayMode(id) == nullptr) return;
    CheckMenuCommand(DisplayMode, MF_UNCHECKED);
    ReleaseStyleSet();
    DisplayMode = id;
    BuildStyleSet();
    CheckMenuCommand(DisplayMode, MF_CHECKED);
    if (g_zoom.zoomDepth > 1) RequestRedraw();
}

void ToggleColorBuildings() {
    colorBuildings = colorBuildings != 0 ? 0 : 1;
    CheckMenuCommand(kCmdColorBuildings, colorBuildings != 0 ? MF_CHECKED : MF_UNCHECKED);
    RequestRedraw();
}

int BuildingCategory(int16_t purpose) {
    if (colorBuildings == 0 || purpose == 411 || purpose == 658) return 0;
    if (purpose == 461 || purpose == 659 || purpose == 888) return 2;
    if (purpose == 444 || purpose == 660) return 3;
    if (purpose == 555 || purpose == 661) return 4;
    return 1;
}

void SelectBuildingPen(int16_t purpose) { SelectObject(g_hdc, PenBuilding(BuildingCategory(purpose))); }

void SelectStoreyPen(int16_t purpose) { SelectObject(g_hdc, PenStorey(BuildingCategory(purpose))); }

void SelectBuildingBrush(int16_t purpose) { SelectObject(g_hdc, BrushBuilding(BuildingCategory(purpose))); }
