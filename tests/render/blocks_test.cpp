// 3D blocks: which walls are drawn and in what order, windows by mode and level, the lit
// windows of "Windows on clock" over the runtime's fixed random sequence, and the roofs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "plan_canvas.h"
#include "render/building_walk.h"
#include "render/buildings.h"
#include "render/rand.h"
#include "render/styles.h"
#include "view/view.h"

namespace {

// Screen footprints, drawn with DrawBlockWalls directly. Walls rise `storeyPx` per storey.

// A pentagon whose left edge (100,205)-(100,200) is upright on the screen. Edges: e0 upright,
// e1 and e2 touch the top vertex (the back), e3 (220,210)-(160,260) and e4 (100,205)-(160,260)
// face the viewer. No wall is hidden by the footprint (every edge has an end whose point one
// storey lower lies outside it).
const std::vector<POINT> kPentagon = {{100, 205}, {100, 200}, {160, 140}, {220, 210}, {160, 260}};

// A trapezoid narrower at the back. e3, the back edge (120,150)-(180,150), is hidden: one
// storey (20 px) lower both ends lie inside the footprint. Walls drawn: e2, the right side
// (upper end (180,150) higher than the front's), then e1, the front (200,200)-(100,200).
const std::vector<POINT> kTrapezoid = {{120, 150}, {100, 200}, {200, 200}, {180, 150}};

BuildingRec MakeBuilding(int16_t purpose, int16_t floors, const char* caption = "") {
    BuildingRec b{};
    b.purpose = purpose;
    b.floors = floors;
    strncpy(b.caption, caption, sizeof b.caption - 1);
    return b;
}

std::vector<POINT> Wall(int xa, int ya, int xb, int yb, int h) {
    return {{xa, ya}, {xb, yb}, {xb, yb - h}, {xa, ya - h}};
}

// Calls that drew with a window brush (or the window pens of level 1).
std::vector<GdiCall> WindowCalls(const PlanCanvas& canvas) {
    std::vector<GdiCall> windows;
    for (const GdiCall& call : canvas.Calls()) {
        const bool windowFill = call.op == GdiOp::Polygon &&
                                (call.brush == g_style.brush_window_lit || call.brush == g_style.brush_window_dark);
        const bool windowRow = call.op == GdiOp::Polyline &&
                               (call.pen == g_style.pen_window_lit || call.pen == g_style.pen_window_dark);
        if (windowFill || windowRow) windows.push_back(call);
    }
    return windows;
}

std::vector<GdiCall> WallCalls(const PlanCanvas& canvas) {
    std::vector<GdiCall> walls;
    for (const GdiCall& call : canvas.CallsOf(GdiOp::Polygon)) {
        if (call.pen == g_fixed.pen_outline_dark) walls.push_back(call);
    }
    return walls;
}

TEST(BlockWallsTest, UprightAndBackEdgesGetNoWallAndFrontWallsGoBackToFront) {
    PlanCanvas canvas(kModeWithoutWindows);
    canvas.SetView(0.5, 0.0f, 0.0f, 3);
    storeyPx = 10;
    const BuildingRec b = MakeBuilding(444, 3);
    canvas.StartRecording();
    DrawBlockWalls(5, kPentagon.data(), b);
    const auto walls = canvas.CallsOf(GdiOp::Polygon);
    ASSERT_EQ(walls.size(), 2u);
    EXPECT_EQ(walls[0].points, Wall(100, 205, 160, 260, 30)) << Describe(walls[0].points);
    EXPECT_EQ(walls[1].points, Wall(220, 210, 160, 260, 30)) << Describe(walls[1].points);
    EXPECT_EQ(walls[0].brush, BrushBuilding(3));
    EXPECT_TRUE(canvas.CallsOf(GdiOp::Polyline).empty()) << "no windows, so no second edge pass";
}

TEST(BlockWallsTest, WallsOnTheFarSideOfTheBlockAreHidden) {
    PlanCanvas canvas(kModeWithoutWindows);
    canvas.SetView(0.5, 0.0f, 0.0f, 3);
    storeyPx = 20;
    canvas.StartRecording();
    DrawBlockWalls(4, kTrapezoid.data(), MakeBuilding(444, 2));
    const auto walls = canvas.CallsOf(GdiOp::Polygon);
    ASSERT_EQ(walls.size(), 2u);
    EXPECT_EQ(walls[0].points, Wall(180, 150, 200, 200, 40));
    EXPECT_EQ(walls[1].points, Wall(200, 200, 100, 200, 40));
}

TEST(BlockWallsTest, RaisedStructuresStandOneStoreyUp) {
    PlanCanvas canvas(kModeWithoutWindows);
    canvas.SetView(0.5, 0.0f, 0.0f, 3);
    storeyPx = 20;
    canvas.StartRecording();
    DrawBlockWalls(4, kTrapezoid.data(), MakeBuilding(658, 5));
    const auto walls = canvas.CallsOf(GdiOp::Polygon);
    ASSERT_EQ(walls.size(), 2u);
    // From the first storey line (20 px up) to the fifth: 4 storeys of wall.
    EXPECT_EQ(walls[1].points, Wall(200, 180, 100, 180, 80));
}

TEST(BlocksTest, RoofAtTheFullHeightOfARaisedStructure) {
    PlanCanvas canvas(kModeWithoutWindows);
    canvas.SetView(0.5, 0.0f, 0.0f, 3);  // storeyPx = trunc(4 * 0.5 * 5) = 10
    BuildingSketch bridge;
    bridge.purpose = 658;
    bridge.floors = 5;
    bridge.points = RectOutline(100, 100, 110, 120);
    canvas.SetBuildings({bridge});
    canvas.StartRecording();
    Draw3DBuildings();
    EXPECT_EQ(storeyPx, 10);
    const auto polygons = canvas.CallsOf(GdiOp::Polygon);
    ASSERT_GE(polygons.size(), 2u);
    const GdiCall& roof = polygons.back();
    const std::vector<POINT> footprint = {{200, 99}, {240, 99}, {240, 79}, {200, 79}};
    EXPECT_EQ(roof.points, Shifted(footprint, 0, -50));
    EXPECT_EQ(roof.brush, BrushRoof(0)) << "658 is category 0";
    // Every wall stands on the first storey line and is four storeys high.
    for (size_t i = 0; i + 1 < polygons.size(); ++i) {
        const auto& p = polygons[i].points;
        SCOPED_TRACE(Describe(p));
        ASSERT_EQ(p.size(), 4u);
        EXPECT_TRUE(p[0].y == 89 || p[0].y == 69);
        EXPECT_EQ(p[1].y - p[2].y, 40);
    }
    // The front wall (footprint y 99) is among them.
    bool front = false;
    for (size_t i = 0; i + 1 < polygons.size(); ++i) front = front || polygons[i].points[0].y == 89;
    EXPECT_TRUE(front);
}

TEST(BlocksTest, BlocksLookLikeBlocksOnTheBitmap) {
    PlanCanvas canvas(kModeWithoutWindows);
    canvas.SetView(0.5, 0.0f, 0.0f, 3);
    BuildingSketch house;
    house.purpose = 444;  // category 3: 3D wall #C8C8A0, roof #B4B48C
    house.floors = 2;
    house.points = RectOutline(100, 100, 110, 120);
    canvas.SetBuildings({house});
    Draw3DBuildings();
    // Footprint y 79..99, lifted 20 for the roof: roof y 59..79, front wall y 79..99 below it.
    EXPECT_EQ(canvas.Pixel(220, 70), RGB(0xB4, 0xB4, 0x8C));
    EXPECT_EQ(canvas.Pixel(220, 90), RGB(0xC8, 0xC8, 0xA0));
    EXPECT_EQ(canvas.Pixel(220, 50), RGB(255, 255, 255)) << "nothing above the roof";
}

TEST(BlockWallsTest, OutlinesLongerThanTheEdgeTablesAreDrawnWhole) {
    PlanCanvas canvas(kModeLightWindows);
    canvas.SetView(0.5, 0.0f, 0.0f, 3);
    BuildingSketch tower;
    tower.purpose = 444;
    tower.floors = 3;
    for (int i = 0; i < 300; ++i) {
        const double a = 2.0 * M_PI * i / 300.0;
        tower.points.push_back({static_cast<float>(75 + 40 * std::cos(a)), static_cast<float>(100 + 60 * std::sin(a))});
    }
    canvas.SetBuildings({tower});
    canvas.StartRecording();
    Draw3DBuildings();
    const auto polygons = canvas.CallsOf(GdiOp::Polygon);
    ASSERT_FALSE(polygons.empty());
    EXPECT_GT(polygons.back().points.size(), 220u) << "the roof keeps every point";
    EXPECT_GT(WallCalls(canvas).size(), 100u) << "the front half of the ring has walls";
}

// ---- Windows ----

TEST(WindowsTest, LevelOneDrawsTwoPixelRowsEveryFourPixels) {
    PlanCanvas canvas(kModeLightWindows);
    canvas.SetView(0.5, 0.0f, 0.0f, 1);
    storeyPx = 4;
    canvas.StartRecording();
    DrawBlockWalls(4, kTrapezoid.data(), MakeBuilding(444, 2));
    const auto rows = WindowCalls(canvas);
    // Storeys of 4 px hide the back edge too (its ends lie inside 4 px lower). Side wall
    // (180,150)-(200,200): x 181..199; front (200,200)-(100,200): x 199..101. h = 8: t = 2, 6.
    const std::vector<std::vector<POINT>> expected = {
        {{181, 148}, {199, 198}}, {{181, 147}, {199, 197}}, {{181, 144}, {199, 194}}, {{181, 143}, {199, 193}},
        {{199, 198}, {101, 198}}, {{199, 197}, {101, 197}}, {{199, 194}, {101, 194}}, {{199, 193}, {101, 193}},
    };
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].points, expected[i]) << i;
        EXPECT_EQ(rows[i].pen, g_style.pen_window_lit);
    }
    EXPECT_EQ(canvas.CallsOf(GdiOp::Polyline).size(), rows.size() + 2) << "each wall's edge drawn again";
}

