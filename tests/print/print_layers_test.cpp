// The layers of the printed page on a hand-set canvas of 4 pixels per millimetre (p = 4): the
// widths and colours of each layer in colour and in black and white, the buildings, house
// numbers, flags and street names. Pixel positions follow the canvas rule
// (sx, sy) = (trunc((Y - yMin) 4 s + 0.5), trunc(300 - ((X - xMin) 4 s + 0.5))).
#include "print/print_layers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "print/print_view.h"
#include "render/buildings.h"
#include "render/labels.h"
#include "render/layer_settings.h"
#include "render/plan_canvas.h"
#include "render/rand.h"
#include "render/scratch_points.h"
#include "render/styles.h"
#include "view/shared_state.h"
#include "view/view.h"

namespace {

constexpr COLORREF Hex(uint32_t rgb) {
    return RGB(static_cast<int>((rgb >> 16) & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
               static_cast<int>(rgb & 0xFF));
}

constexpr COLORREF kBlack = Hex(0x000000);
constexpr COLORREF kWhite = Hex(0xFFFFFF);
constexpr COLORREF kLit = Hex(0xFFFFB4);
constexpr COLORREF kDark = Hex(0x8C8C8C);
constexpr COLORREF kGrey180 = Hex(0xB4B4B4);
constexpr COLORREF kGrey200 = Hex(0xC8C8C8);
constexpr COLORREF kGrey240 = Hex(0xF0F0F0);

LineRec MakeLine(int16_t code, const std::vector<PlanPoint>& points) {
    LineRec rec{};
    rec.code = code;
    rec.count = static_cast<int16_t>(points.size());
    rec.pts = static_cast<PlanPoint*>(calloc(points.size(), sizeof(PlanPoint)));
    memcpy(rec.pts, points.data(), points.size() * sizeof(PlanPoint));
    rec.box = BBox{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const PlanPoint& p : points) {
        rec.box.xMin = std::min(rec.box.xMin, p.x);
        rec.box.yMin = std::min(rec.box.yMin, p.y);
        rec.box.xMax = std::max(rec.box.xMax, p.x);
        rec.box.yMax = std::max(rec.box.yMax, p.y);
    }
    return rec;
}

// One of the topography lists; the canvas frees it with the map.
void SetTopo(LineRec** table, int32_t* count, const std::vector<LineRec>& rows) {
    *table = static_cast<LineRec*>(calloc(rows.size() + 1, sizeof(LineRec)));
    memcpy(*table, rows.data(), rows.size() * sizeof(LineRec));
    *count = static_cast<int32_t>(rows.size());
}

bool IsWindow(const GdiCall& call) {
    return call.op == GdiOp::Polygon && PenIsNull(call) && call.points.size() == 4;
}

std::vector<COLORREF> WindowBrushes(const PlanCanvas& canvas) {
    std::vector<COLORREF> out;
    for (const GdiCall& call : canvas.Calls()) {
        if (IsWindow(call)) out.push_back(BrushColour(call));
    }
    return out;
}

// Polygons drawn with a pen: footprints, walls and roofs.
std::vector<GdiCall> OutlinedPolygons(const PlanCanvas& canvas) {
    std::vector<GdiCall> out;
    for (const GdiCall& call : canvas.CallsOf(GdiOp::Polygon)) {
        if (!PenIsNull(call)) out.push_back(call);
    }
    return out;
}

class PrintLayersTest : public ::testing::Test {
  protected:
    void SetUp() override {
        g_printInColor = 0;
        g_printMinSize = 0;
        g_randSeed = 1;
    }
    void TearDown() override {
        g_printInColor = 0;
        g_selList = nullptr;
        g_selCount = 0;
        g_shownStreet = -1;
        g_randSeed = 1;
        SetLocalHourQuery(nullptr);
    }
};

// ---- Widths, categories and runs ----

TEST(StreetWidthsOnPaper, CasingAndInnerLine) {
    const double p600 = 600 / 25.4;
    const struct {
        int k;
        double p;
        int outer;
        int inner;
    } cases[] = {
        {2, p600, 70, 56},  // w = 47.24: trunc(70.87), trunc(56.69)
        {1, p600, 35, 28},  // w = 23.62
        {0, p600, 3, 1},    // no width at all: the thinnest casing
        {2, 4.0, 12, 8},    // 12 and 9 differ by less than 4
        {2, 3.0, 9, 5},     // 9 and 7
        {1, 2.0, 3, 1},     // 3 and 2: the inner line never below 1
        {1, 50 / 25.4, 3, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("k " + std::to_string(c.k) + ", p " + std::to_string(c.p));
        const PrintStreetWidths widths = StreetWidthsOnPaper(c.k, c.p);
        EXPECT_EQ(widths.outer, c.outer);
        EXPECT_EQ(widths.inner, c.inner);
    }
}

TEST(PrintCategory, FollowsThePurposeAlone) {
    const std::pair<int16_t, int> cases[] = {{411, 0}, {658, 0}, {461, 2}, {659, 2}, {444, 3}, {660, 3},
                                             {555, 4}, {661, 4}, {888, 1}, {413, 1}, {777, 1}, {0, 1}};
    for (uint16_t setting : {uint16_t{1}, uint16_t{0}}) {
        colorBuildings = setting;
        for (const auto& [purpose, category] : cases) {
            SCOPED_TRACE(std::to_string(purpose) + (setting ? " coloured" : " uncoloured"));
            EXPECT_EQ(PrintCategory(purpose), category);
        }
    }
    colorBuildings = 1;
}

TEST(ForEachVisibleRun, StretchesOfTouchingSegments) {
    const struct {
        const char* name;
        std::vector<bool> touches;  // per segment; n = size + 1 points
        std::vector<std::pair<int, int>> runs;
    } cases[] = {
        {"middle stretches", {false, true, true, false, true}, {{1, 3}, {4, 5}}},
        {"whole line", {true, true, true}, {{0, 3}}},
        {"nothing on the page", {false, false, false, false}, {}},
        {"both ends", {true, false, false, true}, {{0, 1}, {3, 4}}},
        {"a single point", {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::pair<int, int>> runs;
        const int n = static_cast<int>(c.touches.size()) + 1;
        ForEachVisibleRun(
            n, [&](int i) { return static_cast<bool>(c.touches[static_cast<size_t>(i)]); },
            [&](int first, int last) { runs.emplace_back(first, last); });
        EXPECT_EQ(runs, c.runs);
    }
}

// ---- Lines ----

TEST_F(PrintLayersTest, OnlyTheStretchesOfALineThatReachThePage) {
    PlanCanvas canvas(kModeWindowsOnClock);
    canvas.SetView(0.5, 0.0f, 0.0f);  // x 0..150, y 0..200
    LineRec through = MakeLine(1, {{-100, 50}, {-50, 50}, {50, 50}, {100, 50}, {300, 50}, {400, 50}});
    // No vertex on the page, yet the segment crosses it.
    LineRec crossing = MakeLine(1, {{-100, 120}, {300, 120}});
    LineRec away = MakeLine(1, {{500, 10}, {600, 10}});
    SetTopo(&g_topo2, &g_topo2_count, {through, crossing, away});
    canvas.StartRecording();
    for (int i = 0; i < g_topo2_count; ++i) PrintVisibleLine(g_topo2[i]);
    const std::vector<GdiCall> lines = canvas.CallsOf(GdiOp::Polyline);
    ASSERT_EQ(lines.size(), 2u);
    // X -50, 50, 100, 300 at Y 50: the point before and after the page included.
    EXPECT_EQ(Describe(lines[0].points), "(100,399)(100,199)(100,99)(100,-300)");
    EXPECT_EQ(Describe(lines[1].points), "(240,499)(240,-300)");
}

TEST_F(PrintLayersTest, StreetBodiesUpToLevel2AndTheFourthListAbove) {
    for (uint32_t colour : {1u, 0u}) {
        for (int k : {2, 3}) {
            SCOPED_TRACE((colour ? "colour, level " : "black and white, level ") + std::to_string(k));
            g_printInColor = colour;
            PlanCanvas canvas(kModeWindowsOnClock);
            canvas.SetView(0.5, 0.0f, 0.0f, k);
            canvas.SetStreets({{3, {{50, 20}, {50, 180}}}});
            SetTopo(&g_topo4, &g_topo4_count, {MakeLine(7, {{80, 20}, {80, 180}})});
            canvas.StartRecording();
            PrintLayers();
            const std::vector<GdiCall> lines = canvas.CallsOf(GdiOp::Polyline);
            if (k == 2) {
                // w = 2 x 4 = 8: casing 12; the inner line trunc(9.6) = 9 is less than 4 narrower: 8.
                ASSERT_EQ(lines.size(), 2u);
                EXPECT_EQ(lines[0].penInfo.width, 12);
                EXPECT_EQ(lines[0].penInfo.color, colour ? Hex(0xC89678) : Hex(0x282828));
                EXPECT_EQ(lines[1].penInfo.width, 8);
                EXPECT_EQ(lines[1].penInfo.color, colour ? Hex(0xC8C8AA) : kWhite);
                EXPECT_EQ(lines[0].points[0].y, 199) << "the street, not the fourth list";
            } else {
                // max(3, trunc(4 x 0.3)) = 3; only the line of the fourth list, at X 80.
                ASSERT_EQ(lines.size(), 1u);
                EXPECT_EQ(lines[0].penInfo.width, 3);
                EXPECT_EQ(lines[0].penInfo.color, colour ? Hex(0xC89678) : Hex(0x282828));
                EXPECT_EQ(lines[0].points[0].y, 139);
            }
        }
    }
}

TEST_F(PrintLayersTest, LinesWiderWithTheLevelAndCode9005Left) {
    const std::pair<int, int> cases[] = {{2, 3}, {5, 8}};  // max(3, trunc(k x 4 x 0.4))
    for (const auto& [k, width] : cases) {
        SCOPED_TRACE("level " + std::to_string(k));
        PlanCanvas canvas(kModeFlat);
        canvas.SetView(0.5, 0.0f, 0.0f, k);
        SetTopo(&g_topo2, &g_topo2_count,
                {MakeLine(9005, {{40, 20}, {40, 180}}), MakeLine(3011, {{60, 20}, {60, 180}})});
        canvas.StartRecording();
        PrintLayers();
        const std::vector<GdiCall> lines = canvas.CallsOf(GdiOp::Polyline);
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0].penInfo.width, width);
        EXPECT_EQ(lines[0].penInfo.color, Hex(0x4B4B4B));
        EXPECT_EQ(lines[0].points[0].y, 179);  // X 60
    }
}

TEST_F(PrintLayersTest, AreasWaterAndShoresInColourAndGrey) {
    for (uint32_t colour : {1u, 0u}) {
        SCOPED_TRACE(colour ? "colour" : "black and white");
        g_printInColor = colour;
        PlanCanvas canvas(kModeWindowsOnClock);
        canvas.SetView(0.5, 0.0f, 0.0f);
        SetTopo(&g_topo1, &g_topo1_count,
                {MakeLine(718, RectOutline(10, 10, 30, 30)), MakeLine(999, RectOutline(40, 10, 60, 30)),
                 MakeLine(1014, RectOutline(70, 10, 90, 30))});
        SetTopo(&g_topo3, &g_topo3_count, {MakeLine(4925, RectOutline(100, 100, 120, 140))});
        canvas.StartRecording();
        PrintLayers();
        const std::vector<GdiCall> fills = canvas.CallsOf(GdiOp::Polygon);
        ASSERT_EQ(fills.size(), 4u);
        for (const GdiCall& fill : fills) EXPECT_TRUE(PenIsNull(fill));
        // An unknown code keeps the brush of the code before it.
        EXPECT_EQ(BrushColour(fills[0]), colour ? Hex(0xAAFFAA) : kGrey240);
        EXPECT_EQ(BrushColour(fills[1]), colour ? Hex(0xAAFFAA) : kGrey240);
        EXPECT_EQ(BrushColour(fills[2]), colour ? Hex(0xCED4C8) : kGrey240);
        // Water: the colour set's, or white like the open sea on a black and white page.
        EXPECT_EQ(BrushColour(fills[3]), colour ? Hex(0x96E6FF) : kWhite);
        const std::vector<GdiCall> shores = canvas.CallsOf(GdiOp::Polyline);
        ASSERT_EQ(shores.size(), 1u);
        EXPECT_EQ(shores[0].penInfo.width, 3);  // max(3, trunc(2 x 4 x 0.2))
        EXPECT_EQ(shores[0].penInfo.color, colour ? Hex(0x000096) : kBlack);
    }
}

// ---- Buildings ----

std::vector<BuildingSketch> ThreeFootprints() {
    BuildingSketch outbuilding;
    outbuilding.purpose = 413;
    outbuilding.points = RectOutline(50, 50, 90, 70);
    BuildingSketch home;
    home.purpose = 411;
    home.points = RectOutline(20, 100, 40, 140);
    BuildingSketch shop;
    shop.purpose = 461;
    shop.points = RectOutline(100, 150, 120, 190);
    return {outbuilding, home, shop};
}

TEST_F(PrintLayersTest, FlatFootprintsOutlinedInBlack) {
    const struct {
        const char* name;
        uint32_t colour;
        COLORREF fills[3];
    } cases[] = {
        {"black and white: outbuildings darker", 0, {kGrey180, kGrey200, kGrey200}},
        // Categories 1, 0 and 2 of the day colours, though "Color buildings" is off.
        {"colour by purpose", 1, {Hex(0x969696), Hex(0x899A7D), Hex(0xBBA078)}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_printInColor = c.colour;
        PlanCanvas canvas(kModeFlat);
        colorBuildings = 0;
        canvas.SetView(0.5, 0.0f, 0.0f);
        canvas.SetBuildings(ThreeFootprints());
        canvas.StartRecording();
        PrintLayers();
        const std::vector<GdiCall> fills = canvas.CallsOf(GdiOp::Polygon);
        ASSERT_EQ(fills.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(BrushColour(fills[i]), c.fills[i]) << i;
            EXPECT_EQ(PenColour(fills[i]), kBlack) << i;
            EXPECT_EQ(fills[i].penInfo.width, 1) << "max(1, trunc(4 x 0.2))";
        }
    }
}

TEST_F(PrintLayersTest, GraphicOutlinesClosedByALine) {
    PlanCanvas canvas(kModeGraphic);
    canvas.SetView(0.5, 0.0f, 0.0f);
    canvas.SetBuildings({ThreeFootprints()[0]});
    canvas.StartRecording();
    PrintLayers();
    EXPECT_TRUE(canvas.CallsOf(GdiOp::Polygon).empty());
    const std::vector<GdiCall> outlines = canvas.CallsOf(GdiOp::Polyline);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(Describe(outlines[0].points), "(100,199)(140,199)(140,119)(100,119)");
    const std::vector<GdiCall> closing = canvas.CallsOf(GdiOp::LineTo);
    ASSERT_EQ(closing.size(), 1u);
    EXPECT_EQ(Describe(closing[0].points), "(100,199)");
    EXPECT_EQ(PenColour(closing[0]), kBlack);
}

TEST_F(PrintLayersTest, BlockColoursFollowColorBuildingsOnlyInColour) {
    const struct {
        const char* name;
        uint32_t colour;
        uint16_t colorBuildings;
        int16_t purpose;
        COLORREF wall;
        COLORREF roof;
    } cases[] = {
        {"888 coloured: category 1", 1, 1, 888, Hex(0xA0A08C), Hex(0x787864)},
        {"888 uncoloured: category 2", 1, 0, 888, Hex(0xB4B4A0), Hex(0xA0A08C)},
        {"411 uncoloured: category 2, not the screen's 0", 1, 0, 411, Hex(0xB4B4A0), Hex(0xA0A08C)},
        {"411 coloured: category 0", 1, 1, 411, Hex(0xBEB4A0), Hex(0xAAA082)},
        {"black and white", 0, 1, 888, kGrey240, kGrey200},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_printInColor = c.colour;
        PlanCanvas canvas(kModeWithoutWindows);
        colorBuildings = c.colorBuildings;
        canvas.SetView(0.5, 0.0f, 0.0f);
        BuildingSketch block;
        block.purpose = c.purpose;
        block.floors = 2;
        block.points = {{50, 50}, {60, 70}, {90, 60}, {80, 40}};
        canvas.SetBuildings({block});
        canvas.StartRecording();
        PrintLayers();
        const std::vector<GdiCall> shapes = OutlinedPolygons(canvas);
        ASSERT_GE(shapes.size(), 2u) << "walls and the roof";
        for (size_t i = 0; i + 1 < shapes.size(); ++i) EXPECT_EQ(BrushColour(shapes[i]), c.wall) << i;
        EXPECT_EQ(BrushColour(shapes.back()), c.roof);
        EXPECT_EQ(PenColour(shapes.back()), kBlack);
        EXPECT_TRUE(WindowBrushes(canvas).empty()) << "Without windows";
    }
}

TEST_F(PrintLayersTest, Purposes657To661StandOneStoreyAboveTheGround) {
    // The outline (50,50) (60,70) (90,60) (80,40) is (100,199) (140,179) (120,119) (80,139) on
    // the canvas; its first wall, back to front, runs from (120,119) down to (140,179). Storeys
    // are trunc(4 x 4 x 0.5) = 8 pixels; 3 storeys, or 2 from one storey up.
    const struct {
        int16_t purpose;
        const char* wall;
    } cases[] = {
        {411, "(120,119)(140,179)(140,155)(120,95)"},
        {659, "(120,111)(140,171)(140,155)(120,95)"},
        {660, "(120,111)(140,171)(140,155)(120,95)"},
        {661, "(120,111)(140,171)(140,155)(120,95)"},
        {662, "(120,119)(140,179)(140,155)(120,95)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.purpose);
        PlanCanvas canvas(kModeWithoutWindows);
        canvas.SetView(0.5, 0.0f, 0.0f);
        BuildingSketch block;
        block.purpose = c.purpose;
        block.floors = 3;
        block.points = {{50, 50}, {60, 70}, {90, 60}, {80, 40}};
        canvas.SetBuildings({block});
        canvas.StartRecording();
        PrintLayers();
        const std::vector<GdiCall> shapes = OutlinedPolygons(canvas);
        ASSERT_EQ(shapes.size(), 5u) << "four walls and the roof";
        EXPECT_EQ(Describe(shapes[0].points), c.wall);
        // The roof 3 storeys up whatever the purpose.
        EXPECT_EQ(Describe(shapes[4].points), "(100,175)(140,155)(120,95)(80,115)");
    }
}

BuildingSketch WindowedBlock(int16_t purpose) {
    BuildingSketch block;
    block.purpose = purpose;
    block.floors = 2;
    block.points = {{50, 50}, {60, 70}, {90, 60}, {80, 40}};
    return block;
}

int TestHour3() { return 3; }
int TestHour12() { return 12; }

TEST_F(PrintLayersTest, WindowsOnClockLightEveryEvenDrawWhateverTheHour) {
    // The generator from its start: 41, 18467, 6334, 26500, 19169, 15724, 11478, 29358.
    const std::vector<COLORREF> expected = {kDark, kDark, kLit, kLit, kDark, kLit, kLit, kLit};
    const struct {
        const char* name;
        int32_t mode;
        int (*hour)();
    } cases[] = {
        {"at 03:00", kModeWindowsOnClock, TestHour3},
        {"at 12:00", kModeWindowsOnClock, TestHour12},
        {"Night", kModeNight, TestHour12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_printInColor = 1;
        g_randSeed = 1;
        SetLocalHourQuery(c.hour);
        PlanCanvas canvas(c.mode);
        canvas.SetView(0.5, 0.0f, 0.0f);
        canvas.SetBuildings({WindowedBlock(411)});
        canvas.StartRecording();
        PrintLayers();
        const std::vector<COLORREF> brushes = WindowBrushes(canvas);
        ASSERT_GE(brushes.size(), expected.size());
        EXPECT_EQ(std::vector<COLORREF>(brushes.begin(), brushes.begin() + 8), expected);
    }
}

TEST_F(PrintLayersTest, WindowBrushesOfTheOtherModes) {
    const struct {
        const char* name;
        uint32_t colour;
        int32_t mode;
        int16_t purpose;
        COLORREF window;
    } cases[] = {
        {"light windows", 1, kModeLightWindows, 411, kLit},
        {"dark windows", 1, kModeDarkWindows, 411, kDark},
        {"wide windows", 1, kModeWideWindows, 411, kLit},
        {"black and white", 0, kModeWindowsOnClock, 411, kGrey180},
        {"black and white, wide", 0, kModeWideWindows, 411, kGrey180},
        // Dark bands on the screen; on paper the mode alone decides.
        {"dark windows of 888", 1, kModeDarkWindows, 888, kDark},
        {"light windows of 777", 1, kModeLightWindows, 777, kLit},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_printInColor = c.colour;
        PlanCanvas canvas(c.mode);
        canvas.SetView(0.5, 0.0f, 0.0f);
        canvas.SetBuildings({WindowedBlock(c.purpose)});
        canvas.StartRecording();
        PrintLayers();
        const std::vector<COLORREF> brushes = WindowBrushes(canvas);
        ASSERT_FALSE(brushes.empty());
        for (COLORREF brush : brushes) EXPECT_EQ(brush, c.window);
    }
}

TEST_F(PrintLayersTest, WindowRowsAtLevel1) {
    g_printInColor = 1;
    PlanCanvas canvas(kModeWindowsOnClock);
    canvas.SetView(0.2, 0.0f, 0.0f);  // storey trunc(4 x 4 x 0.2) = 3 pixels
    BuildingSketch block = WindowedBlock(411);
    block.floors = 5;  // walls 15 pixels high: rows at 2, 6, 10 and 14
    canvas.SetBuildings({block});
    canvas.StartRecording();
    PrintLayers();
    int rowLines = 0;
    for (const GdiCall& line : canvas.CallsOf(GdiOp::Polyline)) {
        if (line.points.size() != 2) continue;
        EXPECT_EQ(PenColour(line), kGrey180);
        EXPECT_EQ(line.penInfo.width, 1);  // max(1, trunc(3 x 0.5))
        ++rowLines;
    }
    EXPECT_GT(rowLines, 0);
    EXPECT_EQ(rowLines % 8, 0) << "four rows of two lines per wall";
    EXPECT_EQ(g_printStorey, 3);
}

TEST_F(PrintLayersTest, BlockWithMoreOutlinePointsThanTheTablesAndBuffer) {
    g_printInColor = 1;
    PlanCanvas canvas(kModeWindowsOnClock);
    canvas.SetView(0.5, 0.0f, 0.0f);
    // 400 points on a circle of 40 m round (75, 100): 80 pixels, so neighbours stay apart.
    BuildingSketch tower;
    tower.floors = 3;
    for (int i = 0; i < 400; ++i) {
        const double a = 2.0 * 3.14159265358979 * i / 400.0;
        tower.points.push_back(
            {static_cast<float>(75 + 40 * std::cos(a)), static_cast<float>(100 + 40 * std::sin(a))});
    }
    canvas.SetBuildings({tower});
    ASSERT_NE(ScratchPoints(8), nullptr);
    canvas.StartRecording();
    PrintLayers();
    const std::vector<GdiCall> shapes = OutlinedPolygons(canvas);
    ASSERT_GE(shapes.size(), 2u);
    EXPECT_GT(shapes.back().points.size(), 220u) << "the whole roof";
    EXPECT_GE(g_pts_capacity, 400);
}

// ---- House numbers and flags ----

BuildingSketch NumberedBuilding(int16_t floors = 1) {
    BuildingSketch b;
    b.purpose = 411;
    b.floors = floors;
    b.houseNumber = "12";
    b.streetId = 5;
    b.points = RectOutline(50, 50, 90, 70);  // reference point (70, 60): (120, 159)
    return b;
}

TEST_F(PrintLayersTest, HouseNumberCentredOverTheReferencePoint) {
    const struct {
        const char* name;
        int32_t mode;
        int level;
        int32_t addresses;
        int32_t minSize;
        bool written;
        int y;
    } cases[] = {
        // Font trunc(4 x -3) = -12: x = trunc(120 - 0.3 x 12 x 2) = 112, y = 159 - 12 / 2.
        {"flat", kModeFlat, 2, kLayerAll, 0, true, 153},
        // On the roof: 3 storeys of trunc(4 x 4 x 0.5) = 8 pixels higher.
        {"block", kModeWithoutWindows, 2, kLayerAll, 0, true, 129},
        {"level 0 writes none", kModeFlat, 0, kLayerAll, 0, false, 0},
        {"addresses no", kModeFlat, 2, kLayerNo, 0, false, 0},
        // 40 x 20 m: both sides below 50 m, but not both below 30 m.
        {"select, small", kModeFlat, 2, kLayerSelect, 50, false, 0},
        {"select, large enough", kModeFlat, 2, kLayerSelect, 30, true, 153},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlanCanvas canvas(c.mode);
        canvas.SetView(0.5, 0.0f, 0.0f, c.level);
        g_layerAddresses = c.addresses;
        g_printMinSize = c.minSize;
        canvas.SetBuildings({NumberedBuilding(3)});
        canvas.StartRecording();
        PrintLayers();
        const std::vector<GdiCall> texts = canvas.CallsOf(GdiOp::TextOut);
        if (!c.written) {
            EXPECT_TRUE(texts.empty());
            continue;
        }
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "12");
        EXPECT_EQ(Describe(texts[0].points), "(112," + std::to_string(c.y) + ")");
        EXPECT_EQ(texts[0].fontInfo.height, -12);
        EXPECT_EQ(texts[0].fontInfo.weight, 400);
        EXPECT_FALSE(texts[0].fontInfo.italic);
        EXPECT_EQ(texts[0].textColor, kBlack);
    }
}

TEST_F(PrintLayersTest, FlagOnTheNorthernmostPoint) {
    const struct {
        const char* name;
        int32_t mode;
        double scale;
        const char* pole;  // MoveTo, LineTo
        const char* flag;  // Rectangle
    } cases[] = {
        // Foot (90, 70) = (140, 119); pole 2 mm = 8 pixels, flag 16 x 8.
        {"flat, not raised", kModeFlat, 0.5, "(140,119)(140,111)", "(140,103)(156,111)"},
        // s = 0.5 is level 3: raised by 3 storeys of trunc(4 x 4 x 0.5) = 8 pixels.
        {"block at level 3", kModeWindowsOnClock, 0.5, "(140,95)(140,87)", "(140,79)(156,87)"},
        // s = 0.2: foot (56, 227), raised to 227 + 2 - 2 x 3.
        {"block at level 1", kModeWindowsOnClock, 0.2, "(56,223)(56,215)", "(56,207)(72,215)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlanCanvas canvas(c.mode);
        canvas.SetView(c.scale, 0.0f, 0.0f);
        BuildingSketch other = NumberedBuilding();
        other.streetId = 6;
        other.points = RectOutline(10, 10, 20, 20);
        canvas.SetBuildings({NumberedBuilding(3), other});
        g_shownStreet = 5;
        canvas.StartRecording();
        PrintLayers();
        const std::vector<GdiCall> flags = canvas.CallsOf(GdiOp::Rectangle);
        ASSERT_EQ(flags.size(), 1u) << "only the shown street's building";
        EXPECT_EQ(Describe(flags[0].points), c.flag);
        EXPECT_EQ(PenColour(flags[0]), kBlack);
        EXPECT_EQ(flags[0].penInfo.width, 1);  // trunc(4 x 0.25)
        EXPECT_EQ(BrushColour(flags[0]), kGrey240);
        const std::vector<GdiCall> from = canvas.CallsOf(GdiOp::MoveTo);
        const std::vector<GdiCall> to = canvas.CallsOf(GdiOp::LineTo);
        ASSERT_FALSE(from.empty());
        ASSERT_FALSE(to.empty());
        EXPECT_EQ(Describe(from.back().points) + Describe(to.back().points), c.pole);
    }
}

TEST_F(PrintLayersTest, SelectedBuildingsTakeFlagsBeforeTheShownStreet) {
    PlanCanvas canvas(kModeFlat);
    canvas.SetView(0.5, 0.0f, 0.0f);
    BuildingSketch other = NumberedBuilding();
    other.streetId = 6;
    other.points = RectOutline(10, 10, 20, 20);  // northernmost (20, 20): (40, 259)
    canvas.SetBuildings({NumberedBuilding(), other});
    int32_t list[kSelListSize] = {1};
    g_selList = list;
    g_selCount = 1;
    g_shownStreet = 5;
    canvas.StartRecording();
    PrintLayers();
    const std::vector<GdiCall> flags = canvas.CallsOf(GdiOp::Rectangle);
    ASSERT_EQ(flags.size(), 1u);
    EXPECT_EQ(Describe(flags[0].points), "(40,243)(56,251)");
}

TEST_F(PrintLayersTest, BuildingsNoLeavesBuildingsNumbersAndFlagsOff) {
    for (int32_t mode : {kModeFlat, kModeWindowsOnClock}) {
        SCOPED_TRACE(mode);
        PlanCanvas canvas(mode);
        canvas.SetView(0.5, 0.0f, 0.0f);
        canvas.SetBuildings({NumberedBuilding(3)});
        g_layerBuildings = kLayerNo;
        g_shownStreet = 5;
        canvas.StartRecording();
        PrintLayers();
        EXPECT_TRUE(canvas.CallsOf(GdiOp::Polygon).empty());
        EXPECT_TRUE(canvas.CallsOf(GdiOp::TextOut).empty());
        EXPECT_TRUE(canvas.CallsOf(GdiOp::Rectangle).empty());
    }
}

// ---- Street names ----

TEST_F(PrintLayersTest, OnlyTheLabelsTheScreenShowedArePrinted) {
    const struct {
        const char* name;
        double scale;
        int level;
        int height;  // max(trunc(2 k p), 4)
        int weight;
        COLORREF colour;
    } cases[] = {
        {"level 2", 0.5, 2, 16, 100, kBlack},
        {"level 3", 0.5, 3, 24, 700, kBlack},
        {"level 4", 1.0, 4, 32, 700, Hex(0x646464)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PlanCanvas canvas(kModeFlat);
        canvas.SetView(c.scale, 0.0f, 0.0f, c.level);
        canvas.SetStreets({{3, {{50, 5}, {50, 95}}}});
        canvas.SetStreetNames({{3, "Lenina"}});
        // The first was shown in the screen's last pass, the second was not.
        canvas.SetLabels({LabelRec{50, 50, -10, 3}, LabelRec{50, 30, 10, 3}});
        canvas.StartRecording();
        PrintLayers();
        const std::vector<GdiCall> letters = canvas.CallsOf(GdiOp::TextOut);
        ASSERT_EQ(letters.size(), 6u);
        std::string text;
        for (size_t i = 0; i < letters.size(); ++i) {
            text += letters[i].text;
            EXPECT_EQ(letters[i].fontInfo.height, c.height);
            EXPECT_EQ(letters[i].fontInfo.weight, c.weight);
            EXPECT_EQ(letters[i].fontInfo.escapement, 0) << "a west-east street";
            EXPECT_EQ(letters[i].textColor, c.colour);
            if (i > 0) {
                EXPECT_GT(letters[i].points[0].x, letters[i - 1].points[0].x);
            }
        }
        EXPECT_EQ(text, "Lenina");
        EXPECT_EQ(labelFontHeight, c.height);
        EXPECT_EQ(g_labels[0].size, -10) << "sizes are left as they are";
        EXPECT_EQ(g_labels[1].size, 10);
    }
}

TEST_F(PrintLayersTest, NoNamesBelowOneToTenThousand) {
    PlanCanvas canvas(kModeFlat);
    canvas.SetView(0.09, 0.0f, 0.0f);  // z = 9
    canvas.SetStreets({{3, {{100, 50}, {100, 900}}}});
    canvas.SetStreetNames({{3, "Lenina"}});
    canvas.SetLabels({LabelRec{100, 400, -5, 3}});
    canvas.StartRecording();
    PrintLayers();
    EXPECT_TRUE(canvas.CallsOf(GdiOp::TextOut).empty());
}

}  // namespace
