// The composed frame: overview or detailed plan, land and sea, areas, water and shores, the
// line layers by detail level, the sweep cursors, the caption and the edge.
//
// Views below are worked out for the 1000 x 600 surface (265 mm x 159 mm, 3.7736 px/mm). A
// zoom rectangle 1000 m high and at most 1600 m wide is fitted by height: 159 mm / 1000 m
// rounds to 1:6290, so the view runs from its bottom edge 1000.1 m north and 1666.8 m east-west
// around its centre.
#include "render_fixture.h"

#include <cstring>

namespace {

class FrameTest : public RenderTest {};

TEST_F(FrameTest, OverviewHasNeitherCaptionNorEdgeTheDetailedPlanHasBoth) {
    WritePlan(PlanContent{});
    FirstPaint();
    ASSERT_EQ(g_zoom.zoomDepth, 1);
    int copies = 0;
    for (const GdiCall& call : windowCalls) {
        EXPECT_NE(call.op, GdiOp::TextOut);
        EXPECT_NE(call.op, GdiOp::DrawEdge);
        if (call.op == GdiOp::BitBlt) ++copies;
    }
    // Once before the buildings are loaded and once after.
    EXPECT_EQ(copies, 2);

    Show(4000, 1000, 5000, 2000);
    std::vector<std::string> texts;
    const GdiCall* edge = nullptr;
    for (const GdiCall& call : windowCalls) {
        if (call.op == GdiOp::TextOut) texts.push_back(call.text);
        if (call.op == GdiOp::DrawEdge) edge = &call;
    }
    EXPECT_EQ(texts, std::vector<std::string>{"Scale 1:6290"});
    ASSERT_NE(edge, nullptr);
    EXPECT_EQ(edge->edge, EDGE_SUNKEN);
    EXPECT_EQ(edge->flags, BF_RECT);
    EXPECT_EQ(edge->points[0].x, -1);
    EXPECT_EQ(edge->points[0].y, -1);
    EXPECT_EQ(edge->points[1].x, kWidth + 3);
    EXPECT_EQ(edge->points[1].y, kHeight + 2);
}

TEST_F(FrameTest, CaptionIsWhiteOnlyInNight) {
    WritePlan(PlanContent{});
    FirstPaint();
    ASSERT_EQ(PushViewRect(4000, 1000, 5000, 2000), 1);
    for (const DisplayModeInfo& mode : kDisplayModes) {
        SCOPED_TRACE(mode.menuText);
        SetDisplayMode(mode.id);
        Paint();
        const GdiCall* caption = nullptr;
        for (const GdiCall& call : windowCalls) {
            if (call.op == GdiOp::TextOut) caption = &call;
        }
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->textColor, mode.id == kModeNight ? RGB(255, 255, 255) : RGB(0, 0, 0));
        EXPECT_EQ(caption->font, g_fixed.font_label);
        EXPECT_EQ(caption->points[0].x, 12);
        EXPECT_EQ(caption->points[0].y, 10);
    }
}

TEST_F(FrameTest, WithoutAPlanNothingIsShownAndTheWindowContextComesBack) {
    HDC window = g_hdc;
    Paint();  // the folder is empty
    EXPECT_EQ(g_areas, nullptr);
    EXPECT_EQ(g_hdc, window);
    EXPECT_TRUE(windowCalls.empty());
    EXPECT_TRUE(frameCalls.empty());
}

TEST_F(FrameTest, TheOverviewLoadsTheBuildingsAndRestartsTheCursors) {
    PlanContent content;
    BuildingRec b{};
    b.x = 4500;
    b.y = 1500;
    b.purpose = 1;
    b.count = 4;
    b.floors = 2;
    LineRec outline = records.Square(0, 4500, 1500, 10);
    b.pts = outline.pts;
    b.box = outline.box;
    content.buildings.push_back(b);
    WritePlan(content);
    waterCursor = 3;
    labelCursor = 2;
    FirstPaint();
    EXPECT_EQ(g_building_count, 1);
    EXPECT_EQ(sweepXMax, 10000.0f);
    EXPECT_EQ(waterCursor, 0);
    EXPECT_EQ(labelCursor, 0);
}

// --- Land and sea ---

