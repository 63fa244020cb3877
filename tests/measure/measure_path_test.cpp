// The measured polyline without its window: the value texts, clicks on lines and along streets,
// the snapping onto a street and the growth of the point array.
//
// The view is set by hand: scale 0.2 (1:5000) at 4 pixels per millimetre, so one pixel is
// 1.25 m; detail level 1 unless a test sets another. The snapping reach is then
// 2 * 1 / 0.2 = 10 m.
#include "measure/measure_path.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "render/frame.h"
#include "render/offscreen.h"
#include "render/styles.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

// Unit words as the program writes them (Windows-1251).
const std::string kM = "\xEC";             // м
const std::string kKm = "\xEA\xEC";        // км
const std::string kSqM = "\xEA\xE2.\xEC";  // кв.м
const std::string kHa = "\xE3\xE0";        // га

struct Pt {
    float x;
    float y;
};

class MeasurePathTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(OpenOffscreenSurface(1000, 600));
        CreateFixedObjects();
        g_view = ViewState{};
        g_view.vpRight = 1000;
        g_view.vpBottom = 600;
        g_view.pxPerMmX = 4.0f;
        g_view.pxPerMmY = 4.0f;
        g_view.scale = 0.2;
        g_view.detailLevel = 1;
        g_view.xMin = 0.0f;
        g_view.yMin = 0.0f;
        g_view.xMax = 750.0f;
        g_view.yMax = 1250.0f;
        streetLineCursor = 0;
        SetMeasureRealloc(nullptr);
    }

    void TearDown() override {
        CloseMeasurePoints();
        SetMeasureRealloc(nullptr);
        g_street_lines = nullptr;
        g_street_line_count = 0;
        DeleteFixedObjects();
        CloseOffscreenSurface();
    }

    // Street lines owned by the test; their boxes follow from their points.
    void SetStreets(std::vector<std::vector<PlanPoint>> lines, std::vector<int16_t> codes) {
        points_ = std::move(lines);
        records_.clear();
        for (size_t i = 0; i < points_.size(); ++i) {
            LineRec rec{};
            rec.code = codes[i];
            rec.count = static_cast<int16_t>(points_[i].size());
            rec.pts = points_[i].data();
            rec.box = {points_[i][0].x, points_[i][0].y, points_[i][0].x, points_[i][0].y};
            for (const PlanPoint& p : points_[i]) {
                rec.box.xMin = std::min(rec.box.xMin, p.x);
                rec.box.yMin = std::min(rec.box.yMin, p.y);
                rec.box.xMax = std::max(rec.box.xMax, p.x);
                rec.box.yMax = std::max(rec.box.yMax, p.y);
            }
            records_.push_back(rec);
        }
        g_street_lines = records_.data();
        g_street_line_count = static_cast<int32_t>(records_.size());
    }

    std::vector<MeasureStep> Click(int32_t mode, const std::vector<Pt>& clicks) {
        EXPECT_TRUE(OpenMeasurePoints(mode));
        std::vector<MeasureStep> steps;
        for (const Pt& c : clicks) steps.push_back(MeasureClickAt(c.x, c.y, band_));
        return steps;
    }

    static void ExpectPoints(const std::vector<Pt>& expected) {
        ASSERT_EQ(g_measureCount, static_cast<int32_t>(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE("point " + std::to_string(i));
            EXPECT_FLOAT_EQ(g_measurePoints[i].x, expected[i].x);
            EXPECT_FLOAT_EQ(g_measurePoints[i].y, expected[i].y);
        }
    }

    POINT band_[2] = {};
    std::vector<std::vector<PlanPoint>> points_;
    std::vector<LineRec> records_;
};

// A street of constant Y from X = x0, one point every 100 m.
std::vector<PlanPoint> NorthwardStreet(float x0, float y, int count) {
    std::vector<PlanPoint> pts;
    for (int i = 0; i < count; ++i) pts.push_back(PlanPoint{x0 + 100.0f * static_cast<float>(i), y});
    return pts;
}

// A street of constant X from Y = y0, one point every 100 m.
std::vector<PlanPoint> EastwardStreet(float x, float y0, int count) {
    std::vector<PlanPoint> pts;
    for (int i = 0; i < count; ++i) pts.push_back(PlanPoint{x, y0 + 100.0f * static_cast<float>(i)});
    return pts;
}