TEST(WindowsTest, DarkRowsInDarkWindowsAndForPurpose777) {
    struct Case {
        int32_t mode;
        int16_t purpose;
        bool dark;
    };
    const Case cases[] = {{kModeDarkWindows, 444, true}, {kModeLightWindows, 777, true}, {kModeWideWindows, 444, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.purpose);
        PlanCanvas canvas(c.mode);
        canvas.SetView(0.5, 0.0f, 0.0f, 1);
        storeyPx = 4;
        canvas.StartRecording();
        DrawBlockWalls(4, kTrapezoid.data(), MakeBuilding(c.purpose, 2));
        const auto rows = WindowCalls(canvas);
        ASSERT_FALSE(rows.empty());
        for (const GdiCall& row : rows) EXPECT_EQ(row.pen, c.dark ? g_style.pen_window_dark : g_style.pen_window_lit);
    }
}

TEST(WindowsTest, SingleWindowsAreCentredOnTheWallOneStoreyApart) {
    PlanCanvas canvas(kModeLightWindows);
    canvas.SetView(0.5, 0.0f, 0.0f, 3);
    storeyPx = 20;
    canvas.StartRecording();
    DrawBlockWalls(4, kTrapezoid.data(), MakeBuilding(444, 2));
    const auto windows = WindowCalls(canvas);
    // Side wall: L = sqrt(20^2 + 50^2) = 53.9, two windows a storey. Front wall from x 200 to
    // 100: L = 100, five windows, offset (100 - 100) / 2 + 4 = 4, each 12 px long and 10 high;
    // the floor line of storey i is 200 - 5 - 20 i.
    ASSERT_EQ(windows.size(), 2u * 2u + 2u * 5u);
    for (int storey = 0; storey < 2; ++storey) {
        for (int j = 0; j < 5; ++j) {
            SCOPED_TRACE(testing::Message() << storey << " " << j);
            const int y0 = 195 - 20 * storey;
            const int x1 = 200 - (4 + 20 * j);
            const std::vector<POINT> expected = {{x1, y0}, {x1 - 12, y0}, {x1 - 12, y0 - 10}, {x1, y0 - 10}};
            const GdiCall& window = windows[4 + 5 * storey + j];
            EXPECT_EQ(window.points, expected) << Describe(window.points);
            EXPECT_EQ(window.brush, g_style.brush_window_lit);
            EXPECT_TRUE(PenIsNull(window));
        }
    }
}