struct LandCase {
    const char* name;
    float view[4];
    bool landFillOnly;  // the frame is filled with the land brush and no land polygon is drawn
    POINT landPixel;    // {-1, -1}: none expected
    POINT waterPixel;
};

void PrintTo(const LandCase& c, std::ostream* os) { *os << c.name; }

class LandAndSea : public RenderTest, public ::testing::WithParamInterface<LandCase> {};

TEST_P(LandAndSea, LandFilledAloneOnlyWhereTheViewIsAllLand) {
    const LandCase& c = GetParam();
    WritePlan(PlanContent{});
    FirstPaint();
    Show(c.view[0], c.view[1], c.view[2], c.view[3]);

    const std::vector<GdiCall> fills = Calls(GdiOp::FillRect);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills[0].brushInfo.color, c.landFillOnly ? kDayLand : kDayWater);
    const auto landPolygons = Calls(GdiOp::Polygon, [](const GdiCall& call) { return call.brushInfo.color == kDayLand; });
    EXPECT_EQ(landPolygons.size(), c.landFillOnly ? 0u : 1u);
    // The coast is drawn in every case, even where it lies outside the view.
    const auto coast = Calls(GdiOp::Polyline, [](const GdiCall& call) { return PenIs(call, 1, kDayCoast); });
    EXPECT_EQ(coast.size(), 1u);

    if (c.landPixel.x >= 0) {
        EXPECT_EQ(WindowPixel(c.landPixel.x, c.landPixel.y), kDayLand);
    }
    if (c.waterPixel.x >= 0) {
        EXPECT_EQ(WindowPixel(c.waterPixel.x, c.waterPixel.y), kDayWater);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Views, LandAndSea,
    ::testing::Values(
        // y 667..2333: far from the coast at y 6000.
        LandCase{"InsideTheLand", {4000, 1000, 5000, 2000}, true, {500, 300}, {-1, -1}},
        // y 6667..8333: open sea inside the plan, beyond the outline's box.
        LandCase{"OpenSea", {4000, 7000, 5000, 8000}, false, {-1, -1}, {500, 300}},
        // The coast runs through the middle: y 6000 is at x = 500.
        LandCase{"AcrossTheCoast", {4000, 5500, 5000, 6500}, false, {300, 300}, {700, 300}},
        // The zoom rectangle (y 5000..5900) is all land, but the screen is wider: the view
        // reaches y 6283, and the coast at y 6000 falls at x = 830.
        LandCase{"RectangleOnLandViewReachingTheSea", {4000, 5000, 5000, 5900}, false, {500, 300}, {950, 300}},
        // Touching the edge of the whole plan: the full drawing.
        LandCase{"AtTheEdgeOfThePlan", {0, 1000, 1000, 2000}, false, {500, 300}, {-1, -1}}),
    [](const ::testing::TestParamInfo<LandCase>& info) { return std::string(info.param.name); });

// --- Areas ---

TEST_F(FrameTest, AreasTakeTheStyleOfTheirCodeAndUnknownCodesKeepIt) {
    PlanContent content;
    const int16_t codes[] = {9999, 750, 1234, 718, 1014, 6614};
    for (int i = 0; i < 6; ++i) content.topo[0].push_back(records.Square(codes[i], 4100 + 100 * i, 1100, 50));
    WritePlan(content);
    FirstPaint();
    Show(4000, 1000, 5000, 2000);

    struct Style {
        int penStyle;
        int penWidth;
        COLORREF pen;
        UINT brushStyle;
        COLORREF brush;
    };
    const Style green750 = {PS_SOLID, 1, Hex(0x00FF00), BS_HATCHED, Hex(0x006E00)};
    const Style expected[] = {
        green750,
        green750,  // 1234 has no style of its own
        {PS_SOLID, 2, Hex(0xC89678), BS_SOLID, Hex(0xAAFFAA)},
        {PS_NULL, 0, 0, BS_SOLID, Hex(0xCED4C8)},
        {PS_SOLID, 1, Hex(0x00FF00), BS_SOLID, Hex(0x3C783C)},
    };
    // The land shortcut draws no polygon: every polygon here is an area, in list order; the
    // leading unknown code, before any style was chosen, is left out.
    const std::vector<GdiCall> polygons = Calls(GdiOp::Polygon);
    ASSERT_EQ(polygons.size(), 5u);
    for (size_t i = 0; i < polygons.size(); ++i) {
        SCOPED_TRACE(i);
        const GdiCall& call = polygons[i];
        EXPECT_EQ(call.penInfo.style, expected[i].penStyle);
        if (expected[i].penStyle != PS_NULL) {
            EXPECT_EQ(call.penInfo.width, expected[i].penWidth);
            EXPECT_EQ(call.penInfo.color, expected[i].pen);
        }
        EXPECT_EQ(call.brushInfo.style, expected[i].brushStyle);
        EXPECT_EQ(call.brushInfo.color, expected[i].brush);
    }
    EXPECT_EQ(polygons[0].brushInfo.hatch, HS_DIAGCROSS);
}

