// Display modes and the style set: colours of the three colour sets, the building categories,
// and the rebuilding of the set without losing or doubly deleting an object.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi.h"
#include "render/styles.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

constexpr COLORREF Hex(uint32_t rgb) {
    return RGB(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF), static_cast<int>(rgb & 0xFF));
}

// Every slot of the set, as "pen 3 #RRGGBB" or "brush hatched #RRGGBB", in slot order.
constexpr size_t kSlots = sizeof(StyleSet) / sizeof(void*);
static_assert(sizeof(StyleSet) == kSlots * sizeof(void*), "the style set holds handles only");

std::string Colour(COLORREF c) {
    char text[8];
    snprintf(text, sizeof text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
    return text;
}

std::vector<std::string> DescribeSet() {
    void* slots[kSlots];
    std::memcpy(slots, &g_style, sizeof slots);
    std::vector<std::string> out;
    for (void* slot : slots) {
        GdiPenInfo pen;
        GdiBrushInfo brush;
        if (GetPenInfo(static_cast<HPEN>(slot), &pen)) {
            out.push_back("pen " + std::to_string(pen.width) + " " + Colour(pen.color));
        } else if (GetBrushInfo(static_cast<HBRUSH>(slot), &brush)) {
            out.push_back(std::string(brush.style == BS_HATCHED ? "brush hatched " : "brush ") + Colour(brush.color));
        } else {
            out.push_back("empty");
        }
    }
    return out;
}

class StyleTest : public ::testing::Test {
protected:
    void SetUp() override {
        dc_ = CreateCompatibleDC(nullptr);
        g_hdc = dc_;
        g_zoom = ZoomStack{};
        g_needRedraw = 0;
        colorBuildings = 1;
        start_ = GdiLiveObjectCount();
    }
    void TearDown() override {
        ReleaseStyleSet();
        EXPECT_EQ(GdiLiveObjectCount(), start_);
        DisplayMode = kModeWindowsOnClock;
        colorBuildings = 1;
        g_hdc = nullptr;
        DeleteDC(dc_);
    }
    std::vector<std::string> SetOf(int32_t mode) {
        ReleaseStyleSet();
        DisplayMode = mode;
        BuildStyleSet();
        return DescribeSet();
    }

    HDC dc_ = nullptr;
    int start_ = 0;
};

// Slots whose look differs between the colour sets, checked against the tables.
TEST_F(StyleTest, SlotsTakeTheColoursOfTheirSet) {
    struct Pen {
        int32_t mode;
        HPEN (*get)();
        int width;
        uint32_t rgb;
        const char* what;
    };
    const Pen pens[] = {
        {kModeFlat, [] { return g_style.pen_shore; }, 1, 0x2828FF, "shore day"},
        {kModeNight, [] { return g_style.pen_shore; }, 1, 0x000037, "shore night"},
        {kModeFlat, [] { return g_style.pen_road_inner_2; }, 8, 0xE4E3C8, "inner 2 day"},
        {kModeDarkWindows, [] { return g_style.pen_road_inner_2; }, 6, 0xE4E3C8, "inner 2 3D"},
        {kModeNight, [] { return PenRoadEdge(0); }, 1, 0x5A5A00, "edge 0 night"},
        {kModeGraphic, [] { return PenRoadEdge(0); }, 3, 0xDC783C, "edge 0 day"},
        {kModeWindowsOnClock, [] { return PenRoadEdge(3); }, 14, 0xC89678, "edge 3 3D"},
        {kModeNight, [] { return g_style.pen_red_wide; }, 2, 0x9B0000, "red wide night"},
        {kModeNight, [] { return PenLineA(2); }, 5, 0x323232, "line a 2 night"},
        {kModeFlat, [] { return PenLineB(1); }, 2, 0x505050, "line b 1"},
        {kModeNight, [] { return g_style.pen_district; }, 3, 0xC8B4AA, "district night"},
        {kModeNight, [] { return PenStorey(0); }, 1, 0xBE9628, "storey 0 night"},
        {kModeFlat, [] { return PenBuilding(4); }, 1, 0x6B968C, "building 4 day"},
    };
    for (const Pen& p : pens) {
        SCOPED_TRACE(p.what);
        SetOf(p.mode);
        GdiPenInfo info;
        ASSERT_TRUE(GetPenInfo(p.get(), &info));
        EXPECT_EQ(info.style, PS_SOLID);
        EXPECT_FALSE(info.geometric);
        EXPECT_EQ(info.width, p.width);
        EXPECT_EQ(info.color, Hex(p.rgb));
    }
    struct Brush {
        int32_t mode;
        HBRUSH (*get)();
        uint32_t rgb;
        const char* what;
    };
    const Brush brushes[] = {
        {kModeFlat, [] { return g_style.brush_land; }, 0xE4CFB0, "land day"},
        {kModeNight, [] { return g_style.brush_land; }, 0x1E1E1E, "land night"},
        {kModeNight, [] { return g_style.brush_water; }, 0x000064, "water night"},
        {kModeLightWindows, [] { return BrushBuilding(0); }, 0xBEB4A0, "building 0 3D"},
        {kModeFlat, [] { return BrushBuilding(0); }, 0x899A7D, "building 0 day"},
        {kModeWideWindows, [] { return BrushRoof(1); }, 0x787864, "roof 1 3D"},
        {kModeNight, [] { return g_style.brush_overview_green; }, 0x38732C, "overview green night"},
    };
    for (const Brush& b : brushes) {
        SCOPED_TRACE(b.what);
        SetOf(b.mode);
        GdiBrushInfo info;
        ASSERT_TRUE(GetBrushInfo(b.get(), &info));
        EXPECT_EQ(info.style, BS_SOLID);
        EXPECT_EQ(info.color, Hex(b.rgb));
    }
    for (int32_t mode : {kModeFlat, kModeNight, kModeWithoutWindows}) {
        SetOf(mode);
        GdiBrushInfo info;
        ASSERT_TRUE(GetBrushInfo(g_style.brush_hatch_750, &info));
        EXPECT_EQ(info.style, BS_HATCHED);
        EXPECT_EQ(info.hatch, HS_DIAGCROSS);
        EXPECT_EQ(info.color, Hex(mode == kModeNight ? 0x0A100A : 0x006E00));
    }
}

TEST_F(StyleTest, ModesOfOneColourSetBuildTheSameSet) {
    const std::vector<std::string> day = SetOf(kModeGraphic);
    EXPECT_EQ(std::count(day.begin(), day.end(), "empty"), 0);
    EXPECT_EQ(SetOf(kModeFlat), day);
    const std::vector<std::string> threeD = SetOf(kModeWindowsOnClock);
    for (int32_t mode : {kModeLightWindows, kModeDarkWindows, kModeWideWindows, kModeWithoutWindows}) {
        SCOPED_TRACE(mode);
        EXPECT_EQ(SetOf(mode), threeD);
    }
    const std::vector<std::string> night = SetOf(kModeNight);
    EXPECT_NE(night, day);
    EXPECT_NE(threeD, day);  // the building and road colours differ
}

TEST_F(StyleTest, RebuildingNeverLosesOrDoublesObjects) {
    DisplayMode = kModeFlat;
    BuildStyleSet();
    const int built = GdiLiveObjectCount();
    EXPECT_EQ(built, start_ + 36 + 21);  // every pen and brush of the tables
    for (int round = 0; round < 3; ++round) {
        for (const DisplayModeInfo& mode : kDisplayModes) {
            SetDisplayMode(mode.id);
            EXPECT_EQ(GdiLiveObjectCount(), built);
            EXPECT_EQ(DisplayMode, mode.id);
        }
    }
    // A build over a set that was not released replaces it.
    BuildStyleSet();
    EXPECT_EQ(GdiLiveObjectCount(), built);

    ReleaseStyleSet();
    EXPECT_EQ(GdiLiveObjectCount(), start_);
    EXPECT_FALSE(StyleSetBuilt());
    ReleaseStyleSet();
    EXPECT_EQ(GdiLiveObjectCount(), start_);
}

TEST_F(StyleTest, ReleaseLeavesTheContextWithTheNullPenAndBrush) {
    DisplayMode = kModeNight;
    BuildStyleSet();
    SelectObject(dc_, g_style.pen_coast);
    SelectObject(dc_, g_style.brush_water);
    ReleaseStyleSet();
    StartCallRecord(dc_);
    POINT pts[3] = {{1, 1}, {5, 1}, {1, 5}};
    Polygon(dc_, pts, 3);
    ASSERT_EQ(GetCallRecord(dc_).size(), 1u);
    EXPECT_EQ(GetCallRecord(dc_)[0].penInfo.style, PS_NULL);
    EXPECT_EQ(GetCallRecord(dc_)[0].brushInfo.style, BS_NULL);
    StopCallRecord(dc_);
}

TEST_F(StyleTest, UnknownModesBuildNothingAndAreRefused) {
    DisplayMode = 12345;
    BuildStyleSet();
    EXPECT_FALSE(StyleSetBuilt());
    EXPECT_EQ(GdiLiveObjectCount(), start_);

    DisplayMode = kModeNight;
    BuildStyleSet();
    const std::vector<std::string> night = DescribeSet();
    SetDisplayMode(32827);  // "Color buildings" is not a display mode
    EXPECT_EQ(DisplayMode, kModeNight);
    EXPECT_EQ(DescribeSet(), night);
}

TEST_F(StyleTest, ModeChangeRedrawsOnlyTheDetailedPlan) {
    DisplayMode = kModeFlat;
    BuildStyleSet();
    g_zoom.zoomDepth = 1;
    SetDisplayMode(kModeNight);
    EXPECT_EQ(g_needRedraw, 0);
    g_zoom.zoomDepth = 2;
    SetDisplayMode(kModeFlat);
    EXPECT_EQ(g_needRedraw, 1);
}

TEST(DisplayModes, FoundByCommandIdOrMenuText) {
    ASSERT_NE(FindDisplayMode(32781), nullptr);
    EXPECT_STREQ(FindDisplayMode(32781)->menuText, "Night");
    EXPECT_EQ(FindDisplayMode(0), nullptr);
    ASSERT_NE(FindDisplayModeByText("windows ON clock"), nullptr);
    EXPECT_EQ(FindDisplayModeByText("windows ON clock")->id, 32786);
    EXPECT_EQ(FindDisplayModeByText("Windows"), nullptr);
    EXPECT_EQ(FindDisplayModeByText(""), nullptr);
    EXPECT_EQ(FindDisplayModeByText(nullptr), nullptr);
}

TEST(BuildingCategories, ByPurposeAndTheColourSetting) {
    struct Case {
        uint16_t colour;
        int16_t purpose;
        int category;
    };
    const Case cases[] = {
        {1, 411, 0}, {1, 658, 0}, {1, 461, 2}, {1, 659, 2}, {1, 888, 2}, {1, 444, 3}, {1, 660, 3},
        {1, 555, 4}, {1, 661, 4}, {1, 413, 1}, {1, 0, 1},   {1, -1, 1},  {0, 461, 0}, {0, 555, 0},
        {0, 100, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "colour " << c.colour << " purpose " << c.purpose);
        colorBuildings = c.colour;
        EXPECT_EQ(BuildingCategory(c.purpose), c.category);
    }
    colorBuildings = 1;
}

TEST_F(StyleTest, SelectingByPurposeTakesTheCategorySlot) {
    DisplayMode = kModeFlat;
    BuildStyleSet();
    SelectBuildingPen(555);
    SelectBuildingBrush(461);
    StartCallRecord(dc_);
    POINT pts[3] = {{1, 1}, {5, 1}, {1, 5}};
    Polygon(dc_, pts, 3);
    EXPECT_EQ(GetCallRecord(dc_)[0].pen, g_style.pen_building_4);
    EXPECT_EQ(GetCallRecord(dc_)[0].brush, g_style.brush_building_2);
    SelectStoreyPen(411);
    Polygon(dc_, pts, 3);
    EXPECT_EQ(GetCallRecord(dc_)[1].pen, g_style.pen_storey_0);
    StopCallRecord(dc_);
}

TEST(FixedObjects, MadeOnceAndDeletedOnce) {
    const int start = GdiLiveObjectCount();
    CreateFixedObjects();
    const FixedObjects first = g_fixed;
    CreateFixedObjects();
    EXPECT_EQ(g_fixed.pen_outline_dark, first.pen_outline_dark);
    // Five are made; the rest are stock objects.
    EXPECT_EQ(GdiLiveObjectCount(), start + 5);
    EXPECT_EQ(g_fixed.null_pen, GetStockObject(NULL_PEN));
    EXPECT_EQ(g_fixed.font_label, GetStockObject(ANSI_VAR_FONT));
    GdiPenInfo band;
    ASSERT_TRUE(GetPenInfo(g_fixed.pen_rubber_band, &band));
    EXPECT_TRUE(band.geometric);
    EXPECT_EQ(band.style, PS_DOT);
    EXPECT_EQ(band.color, Hex(0xFF00FF));
    DeleteFixedObjects();
    EXPECT_EQ(GdiLiveObjectCount(), start);
    DeleteFixedObjects();
    EXPECT_EQ(GdiLiveObjectCount(), start);
}

}  // namespace