TEST(WindowsTest, BandsPerStoreyForWideWindowsAndPurposes777And888) {
    struct Case {
        const char* name;
        int32_t mode;
        int16_t purpose;
        bool dark;
    };
    const Case cases[] = {{"wide", kModeWideWindows, 444, false},
                          {"888 in dark windows", kModeDarkWindows, 888, false},
                          {"777 in light windows", kModeLightWindows, 777, true},
                          {"777 on clock", kModeWindowsOnClock, 777, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlanCanvas canvas(c.mode);
        canvas.SetView(0.5, 0.0f, 0.0f, 3);
        storeyPx = 20;
        canvas.StartRecording();
        DrawBlockWalls(4, kTrapezoid.data(), MakeBuilding(c.purpose, 3));
        const auto bands = WindowCalls(canvas);
        ASSERT_EQ(bands.size(), 6u) << "one band per storey on each of the two walls";
        for (const GdiCall& band : bands) {
            EXPECT_EQ(band.brush, c.dark ? g_style.brush_window_dark : g_style.brush_window_lit);
        }
        // Front wall, q = 5 in from each end and up, half a storey high.
        for (int i = 0; i < 3; ++i) {
            const int y = 195 - 20 * i;
            EXPECT_EQ(bands[3 + i].points, (std::vector<POINT>{{195, y}, {105, y}, {105, y - 10}, {195, y - 10}}));
        }
    }
}

TEST(WindowsTest, NoWindowsBelowLevelOneForBlindOutbuildingsOrWithoutWindows) {
    struct Case {
        const char* name;
        int32_t mode;
        int level;
        int16_t purpose;
        int16_t floors;
        const char* caption;
        bool windows;
    };
    const Case cases[] = {
        {"without windows", kModeWithoutWindows, 3, 444, 3, "", false},
        {"level 0", kModeLightWindows, 0, 444, 3, "", false},
        {"one-storey outbuilding", kModeLightWindows, 3, 413, 1, "", false},
        {"garage", kModeLightWindows, 3, 413, 2, "garazh", false},
        {"garage in Cyrillic", kModeLightWindows, 3, 413, 2, "\xE3\xE0\xF0\xE0\xE6", false},  // гараж
        {"capitalised is not the garage mark", kModeLightWindows, 3, 413, 2, "Garazh", true},
        {"storehouse", kModeLightWindows, 3, 413, 2, "sklad", true},
        {"ga elsewhere", kModeLightWindows, 3, 444, 2, "garazh", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PlanCanvas canvas(c.mode);
        canvas.SetView(0.5, 0.0f, 0.0f, c.level);
        storeyPx = 20;
        canvas.StartRecording();
        DrawBlockWalls(4, kTrapezoid.data(), MakeBuilding(c.purpose, c.floors, c.caption));
        EXPECT_EQ(!WindowCalls(canvas).empty(), c.windows);
        EXPECT_EQ(WallCalls(canvas).size(), 2u);
    }
}

// ---- Windows on clock ----

int g_testHour = 12;
int TestHour() { return g_testHour; }

class ClockTest : public ::testing::Test {
protected:
    ClockTest() : canvas(kModeWindowsOnClock) {
        canvas.SetView(0.5, 0.0f, 0.0f, 3);
        SetLocalHourQuery(TestHour);
    }
    ~ClockTest() override {
        SetLocalHourQuery(nullptr);
        g_randSeed = 1;
    }
    // Lit (true) or dark for each window of one storey of the trapezoid (2 side, 5 front), the
    // random sequence started afresh.
    std::vector<bool> Pattern(int hour, int16_t purpose) {
        g_testHour = hour;
        currentHour = hour;
        g_randSeed = 1;
        storeyPx = 20;
        canvas.StartRecording();
        DrawBlockWalls(4, kTrapezoid.data(), MakeBuilding(purpose, 1));
        std::vector<bool> lit;
        for (const GdiCall& window : WindowCalls(canvas)) lit.push_back(window.brush == g_style.brush_window_lit);
        return lit;
    }
    PlanCanvas canvas;
};

TEST(RuntimeRandTest, FollowsTheRuntimeSequenceFromSeedOne) {
    g_randSeed = 1;
    // seed 1 * 214013 + 2531011 = 2745024, bits 16..30: 41; the next seed is
    // 3357800067 (mod 2^32), giving 51235 & 0x7FFF = 18467.
    const int expected[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464};
    for (int value : expected) EXPECT_EQ(RuntimeRand(), value);
    g_randSeed = 1;
}

TEST_F(ClockTest, OneRandomNumberPerWindowByTheHourTable) {
    // The first seven numbers: 41, 18467, 6334, 26500, 19169, 15724, 11478.
    struct Case {
        int hour;
        int16_t purpose;
        std::vector<bool> lit;
    };
    const bool L = true, D = false;
    const Case cases[] = {
        {3, 411, {D, D, D, D, D, D, D}},  // lit when r mod 30 = 0: none
        {3, 555, {D, D, L, L, D, L, L}},  // lit when r is even
        {7, 444, {L, L, L, L, L, L, D}},  // dark when r mod 3 = 0: only 11478
        {12, 411, {D, D, D, L, D, D, D}},  // lit when r mod 10 = 0: 26500
        {12, 555, {L, L, L, D, L, L, L}},  // dark when r mod 5 = 0: 26500
        {20, 411, {L, L, L, D, L, D, L}},  // dark when r mod 4 = 0: 26500, 15724
        {20, 444, {D, D, D, L, D, L, D}},  // lit when r mod 4 = 0
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":00 purpose " << c.purpose);
        EXPECT_EQ(Pattern(c.hour, c.purpose), c.lit);
    }
}

TEST_F(ClockTest, ShareOfLitWindowsFollowsTheTimeOfDay) {
    struct Case {
        int hour;
        int16_t purpose;
        double low;
        double high;
    };
    // Midday: a tenth of the homes (411) lit, four fifths of the rest. 3 in the morning: half
    // the offices (555), a thirtieth of everything else.
    const Case cases[] = {{12, 411, 0.07, 0.13}, {12, 444, 0.75, 0.85}, {3, 555, 0.45, 0.55}, {3, 444, 0.01, 0.06}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.hour << ":00 purpose " << c.purpose);
        g_testHour = c.hour;
        g_randSeed = 1;
        BuildingSketch block;
        block.purpose = c.purpose;
        block.floors = 14;  // storeys of trunc(4 * 0.5 * 5) = 10 pixels
        block.points = RectOutline(5, 10, 10, 190);  // a 360-pixel front wall: 36 windows a storey
        canvas.SetBuildings({block});
        // Four frames in a row, the sequence running on, for a sample of some thousand windows.
        int lit = 0, all = 0;
        for (int frame = 0; frame < 4; ++frame) {
            canvas.StartRecording();
            Draw3DBuildings();
            EXPECT_EQ(currentHour, c.hour);
            for (const GdiCall& window : WindowCalls(canvas)) {
                ++all;
                if (window.brush == g_style.brush_window_lit) ++lit;
            }
        }
        ASSERT_GT(all, 900);
        const double share = static_cast<double>(lit) / all;
        EXPECT_GE(share, c.low);
        EXPECT_LE(share, c.high);
    }
}

TEST_F(ClockTest, TheSequenceRunsOnFromFrameToFrame) {
    const std::vector<bool> first = Pattern(3, 555);
    g_randSeed = 1;
    RuntimeRand();
    // Started one number later, the same walls light differently.
    storeyPx = 20;
    canvas.StartRecording();
    DrawBlockWalls(4, kTrapezoid.data(), MakeBuilding(555, 1));
    std::vector<bool> second;
    for (const GdiCall& window : WindowCalls(canvas)) second.push_back(window.brush == g_style.brush_window_lit);
    // 18467, 6334, 26500, 19169, 15724, 11478, 29358: odd, even, even, odd, even, even, even.
    EXPECT_EQ(second, (std::vector<bool>{false, true, true, false, true, true, true}));
    EXPECT_NE(first, second);
}

}  // namespace