// --- Water bodies and shores ---

struct ShoreCase {
    const char* name;
    int16_t code;
    std::vector<PlanPoint> ring;
    int polygonPoints;               // 0: not filled
    std::vector<int> shorePoints;  // indices into the converted ring
};

void PrintTo(const ShoreCase& c, std::ostream* os) { *os << c.name; }

class Shores : public RenderTest, public ::testing::WithParamInterface<ShoreCase> {};

TEST_P(Shores, CutEdgesOfSheetWaterHaveNoShore) {
    const ShoreCase& c = GetParam();
    PlanContent content;
    content.topo[2].push_back(records.Line(c.code, c.ring));
    WritePlan(content);
    FirstPaint();
    Show(4000, 1000, 5000, 2000);

    const auto water = Calls(GdiOp::Polygon, [](const GdiCall& call) { return call.brushInfo.color == kDayWater; });
    const auto shores = Calls(GdiOp::Polyline, [](const GdiCall& call) { return PenIs(call, 1, kDayShore); });
    ASSERT_EQ(shores.size(), 1u);
    if (c.polygonPoints == 0) {
        EXPECT_TRUE(water.empty());
        EXPECT_EQ(shores[0].points.size(), c.shorePoints.size());
        return;
    }
    ASSERT_EQ(water.size(), 1u);
    ASSERT_EQ(static_cast<int>(water[0].points.size()), c.polygonPoints);
    EXPECT_EQ(water[0].penInfo.style, PS_NULL);
    ASSERT_EQ(shores[0].points.size(), c.shorePoints.size());
    for (size_t i = 0; i < c.shorePoints.size(); ++i) {
        EXPECT_EQ(shores[0].points[i].x, water[0].points[c.shorePoints[i]].x);
        EXPECT_EQ(shores[0].points[i].y, water[0].points[c.shorePoints[i]].y);
    }
}

// The last edge of the first ring, from (4700, 1200) back to (4500, 1200), keeps the easting:
// it is vertical on the screen.
const std::vector<PlanPoint> kRingClosingVertically = {{4500, 1200}, {4300, 1400}, {4500, 1600}, {4700, 1200}};
// Here the first edge keeps the northing: horizontal on the screen.
const std::vector<PlanPoint> kRingStartingHorizontally = {{4500, 1200}, {4500, 1500}, {4300, 1400}, {4700, 1300}};

INSTANTIATE_TEST_SUITE_P(
    Rings, Shores,
    ::testing::Values(
        ShoreCase{"SheetWaterClosingVertically", 4912, kRingClosingVertically, 4, {0, 1, 2}},
        ShoreCase{"LakeClosingVertically", 4925, kRingClosingVertically, 4, {0, 1, 2, 3}},
        ShoreCase{"SheetWaterStartingHorizontally", 4912, kRingStartingHorizontally, 4, {1, 2, 3}},
        ShoreCase{"SheetWaterStoredClosed", 4912,
                  {{4500, 1200}, {4300, 1400}, {4500, 1600}, {4700, 1300}, {4500, 1200}}, 5, {0, 1, 2, 3}},
        ShoreCase{"OtherWaterLineIsOnlyAShore", 3000, kRingClosingVertically, 0, {0, 1, 2, 3}}),
    [](const ::testing::TestParamInfo<ShoreCase>& info) { return std::string(info.param.name); });

// --- Lines by detail level ---

struct LevelCase {
    float height;  // of a square zoom rectangle centred on (5000, 3000)
    int level;
    int pen3011;
    int pen3035;  // 0: the stock black pen
    bool minorLines;
};

