// Marks laid on the window over a copied frame: search flags, the part-of-city name and the
// district outline.
#include <gtest/gtest.h>

#include <cstring>

#include "data/districts.h"
#include "plan_canvas.h"
#include "render/buildings.h"
#include "render/overlays.h"
#include "render/styles.h"
#include "view/shared_state.h"
#include "view/view.h"

namespace {

// Scale 0.5, corner (0, 0): whole metres (X, Y) land on the pixel (2Y, 299 - 2X).
class FlagTest : public ::testing::Test {
protected:
    FlagTest() : canvas(kModeFlat) {
        saved = g_selList;
        g_selList = selection;
        // Outline (100,100), (100,120), (110,120), (110,100): the first northernmost point is
        // (110, 120), the pixel (240, 79).
        BuildingSketch house;
        house.houseNumber = " 12 ";
        house.floors = 4;
        house.streetId = 7;
        house.points = RectOutline(100, 100, 110, 120);
        BuildingSketch other = house;
        other.streetId = 8;
        other.points = RectOutline(50, 50, 60, 60);
        canvas.SetBuildings({house, other});
    }
    ~FlagTest() override {
        g_selList = saved;
        g_selCount = 0;
        g_shownStreet = -1;
    }

    PlanCanvas canvas;
    int32_t selection[kSelListSize] = {};
    int32_t* saved = nullptr;
};

TEST_F(FlagTest, FlagGrowsWithTheLevelAndCarriesTheNumberFromLevelThree) {
    struct Case {
        int level;
        int m;
        bool number;
    };
    for (const Case& c : {Case{0, 1, false}, Case{3, 3, true}}) {
        SCOPED_TRACE(c.level);
        canvas.SetView(0.5, 0.0f, 0.0f, c.level);
        selection[0] = 0;
        g_selCount = 1;
        canvas.StartRecording();
        DrawSearchFlags();
        const auto& calls = canvas.Calls();
        ASSERT_EQ(calls.size(), c.number ? 4u : 3u);
        EXPECT_EQ(calls[0].op, GdiOp::MoveTo);
        EXPECT_EQ(calls[0].points[0].x, 240);
        EXPECT_EQ(calls[0].points[0].y, 79);
        EXPECT_EQ(calls[1].op, GdiOp::LineTo);
        EXPECT_EQ(calls[1].points[0].y, 79 - 5 * c.m - 1);
        EXPECT_EQ(calls[1].pen, g_style.pen_red);
        ASSERT_EQ(calls[2].op, GdiOp::Rectangle);
        EXPECT_EQ(calls[2].points, (std::vector<POINT>{{240, 79 - 10 * c.m}, {240 + 10 * c.m, 79 - 5 * c.m}}));
        EXPECT_EQ(BrushColour(calls[2]), RGB(0xFF, 0xFF, 0x00));
        if (c.number) {
            EXPECT_EQ(calls[3].text, "12");
            EXPECT_EQ(calls[3].points[0].x, 244);
            EXPECT_EQ(calls[3].points[0].y, 79 - 30 + 1);
            EXPECT_EQ(calls[3].textColor, RGB(0xFF, 0, 0));
        }
    }
}

TEST_F(FlagTest, FlagStandsOnTheRoofOfBlocksAndNightStacks) {
    struct Case {
        int32_t mode;
        int lift;
    };
    // Four storeys of storeyPx 10 in the block and night modes; the day modes have no height.
    for (const Case& c : {Case{kModeWindowsOnClock, 40}, Case{kModeNight, 40}, Case{kModeGraphic, 0}}) {
        SCOPED_TRACE(c.mode);
        canvas.SetMode(c.mode);
        canvas.SetView(0.5, 0.0f, 0.0f, 3);
        storeyPx = 10;
        selection[0] = 0;
        g_selCount = 1;
        canvas.StartRecording();
        DrawSearchFlags();
        ASSERT_FALSE(canvas.Calls().empty());
        EXPECT_EQ(canvas.Calls()[0].points[0].y, 79 - c.lift);
    }
}

TEST_F(FlagTest, SelectionFirstElseTheShownStreetsBuildings) {
    struct Case {
        const char* name;
        std::vector<int32_t> selected;
        int shown;
        size_t flags;
    };
    const Case cases[] = {
        {"both selected", {0, 1}, -1, 2},
        {"indices outside the table are passed over", {5, -1, 1}, -1, 1},
        {"selection wins over the street", {1}, 7, 1},
        {"street 7", {}, 7, 1},
        {"street 9 has no buildings", {}, 9, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (size_t i = 0; i < c.selected.size(); ++i) selection[i] = c.selected[i];
        g_selCount = static_cast<int32_t>(c.selected.size());
        g_shownStreet = c.shown;
        canvas.StartRecording();
        DrawSearchFlags();
        EXPECT_EQ(canvas.CallsOf(GdiOp::Rectangle).size(), c.flags);
    }
}

TEST(PartNameTest, SizedByTheLengthOfTheName) {
    struct Case {
        const char* name;
        int level;
        int height;  // k * max(trunc(300 / len), 40)
        int left;    // px - trunc(f / 4) * k * len, the place at pixel (200, 99)
        int top;     // py - k * f
    };
    const Case cases[] = {{"Port", 1, 75, 200 - 18 * 4, 99 - 75}, {"Centralnyj", 2, 80, 200 - 10 * 2 * 10, 99 - 80}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlanCanvas canvas(kModeFlat);
        canvas.SetView(0.5, 0.0f, 0.0f, c.level);
        PlaceRec place{};
        place.x = 100;
        place.y = 100;
        strncpy(place.name, c.name, sizeof place.name - 1);
        const int live = GdiLiveObjectCount();
        canvas.StartRecording();
        DrawPartName(&place);
        const auto texts = canvas.CallsOf(GdiOp::TextOut);
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].points[0].x, c.left + 1);
        EXPECT_EQ(texts[0].points[0].y, c.top + 1);
        EXPECT_EQ(texts[0].textColor, RGB(0, 0, 0));
        EXPECT_EQ(texts[1].points[0].x, c.left);
        EXPECT_EQ(texts[1].points[0].y, c.top);
        EXPECT_EQ(texts[1].textColor, RGB(0xF0, 0xA0, 0xA0));
        EXPECT_EQ(texts[1].fontInfo.height, c.height);
        EXPECT_EQ(texts[1].fontInfo.weight, 800);
        EXPECT_EQ(texts[1].text, c.name);
        EXPECT_EQ(GdiLiveObjectCount(), live);
    }
}

