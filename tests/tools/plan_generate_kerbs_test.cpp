// The kerbs that stand in for the street bodies at the largest scales: the sideways offset of a
// centre line, and the openings left where other streets cross.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "city.h"
#include "common.h"
#include "kerbs.h"

namespace citygen {
namespace {

void ExpectLine(const Polyline& got, const Polyline& want) {
    ASSERT_EQ(got.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE("point " + std::to_string(i));
        EXPECT_NEAR(got[i].x, want[i].x, 1e-6);
        EXPECT_NEAR(got[i].y, want[i].y, 1e-6);
    }
}

// x is the northing and y the easting: walking north, the left hand points west (smaller y).
TEST(GeneratorKerbs, OffsetMovesEveryPointSidewaysAndMitresTheCorners) {
    struct Case {
        const char* name;
        Polyline line;
        double d;
        Polyline want;
    };
    const Case cases[] = {
        {"north, to the left", {{0, 0}, {100, 0}}, 5.0, {{0, -5}, {100, -5}}},
        {"north, to the right", {{0, 0}, {100, 0}}, -5.0, {{0, 5}, {100, 5}}},
        {"east, to the left", {{0, 0}, {0, 100}}, 5.0, {{5, 0}, {5, 100}}},
        // North then east: the left kerbs x = 105 and y = -5 meet at the corner.
        {"right-angle corner", {{0, 0}, {100, 0}, {100, 100}}, 5.0, {{0, -5}, {105, -5}, {105, 100}}},
        {"straight through a middle point", {{0, 0}, {50, 0}, {100, 0}}, 5.0, {{0, -5}, {50, -5}, {100, -5}}},
        {"repeated first point", {{0, 0}, {0, 0}, {100, 0}}, 5.0, {{0, -5}, {0, -5}, {100, -5}}},
        {"a single point has no kerb", {{3, 4}}, 5.0, {}},
        {"a line of one repeated point has no kerb", {{3, 4}, {3, 4}}, 5.0, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectLine(OffsetLine(c.line, c.d), c.want);
    }
}

TEST(GeneratorKerbs, SharpTurnsKeepTheMitreWithinTwiceTheOffset) {
    // Up and almost straight back, and exactly back.
    const Polyline lines[] = {{{0, 0}, {100, 0}, {0, 1}}, {{0, 0}, {100, 0}, {0, 0}}};
    for (const Polyline& line : lines) {
        Polyline kerb = OffsetLine(line, 5.0);
        ASSERT_EQ(kerb.size(), 3u);
        EXPECT_LE(Dist(kerb[1], line[1]), 10.0 + 1e-9);
        EXPECT_GE(Dist(kerb[1], line[1]), 5.0 - 1e-9);
    }
}

TEST(GeneratorKerbs, HalfWidthsStayInsideTheCorridorsKeptFreeOfBuildings) {
    // The corridors the buildings keep clear of: 14, 12, 8 and 6 m by rank, 4 m for roads;
    // ordinary streets are 8 to 12 m wide, avenues and highways 16 to 24 m.
    const double corridor[] = {14.0, 12.0, 8.0, 6.0, 4.0};
    for (int rank = 0; rank <= 4; ++rank) {
        SCOPED_TRACE("rank " + std::to_string(rank));
        EXPECT_LT(KerbHalfWidth(rank), corridor[rank]);
        EXPECT_GE(KerbHalfWidth(rank), 3.0);
    }
    EXPECT_GE(KerbHalfWidth(0), 8.0);
    EXPECT_LE(KerbHalfWidth(0), 12.0);
    EXPECT_GE(KerbHalfWidth(2), 4.0);
    EXPECT_LE(KerbHalfWidth(2), 6.0);
    EXPECT_GT(KerbHalfWidth(0), KerbHalfWidth(2));
}

Street MakeStreet(int id, int rank, std::vector<Polyline> pieces) {
    Street s;
    s.id = id;
    s.rank = rank;
    s.pieces = std::move(pieces);
    return s;
}

std::vector<Polyline> Kerbs(const City& city) {
    std::vector<Polyline> out;
    for (const TopoLine& t : city.minor)
        if (t.code == kKerbCode) out.push_back(t.pts);
    return out;
}

TEST(GeneratorKerbs, CrossingsAreLeftOpenByTheWidthOfTheCrossingStreet) {
    // A street (rank 2, kerbs 6 m out) running north crosses a highway (rank 0, 11 m) running
    // east at (1100, 1000); both are cut there. A park path is already in the list.
    City city;
    city.minor.push_back({4, {{500, 500}, {600, 600}}});
    city.streets.push_back(MakeStreet(1, 2, {{{1000, 1000}, {1100, 1000}}, {{1100, 1000}, {1200, 1000}}}));
    city.streets.push_back(MakeStreet(2, 0, {{{1100, 900}, {1100, 1000}}, {{1100, 1000}, {1100, 1100}}}));
    AddKerbs(city);
    ASSERT_EQ(city.minor.size(), 9u);
    EXPECT_EQ(city.minor[0].code, 4) << "the path stays first";
    std::vector<Polyline> kerbs = Kerbs(city);
    ASSERT_EQ(kerbs.size(), 8u);
    // The street stops 11 m short of the crossing, the highway 6 m: the kerbs meet at its corners.
    const Polyline want[] = {
        {{1000, 994}, {1089, 994}},   {{1000, 1006}, {1089, 1006}}, {{1111, 994}, {1200, 994}},
        {{1111, 1006}, {1200, 1006}}, {{1111, 900}, {1111, 994}},   {{1089, 900}, {1089, 994}},
        {{1111, 1006}, {1111, 1100}}, {{1089, 1006}, {1089, 1100}},
    };
    for (size_t i = 0; i < 8; ++i) {
        SCOPED_TRACE("kerb " + std::to_string(i));
        ExpectLine(kerbs[i], want[i]);
    }
}

TEST(GeneratorKerbs, PiecesOfOneStreetRunOnAndRoadsOpenEachOther) {
    struct Case {
        const char* name;
        City city;
        size_t kerbs;
        double firstLength;  // of the first kerb
    };
    std::vector<Case> cases;
    {
        // Two pieces of one street meeting: nothing to open between them.
        City c;
        c.streets.push_back(MakeStreet(1, 3, {{{0, 100}, {50, 100}}, {{50, 100}, {100, 100}}}));
        cases.push_back({"one street", c, 4, 50.0});
    }
    {
        // Two unnamed roads end to end open each other by 3 m.
        City c;
        c.roads = {{{0, 100}, {50, 100}}, {{50, 100}, {100, 100}}};
        cases.push_back({"two roads", c, 4, 47.0});
    }
    {
        // A piece 20 m long between two highways lies wholly inside their crossings; the highways
        // stop 6 m short of it.
        City c;
        c.streets.push_back(MakeStreet(1, 2, {{{100, 100}, {120, 100}}}));
        c.streets.push_back(MakeStreet(2, 0, {{{100, 50}, {100, 100}}, {{120, 50}, {120, 100}}}));
        cases.push_back({"short piece", c, 4, 44.0});
    }
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        AddKerbs(c.city);
        std::vector<Polyline> kerbs = Kerbs(c.city);
        ASSERT_EQ(kerbs.size(), c.kerbs);
        EXPECT_NEAR(PolylineLength(kerbs[0]), c.firstLength, 1e-6);
    }
}

TEST(GeneratorKerbs, KerbsOfStreetsAlongTheEdgeStayInsideThePlan) {
    City city;
    city.streets.push_back(MakeStreet(1, 0, {{{0, 100}, {0, 500}}}));
    city.streets.push_back(MakeStreet(2, 0, {{{kPlanXMax, 100}, {kPlanXMax - 300, kPlanYMax}}}));
    city.roads = {{{1000, 0}, {1200, 0}}};
    AddKerbs(city);
    ASSERT_EQ(city.minor.size(), 6u);
    for (const TopoLine& t : city.minor)
        for (const Vec& p : t.pts) {
            EXPECT_GE(p.x, 0.0);
            EXPECT_LE(p.x, kPlanXMax);
            EXPECT_GE(p.y, 0.0);
            EXPECT_LE(p.y, kPlanYMax);
        }
}

}  // namespace
}  // namespace citygen