void PrintTo(const LevelCase& c, std::ostream* os) { *os << "level" << c.level; }

class LinesByLevel : public RenderTest, public ::testing::WithParamInterface<LevelCase> {};

TEST_P(LinesByLevel, PensAndTheFourthListFollowTheDetailLevel) {
    const LevelCase& c = GetParam();
    PlanContent content;
    // Point counts tell the lines apart: 3011 has 2, 3035 has 3, the fourth list's line 4.
    content.topo[1].push_back(records.Line(3011, {{4980, 2980}, {5020, 3020}}));
    content.topo[1].push_back(records.Line(3035, {{4980, 3020}, {5000, 3000}, {5020, 2980}}));
    content.topo[3].push_back(records.Line(500, {{4970, 3000}, {4990, 3000}, {5010, 3000}, {5030, 3000}}));
    WritePlan(content);
    FirstPaint();
    const float half = c.height / 2;
    Show(5000 - half, 3000 - half, 5000 + half, 3000 + half);
    ASSERT_EQ(g_view.detailLevel, c.level);

    const auto lines = Calls(GdiOp::Polyline, [](const GdiCall& call) { return call.penInfo.color != kDayCoast; });
    std::vector<size_t> sizes;
    for (const GdiCall& call : lines) sizes.push_back(call.points.size());
    const std::vector<size_t> expected = c.minorLines ? std::vector<size_t>{2, 4, 3} : std::vector<size_t>{2, 3};
    ASSERT_EQ(sizes, expected);

    EXPECT_TRUE(PenIs(lines[0], c.pen3011, Hex(0x505050)));
    const GdiCall& line3035 = lines.back();
    if (c.pen3035 == 0) {
        EXPECT_EQ(line3035.pen, GetStockObject(BLACK_PEN));
    } else {
        EXPECT_TRUE(PenIs(line3035, c.pen3035, Hex(0x505050)));
    }
    if (c.minorLines) {
        EXPECT_TRUE(PenIs(lines[1], 3, Hex(0xC89678)));
    }
}

// Heights of 3000, 800, 400, 200, 100 and 50 m give 1:18870, 1:5030, 1:2520, 1:1260, 1:630
// and 1:310.
INSTANTIATE_TEST_SUITE_P(Levels, LinesByLevel,
                         ::testing::Values(LevelCase{3000, 0, 2, 0, false}, LevelCase{800, 1, 3, 2, false},
                                           LevelCase{400, 2, 5, 3, false}, LevelCase{200, 3, 8, 4, false},
                                           LevelCase{100, 4, 8, 4, true}, LevelCase{50, 5, 8, 4, true}),
                         [](const ::testing::TestParamInfo<LevelCase>& info) {
                             return "Level" + std::to_string(info.param.level);
                         });

TEST_F(FrameTest, LayersComeInTheirOrder) {
    PlanContent content;
    // Everything lies in the view across the coast (x 4000..5000, y 5167..6833), on land.
    content.topo[0].push_back(records.Square(1014, 4100, 5300, 50));
    content.topo[1].push_back(records.Line(3011, {{4400, 5400}, {4450, 5450}}));
    content.topo[1].push_back(records.Line(3035, {{4400, 5500}, {4450, 5550}, {4500, 5500}}));
    content.topo[2].push_back(records.Square(4925, 4600, 5600, 50));
    WritePlan(content);
    FirstPaint();
    Show(4000, 5500, 5000, 6500);

    std::vector<std::string> order;
    for (const GdiCall& call : frameCalls) {
        if (call.op == GdiOp::FillRect && call.brushInfo.color == kDayWater) order.push_back("sea");
        else if (call.op == GdiOp::Polygon && call.brushInfo.color == kDayLand) order.push_back("land");
        else if (call.op == GdiOp::Polygon && call.brushInfo.color == Hex(0xCED4C8)) order.push_back("area");
        else if (call.op == GdiOp::Polyline && PenIs(call, 1, kDayCoast)) order.push_back("coast");
        else if (call.op == GdiOp::Polygon && call.brushInfo.color == kDayWater) order.push_back("water");
        else if (call.op == GdiOp::Polyline && PenIs(call, 1, kDayShore)) order.push_back("shore");
        else if (call.op == GdiOp::Polyline && call.points.size() == 2) order.push_back("3011");
        else if (call.op == GdiOp::Polyline && call.points.size() == 3) order.push_back("3035");
        else if (call.op == GdiOp::Ellipse) order.push_back("streets");  // the circular places
        else order.push_back("other");
        if (order.size() > 1 && order.back() == order[order.size() - 2]) order.pop_back();
    }
    // Two circular places lie in this view, so the street bodies show between the lines.
    const std::vector<std::string> expected = {"sea", "land", "area", "coast", "water", "shore", "3011", "streets", "3035"};
    EXPECT_EQ(order, expected);
}