TEST(PartNameTest, NamelessPlaceDrawsNothing) {
    PlanCanvas canvas(kModeFlat);
    PlaceRec place{};
    place.x = 100;
    place.y = 100;
    canvas.StartRecording();
    DrawPartName(&place);
    DrawPartName(nullptr);
    EXPECT_TRUE(canvas.Calls().empty());
}

TEST(DistrictOutlineTest, OutlineInTheDistrictPenAndNameInTheMiddleOfTheBox) {
    PlanCanvas canvas(kModeFlat);
    char saved[kDistrictNameField];
    memcpy(saved, g_district_names[2], sizeof saved);
    strncpy(g_district_names[2], "Test", kDistrictNameField - 1);
    PackedPoint points[] = {{100, 0}, {141, 0}, {141, 201}, {100, 201}, {100, 0}};
    AreaRec district{};
    district.code = 2;
    district.count = 5;
    district.pts = points;
    district.box = PackedBox{100, 0, 141, 201};
    canvas.StartRecording();
    DrawDistrictOutline(&district);
    memcpy(g_district_names[2], saved, sizeof saved);

    const auto lines = canvas.CallsOf(GdiOp::Polyline);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points.size(), 5u);
    EXPECT_EQ(lines[0].penInfo.width, 3);
    EXPECT_EQ(PenColour(lines[0]), RGB(0xFF, 0xFF, 0x00));
    // Centre ((100 + 141) / 2, (0 + 201) / 2) = (120, 100): the pixel (200, 59).
    const auto texts = canvas.CallsOf(GdiOp::TextOut);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].points[0].x, 200 - 60 + 1);
    EXPECT_EQ(texts[0].points[0].y, 59 - 59);
    EXPECT_EQ(texts[1].points[0].x, 200 - 60);
    EXPECT_EQ(texts[1].points[0].y, 59 - 60);
    EXPECT_EQ(texts[1].text, "Test");
    EXPECT_EQ(texts[1].textColor, RGB(0xFF, 0xFF, 0x00));
    EXPECT_EQ(texts[1].fontInfo.height, 60);
}

}  // namespace
