#include "view/geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "view/view.h"

namespace {

const float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(Distance, EuclideanWithTinyDistancesExactlyZero) {
    EXPECT_FLOAT_EQ(Distance(0, 0, 3, 4), 5.0f);
    EXPECT_FLOAT_EQ(Distance(10, 20, 7, 16), 5.0f);
    EXPECT_EQ(Distance(0, 0, 5e-6f, 0), 0.0f);  // 2.5e-11 square metres: not above 1e-10
    EXPECT_EQ(Distance(1000, 1000, 1000, 1000), 0.0f);
    EXPECT_FLOAT_EQ(Distance(0, 0, 2e-5f, 0), 2e-5f);
}

TEST(PolylineLength, SumsConsecutivePairs) {
    const float pts[] = {0, 0, 3, 4, 3, 10};
    EXPECT_FLOAT_EQ(PolylineLength(3, pts), 11.0f);
    EXPECT_EQ(PolylineLength(1, pts), 0.0f);
    EXPECT_EQ(PolylineLength(0, pts), 0.0f);
    EXPECT_EQ(PolylineLength(-2, pts), 0.0f);
}

struct AreaCase {
    const char* name;
    std::vector<float> pts;
    float area;
};

TEST(PolygonArea, ShoelaceInEitherDirection) {
    const AreaCase cases[] = {
        {"square counter-clockwise", {0, 0, 100, 0, 100, 100, 0, 100}, 10000},
        {"square clockwise", {0, 0, 0, 100, 100, 100, 100, 0}, 10000},
        {"square closed", {0, 0, 100, 0, 100, 100, 0, 100, 0, 0}, 10000},
        {"square clockwise closed", {0, 0, 0, 100, 100, 100, 100, 0, 0, 0}, 10000},
        {"right triangle", {0, 0, 4, 0, 0, 3}, 6},
        {"L shape", {0, 0, 20, 0, 20, 10, 10, 10, 10, 30, 0, 30}, 400},
        {"two points", {0, 0, 5, 5}, 0},
        {"one point", {3, 4}, 0},
    };
    for (const AreaCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FLOAT_EQ(PolygonArea(static_cast<int>(c.pts.size() / 2), c.pts.data()), c.area);
    }
    EXPECT_EQ(PolygonArea(0, nullptr), 0.0f);
}

TEST(Lines, CoefficientsAndDistances) {
    const Line horizontal = LineThroughPoints(0, 0, 10, 0);
    EXPECT_EQ(horizontal.a, 0.0f);
    EXPECT_EQ(horizontal.b, 10.0f);
    EXPECT_EQ(horizontal.c, 0.0f);
    EXPECT_DOUBLE_EQ(EvalLine(5, 3, horizontal), 30.0);
    EXPECT_FLOAT_EQ(DistanceToLine(5, 3, horizontal), 3.0f);

    // Through (1, 1) and (4, 5): a = -4, b = 3, c = -3 + 4 = 1.
    const Line oblique = LineThroughPoints(1, 1, 4, 5);
    EXPECT_EQ(oblique.a, -4.0f);
    EXPECT_EQ(oblique.b, 3.0f);
    EXPECT_EQ(oblique.c, 1.0f);
    EXPECT_DOUBLE_EQ(EvalLine(1, 1, oblique), 0.0);
    EXPECT_FLOAT_EQ(DistanceToLine(5, 2, oblique), 2.6f);  // |-20 + 6 + 1| / 5
    EXPECT_FLOAT_EQ(DistanceToSegmentLine(5, 2, Segment{1, 1, 4, 5}), 2.6f);
    // Beyond the segment's end the distance is still to the infinite line.
    EXPECT_FLOAT_EQ(DistanceToSegmentLine(20, 3, Segment{0, 0, 10, 0}), 3.0f);
}

TEST(Lines, SegmentOfZeroLengthHasAFiniteDistance) {
    EXPECT_FLOAT_EQ(DistanceToSegmentLine(6, 8, Segment{3, 4, 3, 4}), 5.0f);
    const Line none = LineThroughPoints(3, 4, 3, 4);
    EXPECT_FALSE(std::isnan(DistanceToLine(6, 8, none)));
}

TEST(Boxes, OrderedWidenedAndOfPolylines) {
    const Box b = OrderedBox(3, 8, 1, 2);
    EXPECT_EQ(b.left, 1.0f);
    EXPECT_EQ(b.top, 8.0f);
    EXPECT_EQ(b.right, 3.0f);
    EXPECT_EQ(b.bottom, 2.0f);
    const Box w = WidenBox(b, 0.5f);
    EXPECT_EQ(w.left, 0.5f);
    EXPECT_EQ(w.top, 8.5f);
    EXPECT_EQ(w.right, 3.5f);
    EXPECT_EQ(w.bottom, 1.5f);

    const float pts[] = {1, 5, 4, 2, 3, 7};
    const Box p = PolylineBox(3, pts);
    EXPECT_EQ(p.left, 1.0f);
    EXPECT_EQ(p.top, 7.0f);
    EXPECT_EQ(p.right, 4.0f);
    EXPECT_EQ(p.bottom, 2.0f);

    // A vertical or horizontal line through 0 gets a box of non-zero size.
    const float vertical[] = {0, 0, 0, 10};
    const Box v = PolylineBox(2, vertical);
    EXPECT_LT(v.left, v.right);
    const float horizontal[] = {0, 0, 10, 0};
    const Box h = PolylineBox(2, horizontal);
    EXPECT_GT(h.top, h.bottom);

    // No points: a box that holds and overlaps nothing.
    const Box none = PolylineBox(0, pts);
    EXPECT_FALSE(PointNearBox(0, 0, none, 1));
    EXPECT_FALSE(BoxesOverlap(Box{-100, 100, 100, -100}, none, 1));
}

TEST(Boxes, NearAndOverlapWithTolerance) {
    const Box b{0, 10, 10, 0};
    EXPECT_TRUE(PointNearBox(0, 0, b, 0));
    EXPECT_TRUE(PointNearBox(10, 10, b, 0));
    EXPECT_FALSE(PointNearBox(10.5f, 5, b, 0));
    EXPECT_TRUE(PointNearBox(10.5f, 5, b, 1));
    EXPECT_FALSE(PointNearBox(5, -1.5f, b, 1));
    EXPECT_FALSE(PointNearBox(kNaN, 5, b, 1));

    EXPECT_TRUE(BoxesOverlap(b, Box{10, 20, 20, 10}, 0));   // corner to corner
    EXPECT_FALSE(BoxesOverlap(b, Box{11, 5, 20, 1}, 0));    // 1 m to the right
    EXPECT_TRUE(BoxesOverlap(b, Box{11, 5, 20, 1}, 1));
    EXPECT_FALSE(BoxesOverlap(b, Box{2, 15, 8, 12}, 1));    // 2 m above
    EXPECT_TRUE(BoxesOverlap(b, Box{-5, 5, 15, 4}, 0));     // a bar across
}

struct NearCase {
    const char* name;
    float px, py;
    Segment s;
    float t;
    bool near;
};

TEST(PointNearSegment, WithinTheWidenedBoxAndTheLine) {
    const NearCase cases[] = {
        {"beside", 5, 0.5f, {0, 0, 10, 0}, 1, true},
        {"too far beside", 5, 1.5f, {0, 0, 10, 0}, 1, false},
        {"beyond the end on the line", 10.5f, 0, {0, 0, 10, 0}, 1, true},
        {"too far beyond the end", 11.5f, 0, {0, 0, 10, 0}, 1, false},
        {"diagonal, close", 5, 6, {0, 0, 10, 10}, 1, true},      // 10 / sqrt(200) = 0.71
        {"diagonal, in the box", 2, 8, {0, 0, 10, 10}, 1, false},  // 60 / sqrt(200) = 4.2
        {"reversed ends", 5, 0.5f, {10, 0, 0, 0}, 1, true},
        {"on it, no tolerance", 5, 0, {0, 0, 10, 0}, 0, true},
        {"off it, no tolerance", 5, 0.001f, {0, 0, 10, 0}, 0, false},
        {"zero length, in the box", 3.5f, 3.9f, {3, 3, 3, 3}, 1, true},
        {"zero length, outside", 4.5f, 3, {3, 3, 3, 3}, 1, false},
        {"zero length, on it, no tolerance", 3, 3, {3, 3, 3, 3}, 0, true},
        {"NaN point", kNaN, 0, {0, 0, 10, 0}, 1, false},
    };
    for (const NearCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PointNearSegment(c.px, c.py, c.s, c.t), c.near);
    }
}

