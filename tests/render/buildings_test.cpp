// Buildings in every display mode, checked call by call on hand-made footprints. The view is
// scale 0.5 at 4 px/mm with its corner at (0, 0): whole plan metres (X, Y) land on the pixel
// (2Y, 299 - 2X), so the footprint X 100..110, Y 100..120 is the screen box x 200..240,
// y 79..99, and its reference point (105, 110) is the pixel (220, 89).
#include <gtest/gtest.h>

#include "plan_canvas.h"
#include "render/buildings.h"
#include "render/layer_settings.h"
#include "render/styles.h"
#include "view/view.h"

namespace {

const std::vector<POINT> kFootprint = {{200, 99}, {240, 99}, {240, 79}, {200, 79}};

BuildingSketch Block(int16_t purpose, int16_t floors, const char* number = "", const char* caption = "") {
    BuildingSketch sketch;
    sketch.purpose = purpose;
    sketch.floors = floors;
    sketch.houseNumber = number;
    sketch.caption = caption;
    sketch.points = RectOutline(100, 100, 110, 120);
    return sketch;
}

std::vector<POINT> Points(const GdiCall& call) { return call.points; }

// ---- Footprints ----

class FootprintTest : public ::testing::TestWithParam<int32_t> {};

TEST_P(FootprintTest, CategoryColoursAndNoRaisedStructures) {
    PlanCanvas canvas(GetParam());
    canvas.SetView(0.08, 0.0f, 0.0f);
    std::vector<BuildingSketch> buildings;
    for (int16_t purpose : {411, 657, 658, 659, 660}) buildings.push_back(Block(purpose, 3));
    canvas.SetBuildings(buildings);
    canvas.StartRecording();
    DrawFootprints();
    const auto polygons = canvas.CallsOf(GdiOp::Polygon);
    ASSERT_EQ(polygons.size(), 2u) << "657, 658 and 659 are left out";
    EXPECT_EQ(polygons[0].brush, BrushBuilding(0)) << "411 is category 0";
    EXPECT_EQ(polygons[0].pen, PenBuilding(0));
    EXPECT_EQ(polygons[1].brush, BrushBuilding(3)) << "660 is category 3";
    EXPECT_EQ(polygons[1].pen, PenBuilding(3));
}

INSTANTIATE_TEST_SUITE_P(AllModes, FootprintTest,
                         ::testing::Values(kModeGraphic, kModeFlat, kModeNight, kModeWindowsOnClock, kModeLightWindows,
                                           kModeDarkWindows, kModeWideWindows, kModeWithoutWindows));

// ---- Day modes ----

TEST(DayBuildingsTest, FlatShadowOffsetByLevelAndOutlineFromLevelTwo) {
    struct Case {
        int level;
        bool outlined;
    };
    for (const Case& c : {Case{1, false}, Case{4, true}}) {
        SCOPED_TRACE(c.level);
        PlanCanvas canvas(kModeFlat);
        canvas.SetView(0.5, 0.0f, 0.0f, c.level);
        canvas.SetBuildings({Block(660, 2)});
        canvas.StartRecording();
        DrawDayBuildings();
        const auto polygons = canvas.CallsOf(GdiOp::Polygon);
        ASSERT_EQ(polygons.size(), 2u);
        EXPECT_EQ(Points(polygons[0]), Shifted(kFootprint, c.level, c.level)) << Describe(polygons[0].points);
        EXPECT_TRUE(PenIsNull(polygons[0]));
        EXPECT_EQ(BrushColour(polygons[0]), RGB(0x50, 0x50, 0x50));
        EXPECT_EQ(Points(polygons[1]), kFootprint);
        EXPECT_EQ(BrushColour(polygons[1]), RGB(0xA7, 0x8C, 0x6E));
        if (c.outlined) EXPECT_EQ(PenColour(polygons[1]), RGB(0xC8, 0xC8, 0xC8));
        else EXPECT_TRUE(PenIsNull(polygons[1]));
    }
}

TEST(DayBuildingsTest, GraphicDrawsHollowDarkOutlinesOnly) {
    PlanCanvas canvas(kModeGraphic);
    canvas.SetView(0.5, 0.0f, 0.0f, 2);
    canvas.SetBuildings({Block(411, 5)});
    canvas.StartRecording();
    DrawDayBuildings();
    const auto polygons = canvas.CallsOf(GdiOp::Polygon);
    ASSERT_EQ(polygons.size(), 1u);
    EXPECT_EQ(Points(polygons[0]), kFootprint);
    EXPECT_EQ(PenColour(polygons[0]), RGB(0x50, 0x50, 0x50));
    EXPECT_TRUE(BrushIsNull(polygons[0]));
}

TEST(DayBuildingsTest, FlatFootprintShowsOnTheBitmapOverItsShadow) {
    PlanCanvas canvas(kModeFlat);
    canvas.SetView(0.5, 0.0f, 0.0f, 4);
    canvas.SetBuildings({Block(660, 2)});
    DrawDayBuildings();
    EXPECT_EQ(canvas.Pixel(220, 89), RGB(0xA7, 0x8C, 0x6E));
    EXPECT_EQ(canvas.Pixel(242, 101), RGB(0x50, 0x50, 0x50)) << "the shadow reaches 4 pixels right and down";
    EXPECT_EQ(canvas.Pixel(220, 79), RGB(0xC8, 0xC8, 0xC8)) << "the outline";
}

// ---- House numbers and captions ----

struct TextCase {
    const char* name;
    int32_t mode;
    int level;
    std::vector<std::string> texts;
};

class BuildingTextTest : public ::testing::TestWithParam<TextCase> {};

// Numbers from level 2 in the day and 3D modes and from level 3 at night; captions from level 4
// in the day modes only.
const TextCase kTextCases[] = {
    {"FlatLevel1", kModeFlat, 1, {}},
    {"FlatLevel2", kModeFlat, 2, {"12"}},
    {"GraphicLevel4", kModeGraphic, 4, {"12", "Shkola"}},
    {"NightLevel2", kModeNight, 2, {}},
    {"NightLevel4", kModeNight, 4, {"12"}},
    {"BlocksLevel1", kModeWithoutWindows, 1, {}},
    {"BlocksLevel5", kModeWithoutWindows, 5, {"12"}},
};

TEST_P(BuildingTextTest, WrittenFromTheirLevels) {
    const TextCase& c = GetParam();
    PlanCanvas canvas(c.mode);
    canvas.SetView(0.5, 0.0f, 0.0f, c.level);
    storeyPx = 10;
    canvas.SetBuildings({Block(411, 1, " 12 ", "Shkola")});
    canvas.StartRecording();
    if (c.mode == kModeNight) DrawNightBuildings();
    else if (IsBlockMode(c.mode)) Draw3DBuildings();
    else DrawDayBuildings();
    std::vector<std::string> texts;
    for (const GdiCall& call : canvas.CallsOf(GdiOp::TextOut)) texts.push_back(call.text);
    EXPECT_EQ(texts, c.texts);
}

INSTANTIATE_TEST_SUITE_P(Modes, BuildingTextTest, ::testing::ValuesIn(kTextCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(BuildingTextTest, CaptionGoesBelowTheNumberOrInItsPlace) {
    PlanCanvas canvas(kModeGraphic);
    canvas.SetView(0.5, 0.0f, 0.0f, 4);
    BuildingSketch numbered = Block(411, 1, "12", "Shkola");
    BuildingSketch bare = Block(411, 1, "", "Shkola");
    bare.points = RectOutline(50, 100, 60, 120);  // reference point (55, 110): pixel (220, 189)
    canvas.SetBuildings({numbered, bare});
    canvas.StartRecording();
    DrawDayBuildings();
    const auto texts = canvas.CallsOf(GdiOp::TextOut);
    ASSERT_EQ(texts.size(), 3u);
    // "12": (220 - 6, 89 - 6); "Shkola" (6 letters): x 220 - 18, y 89 + 6 or 189 - 6.
    EXPECT_EQ(texts[0].points[0].x, 214);
    EXPECT_EQ(texts[0].points[0].y, 83);
    EXPECT_EQ(texts[1].points[0].x, 202);
    EXPECT_EQ(texts[1].points[0].y, 95);
    EXPECT_EQ(texts[2].points[0].x, 202);
    EXPECT_EQ(texts[2].points[0].y, 183);
    EXPECT_EQ(texts[0].textColor, RGB(0, 0, 0));
}

TEST(HouseNumberTest, AddressesSettingDecidesWhichNumbersShow) {
    struct Case {
        int32_t setting;
        float width;  // box 12 m high, width as given, at scale 0.5: minLabelSize trunc(7 / 0.5) = 14
        bool shown;
    };
    const Case cases[] = {
        {kLayerSelect, 10, false}, {kLayerSelect, 15, true}, {kLayerAll, 10, true}, {kLayerNo, 15, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.setting << " " << c.width);
        PlanCanvas canvas(kModeFlat);
        canvas.SetView(0.5, 0.0f, 0.0f, 2);
        minLabelSize = 14;
        g_layerAddresses = c.setting;
        BuildingSketch sketch = Block(411, 1, "7a");
        sketch.points = RectOutline(100, 100, 112, 100 + c.width);
        canvas.SetBuildings({sketch});
        canvas.StartRecording();
        DrawHouseNumber(g_buildings[0], 5);
        const auto texts = canvas.CallsOf(GdiOp::TextOut);
        ASSERT_EQ(texts.size(), c.shown ? 1u : 0u);
        if (!c.shown) continue;
        // Reference point (106, 100 + width / 2) -> y pixel trunc(300 - 212.5) = 87; lifted 5.
        EXPECT_EQ(texts[0].points[0].y, 87 - 6 - 5);
        EXPECT_EQ(texts[0].text, "7a");
    }
}

TEST(BuildingWalkTest, SelectLeavesOutBuildingsUnderTwoMillimetres) {
    PlanCanvas canvas(kModeGraphic);
    canvas.SetView(0.5, 0.0f, 0.0f, 2);
    g_layerBuildings = kLayerSelect;
    BuildingSketch small = Block(411, 1);
    small.points = RectOutline(100, 100, 103.9f, 103);  // 3.9 m: 1.95 mm
    BuildingSketch enough = Block(411, 1);
    enough.points = RectOutline(50, 100, 52, 104);  // 4 m: 2 mm
    canvas.SetBuildings({small, enough});
    canvas.StartRecording();
    DrawDayBuildings();
    EXPECT_EQ(canvas.CallsOf(GdiOp::Polygon).size(), 1u);
    g_layerBuildings = kLayerAll;
    canvas.StartRecording();
    DrawDayBuildings();
    EXPECT_EQ(canvas.CallsOf(GdiOp::Polygon).size(), 2u);
}

// ---- Night ----

// Offsets (pixels up) and whether the building pen (rather than the storey pen) drew it.
struct Stack {
    std::vector<int> offsets;
    std::vector<bool> buildingPen;
};

Stack StackOf(const PlanCanvas& canvas, int16_t purpose) {
    Stack stack;
    for (const GdiCall& call : canvas.CallsOf(GdiOp::Polygon)) {
        stack.offsets.push_back(kFootprint[0].y - call.points[0].y);
        stack.buildingPen.push_back(call.pen == PenBuilding(BuildingCategory(purpose)));
    }
    return stack;
}

TEST(NightBuildingsTest, LevelOneStacksAStoreyEveryThreePixels) {
    struct Case {
        int16_t floors;
        std::vector<int> offsets;
        std::vector<bool> buildingPen;
    };
    const Case cases[] = {{2, {0, 3, 6, 9}, {true, false, false, true}}, {1, {0, 4}, {false, false}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.floors);
        PlanCanvas canvas(kModeNight);
        canvas.SetView(0.5, 0.0f, 0.0f, 1);
        canvas.SetBuildings({Block(444, c.floors, "3"), Block(658, 4)});
        canvas.StartRecording();
        DrawNightBuildings();
        const Stack stack = StackOf(canvas, 444);
        EXPECT_EQ(stack.offsets, c.offsets);
        EXPECT_EQ(stack.buildingPen, c.buildingPen);
        EXPECT_TRUE(canvas.CallsOf(GdiOp::TextOut).empty());
    }
}

TEST(NightBuildingsTest, ThreeStoreysAtLevelThreeStackEachStoreyAboveTheLast) {
    PlanCanvas canvas(kModeNight);
    canvas.SetView(0.5, 0.0f, 0.0f, 3);
    canvas.SetBuildings({Block(444, 3, "5")});
    canvas.StartRecording();
    DrawNightBuildings();
    const Stack stack = StackOf(canvas, 444);
    // Ground: 1 + 3 outlines 3 pixels apart; storey 2 from trunc(9 + 4.5) = 13; storey 3 from
    // 13 + trunc(3 / 2) + 9 = 23, closed by the building pen over its top outline.
    EXPECT_EQ(stack.offsets, (std::vector<int>{0, 3, 6, 9, 13, 16, 19, 23, 26, 29, 29}));
    EXPECT_EQ(stack.buildingPen,
              (std::vector<bool>{true, false, false, false, false, false, false, false, false, false, true}));
    const auto texts = canvas.CallsOf(GdiOp::TextOut);
    ASSERT_EQ(texts.size(), 1u);
    // Lift (3 - 1) * 3 + 23 = 29 over the reference pixel (220, 89); white at night.
    EXPECT_EQ(texts[0].points[0].x, 217);
    EXPECT_EQ(texts[0].points[0].y, 89 - 6 - 29);
    EXPECT_EQ(texts[0].textColor, RGB(0xFF, 0xFF, 0xFF));
}

TEST(NightBuildingsTest, SingleStoreysAtLevelThree) {
    struct Case {
        int16_t purpose;
        std::vector<int> offsets;
        int lift;
    };
    // Outbuildings (413): (3 - 1) * 3 + 1 = 7 outlines one pixel apart; others k + 1 outlines k
    // apart, the number lifted (k + 1) k = 12.
    const Case cases[] = {{413, {0, 1, 2, 3, 4, 5, 6}, 7}, {444, {0, 3, 6, 9}, 12}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.purpose);
        PlanCanvas canvas(kModeNight);
        canvas.SetView(0.5, 0.0f, 0.0f, 3);
        canvas.SetBuildings({Block(c.purpose, 1, "5")});
        canvas.StartRecording();
        DrawNightBuildings();
        EXPECT_EQ(StackOf(canvas, c.purpose).offsets, c.offsets);
        const auto texts = canvas.CallsOf(GdiOp::TextOut);
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].points[0].y, 89 - 6 - c.lift);
    }
}

