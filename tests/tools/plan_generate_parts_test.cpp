// Parts of the city generator whose faults the finished city would hide: the code page of the
// names, the order key of the street list, the clipping of lines and outlines, and the land
// raster that keeps streets and houses off the water.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "coast.h"
#include "common.h"
#include "names.h"

namespace citygen {
namespace {

std::string Bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

TEST(GeneratorNames, Utf8BecomesWindows1251) {
    struct Case {
        const char* utf8;
        std::string expected;
    };
    const Case cases[] = {
        {"ул.", Bytes({0xF3, 0xEB, '.'})},
        {"Ёлка ёж", Bytes({0xA8, 0xEB, 0xEA, 0xE0, ' ', 0xB8, 0xE6})},
        {"№ 5 «Уют»", Bytes({0xB9, ' ', '5', ' ', 0xAB, 0xD3, 0xFE, 0xF2, 0xBB})},
        {"АЯая", Bytes({0xC0, 0xDF, 0xE0, 0xFF})},
        {"12а/3", Bytes({'1', '2', 0xE0, '/', '3'})},
        {"€", "?"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(To1251(c.utf8), c.expected);
    }
}

// The street list is ordered as the viewer holds it: transliterated, then lower-cased.
TEST(GeneratorNames, OrderKeyIsTheLowerCasedLatinForm) {
    struct Case {
        const char* utf8;
        const char* key;
    };
    const Case cases[] = {
        {"Чайковского ул.", "chajkovskogo ul."},
        {"Щукина ул.", "sh`ukyna ul."},
        {"Морская 2-я ул.", "morskaya 2-ya ul."},
        {"Синий пер.", "synij per."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(LatinKey(To1251(c.utf8)), c.key);
        EXPECT_EQ(LatinLength(To1251(c.utf8)), std::strlen(c.key));
    }
    // Latin order differs from the order of the Cyrillic bytes: Ч stands after Д in the code
    // page, but Ch before D.
    EXPECT_LT(LatinKey(To1251("Чехова ул.")), LatinKey(To1251("Дачная ул.")));
    EXPECT_GT(To1251("Чехова ул."), To1251("Дачная ул."));
}

TEST(GeneratorNames, StreetNamesAreUniqueFitTheirFieldAndAgreeWithTheirKind) {
    struct Kind {
        int kind;
        const char* ending;
    };
    const Kind kinds[] = {{kKindStreet, " ул."},      {kKindAvenue, " пр-т"}, {kKindLane, " пер."},
                          {kKindEmbankment, " наб."}, {kKindHighway, " ш."},  {kKindRoad, " дорога"}};
    StreetNamer namer(5);
    std::set<std::string> seen;
    for (int round = 0; round < 400; ++round) {
        for (const Kind& k : kinds) {
            std::string name = namer.Next(k.kind, round % 4);
            SCOPED_TRACE(name);
            ASSERT_TRUE(seen.insert(name).second);
            ASSERT_LE(name.size(), 29u);
            ASSERT_LE(LatinLength(name), 29u);
            std::string ending = To1251(k.ending);
            std::string plain = name.substr(0, name.find('/'));
            ASSERT_GE(plain.size(), ending.size());
            ASSERT_EQ(plain.substr(plain.size() - ending.size()), ending);
        }
    }
}

TEST(GeneratorGeometry, LinesAndOutlinesAreCutByConvexShapes) {
    const Ring square = {{2, -1}, {8, -1}, {8, 1}, {2, 1}};
    std::vector<Polyline> pieces = ClipLineConvex({{0, 0}, {10, 0}}, square);
    ASSERT_EQ(pieces.size(), 1u);
    ASSERT_EQ(pieces[0].size(), 2u);
    EXPECT_DOUBLE_EQ(pieces[0][0].x, 2.0);
    EXPECT_DOUBLE_EQ(pieces[0][1].x, 8.0);
    // In, out and in again: two pieces.
    pieces = ClipLineConvex({{0, 0}, {5, 0}, {5, 5}, {6, 5}, {6, 0}, {10, 0}}, square);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_DOUBLE_EQ(pieces[0].back().y, 1.0);
    EXPECT_DOUBLE_EQ(pieces[1].front().y, 1.0);
    EXPECT_DOUBLE_EQ(pieces[1].back().x, 8.0);

    // A 10 x 10 square cut by the strip keeps a 6 by 1 piece of it, whichever way round either runs.
    const Ring outline = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    Ring reversed(outline.rbegin(), outline.rend());
    for (const Ring& clip : {square, Ring(square.rbegin(), square.rend())}) {
        for (const Ring& subject : {outline, reversed}) {
            Ring cut = ClipRingConvex(subject, clip);
            EXPECT_DOUBLE_EQ(std::fabs(RingArea2(cut)) / 2.0, 6.0);
        }
    }
    Ring inner = ShrinkConvex(outline, 2.0);
    EXPECT_DOUBLE_EQ(std::fabs(RingArea2(inner)) / 2.0, 36.0);
}

TEST(GeneratorGeometry, SubLineAndPointAtFollowTheArcLength) {
    const Polyline line = {{0, 0}, {10, 0}, {10, 10}};
    Vec dir;
    Vec p = PointAt(line, 15.0, &dir);
    EXPECT_DOUBLE_EQ(p.x, 10.0);
    EXPECT_DOUBLE_EQ(p.y, 5.0);
    EXPECT_DOUBLE_EQ(dir.y, 1.0);
    Polyline part = SubLine(line, 5.0, 15.0);
    ASSERT_EQ(part.size(), 3u);
    EXPECT_DOUBLE_EQ(PolylineLength(part), 10.0);
}

TEST(GeneratorLand, DryCellsLieWhollyInsideAndKnowTheirDistanceToWater) {
    LandMask mask;
    const Ring island = {{100, 100}, {200, 100}, {200, 200}, {100, 200}};
    mask.FillRing(island, kCellLand);
    mask.MarkOutline(island);
    mask.ComputeWaterDistance();
    struct Case {
        double x, y;
        bool dry;
        double distance;
    };
    // Cells are 10 m; the outline's cells (and those on both sides of a border it runs along)
    // count as water.
    const Case cases[] = {
        {155, 155, true, 40},   // 4 cells to the shore cells at 190..210
        {125, 155, true, 20},   // the shore cells at 100..110 are 2 rows away
        {105, 155, false, 0},   // the coast runs through this cell
        {95, 155, false, 0},    // outside
        {300, 300, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.x << ", " << c.y);
        EXPECT_EQ(mask.IsDry({c.x, c.y}), c.dry);
        EXPECT_DOUBLE_EQ(mask.WaterDistance({c.x, c.y}), c.distance);
    }
    // A lake on the island is water again.
    mask.FillRing({{140, 140}, {160, 140}, {160, 160}, {140, 160}}, kCellWater);
    EXPECT_FALSE(mask.IsDry({150, 150}));
}

}  // namespace
}  // namespace citygen
