// The writers: what the readers get back, the bytes of the overview files (read elsewhere), and
// records the formats cannot express.
#include <string>
#include <vector>

#include "map_fixture.h"

namespace {

class WritersTest : public MapFolderTest {};

TEST_F(WritersTest, InsetFileBytes) {
    const PackedPoint shape[] = {{0x0102, 0x0304}, {0x0506, 0x0708}};
    OverviewShape shapes[] = {{7, shape, 2}};
    OverviewLabel labels[] = {{'f', 0x1234, 0x00FF, "Ab"}};
    ASSERT_TRUE(WriteInsetFile(folder.path(), PackedBox{1, 2, 0x0300, 4}, shapes, 1, labels, 1));
    const std::vector<uint8_t> expected = {
        1,    0,    2,    0,    0,    3,    4,   0,    // box
        7,    0,    9,    0,                           // code 7, code + count 9
        0x02, 0x03, 0x04, 0x01,                        // x.lo y.hi y.lo x.hi
        0x06, 0x07, 0x08, 0x05,                        //
        0,    0,    0,    0,                           // end of the shapes
        'f',  2,    0x34, 0x12, 0xFF, 0x00, 'A', 'b',  // style, length, x, y, text
    };
    EXPECT_EQ(folder.Read("1.tqf"), expected);
}

TEST_F(WritersTest, OverviewFileHasNoHeader) {
    OverviewLabel labels[] = {{'q', 1, 2, "\xC0"}};
    ASSERT_TRUE(WriteOverviewFile(folder.path(), nullptr, 0, labels, 1));
    const std::vector<uint8_t> expected = {0, 0, 0, 0, 'q', 1, 1, 0, 2, 0, 0xC0};
    EXPECT_EQ(folder.Read("2.tqf"), expected);
}

TEST_F(WritersTest, RefusesWhatTheFormatsCannotHold) {
    std::string thirty(30, 'a');
    PlaceRec longName{};
    memcpy(longName.name, thirty.data(), sizeof longName.name);  // no terminator within the field
    LineRec tooLong = records.Straight(32000, 800);              // code + count beyond i16
    LineRec endHead = records.Line(0, {});
    StreetNameRec wideKind = StreetName(1, 256, "Wide");
    BuildingRec negative = records.Building(1, 1, "1", "", 1);
    negative.count = -1;
    OverviewShape endShape[] = {{0, nullptr, 0}};
    OverviewLabel emptyLabel[] = {{'e', 0, 0, ""}};
    TopoGroup group[] = {{1, &tooLong, 1}};

    EXPECT_FALSE(WritePlaceFile(folder.path(), &longName, 1));
    EXPECT_FALSE(WriteTopoFile(folder.path(), group, 1));
    EXPECT_FALSE(WriteStreetFile(folder.path(), &endHead, 1, nullptr, 0, nullptr, 0));
    EXPECT_FALSE(WriteStreetFile(folder.path(), nullptr, 0, &wideKind, 1, nullptr, 0));
    EXPECT_FALSE(WriteBuildingFiles(folder.path(), &negative, 1));
    EXPECT_FALSE(WriteOverviewFile(folder.path(), endShape, 1, nullptr, 0));
    EXPECT_FALSE(WriteOverviewFile(folder.path(), nullptr, 0, emptyLabel, 1));
    EXPECT_FALSE(WritePlaceFile((std::string(folder.path()) + "/no/such/folder").c_str(), nullptr, 0));
}

TEST_F(WritersTest, EveryMainFileRoundTrips) {
    // Values chosen to catch swapped halves and signs: negative coordinates and codes, large u16.
    PlaceRec places[] = {Place(65535, 1, "Far"), Place(0, 40000, "")};
    AreaRec areas[] = {records.Area(250, {{65535, 0}, {1, 65534}}, {1, 0, 65535, 65534}),
                       records.Area(-7, {{0x1234, 0x5678}}, {0x1234, 0x5678, 0x1234, 0x5678})};
    LineRec topo[] = {records.Line(-300, {{-1.5f, 2.25f}, {1e6f, -3e-3f}})};
    LineRec streets[] = {records.Line(12, {{7.0f, -8.0f}})};
    StreetNameRec names[] = {StreetName(12, 200, "Twelve")};
    LabelRec labels[] = {{65535, 3, -250, -12}};
    TopoGroup groups[] = {{4, topo, 1}};
    ASSERT_TRUE(WritePlaceFile(folder.path(), places, 2));
    ASSERT_TRUE(WriteAreaFile(folder.path(), BBox{-10.5f, 20.0f, 3e4f, 4.0e4f}, areas, 2));
    ASSERT_TRUE(WriteTopoFile(folder.path(), groups, 1));
    ASSERT_TRUE(WriteStreetFile(folder.path(), streets, 1, names, 1, labels, 1));
    LoadMain();

    ASSERT_EQ(g_place_count, 2);
    EXPECT_EQ(g_places[0].x, 65535);
    EXPECT_EQ(g_places[1].y, 40000);
    EXPECT_STREQ(g_places[1].name, "");
    EXPECT_EQ(g_zoom.entries[1].xMin, -10.5f);
    EXPECT_EQ(g_zoom.entries[1].yMax, 4.0e4f);
    ASSERT_EQ(g_area_count, 2);
    EXPECT_EQ(g_areas[0].pts[0].x, 65535);
    EXPECT_EQ(g_areas[0].pts[1].y, 65534);
    EXPECT_EQ(g_areas[1].code, -7);
    EXPECT_EQ(g_areas[1].pts[0].x, 0x1234);
    EXPECT_EQ(g_areas[1].pts[0].y, 0x5678);
    ASSERT_EQ(g_topo4_count, 1);
    EXPECT_EQ(g_topo4[0].code, -300);
    EXPECT_EQ(g_topo4[0].pts[0].x, -1.5f);
    EXPECT_EQ(g_topo4[0].pts[0].y, 2.25f);
    EXPECT_EQ(g_topo4[0].pts[1].x, 1e6f);
    EXPECT_EQ(g_topo4[0].pts[1].y, -3e-3f);
    EXPECT_EQ(g_topo4[0].box.yMin, -3e-3f);
    EXPECT_EQ(g_street_lines[0].pts[0].y, -8.0f);
    EXPECT_EQ(g_street_names[0].kind, 200);
    EXPECT_EQ(g_labels[0].x, 65535);
    EXPECT_EQ(g_labels[0].size, -250);
    EXPECT_EQ(g_labels[0].streetId, -12);
}

TEST_F(WritersTest, ReleaseInTheShellsOrderLeavesNothing) {
    PlaceRec places[] = {Place(1, 1, "A")};
    AreaRec areas[] = {records.Area(250, {{1, 1}, {2, 2}}, {1, 1, 2, 2}), records.Area(1, {}, {0, 0, 0, 0})};
    LineRec lines[] = {records.Straight(1, 3), records.Line(2, {})};
    TopoGroup groups[] = {{1, lines, 2}, {2, lines, 1}, {3, lines, 2}, {4, lines, 1}};
    StreetNameRec names[] = {StreetName(1, 1, "Main")};
    LabelRec labels[] = {{1, 1, 1, 1}};
    BuildingRec buildings[] = {records.Building(1, 1, "1", "", 3), records.Building(0, 0, "", "", 0)};
    ThemeNode themes[] = {Theme("A1", "Food"), Theme("A2", "Bread"), Theme("B1", "Health")};
    ASSERT_TRUE(WritePlaceFile(folder.path(), places, 1));
    ASSERT_TRUE(WriteAreaFile(folder.path(), BBox{0, 0, 10, 10}, areas, 2));
    ASSERT_TRUE(WriteTopoFile(folder.path(), groups, 4));
    ASSERT_TRUE(WriteStreetFile(folder.path(), lines, 1, names, 1, labels, 1));
    ASSERT_TRUE(WriteBuildingFiles(folder.path(), buildings, 2));
    ASSERT_TRUE(WriteThemeFile(folder.path(), themes, 3));
    folder.WriteText("user.tqf", "1\n1,1,A2,Shop\n");
    folder.WriteText("sign.tqf", "1\n1,0,2,3,4,5,Sign\n");
    LoadMain();
    LoadBuildings();
    ASSERT_EQ(g_building_count, 2);
    ASSERT_EQ(g_topo1_count, 2);
    EXPECT_EQ(g_topo1[1].pts, nullptr) << "a line without points owns no array";
    ASSERT_NE(g_signs, nullptr);

    // The sanitizer build turns a leak or a second release into a failure.
    FreeMapData();
    EXPECT_EQ(g_places, nullptr);
    EXPECT_EQ(g_areas, nullptr);
    EXPECT_EQ(g_topo1, nullptr);
    EXPECT_EQ(g_topo4, nullptr);
    EXPECT_EQ(g_street_lines, nullptr);
    EXPECT_EQ(g_buildings, nullptr);
    EXPECT_EQ(g_building_count, 0);
    FreeThemeUserSign();
    EXPECT_EQ(g_theme_root, nullptr);
    EXPECT_EQ(g_user_objects, nullptr);
    EXPECT_EQ(g_signs, nullptr);
    FreeStreetData();
    EXPECT_EQ(g_street_names, nullptr);
    EXPECT_EQ(g_street_index, nullptr);
    EXPECT_EQ(g_labels, nullptr);
    EXPECT_EQ(g_pts, nullptr);
    FreeAllMapData();  // again: nothing left to release twice
}

TEST(FreeTablesTest, CountBelowOneReleasesOnlyTheArray) {
    LineRec* lines = static_cast<LineRec*>(calloc(2, sizeof(LineRec)));
    lines[0].pts = static_cast<PlanPoint*>(malloc(sizeof(PlanPoint)));
    FreeLines(lines, 1);
    AreaRec* areas = static_cast<AreaRec*>(calloc(1, sizeof(AreaRec)));
    FreeAreas(areas, 0);
    FreeAreas(nullptr, 5);
    FreeLines(nullptr, -1);
}

}  // namespace
