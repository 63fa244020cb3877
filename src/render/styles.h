// Display modes and the drawing objects every layer draws with: the style set of the current
// colour set (rebuilt at each mode change), the fixed objects made once for the whole run, and
// the building colour categories behind "Color buildings".
#pragma once

#include <cstdint>

#include "platform/gdi.h"

// The display mode is the menu command id of the chosen "View" item.
constexpr int32_t kModeGraphic = 32812;
constexpr int32_t kModeFlat = 32775;
constexpr int32_t kModeNight = 32781;
constexpr int32_t kModeWindowsOnClock = 32786;
constexpr int32_t kModeLightWindows = 32823;
constexpr int32_t kModeDarkWindows = 32824;
constexpr int32_t kModeWideWindows = 32825;
constexpr int32_t kModeWithoutWindows = 32826;
// The menu item "Color buildings".
constexpr int32_t kCmdColorBuildings = 32827;

enum class ColourSet { Day, Night, ThreeD };

struct DisplayModeInfo {
    int32_t id;
    const char* menuText;
    ColourSet colours;
};

constexpr int kDisplayModeCount = 8;
extern const DisplayModeInfo kDisplayModes[kDisplayModeCount];

// The row of the mode table for `id` (searched from the first row), or NULL.
const DisplayModeInfo* FindDisplayMode(int32_t id);
// The row whose menu text matches `text` (letter case ignored), or NULL.
const DisplayModeInfo* FindDisplayModeByText(const char* text);
// True for the five modes that draw buildings as blocks.
bool IsBlockMode(int32_t id);

extern int32_t DisplayMode;       // initially "Windows on clock"
extern uint16_t colorBuildings;  // 1: buildings coloured by purpose; 0: all in category 0

// One drawing object per slot, made for the current colour set. Every pen is a solid cosmetic
// pen; every brush is solid but the hatched brush_hatch_750.
struct StyleSet {
    HPEN pen_shore;
    HPEN pen_green;
    HPEN pen_red;
    HPEN pen_coast;
    HPEN pen_road_inner_0;
    HPEN pen_road_inner_1;
    HPEN pen_road_inner_2;
    HPEN pen_road_inner_3;
    HPEN pen_road_edge_0;
    HPEN pen_road_edge_1;
    HPEN pen_road_edge_2;
    HPEN pen_road_edge_3;
    HPEN pen_red_wide;
    HPEN pen_line_a_0;
    HPEN pen_line_a_1;
    HPEN pen_line_a_2;
    HPEN pen_line_a_3;
    HPEN pen_line_b_1;
    HPEN pen_line_b_2;
    HPEN pen_line_b_3;
    HPEN pen_minor_line;
    HPEN pen_area_718;
    HPEN pen_flat_edge;
    HPEN pen_district;
    HPEN pen_building_0;
    HPEN pen_building_1;
    HPEN pen_building_2;
    HPEN pen_building_3;
    HPEN pen_building_4;
    HPEN pen_storey_0;
    HPEN pen_storey_1;
    HPEN pen_storey_2;
    HPEN pen_storey_3;
    HPEN pen_storey_4;
    HPEN pen_window_lit;
    HPEN pen_window_dark;

    HBRUSH brush_land;
    HBRUSH brush_water;
    HBRUSH brush_area_1014;
    HBRUSH brush_area_718;
    HBRUSH brush_area_6614;
    HBRUSH brush_hatch_750;
    HBRUSH brush_shadow;
    HBRUSH brush_overview_green;
    HBRUSH brush_marker;
    HBRUSH brush_building_0;
    HBRUSH brush_building_1;
    HBRUSH brush_building_2;
    HBRUSH brush_building_3;
    HBRUSH brush_building_4;
    HBRUSH brush_roof_0;
    HBRUSH brush_roof_1;
    HBRUSH brush_roof_2;
    HBRUSH brush_roof_3;
    HBRUSH brush_roof_4;
    HBRUSH brush_window_lit;
    HBRUSH brush_window_dark;
};

extern StyleSet g_style;

// The indexed families; an index outside the family takes its nearest member.
HPEN PenRoadInner(int level);  // detail level 0..3
HPEN PenRoadEdge(int level);
HPEN PenLineA(int level);  // 0..3
HPEN PenLineB(int level);  // 1..3: level 0 draws with the stock black pen
HPEN PenBuilding(int category);  // 0..4
HPEN PenStorey(int category);
HBRUSH BrushBuilding(int category);
HBRUSH BrushRoof(int category);

// Objects that never change with the mode, made once at start-up.
struct FixedObjects {
    HBRUSH null_brush;
    HPEN null_pen;
    HPEN black_pen;
    HBRUSH white_brush;
    HPEN pen_outline_dark;
    HPEN pen_rubber_band;
    HBRUSH brush_grey_240;
    HBRUSH brush_grey_200;
    HBRUSH brush_grey_180;
    HFONT font_label;
};

extern FixedObjects g_fixed;

// Creates the fixed objects; a second call before DeleteFixedObjects changes nothing.
void CreateFixedObjects();
// Deletes the created ones (stock objects are only forgotten); the slots become empty.
void DeleteFixedObjects();

// Makes every pen and brush of the colour set of DisplayMode. An id outside the mode table
// builds nothing. A set still built is released first, so no object is ever lost.
void BuildStyleSet();
// Selects the null pen and brush into g_hdc, then deletes every object of the set; the slots
// become empty, so a second release deletes nothing.
void ReleaseStyleSet();
// True while the slots hold a built set.
bool StyleSetBuilt();

// The mode change of the "View" menu: the check mark moves, the set is rebuilt, and the
// detailed plan is redrawn (the overview keeps its day colours in every mode). Ids outside the
// mode table are refused and change nothing.
void SetDisplayMode(int32_t id);
// "Color buildings": toggles colorBuildings, moves its check mark, asks for a redraw.
void ToggleColorBuildings();

// Category 0..4 of a building's purpose code, by colorBuildings.
int BuildingCategory(int16_t purpose);
void SelectBuildingPen(int16_t purpose);
void SelectStoreyPen(int16_t purpose);
void SelectBuildingBrush(int16_t purpose);