std::string Text(void (*format)(char*, double), double value) {
    char out[kMeasureTextSize];
    format(out, value);
    return out;
}

TEST_F(MeasurePathTest, ValuesAreWrittenInTheUnitsOfTheDetailLevel) {
    struct Case {
        uint16_t level;
        double metres;
        double squareMetres;
        std::string current;
        std::string total;
        std::string area;
    };
    const Case cases[] = {
        // Kilometres and hectares on the small scales; the current length keeps three decimals.
        {0, 1500.0, 25000.0, " 1.500 " + kKm, " 1.5 " + kKm, " 2.5 " + kHa},
        {1, 200.0, 5000.0, " 0.200 " + kKm, " 0.2 " + kKm, " 0.5 " + kHa},
        // Metres from level 2, square metres only from level 3.
        {2, 200.0, 5000.0, " 200.0 " + kM, " 200.0 " + kM, " 0.5 " + kHa},
        {3, 200.0, 5000.0, " 200.0 " + kM, " 200.0 " + kM, " 5000.0 " + kSqM},
        {5, 12.34, 0.0, " 12.3 " + kM, " 12.3 " + kM, " 0.0 " + kSqM},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("detail level " + std::to_string(c.level));
        g_view.detailLevel = c.level;
        EXPECT_EQ(Text(FormatCurrentLength, c.metres), c.current);
        EXPECT_EQ(Text(FormatTotalLength, c.metres), c.total);
        EXPECT_EQ(Text(FormatArea, c.squareMetres), c.area);
    }
}

TEST_F(MeasurePathTest, RelativeCoordinatesGiveTheEastingFirstAndNeverOverrunTheirRoom) {
    char out[kMeasureTextSize];
    FormatRelative(out, 30.0, -40.0);
    EXPECT_STREQ(out, "-40.0, 30.0");
    // A value too long for the room is cut, not written past it.
    FormatTotalLength(out, 1e40);
    EXPECT_EQ(std::string(out).size(), static_cast<size_t>(kMeasureTextSize - 1));
}

TEST_F(MeasurePathTest, ClicksOnLinesAreTakenWhereTheyAreMade) {
    const std::vector<MeasureStep> steps = Click(kMeasureOnLines, {{100, 100}, {200, 100}, {200, 200}});
    for (MeasureStep s : steps) EXPECT_EQ(s, MeasureStep::kAdded);
    ExpectPoints({{100, 100}, {200, 100}, {200, 200}});
    EXPECT_DOUBLE_EQ(MeasuredLength(), 200.0);
    EXPECT_DOUBLE_EQ(MeasuredArea(), 5000.0);
    // The anchor of the band is the last point's pixel: Y 200 is 200 * 0.8 = 160 pixels from
    // the left, X 200 is trunc(600 - 160.5) = 439 from the top.
    EXPECT_EQ(band_[0].x, 160);
    EXPECT_EQ(band_[0].y, 439);
}