TEST(PointNearPolyline, AnySegment) {
    const float pts[] = {0, 0, 10, 0, 10, 10};
    EXPECT_TRUE(PointNearPolyline(10.5f, 5, 3, pts, 1));
    EXPECT_TRUE(PointNearPolyline(5, -0.5f, 3, pts, 1));
    EXPECT_FALSE(PointNearPolyline(5, 5, 3, pts, 1));
    EXPECT_FALSE(PointNearPolyline(0, 0, 1, pts, 1));
    EXPECT_FALSE(PointNearPolyline(0, 0, 0, pts, 1));
}

struct IntersectCase {
    const char* name;
    Segment a;
    Segment b;
    bool result;
};

TEST(SegmentsIntersect, CrossingAndTouching) {
    const IntersectCase cases[] = {
        {"cross", {0, 0, 10, 10}, {0, 10, 10, 0}, true},
        {"T touching", {0, 0, 10, 0}, {5, 0, 5, 5}, true},
        {"end to end", {0, 0, 10, 0}, {10, 0, 20, 5}, true},
        {"collinear overlapping", {0, 0, 10, 0}, {5, 0, 15, 0}, true},
        {"parallel", {0, 0, 10, 0}, {0, 1, 10, 1}, false},
        {"short of it", {0, 0, 10, 0}, {11, -1, 11, 1}, false},
        // s2's line crosses s1 at (9, 9), but s2 ends before it.
        {"line crosses, segment does not", {0, 0, 10, 10}, {5, 1, 6, 3}, false},
        {"both sides of the line, beside", {0, 0, 10, 10}, {6, 0, 10, 3}, false},
        {"large coordinates", {50000, 60000, 50010, 60010}, {50000, 60010, 50010, 60000}, true},
        {"large coordinates, touching", {50000, 60000, 50010, 60000}, {50005, 60000, 50005, 60005}, true},
    };
    for (const IntersectCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SegmentsIntersect(c.a, c.b), c.result);
        EXPECT_EQ(SegmentsIntersect(c.b, c.a), c.result);
    }
}

