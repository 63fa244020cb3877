// Street bodies, circular places and the highlight of a found street, checked call by call.
#include <gtest/gtest.h>

#include "plan_canvas.h"
#include "render/streets.h"
#include "render/styles.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

struct RingCase {
    const char* name;
    double scale;
    float xMin;  // the view puts the circular place at (4737, 6125) on the screen
    float yMin;
    // Expected rectangles of the edge ring, the centre ring and the island (left, top, right,
    // bottom); no island at detail level 0.
    RECT edge;
    RECT inner;
    bool island;
    RECT islandRect;
};

class CircularPlaceTest : public ::testing::TestWithParam<RingCase> {};

// The place (4737, 6125) 30 m above xMin and 40 m right of yMin at scale 0.5 (2 px/m): centre
// (trunc(80.5), trunc(300 - 60.5)) = (80, 239); r = trunc(0.5 * 40) = 20, h = trunc(3 / 2) = 1,
// island radius trunc(0.5 * 30) = 15. At scale 0.08 (0.32 px/m, level 0), 100 m from both
// edges: centre (trunc(32.5), trunc(267.5)) = (32, 267), r = trunc(3.2) = 3, h = 0.
const RingCase kRingCases[] = {
    {"Level3", 0.5, 4707.0f, 6085.0f, {60, 219, 100, 259}, {61, 220, 99, 258}, true, {65, 224, 95, 254}},
    {"Level0", 0.08, 4637.0f, 6025.0f, {29, 264, 35, 270}, {29, 264, 35, 270}, false, {}},
};

bool SameRect(const GdiCall& call, const RECT& r) {
    return call.points.size() == 2 && call.points[0].x == r.left && call.points[0].y == r.top &&
           call.points[1].x == r.right && call.points[1].y == r.bottom;
}

TEST_P(CircularPlaceTest, RingsInEdgeThenCentreColourAndIslandFromLevelOne) {
    const RingCase& c = GetParam();
    PlanCanvas canvas(kModeGraphic);
    canvas.SetView(c.scale, c.xMin, c.yMin);
    // A street through the place: its edge pass comes before the rings, its centre pass after.
    canvas.SetStreets({{5, {{4737.0f, 6000.0f}, {4737.0f, 6300.0f}}}});
    canvas.StartRecording();
    DrawStreetBodies();

    std::vector<GdiOp> ops;
    for (const GdiCall& call : canvas.Calls()) ops.push_back(call.op);
    std::vector<GdiOp> expected = {GdiOp::Polyline, GdiOp::Ellipse, GdiOp::Ellipse, GdiOp::Polyline};
    if (c.island) expected.push_back(GdiOp::Ellipse);
    ASSERT_EQ(ops, expected);

    const int k = g_view.detailLevel;
    const auto& calls = canvas.Calls();
    EXPECT_EQ(calls[0].pen, PenRoadEdge(k));
    EXPECT_TRUE(SameRect(calls[1], c.edge)) << Describe(calls[1].points);
    EXPECT_EQ(calls[1].pen, PenRoadEdge(k));
    EXPECT_TRUE(BrushIsNull(calls[1]));
    EXPECT_TRUE(SameRect(calls[2], c.inner)) << Describe(calls[2].points);
    EXPECT_EQ(calls[2].pen, PenRoadInner(k));
    EXPECT_EQ(calls[3].pen, PenRoadInner(k));
    if (c.island) {
        EXPECT_TRUE(SameRect(calls[4], c.islandRect)) << Describe(calls[4].points);
        EXPECT_TRUE(PenIsNull(calls[4]));
        EXPECT_EQ(BrushColour(calls[4]), RGB(0xAA, 0xFF, 0xAA));
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, CircularPlaceTest, ::testing::ValuesIn(kRingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StreetBodiesTest, PlacesOutsideTheViewDrawNoRings) {
    PlanCanvas canvas(kModeGraphic);
    canvas.SetView(0.5, 100.0f, 100.0f);
    canvas.StartRecording();
    DrawStreetBodies();
    EXPECT_TRUE(canvas.CallsOf(GdiOp::Ellipse).empty());
}

TEST(StreetBodiesTest, RingsShowOnTheBitmapInEdgeAndCentreColours) {
    PlanCanvas canvas(kModeGraphic);
    canvas.SetView(0.5, 4707.0f, 6085.0f);
    DrawStreetBodies();
    // Day set at level 3: edge pen 18 px #C89678, centre pen 14 px #E4E3C8, island #AAFFAA.
    // Centre (80, 239): the island fills the middle; the centre ring runs at radius 19.
    EXPECT_EQ(canvas.Pixel(80, 239), RGB(0xAA, 0xFF, 0xAA));
    EXPECT_EQ(canvas.Pixel(80 + 19, 239), RGB(0xE4, 0xE3, 0xC8));
    // The wide edge ring reaches 9 pixels beyond radius 20, the centre ring only 7 beyond 19: 27 pixels out is edge colour.
    EXPECT_EQ(canvas.Pixel(80 + 27, 239), RGB(0xC8, 0x96, 0x78));
}

TEST(HighlightStreetTest, OnlyLinesOfTheCodeInRedOfTheLevel) {
    struct Case {
        int level;
        int width;
    };
    for (const Case& c : {Case{1, 1}, Case{2, 2}}) {
        SCOPED_TRACE(c.level);
        PlanCanvas canvas(kModeFlat);
        canvas.SetView(0.5, 0.0f, 0.0f, c.level);
        canvas.SetStreets({{7, {{10.0f, 10.0f}, {10.0f, 90.0f}}},
                           {8, {{20.0f, 10.0f}, {20.0f, 90.0f}}},
                           {7, {{30.0f, 10.0f}, {30.0f, 90.0f}}}});
        canvas.StartRecording();
        HighlightStreet(7);
        const auto lines = canvas.CallsOf(GdiOp::Polyline);
        ASSERT_EQ(lines.size(), 2u);
        for (const GdiCall& line : lines) {
            EXPECT_EQ(PenColour(line), RGB(0xFF, 0, 0));
            EXPECT_EQ(line.penInfo.width, c.width);
        }
        // x = 10 m gives screen y trunc(300 - 20.5) = 279; x = 30 m gives 239.
        EXPECT_EQ(lines[0].points[0].y, 279);
        EXPECT_EQ(lines[1].points[0].y, 239);
    }
}

TEST(HighlightStreetTest, ShownStreetOnlyWithoutSelectedBuildings) {
    PlanCanvas canvas(kModeFlat);
    canvas.SetStreets({{7, {{10.0f, 10.0f}, {10.0f, 90.0f}}}});
    int32_t selection[1] = {0};
    int32_t* savedList = g_selList;
    g_selList = selection;
    struct Case {
        int shown;
        int selected;
        size_t lines;
    };
    for (const Case& c : {Case{7, 0, 1}, Case{7, 1, 0}, Case{-1, 0, 0}}) {
        SCOPED_TRACE(c.shown * 10 + c.selected);
        g_shownStreet = c.shown;
        g_selCount = c.selected;
        canvas.StartRecording();
        DrawShownStreet();
        EXPECT_EQ(canvas.CallsOf(GdiOp::Polyline).size(), c.lines);
    }
    g_selList = savedList;
}

}  // namespace
