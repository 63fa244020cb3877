// Parts of the city generator whose faults the finished city would hide: the code page of the
// names, the order key of the street list, the clipping of lines and outlines, and the land
// raster that keeps streets and houses off the water.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "coast.h"
#include "common.h"
#include "generate.h"
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

// A city of many side streets runs out of plain names: the namer numbers them then, "Морская
// 2-я ул.", but only names of places and things; "Пушкина 2-я ул." is no street name.
TEST(GeneratorNames, NumberedStreetsAreNamedAfterPlacesAndThings) {
    StreetNamer namer(9);
    // Endings of the adjectives in the three genders, and of the ordinals.
    const char* adjectiveEndings[] = {"ая", "яя", "ой", "ый", "ий", "ое", "ее"};
    int numbered = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string name = namer.Next(kKindStreet, 2 + round % 2);
        std::string plain = name.substr(0, name.find('/'));
        size_t digit = plain.find_first_of("0123456789");
        if (digit == std::string::npos) continue;
        ++numbered;
        SCOPED_TRACE(name);
        ASSERT_GE(digit, 3u);
        std::string word = plain.substr(0, digit - 1);
        bool adjective = false;
        for (const char* e : adjectiveEndings) {
            std::string ending = To1251(e);
            adjective = adjective || (word.size() >= ending.size() && word.substr(word.size() - ending.size()) == ending);
        }
        EXPECT_TRUE(adjective) << "numbered after a person";
        // The ordinal agrees with "ул.", which is feminine.
        EXPECT_EQ(plain.substr(digit + 1, 3), To1251("-я "));
    }
    EXPECT_GT(numbered, 100) << "1500 streets of one kind need numbered names";
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

// House numbers run along each street from one end: odd numbers on the left, even on the
// right, growing away from the end they start at. Checked from the geometry alone: where each
// house's reference point falls along its street and on which side.
TEST(GeneratorAddresses, HouseNumbersRunAlongTheirStreetOddLeftEvenRight) {
    Options options;
    options.seed = 3;
    options.buildings = 3000;
    City city = GenerateCity(options);
    std::map<int, const Street*> streets;
    for (const Street& s : city.streets) streets[s.id] = &s;
    struct House {
        double along;
        int side;
        int number;
    };
    std::map<int, std::vector<House>> byStreet;
    for (const Building& b : city.buildings) {
        // Plain numbers only: letters and corner numbers belong to houses behind or at corners.
        if (b.number.empty() || b.number.find_first_not_of("0123456789") != std::string::npos) continue;
        const Street* s = streets.at(b.streetId);
        Vec p{static_cast<double>(b.refX), static_cast<double>(b.refY)};
        double best = 1e30, offset = 0.0;
        House h{0, 0, std::atoi(b.number.c_str())};
        for (const Polyline& piece : s->pieces) {
            for (size_t i = 1; i < piece.size(); ++i) {
                Vec a = piece[i - 1], ab = piece[i] - a;
                double len = Length(ab);
                double t = std::clamp(Dot(p - a, ab) / (len * len), 0.0, 1.0);
                double d = Dist(p, a + ab * t);
                if (d < best) best = d, h.along = offset + t * len, h.side = Cross(ab, p - a) < 0.0 ? 1 : -1;
                offset += len;
            }
        }
        byStreet[b.streetId].push_back(h);
    }
    int checked = 0, misplaced = 0;
    for (auto& [id, houses] : byStreet) {
        std::sort(houses.begin(), houses.end(), [](const House& a, const House& b) { return a.along < b.along; });
        // The direction of numbering: the way the numbers of the whole street grow.
        int rising = 0;
        for (size_t i = 1; i < houses.size(); ++i) rising += houses[i].number > houses[i - 1].number ? 1 : -1;
        int oddSide = rising >= 0 ? 1 : -1;
        std::map<int, int> last;
        for (size_t k = 0; k < houses.size(); ++k) {
            const House& h = rising >= 0 ? houses[k] : houses[houses.size() - 1 - k];
            ++checked;
            bool parityOk = (h.number % 2 == 1) == (h.side == oddSide);
            bool orderOk = h.number >= last[h.side];
            misplaced += parityOk && orderOk ? 0 : 1;
            last[h.side] = h.number;
        }
    }
    ASSERT_GT(checked, 1000);
    // A house at a sharp bend may fall nearer another stretch of its street; no more than that.
    EXPECT_LT(misplaced, checked / 50) << misplaced << " of " << checked;
}

}  // namespace
}  // namespace citygen