struct TouchCase {
    const char* name;
    std::vector<float> pts;
    Box box;
    float t;
    bool result;
};

TEST(PolylineTouchesBox, CrossingInsideAndAround) {
    const Box b{0, 10, 10, 0};
    // The view x 0..10, y 0..10 passed inside out, as the land shortcut does.
    const Box inverted{10, 0, 0, 10};
    const TouchCase cases[] = {
        {"crosses without a vertex inside", {-5, 5, 15, 5}, b, 0, true},
        {"first point inside", {5, 5, 20, 20}, b, 0, true},
        {"passes around", {-5, -5, -5, 15, 15, 15}, b, 0, false},
        {"above, no tolerance", {-5, 11, 15, 11}, b, 0, false},
        {"above, within the tolerance", {-5, 11, 15, 11}, b, 2, true},
        {"single point inside", {5, 5}, b, 0, true},
        {"single point outside", {50, 5}, b, 0, false},
        {"coast around the whole view", {-100, -100, 100, -100, 100, 100, -100, 100, -100, -100}, inverted, 0, false},
        {"coast through the view", {-100, -100, 100, -100, 100, 100, 5, 100, 5, -100}, inverted, 0, true},
        {"coast beside the view", {20, -100, 100, -100, 100, 100, 20, 100}, inverted, 0, false},
    };
    for (const TouchCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PolylineTouchesBox(static_cast<int>(c.pts.size() / 2), c.pts.data(), c.box, c.t), c.result);
    }
    EXPECT_FALSE(PolylineTouchesBox(0, nullptr, b, 1));
}

struct InsideCase {
    const char* name;
    float px, py;
    int inside;
};