TEST_F(MeasurePathTest, ClicksOnOneStreetFollowItsPointsEitherWay) {
    SetStreets({NorthwardStreet(1000, 500, 5)}, {7});
    struct Case {
        const char* name;
        std::vector<Pt> clicks;
        std::vector<Pt> expected;
    };
    const Case cases[] = {
        // Segment 3, then segment 1: points 3 and 2 in decreasing order.
        {"backwards", {{1350, 503}, {1150, 497}}, {{1350, 500}, {1300, 500}, {1200, 500}, {1150, 500}}},
        // Segment 0, then segment 3: points 1 to 3.
        {"forwards",
         {{1050, 498}, {1320, 504}},
         {{1050, 500}, {1100, 500}, {1200, 500}, {1300, 500}, {1320, 500}}},
        // Both on segment 2: a straight step.
        {"one segment", {{1210, 501}, {1290, 509}}, {{1210, 500}, {1290, 500}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (MeasureStep s : Click(kMeasureOnStreets, c.clicks)) EXPECT_EQ(s, MeasureStep::kAdded);
        ExpectPoints(c.expected);
        EXPECT_EQ(g_measureRoad, &records_[0]);
        CloseMeasurePoints();
    }
}

TEST_F(MeasurePathTest, TwoPiecesOfOneStreetAreTwoLines) {
    // Same street id and the same number of points, far apart: the path must not take the
    // second piece's point numbers on the first piece.
    SetStreets({NorthwardStreet(1000, 500, 5), NorthwardStreet(2000, 500, 5)}, {7, 7});
    Click(kMeasureOnStreets, {{1350, 503}, {2050, 502}});
    ExpectPoints({{1350, 500}, {2050, 500}});
    EXPECT_EQ(g_measureRoad, &records_[1]);
    EXPECT_EQ(g_measureSegment, 0);
}

TEST_F(MeasurePathTest, CrossingStreetsTurnAtAJunctionCloserThanThreeMetres) {
    struct Case {
        float crossingX;  // where the second street runs; the first has a point at X 1200
        std::vector<Pt> expected;
    };
    const Case cases[] = {
        // Along the first street to its point 2, then the second from its point 2 to 3.
        {1202.0f, {{1050, 500}, {1100, 500}, {1200, 500}, {1202, 500}, {1202, 600}, {1202, 650}}},
        // 3 m apart is not a junction: a straight line.
        {1203.0f, {{1050, 500}, {1203, 650}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("second street at X " + std::to_string(c.crossingX));
        SetStreets({NorthwardStreet(1000, 500, 5), EastwardStreet(c.crossingX, 300, 5)}, {1, 2});
        for (MeasureStep s : Click(kMeasureOnStreets, {{1050, 502}, {1206, 650}}))
            EXPECT_EQ(s, MeasureStep::kAdded);
        ExpectPoints(c.expected);
        EXPECT_EQ(g_measureRoad, &records_[1]);
        EXPECT_EQ(g_measureSegment, 3);
        CloseMeasurePoints();
    }
}

TEST_F(MeasurePathTest, TurningBackAlongTheFirstStreetAndTheSecond) {
    // First click on segment 3 of the first street, the junction at its point 1 (X 1100);
    // the second street starts north of the first and is clicked on its segment 0.
    // The second street's points run Y 700, 600, 500, 400: its point 2 is the junction and the
    // click on its segment 0 lies before it.
    SetStreets({NorthwardStreet(1000, 500, 5), {{1100, 700}, {1100, 600}, {1100, 500}, {1100, 400}}}, {1, 2});
    Click(kMeasureOnStreets, {{1350, 501}, {1098, 650}});
    // Along the first street p = 3 down to j = 1, then the second from k = 2 down to s + 1 = 1.
    ExpectPoints({{1350, 500}, {1300, 500}, {1200, 500}, {1100, 500}, {1100, 500}, {1100, 600}, {1100, 650}});
}

TEST_F(MeasurePathTest, ClicksAwayFromStreetsAreTakenAsClickedAndRestartTheChain) {
    SetStreets({NorthwardStreet(1000, 500, 5)}, {7});
    const std::vector<MeasureStep> steps = Click(kMeasureOnStreets, {{1150, 502}, {1150, 600}, {1350, 498}});
    EXPECT_EQ(steps[0], MeasureStep::kAdded);
    EXPECT_EQ(steps[1], MeasureStep::kAddedOffStreet);
    EXPECT_EQ(steps[2], MeasureStep::kAdded);
    // The third click follows no street: the one before it lay on none.
    ExpectPoints({{1150, 500}, {1150, 600}, {1350, 500}});
}

TEST_F(MeasurePathTest, AtDetailLevelZeroNothingSnaps) {
    SetStreets({NorthwardStreet(1000, 500, 5)}, {7});
    g_view.detailLevel = 0;
    // Even a click exactly on the street.
    for (MeasureStep s : Click(kMeasureOnStreets, {{1100, 500}, {1150, 502}}))
        EXPECT_EQ(s, MeasureStep::kAddedOffStreet);
    ExpectPoints({{1100, 500}, {1150, 502}});
}

TEST_F(MeasurePathTest, SnappingFindsTheFootOfThePerpendicular) {
    struct Case {
        const char* name;
        std::vector<PlanPoint> street;
        Pt click;
        bool snaps;
        Pt foot;
        int32_t segment;
    };
    const Case cases[] = {
        // A straight street has a box without height: a click beside it still snaps.
        {"beside a straight street", NorthwardStreet(1000, 500, 3), {1150, 509}, true, {1150, 500}, 1},
        {"beyond the reach", NorthwardStreet(1000, 500, 3), {1150, 511}, false, {0, 0}, 0},
        // The diagonal (1000, 1000)-(1100, 1100), 7.07 m from (1055, 1045): the foot is (1050, 1050).
        {"diagonal", {{1000, 1000}, {1100, 1100}}, {1055, 1045}, true, {1050, 1050}, 0},
        // A repeated point is a segment of no length, which never takes the click.
        {"repeated point", {{1000, 500}, {1000, 500}, {1100, 500}}, {1000, 503}, true, {1000, 500}, 1},
        // Near the street's end, but the foot lies beyond it.
        {"beyond the end", {{1000, 500}, {1100, 500}}, {1105, 502}, false, {0, 0}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetStreets({c.street}, {3});
        PlanPoint p{c.click.x, c.click.y};
        int32_t segment = -1;
        const LineRec* road = SnapToRoad(&p, &segment);
        if (!c.snaps) {
            EXPECT_EQ(road, nullptr);
            EXPECT_FLOAT_EQ(p.x, c.click.x);
            EXPECT_EQ(segment, -1);
            continue;
        }
        EXPECT_EQ(road, &records_[0]);
        EXPECT_FLOAT_EQ(p.x, c.foot.x);
        EXPECT_FLOAT_EQ(p.y, c.foot.y);
        EXPECT_EQ(segment, c.segment);
    }
}

TEST_F(MeasurePathTest, TheArrayGrowsByAHundredAndKeepsThePolyline) {
    ASSERT_TRUE(OpenMeasurePoints(kMeasureOnLines));
    EXPECT_EQ(g_measureCapacity, 100);
    for (int i = 0; i < 99; ++i) ASSERT_TRUE(AddMeasurePoint(static_cast<float>(i), 0.0f, band_));
    // 99 points leave slot 99 free for the cursor.
    EXPECT_EQ(g_measureCapacity, 100);
    ASSERT_TRUE(AddMeasurePoint(99.0f, 0.0f, band_));
    EXPECT_EQ(g_measureCapacity, 200);
    for (int i = 100; i < 199; ++i) ASSERT_TRUE(AddMeasurePoint(static_cast<float>(i), 0.0f, band_));
    EXPECT_EQ(g_measureCapacity, 200);
    ASSERT_TRUE(AddMeasurePoint(199.0f, 0.0f, band_));
    EXPECT_EQ(g_measureCapacity, 300);
    ASSERT_EQ(g_measureCount, 200);
    for (int i = 0; i < 200; ++i) ASSERT_FLOAT_EQ(g_measurePoints[i].x, static_cast<float>(i));
    EXPECT_DOUBLE_EQ(MeasuredLength(), 199.0);
}

void* RefuseToGrow(void* block, size_t bytes) {
    if (block != nullptr) return nullptr;
    return malloc(bytes);
}

TEST_F(MeasurePathTest, AGrowthThatFailsEndsTheMeasurement) {
    SetMeasureRealloc(RefuseToGrow);
    ASSERT_TRUE(OpenMeasurePoints(kMeasureOnLines));
    for (int i = 0; i < 99; ++i) ASSERT_TRUE(AddMeasurePoint(static_cast<float>(i), 0.0f, band_));
    EXPECT_EQ(MeasureClickAt(500.0f, 0.0f, band_), MeasureStep::kOutOfRoom);
    EXPECT_EQ(g_measurePoints, nullptr);
    EXPECT_EQ(g_measureCount, 0);
    // Later points are refused rather than written anywhere.
    EXPECT_FALSE(AddMeasurePoint(1.0f, 1.0f, band_));
}

void* RefuseEverything(void*, size_t) { return nullptr; }

TEST_F(MeasurePathTest, NoRoomAtTheStartMeansNoMeasurement) {
    SetMeasureRealloc(RefuseEverything);
    EXPECT_FALSE(OpenMeasurePoints(kMeasureOnStreets));
    EXPECT_EQ(g_measurePoints, nullptr);
    EXPECT_EQ(g_measureCapacity, 0);
}

}  // namespace
