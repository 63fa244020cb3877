// Parts of the importer whose faults a whole import would hide: the code page of the names, the
// cutting of texts to their fields, the label sizes, the joining of ways, the land from the
// coastline, points inside outlines, the district sectors and the themes of the tags.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>

#include "import.h"
#include "plan_geometry.h"
#include "poi_themes.h"
#include "text_1251.h"

namespace planimport {
namespace {

std::string Bytes(std::initializer_list<int> list) {
    std::string s;
    for (int b : list) s.push_back(static_cast<char>(b));
    return s;
}

TEST(ImportText, Utf8BecomesTheNearestWindows1251Letters) {
    struct Case {
        const char* utf8;
        std::string expected;
    };
    const Case cases[] = {
        {"Ленина", Bytes({0xCB, 0xE5, 0xED, 0xE8, 0xED, 0xE0})},
        {"Қазақ", Bytes({0xCA, 0xE0, 0xE7, 0xE0, 0xEA})},       // Kazakh қ is к
        {"Київ", Bytes({0xCA, 0xE8, 0xFB, 0xE2})},              // Ukrainian ї is ы, spelled i
        {"Ёлка", Bytes({0xA8, 0xEB, 0xEA, 0xE0})},
        {"Città", "Citta"},
        {"Straße", "Strasse"},
        {"Łódź", "Lodz"},
        {"№ 5 «A»", Bytes({0xB9, ' ', '5', ' ', 0xAB, 'A', 0xBB})},
        {"a\tb", "a b"},
        {"中", "?"},
        {"\xF0\x9F\x98\x80", "?"},  // a four-byte character without a likeness
        {"\xFF", "?"},              // not UTF-8 at all
        {"\xD0", "?"},              // cut short
        {"\xC0\xAF", "??"},         // an overlong slash, then its stray continuation byte
        {"\xE2\x80\x8B" "x", "x"},  // a zero-width space disappears
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        const std::string out = Utf8To1251(c.utf8);
        EXPECT_EQ(out, c.expected);
        EXPECT_EQ(out.find('\x98'), std::string::npos);
        EXPECT_EQ(out.find('\0'), std::string::npos);
    }
}

TEST(ImportText, TextsAreCutToTheirFieldsInLatinLetters) {
    // Щи щи reads Sh`y sh`y: four Latin letters keep Щи only.
    EXPECT_EQ(CutToLatin(Bytes({0xD9, 0xE8, ' ', 0xF9, 0xE8}), 4), Bytes({0xD9, 0xE8}));
    EXPECT_EQ(CutToLatin("Abbey Road", 29), "Abbey Road");
    EXPECT_EQ(CutToLatin("Abbey Road", 6), "Abbey");  // the blank at the cut goes too
    EXPECT_EQ(CutToLatin("", 5), "");
    // Campbell keeps its p on the screen: the viewer spells the Cyrillic п as p.
    EXPECT_EQ(CutToLatin("Campbell", 29), "Cam\xEF" "bell");
    // House numbers are not transliterated: bytes count.
    EXPECT_EQ(CutBytes("12/345678", 6), "12/345");
    EXPECT_EQ(CutBytes("12 ", 6), "12");
}

TEST(ImportLabels, SizeIsTheScaleFromWhichTheNameFits) {
    // A letter takes 1.2 font heights; at 12 pixels and 96 dpi that is 1200 x 1.2 / 3.78 / size
    // metres, so n letters on a line of L metres (90 % of it used) need size 381 n / 0.9 L, at
    // least 10; from size 36 on the font grows with the scale and a letter stays 10.58 m.
    struct Case {
        double length;
        int letters;
        int size;
    };
    const Case cases[] = {
        {890.0, 12, 10},  // 5.7: shown from the smallest scale of labels
        {200.0, 12, 26},  // 25.4
        {150.0, 12, 34},  // 33.9
        {142.0, 12, 36},  // 35.8
        {140.0, 12, 0},   // needs 127 m, has 126
        {10.0, 3, 0},     // a 10 m piece never holds a name
        {0.0, 5, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        EXPECT_EQ(LabelSize(c.length, static_cast<size_t>(c.letters)), c.size);
    }
}

TEST(ImportGeometry, WaysJoinAtSharedNodes) {
    const std::vector<NodeLine> ways = {
        {{{0, 0}, {0, 10}}, 1, 2},
        {{{0, 20}, {0, 10}}, 3, 2},  // drawn the other way round
        {{{0, 20}, {0, 30}}, 3, 4},
    };
    const std::vector<NodeLine> streets = JoinLines(ways, false);
    ASSERT_EQ(streets.size(), 1u);
    EXPECT_EQ(streets[0].firstNode, 1);
    EXPECT_EQ(streets[0].lastNode, 4);
    ASSERT_EQ(streets[0].pts.size(), 4u);
    EXPECT_EQ(streets[0].pts[2].y, 20.0);
    // A coastline is never turned round: the middle way stays apart, the others cannot meet it.
    EXPECT_EQ(JoinLines(ways, true).size(), 3u);
    // A closed ring stops joining.
    const std::vector<NodeLine> ring = JoinLines({{{{0, 0}, {5, 5}}, 7, 8}, {{{5, 5}, {0, 0}}, 8, 7}}, true);
    ASSERT_EQ(ring.size(), 1u);
    EXPECT_EQ(ring[0].pts.size(), 3u);
}

double Area(const Ring& r) { return std::fabs(citygen::RingArea2(r)) * 0.5; }

TEST(ImportGeometry, TheLandLiesLeftOfTheCoast) {
    struct Case {
        const char* what;
        std::vector<Polyline> coast;
        size_t parts;
        double area;  // of the largest part
    };
    const Case cases[] = {
        {"eastwards: land to the north", {{{400, -100}, {400, 1100}}}, 1, 600000.0},
        {"westwards: land to the south", {{{400, 1100}, {400, -100}}}, 1, 400000.0},
        // In on the west edge, out on the south: the land is the south-west corner's complement.
        {"round a corner", {{{500, -50}, {500, 500}, {-50, 500}}}, 1, 750000.0},
        // A bay: in from the south, out to the south again further east; land all round it.
        {"a bay", {{{-10, 300}, {300, 300}, {300, 600}, {-10, 600}}}, 1, 910000.0},
        // An island turning left on the screen (east, north, west, south) inside a sea.
        {"an island", {{{100, 100}, {100, 300}, {300, 300}, {300, 100}, {100, 100}}}, 1, 40000.0},
        {"a lake ring turning right is no land", {{{100, 100}, {300, 100}, {300, 300}, {100, 300}, {100, 100}}}, 0, 0.0},
        {"no coast", {}, 0, 0.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const LandResult land = LandFromCoast(c.coast, 1000.0, 1000.0);
        ASSERT_EQ(land.parts.size(), c.parts);
        if (c.parts > 0) {
            EXPECT_NEAR(Area(land.parts[0]), c.area, 1.0);
        }
        EXPECT_EQ(land.brokenPieces, 0);
    }
    // Two coasts: the mainland north of x = 800, and a point of land 50 by 100 m in the
    // south-east corner, its coast coming in from the east and leaving to the south.
    const LandResult two = LandFromCoast({{{800, -10}, {800, 1010}}, {{50, 1010}, {50, 900}, {-10, 900}}}, 1000.0, 1000.0);
    ASSERT_EQ(two.parts.size(), 2u);
    EXPECT_NEAR(Area(two.parts[0]), 200000.0, 1.0);
    EXPECT_NEAR(Area(two.parts[1]), 5000.0, 1.0);
    // A coast that stops inside the plan cannot be closed.
    const LandResult broken = LandFromCoast({{{500, -10}, {500, 400}}}, 1000.0, 1000.0);
    EXPECT_EQ(broken.parts.size(), 0u);
    EXPECT_EQ(broken.brokenPieces, 1);
}

TEST(ImportGeometry, InteriorPointsAvoidHolesAndConcavities) {
    // An L: the box's centre (50, 50) lies in the missing quarter.
    const Ring l = {{0, 0}, {0, 100}, {40, 100}, {40, 40}, {100, 40}, {100, 0}};
    const Vec a = InteriorPoint(l, {});
    EXPECT_TRUE(InsideOutline(l, {}, a)) << a.x << "," << a.y;
    // A square with a courtyard in its middle.
    const Ring outer = {{0, 0}, {0, 90}, {90, 90}, {90, 0}};
    const std::vector<Ring> yard = {{{30, 30}, {30, 60}, {60, 60}, {60, 30}}};
    const Vec b = InteriorPoint(outer, yard);
    EXPECT_TRUE(InsideOutline(outer, yard, b)) << b.x << "," << b.y;
    // A thin sliver 2 m wide.
    const Ring sliver = {{0, 0}, {0, 200}, {2, 200}, {2, 0}};
    EXPECT_TRUE(InsideOutline(sliver, {}, InteriorPoint(sliver, {})));
}

TEST(ImportGeometry, SectorsCoverThePlanWithoutGaps) {
    const double xMax = 1000.0, yMax = 2000.0;
    const Vec centre{300.0, 1200.0};
    double total = 0.0;
    for (int k = 0; k < 5; ++k) total += Area(SectorOutline(centre, k, 5, xMax, yMax));
    EXPECT_NEAR(total, xMax * yMax, 1.0);
    // Sector 0 faces north: a point due north of the centre is in it and in no other.
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(InsideOutline(SectorOutline(centre, k, 5, xMax, yMax), {}, Vec{900.0, 1200.0}), k == 0) << k;
    // Sector 1 (72 degrees east of north) holds a point to the east-north-east.
    EXPECT_TRUE(InsideOutline(SectorOutline(centre, 1, 5, xMax, yMax), {}, Vec{400.0, 1900.0}));
}

TEST(ImportThemes, TagsChooseTheItem) {
    struct Case {
        std::map<std::string, std::string> tags;
        const char* code;  // "" for none
    };
    const Case cases[] = {
        {{{"amenity", "pharmacy"}}, "B2"},
        {{{"shop", "supermarket"}}, "A2"},
        {{{"shop", "kiosk"}}, "A8"},  // any other shop
        {{{"shop", "optician"}}, "B3"},
        {{{"amenity", "cafe"}}, "F2"},
        {{{"amenity", "school"}, {"shop", "books"}}, "C2"},  // the first rule that matches wins
        {{{"tourism", "museum"}}, "J4"},
        {{{"railway", "station"}}, "K5"},
        {{{"amenity", "bench"}}, ""},
        {{{"shop", ""}}, ""},
        {{}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        const int item = ClassifyPoi([&c](const char* key) -> const char* {
            auto it = c.tags.find(key);
            return it != c.tags.end() ? it->second.c_str() : nullptr;
        });
        const std::string code = item < 0 ? "" : std::string{PoiItemAt(item).group, PoiItemAt(item).item};
        EXPECT_EQ(code, c.code);
    }
    // Every item belongs to a group of the tree.
    for (int i = 0; i < PoiItemCount(); ++i) {
        bool found = false;
        for (int g = 0; g < PoiGroupCount(); ++g) found = found || PoiGroupAt(g).key == PoiItemAt(i).group;
        EXPECT_TRUE(found) << PoiItemAt(i).name;
    }
}

}  // namespace
}  // namespace planimport