// The square (0, 0)-(100, 100) as the three vertex types, with and without its closing vertex.
TEST(PointInPolygon, EvenOddWithDegenerateRays) {
    const InsideCase cases[] = {
        {"centre", 50, 50, 1},
        {"right of it", 150, 50, 0},
        {"left of it", -10, 50, 0},
        {"edge facing growing x", 100, 50, 1},
        {"edge facing away from growing x", 0, 50, 0},
        {"edge facing growing y", 50, 100, 1},
        {"edge facing away from growing y", 50, 0, 0},
        {"level with two vertices, outside", 150, 100, 0},
        // Corners: the ray through a vertex is shifted to x + 1 and decides from there.
        {"corner (100, 100)", 100, 100, 0},
        {"corner (0, 0)", 0, 0, 0},
        {"corner (0, 100)", 0, 100, 1},
    };
    const std::vector<float> f32 = {0, 0, 100, 0, 100, 100, 0, 100};
    const std::vector<float> f32Closed = {0, 0, 100, 0, 100, 100, 0, 100, 0.0005f, 0.0005f};
    const std::vector<uint16_t> u16 = {0, 0, 100, 0, 100, 100, 0, 100, 0, 0};
    const std::vector<int32_t> i32 = {0, 0, 100, 0, 100, 100, 0, 100};
    for (const InsideCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PointInPolygon(4, f32.data(), c.px, c.py), c.inside);
        EXPECT_EQ(PointInPolygon(5, f32Closed.data(), c.px, c.py), c.inside);
        EXPECT_EQ(PointInPolygonU16(5, u16.data(), c.px, c.py), c.inside);
        if (c.px == static_cast<int32_t>(c.px) && c.py == static_cast<int32_t>(c.py)) {
            EXPECT_EQ(PointInPolygonI32(4, i32.data(), static_cast<int32_t>(c.px), static_cast<int32_t>(c.py)),
                      c.inside);
        }
    }
}

TEST(PointInPolygon, ShiftedRayThroughADiamond) {
    // (0, 50), (50, 0), (100, 50), (50, 100): the centre is level with two vertices and in line
    // with two others, so both rays run through vertices until the point is shifted by 1.
    const float f32[] = {0, 50, 50, 0, 100, 50, 50, 100};
    const uint16_t u16[] = {0, 50, 50, 0, 100, 50, 50, 100};
    const int32_t i32[] = {0, 50, 50, 0, 100, 50, 50, 100};
    const InsideCase cases[] = {
        {"centre", 50, 50, 1},
        {"outside corner (0, 0)", 0, 0, 0},
        {"outside corner (100, 100)", 100, 100, 0},
        {"above the top vertex", 150, 50, 0},
    };
    for (const InsideCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(PointInPolygon(4, f32, c.px, c.py), c.inside);
        EXPECT_EQ(PointInPolygonU16(4, u16, c.px, c.py), c.inside);
        EXPECT_EQ(PointInPolygonI32(4, i32, static_cast<int32_t>(c.px), static_cast<int32_t>(c.py)), c.inside);
    }
}

TEST(PointInPolygon, SafeOnDegenerateInput) {
    const float square[] = {0, 0, 100, 0, 100, 100, 0, 100};
    EXPECT_EQ(PointInPolygon(0, square, 50, 50), 0);
    EXPECT_EQ(PointInPolygon(-1, square, 50, 50), 0);
    EXPECT_EQ(PointInPolygon(1, square, 0, 0), 0);
    EXPECT_EQ(PointInPolygon(4, nullptr, 50, 50), 0);
    EXPECT_EQ(PointInPolygon(4, square, kNaN, 50), 0);
    EXPECT_EQ(PointInPolygon(4, square, 50, kNaN), 0);

    // So large that adding 1 changes nothing: the shifted ray never clears the vertex, and the
    // test must still end (as outside).
    const float huge[] = {1e20f, 1e20f, 2e20f, 1e20f, 2e20f, 2e20f, 1e20f, 2e20f};
    EXPECT_EQ(PointInPolygon(4, huge, 1e20f, 1e20f), 0);

    // Shifting a pixel at the top of the integer range must not overflow.
    const int32_t edge[] = {INT_MAX - 647, 0, INT_MAX, 0, INT_MAX, 100, INT_MAX - 647, 100};
    EXPECT_EQ(PointInPolygonI32(4, edge, INT_MAX, 50), 1);
    EXPECT_EQ(PointInPolygonI32(4, edge, INT_MAX, 0), 0);
}

TEST(PointInView, InclusiveOfTheBorders) {
    g_view = ViewState{};
    g_view.xMin = 1000;
    g_view.yMin = 2000;
    g_view.xMax = 1300;
    g_view.yMax = 2400;
    EXPECT_EQ(PointInView(1000, 2000), 1);
    EXPECT_EQ(PointInView(1300, 2400), 1);
    EXPECT_EQ(PointInView(1150, 2200), 1);
    EXPECT_EQ(PointInView(999.9f, 2200), 0);
    EXPECT_EQ(PointInView(1150, 2400.1f), 0);
    EXPECT_EQ(PointInView(kNaN, 2200), 0);
    g_view = ViewState{};
}

}  // namespace
