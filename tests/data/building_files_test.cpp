// 7.tqf and 6.tqf read side by side by LoadBuildingFiles.
#include <cstdio>
#include <string>
#include <vector>

#include "map_fixture.h"

namespace {

class BuildingFilesTest : public MapFolderTest {
  protected:
    // 7.tqf bytes of one building: 14-byte head, then the two texts.
    static size_t AttributeBytes(const BuildingRec& b) {
        return 14 + strlen(b.houseNumber) + strlen(b.caption);
    }
};

TEST_F(BuildingFilesTest, LoadingTextEveryTwoHundredBuildings) {
    std::vector<BuildingRec> buildings;
    for (int i = 0; i < 450; ++i)
        buildings.push_back(records.Building(static_cast<uint16_t>(i), 7, "1", "", 1));
    ASSERT_TRUE(WriteBuildingFiles(folder.path(), buildings.data(), 450));
    LoadBuildings();
    EXPECT_EQ(g_building_count, 450);
    EXPECT_EQ(window.events, (std::vector<std::string>{"text:Loading:   Buildings 0 (450)",
                                                       "text:Loading:   Buildings 200 (450)",
                                                       "text:Loading:   Buildings 400 (450)", "close"}));
    EXPECT_EQ(g_buildings[449].x, 449);
}

TEST_F(BuildingFilesTest, HouseNumberStaysAsReadWhileCaptionIsTransliterated) {
    BuildingRec buildings[] = {
        records.Building(500, 600, "12\xE0", "\xCA\xEE\xF0\xEF\xF3\xF1 2", 4),  // 12а, Корпус 2
        records.Building(400, 300, "", "", 0),
        records.Building(300, 200, "7", "Block", 2),
    };
    buildings[0].purpose = 11;
    buildings[0].floors = 9;
    buildings[0].streetId = 42;
    ASSERT_TRUE(WriteBuildingFiles(folder.path(), buildings, 3));
    LoadBuildings();

    ASSERT_EQ(g_building_count, 3);
    const BuildingRec& b = g_buildings[0];
    EXPECT_EQ(b.x, 500);
    EXPECT_EQ(b.y, 600);
    EXPECT_EQ(b.purpose, 11);
    EXPECT_EQ(b.floors, 9);
    EXPECT_EQ(b.streetId, 42);
    EXPECT_STREQ(b.houseNumber, "12\xE0");
    EXPECT_STREQ(b.caption, "Korpus 2");
    ASSERT_EQ(b.count, 4);
    EXPECT_EQ(b.pts[3].x, 503.0f);
    EXPECT_EQ(b.box.xMax, 503.0f);
    // Empty texts take no bytes: the next head follows directly.
    EXPECT_STREQ(g_buildings[1].houseNumber, "");
    EXPECT_STREQ(g_buildings[1].caption, "");
    EXPECT_EQ(g_buildings[1].count, 0);
    EXPECT_EQ(g_buildings[1].box.xMin, 0.0f);
    EXPECT_EQ(g_buildings[2].x, 300);
    EXPECT_STREQ(g_buildings[2].caption, "Block");
}

TEST_F(BuildingFilesTest, CaptionIsCutToItsFieldAfterTransliteration) {
    std::string shorts(46, '\xF8');  // ш becomes "sh"
    BuildingRec buildings[] = {records.Building(1, 1, "1", shorts.c_str(), 1)};
    ASSERT_TRUE(WriteBuildingFiles(folder.path(), buildings, 1));
    LoadBuildings();
    ASSERT_EQ(g_building_count, 1);
    std::string expected;
    for (int i = 0; i < 23; ++i) expected += "sh";
    EXPECT_EQ(std::string(g_buildings[0].caption), expected);
}

struct ShortOutlineCase {
    const char* name;
    size_t outlineBytes;  // 6.tqf keeps this many bytes
    int expected;
};

class ShortOutlineTest : public BuildingFilesTest, public ::testing::WithParamInterface<ShortOutlineCase> {};

// Three buildings of 2, 3 and 4 points: outlines of 16 + 16, 16 + 24 and 16 + 32 bytes.
TEST_P(ShortOutlineTest, OnlyBuildingsWithWholeOutlinesCount) {
    BuildingRec buildings[] = {records.Building(30, 1, "1", "", 2), records.Building(20, 1, "2", "", 3),
                               records.Building(10, 1, "3", "", 4)};
    ASSERT_TRUE(WriteBuildingFiles(folder.path(), buildings, 3));
    folder.Truncate("6.tqf", GetParam().outlineBytes);
    LoadBuildings();
    ASSERT_NE(g_buildings, nullptr);
    EXPECT_EQ(g_building_count, GetParam().expected);
    for (int i = 0; i < g_building_count; ++i) EXPECT_NE(g_buildings[i].pts, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Truncated, ShortOutlineTest,
                         ::testing::Values(ShortOutlineCase{"Empty", 0, 0},
                                           ShortOutlineCase{"InFirstBox", 10, 0},
                                           ShortOutlineCase{"AfterFirst", 32, 1},
                                           ShortOutlineCase{"InSecondPoints", 32 + 16 + 23, 1},
                                           ShortOutlineCase{"AfterSecond", 32 + 40, 2},
                                           ShortOutlineCase{"OneByteShort", 32 + 40 + 47, 2},
                                           ShortOutlineCase{"Whole", 32 + 40 + 48, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BuildingFilesTest, NegativePointCountEndsTheTable) {
    BuildingRec buildings[] = {records.Building(3, 1, "1", "A", 2), records.Building(2, 1, "2", "", 3),
                               records.Building(1, 1, "3", "", 1)};
    ASSERT_TRUE(WriteBuildingFiles(folder.path(), buildings, 3));
    std::vector<uint8_t> bytes = folder.Read("7.tqf");
    PutI16(bytes, 2 + AttributeBytes(buildings[0]) + 2, -1);  // count of the second building
    folder.Write("7.tqf", bytes);
    LoadBuildings();
    EXPECT_EQ(g_building_count, 1);
}

TEST_F(BuildingFilesTest, ScratchPointsHoldTheLongestOutline) {
    LineRec lines[] = {records.Straight(1, 7)};
    ASSERT_TRUE(WritePlaceFile(folder.path(), nullptr, 0));
    ASSERT_TRUE(WriteAreaFile(folder.path(), BBox{0, 0, 100, 100}, nullptr, 0));
    TopoGroup groups[] = {{1, lines, 1}};
    ASSERT_TRUE(WriteTopoFile(folder.path(), groups, 1));
    ASSERT_TRUE(WriteStreetFile(folder.path(), nullptr, 0, nullptr, 0, nullptr, 0));
    BuildingRec buildings[] = {records.Building(1, 1, "1", "", 50), records.Building(0, 1, "2", "", 3)};
    ASSERT_TRUE(WriteBuildingFiles(folder.path(), buildings, 2));
    LoadMain();
    EXPECT_EQ(g_pts_capacity, 8);
    LoadBuildings();
    EXPECT_EQ(g_max_points, 7) << "buildings do not count towards the longest line";
    EXPECT_EQ(g_pts_capacity, 51);
}

TEST_F(BuildingFilesTest, MissingOutlinesLeaveNoBuildingsAndNoTexts) {
    BuildingRec buildings[] = {records.Building(1, 1, "1", "", 1)};
    ASSERT_TRUE(WriteBuildingFiles(folder.path(), buildings, 1));
    ThemeNode themes[] = {Theme("A1", "Stores")};
    ASSERT_TRUE(WriteThemeFile(folder.path(), themes, 1));

    folder.Remove("6.tqf");
    LoadBuildings();
    EXPECT_EQ(g_buildings, nullptr);
    EXPECT_EQ(g_theme_root, nullptr);
    EXPECT_TRUE(window.events.empty()) << "the loading window stays open";

    ASSERT_TRUE(WriteBuildingFiles(folder.path(), buildings, 1));
    folder.Remove("7.tqf");
    LoadBuildings();
    EXPECT_EQ(g_buildings, nullptr);
    EXPECT_EQ(g_load_notes.files[kFile7], FileStatus::Missing);
    EXPECT_EQ(g_load_notes.files[kFile6], FileStatus::NotReached);

    ASSERT_TRUE(WriteBuildingFiles(folder.path(), buildings, 1));
    LoadBuildings();
    EXPECT_EQ(g_building_count, 1);
    ASSERT_NE(g_theme_root, nullptr);
    EXPECT_STREQ(g_theme_root->name, "Stores");
}

}  // namespace
