// 8.tqf, 3.tqf, 4.tqf and 5.tqf through LoadMainFiles, files made by the writers.
#include <cstring>
#include <string>
#include <vector>

#include "data/loading_window.h"
#include "data/point_codec.h"
#include "map_fixture.h"

namespace {

const std::string kOpen = std::string("open:") + kLoadingHydrography;
const std::string kTopography = "text:Loading:  Topography";
const std::string kStreets = "text:Loading:  Streets and roads";

class MainFilesTest : public MapFolderTest {
  protected:
    // A small complete plan: two places, land and two districts, one topographic line, two streets.
    void WritePlan() {
        PlaceRec places[] = {Place(1000, 2000, "North"), Place(3000, 4000, "\xCB\xE5\xF1")};  // Лес
        ASSERT_TRUE(WritePlaceFile(folder.path(), places, 2));
        AreaRec areas[] = {
            records.Area(250, {{10, 20}, {30, 40}, {10, 40}}, {10, 20, 30, 40}),
            records.Area(2, {{1, 2}, {3, 4}, {5, 6}, {7, 8}}, {1, 2, 7, 8}),
            records.Area(251, {{9, 9}}, {9, 9, 9, 9}),
        };
        ASSERT_TRUE(WriteAreaFile(folder.path(), BBox{100.0f, 200.0f, 5000.0f, 6000.0f}, areas, 3));
        LineRec topo[] = {records.Straight(9005, 5)};
        TopoGroup groups[] = {{1, topo, 1}};
        ASSERT_TRUE(WriteTopoFile(folder.path(), groups, 1));
        LineRec lines[] = {records.Straight(12, 7, 900.0f), records.Straight(13, 2, 800.0f)};
        StreetNameRec names[] = {StreetName(12, 1, "Sea"), StreetName(13, 2, "Hill")};
        LabelRec labels[] = {{500, 600, 250, 12}};
        ASSERT_TRUE(WriteStreetFile(folder.path(), lines, 2, names, 2, labels, 1));
    }
};

TEST(PointCodecTest, PackedPointTakesXFromBytes0And3) {
    const uint8_t bytes[4] = {0x10, 0x22, 0x11, 0x33};
    PackedPoint p = DecodePackedPoint(bytes);
    EXPECT_EQ(p.x, 0x3310);
    EXPECT_EQ(p.y, 0x2211);
}

TEST(PointCodecTest, PlanPointTakesXFromHalves0And3) {
    // x = 1.0f (00 00 80 3F), y = 2.0f (00 00 00 40): x.lo, y.hi, y.lo, x.hi.
    const uint8_t ones[8] = {0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x80, 0x3F};
    PlanPoint p = DecodePlanPoint(ones);
    EXPECT_EQ(p.x, 1.0f);
    EXPECT_EQ(p.y, 2.0f);

    // Bit patterns with every byte distinct: x 0x12345678, y 0x9ABCDEF0.
    const uint8_t mixed[8] = {0x78, 0x56, 0xBC, 0x9A, 0xF0, 0xDE, 0x34, 0x12};
    p = DecodePlanPoint(mixed);
    uint32_t xBits, yBits;
    memcpy(&xBits, &p.x, 4);
    memcpy(&yBits, &p.y, 4);
    EXPECT_EQ(xBits, 0x12345678u);
    EXPECT_EQ(yBits, 0x9ABCDEF0u);

    uint8_t encoded[8];
    EncodePlanPoint(p, encoded);
    EXPECT_EQ(0, memcmp(encoded, mixed, 8));
}

TEST_F(MainFilesTest, LoadsEveryTableOfASmallPlan) {
    WritePlan();
    LoadMain();

    ASSERT_NE(g_places, nullptr);
    ASSERT_EQ(g_place_count, 2);
    EXPECT_EQ(g_places[0].x, 1000);
    EXPECT_EQ(g_places[0].y, 2000);
    EXPECT_STREQ(g_places[0].name, "North");
    EXPECT_STREQ(g_places[1].name, "Les");

    ASSERT_EQ(g_area_count, 3);
    EXPECT_EQ(g_areas[0].code, 0) << "250 marks the land outline and is stored as 0";
    EXPECT_EQ(g_areas[1].code, 2);
    EXPECT_EQ(g_areas[2].code, 251);
    EXPECT_EQ(g_areas[1].count, 4);
    EXPECT_EQ(g_areas[1].pts[3].x, 7);
    EXPECT_EQ(g_areas[1].pts[3].y, 8);
    EXPECT_EQ(g_areas[0].box.xMax, 30);
    EXPECT_EQ(g_areas[0].box.yMax, 40);

    EXPECT_EQ(g_zoom.zoomDepth, 1);
    EXPECT_EQ(g_zoom.entries[1].xMin, 100.0f);
    EXPECT_EQ(g_zoom.entries[1].yMin, 200.0f);
    EXPECT_EQ(g_zoom.entries[1].xMax, 5000.0f);
    EXPECT_EQ(g_zoom.entries[1].yMax, 6000.0f);

    ASSERT_EQ(g_topo1_count, 1);
    EXPECT_EQ(g_topo1[0].code, 9005);
    EXPECT_EQ(g_topo1[0].pts[4].x, 104.0f);
    EXPECT_EQ(g_topo1[0].box.xMax, 104.0f);
    EXPECT_EQ(g_topo2, nullptr);

    ASSERT_EQ(g_street_line_count, 2);
    EXPECT_EQ(g_street_lines[0].code, 12);
    EXPECT_EQ(g_street_lines[0].pts[6].x, 906.0f);
    EXPECT_EQ(g_street_lines[1].box.xMin, 800.0f);
    ASSERT_EQ(g_street_name_count, 2);
    EXPECT_STREQ(g_street_names[1].name, "Hill");
    EXPECT_EQ(g_street_names[1].kind, 2);
    ASSERT_EQ(g_label_count, 1);
    EXPECT_EQ(g_labels[0].x, 500);
    EXPECT_EQ(g_labels[0].y, 600);
    EXPECT_EQ(g_labels[0].size, 250);
    EXPECT_EQ(g_labels[0].streetId, 12);
    EXPECT_EQ(g_label_capacity, 101);

    // The longest list is the street of 7 points; buildings are not counted here.
    EXPECT_EQ(g_max_points, 7);
    ASSERT_NE(g_pts, nullptr);
    EXPECT_EQ(g_pts_capacity, 8);

    EXPECT_EQ(window.events, (std::vector<std::string>{kOpen, kTopography, kTopography, kStreets}));
}

TEST_F(MainFilesTest, OutlineBoxKeepsTheLow16BitsOfEachValue) {
    AreaRec areas[] = {records.Area(1, {{5, 5}}, {0x1234, 0x0001, 0xFFFF, 0x8000})};
    ASSERT_TRUE(WriteAreaFile(folder.path(), BBox{0, 0, 10, 10}, areas, 1));
    std::vector<uint8_t> bytes = folder.Read("3.tqf");
    // Header 18 bytes, head 4: the box's xMin is the i32 at 22; its third byte set gives 0x00011234.
    bytes[24] = 0x01;
    bytes[29] = 0x7F;  // yMin becomes 0x007F0001
    folder.Write("3.tqf", bytes);
    ASSERT_TRUE(WritePlaceFile(folder.path(), nullptr, 0));
    LoadMain();
    ASSERT_EQ(g_area_count, 1);
    EXPECT_EQ(g_areas[0].box.xMin, 0x1234);
    EXPECT_EQ(g_areas[0].box.yMin, 0x0001);
    EXPECT_EQ(g_areas[0].box.xMax, 0xFFFF);
    EXPECT_EQ(g_areas[0].box.yMax, 0x8000);
}

TEST_F(MainFilesTest, LaterGroupOfAClassReplacesItsTable) {
    WritePlan();
    LineRec first[] = {records.Straight(1, 2), records.Straight(2, 2)};
    LineRec minor[] = {records.Straight(5, 3)};
    LineRec second[] = {records.Straight(77, 4)};
    LineRec unknown[] = {records.Straight(8, 40)};
    TopoGroup groups[] = {{2, first, 2}, {1, minor, 1}, {2, second, 1}, {7, unknown, 1}, {3, nullptr, 0}};
    ASSERT_TRUE(WriteTopoFile(folder.path(), groups, 5));
    LoadMain();

    ASSERT_EQ(g_topo2_count, 1);
    EXPECT_EQ(g_topo2[0].code, 77);
    EXPECT_EQ(g_topo2[0].count, 4);
    ASSERT_EQ(g_topo1_count, 1);
    EXPECT_EQ(g_topo1[0].code, 5);
    EXPECT_NE(g_topo3, nullptr) << "a group with no records still gives its class a table";
    EXPECT_EQ(g_topo3_count, 0);
    EXPECT_EQ(g_topo4, nullptr);
    // The dropped class-7 line (40 points) does not count towards the longest list.
    EXPECT_EQ(g_max_points, 7);
    // The streets after the file are still read.
    EXPECT_EQ(g_street_line_count, 2);
}

TEST_F(MainFilesTest, ZeroHeadEndsStreetLinesAndIndexMapsIds) {
    WritePlan();
    LineRec lines[] = {records.Straight(4, 2), records.Straight(5, 3), records.Straight(6, 1)};
    StreetNameRec names[] = {StreetName(7, 1, "Seven"), StreetName(3, 9, "Three")};
    std::vector<LabelRec> labels;
    for (int i = 0; i < 6; ++i) labels.push_back({static_cast<uint16_t>(900 - i), 10, 100, 7});
    ASSERT_TRUE(WriteStreetFile(folder.path(), lines, 3, names, 2, labels.data(), 6));

    // Announce 5 lines and put a head of two zeros after the third; announce 10 labels.
    std::vector<uint8_t> bytes = folder.Read("5.tqf");
    PutI16(bytes, 0, 5);
    size_t afterLines = 2 + LineRecordBytes(2) + LineRecordBytes(3) + LineRecordBytes(1);
    bytes.insert(bytes.begin() + static_cast<long>(afterLines), 4, 0);
    PutI16(bytes, bytes.size() - 6 * 8 - 2, 10);
    folder.Write("5.tqf", bytes);
    LoadMain();

    ASSERT_EQ(g_street_line_count, 3);
    EXPECT_EQ(g_street_lines[2].code, 6);
    ASSERT_EQ(g_street_name_count, 2);
    EXPECT_STREQ(g_street_names[0].name, "Seven");
    EXPECT_EQ(g_street_names[1].kind, 9);

    ASSERT_EQ(g_street_index_count, 8);
    const int16_t expected[8] = {0, 0, 0, 1, 0, 0, 0, 0};
    for (int id = 0; id < 8; ++id) {
        SCOPED_TRACE(id);
        EXPECT_EQ(g_street_index[id], expected[id]);
    }
    EXPECT_EQ(StreetNameById(3), &g_street_names[1]);
    EXPECT_EQ(StreetNameById(7), &g_street_names[0]);

    EXPECT_EQ(g_label_count, 6);
    EXPECT_EQ(g_label_capacity, 110);
    EXPECT_EQ(g_labels[5].x, 895);
}

TEST_F(MainFilesTest, StreetLookupTreatsIdsOutsideTheIndexAsNoStreet) {
    WritePlan();
    StreetNameRec names[] = {StreetName(2, 1, "Two"), StreetName(-5, 1, "Negative"),
                             StreetName(2, 1, "Again")};
    ASSERT_TRUE(WriteStreetFile(folder.path(), nullptr, 0, names, 3, nullptr, 0));
    LoadMain();

    ASSERT_EQ(g_street_name_count, 3);
    EXPECT_EQ(g_street_index_count, 3);
    struct Case {
        int id;
        int position;
    } cases[] = {{2, 2}, {0, 0}, {-5, -1}, {-1, -1}, {3, -1}, {32767, -1}, {-32768, -1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(StreetNamePosition(c.id), c.position);
    }
    EXPECT_EQ(StreetNameById(-5), nullptr);
    EXPECT_STREQ(StreetNameById(2)->name, "Again") << "a later record with the same id wins";

    FreeAllMapData();
    EXPECT_EQ(StreetNamePosition(0), -1) << "no index loaded";
}

TEST_F(MainFilesTest, NamesAreCutToTheirFieldAfterTransliteration) {
    WritePlan();
    std::string twenty(20, '\xF8');  // ш, two Latin letters each
    PlaceRec places[] = {Place(1, 1, twenty.c_str())};
    ASSERT_TRUE(WritePlaceFile(folder.path(), places, 1));
    StreetNameRec names[] = {StreetName(1, 1, twenty.c_str())};
    ASSERT_TRUE(WriteStreetFile(folder.path(), nullptr, 0, names, 1, nullptr, 0));
    LoadMain();

    std::string cut;
    for (int i = 0; i < 14; ++i) cut += "sh";
    cut += "s";  // 29 characters
    ASSERT_EQ(g_place_count, 1);
    EXPECT_EQ(std::string(g_places[0].name), cut);
    ASSERT_EQ(g_street_name_count, 1);
    EXPECT_EQ(std::string(g_street_names[0].name), cut);
}

struct MissingCase {
    const char* name;
    const char* missing;
    int places, areas, streets;  // -1: table NULL
    bool topo;
    size_t events;
};

class MissingMainFileTest : public MainFilesTest, public ::testing::WithParamInterface<MissingCase> {};

int CountOrNull(const void* table, int count) { return table == nullptr ? -1 : count; }

TEST_P(MissingMainFileTest, LoadingStopsAtTheMissingFile) {
    const MissingCase& c = GetParam();
    WritePlan();
    folder.Remove(c.missing);
    LoadMain();
    EXPECT_EQ(CountOrNull(g_places, g_place_count), c.places);
    EXPECT_EQ(CountOrNull(g_areas, g_area_count), c.areas);
    EXPECT_EQ(g_topo1 != nullptr, c.topo);
    EXPECT_EQ(CountOrNull(g_street_lines, g_street_line_count), c.streets);
    EXPECT_EQ(g_street_names != nullptr, c.streets >= 0);
    EXPECT_EQ(g_labels != nullptr, c.streets >= 0);
    EXPECT_EQ(window.events.size(), c.events);
    // The outlines read before the stop are still drawable.
    ASSERT_NE(g_pts, nullptr);
    EXPECT_GE(g_pts_capacity, g_max_points + 1);
    EXPECT_EQ(g_load_notes.files[kFile8],
              strcmp(c.missing, "8.tqf") == 0 ? FileStatus::Missing : FileStatus::Read);
}

INSTANTIATE_TEST_SUITE_P(EachStage, MissingMainFileTest,
                         ::testing::Values(MissingCase{"Places", "8.tqf", -1, -1, -1, false, 1},
                                           MissingCase{"Outlines", "3.tqf", 2, -1, -1, false, 2},
                                           MissingCase{"Topography", "4.tqf", 2, 3, -1, false, 3},
                                           MissingCase{"Streets", "5.tqf", 2, 3, -1, true, 4}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainFilesTest, LoadingAgainReplacesTheTables) {
    WritePlan();
    LoadMain();
    LoadMain();  // the sanitizer build reports the first load's tables if they leak
    EXPECT_EQ(g_place_count, 2);
    EXPECT_EQ(g_area_count, 3);
    EXPECT_EQ(g_street_line_count, 2);
    EXPECT_EQ(g_max_points, 7);
}

}  // namespace