// --- Sweep cursors ---

TEST(AdvanceCursor, FirstRecordNotWhollyNorthOfTheView) {
    const BBox boxes[] = {{9000, 0, 9500, 1}, {7000, 0, 7500, 1}, {5000, 0, 5500, 1}};
    LineRec lines[3] = {};
    for (int i = 0; i < 3; ++i) lines[i].box = boxes[i];
    struct Case {
        float sweep;
        int start;
        int expected;
    };
    const Case cases[] = {
        {9500, 0, 0}, {6000, 0, 2}, {7000, 0, 1},  // a southern bound on the edge counts
        {6000, 2, 2}, {100, 1, 1},                 // none qualifies: the cursor stays
        {6000, 5, 5}, {6000, -3, 2},
    };
    const float saved = sweepXMax;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "sweep " << c.sweep << " start " << c.start);
        sweepXMax = c.sweep;
        EXPECT_EQ(AdvanceCursor(lines, 3, c.start), c.expected);
    }
    sweepXMax = 6000;
    EXPECT_EQ(AdvanceCursor(static_cast<const LineRec*>(nullptr), 0, 4), 4);
    LabelRec labels[2] = {{8000, 0, 0, 0}, {4000, 0, 0, 0}};
    EXPECT_EQ(AdvanceCursor(labels, 2, 0), 1);
    sweepXMax = saved;
}

TEST_F(FrameTest, CursorsAdvanceGoingSouthAndRestartGoingNorth) {
    PlanContent content;
    // Water squares north first; each lies 400 m north of its southern bound.
    for (float x : {9000.0f, 7500.0f, 5500.0f, 2500.0f, 1000.0f}) content.topo[2].push_back(records.Square(4925, x, 1100, 400));
    for (uint16_t x : {9000, 5000, 1200}) content.labels.push_back(LabelRec{x, 1500, 100, 1});
    WritePlan(content);
    FirstPaint();

    struct Step {
        float south;  // the view runs from here 1000.1 m north
        int water;
        int label;
        int waterDrawn;
    };
    const Step steps[] = {
        {4000, 3, 1, 0},  // from the overview's 10000 south to 5000: the first bound below is 2500
        {2000, 3, 2, 1},  // south again: the water cursor moves on from 3 and stays
        {500, 4, 2, 1},   // and again: 2500 now lies north of 1500
        {5000, 2, 1, 1},  // north: scanned from the start, so the square at 5500 is drawn
        {5000, 2, 1, 1},  // the same edge: nothing moves
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.south);
        Show(step.south, 1000, step.south + 1000, 2000);
        EXPECT_EQ(waterCursor, step.water);
        EXPECT_EQ(labelCursor, step.label);
        const auto water = Calls(GdiOp::Polygon, [](const GdiCall& call) { return call.brushInfo.color == kDayWater; });
        EXPECT_EQ(static_cast<int>(water.size()), step.waterDrawn);
    }

    // Once a label has been added by a click the labels are always scanned from the start.
    labelsAdded = true;
    Show(2000, 1000, 3000, 2000);
    EXPECT_EQ(labelCursor, 0);
    EXPECT_EQ(waterCursor, 3);
}

TEST_F(FrameTest, FramesLeaveNoDrawingObjectsBehind) {
    WritePlan(PlanContent{});
    FirstPaint();
    const int afterFirst = GdiLiveObjectCount();
    for (int i = 0; i < 3; ++i) {
        Show(4000, 1000 + 100 * i, 5000, 2000 + 100 * i);
        EXPECT_EQ(GdiLiveObjectCount(), afterFirst);
    }
    g_zoom.zoomDepth = 1;
    Paint();
    EXPECT_EQ(GdiLiveObjectCount(), afterFirst);
}

}  // namespace