TEST(NightBuildingsTest, EveryTallBuildingGetsItsUpperStoreysHoweverMany) {
    PlanCanvas canvas(kModeNight);
    canvas.SetView(0.5, 0.0f, 0.0f, 2);
    std::vector<BuildingSketch> buildings;
    for (int i = 0; i < 1100; ++i) {
        BuildingSketch sketch = Block(444, 2);
        const float x = 10.0f + static_cast<float>(i % 100);
        const float y = 10.0f + static_cast<float>(i / 100) * 10.0f;
        sketch.points = RectOutline(x, y, x + 0.5f, y + 4);
        buildings.push_back(sketch);
    }
    canvas.SetBuildings(buildings);
    canvas.StartRecording();
    DrawNightBuildings();
    // Per building at level 2: 1 + 2 ground outlines, then storey 2 as 2 outlines and the top.
    EXPECT_EQ(canvas.CallsOf(GdiOp::Polygon).size(), 1100u * 6u);
}

TEST(NightBuildingsTest, AbsurdStoreyCountsEndAboveTheScreen) {
    PlanCanvas canvas(kModeNight);
    canvas.SetView(0.5, 0.0f, 0.0f, 2);
    canvas.SetBuildings({Block(444, 32767), Block(444, 3)});
    canvas.StartRecording();
    DrawNightBuildings();
    const auto polygons = canvas.CallsOf(GdiOp::Polygon);
    // Storey L starts 7 + 5 (L - 2) pixels up; the footprint's lowest pixel is 99, so storeys
    // keep coming only while they can still be seen (plus a margin).
    EXPECT_LT(polygons.size(), 200u);
    EXPECT_GT(polygons.size(), 30u);
}

}  // namespace
