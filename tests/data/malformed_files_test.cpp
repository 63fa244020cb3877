// The malformed-file corpus: named damaged files, each loaded through the program's own loading
// path with what must be kept, then fed with every seed and every prefix to the fuzz entries.
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "../../fuzz/map_files/entries.h"
#include "data/loading_window.h"
#include "data/point_codec.h"
#include "data/readers.h"
#include "map_fixture.h"

namespace {

using namespace std::string_literals;

// Raw little-endian bytes, for damage the writers refuse to produce.
class Bytes {
  public:
    Bytes& I16(int v) {
        uint8_t b[2];
        EncodeI16(static_cast<int16_t>(v), b);
        data.insert(data.end(), b, b + 2);
        return *this;
    }
    Bytes& U8(int v) {
        data.push_back(static_cast<uint8_t>(v));
        return *this;
    }
    Bytes& Text(const std::string& text) {
        data.insert(data.end(), text.begin(), text.end());
        return *this;
    }
    Bytes& Zeros(size_t n) {
        data.insert(data.end(), n, 0);
        return *this;
    }
    std::vector<uint8_t> data;
};

class MalformedFixture : public MapFolderTest {
  public:
    using MapFolderTest::folder;
    using MapFolderTest::records;
    using MapFolderTest::SetUp;
    using MapFolderTest::TearDown;
    using MapFolderTest::window;

    // A sound minimal plan, so that a damaged file is reached by the loading.
    void WriteSoundPlan() {
        PlaceRec places[] = {Place(10, 10, "Centre")};
        WritePlaceFile(folder.path(), places, 1);
        AreaRec areas[] = {records.Area(250, {{0, 0}, {100, 0}, {100, 100}}, {0, 0, 100, 100})};
        WriteAreaFile(folder.path(), BBox{0, 0, 1000, 1000}, areas, 1);
        LineRec topo[] = {records.Straight(1014, 3)};
        TopoGroup groups[] = {{1, topo, 1}};
        WriteTopoFile(folder.path(), groups, 1);
        LineRec lines[] = {records.Straight(1, 2)};
        StreetNameRec names[] = {StreetName(1, 1, "Main")};
        LabelRec labels[] = {{100, 50, 100, 1}};
        WriteStreetFile(folder.path(), lines, 1, names, 1, labels, 1);
        BuildingRec buildings[] = {records.Building(100, 50, "1", "", 4)};
        WriteBuildingFiles(folder.path(), buildings, 1);
        ThemeNode themes[] = {Theme("A1", "Food")};
        WriteThemeFile(folder.path(), themes, 1);
        folder.WriteText("user.tqf", "1\n100,50,A1,Shop\n");
        folder.WriteText("sign.tqf", "1\n1,0,2,3,4,5,Sign\n");
    }
    void LoadEverything() {
        LoadMain();
        LoadBuildings();
    }
    std::vector<uint8_t> FuzzInput(FuzzTarget target) const {
        switch (target) {
            case FuzzTarget::Place:
                return folder.Read("8.tqf");
            case FuzzTarget::Outline:
                return folder.Read("3.tqf");
            case FuzzTarget::Topo:
                return folder.Read("4.tqf");
            case FuzzTarget::Street:
                return folder.Read("5.tqf");
            case FuzzTarget::Building:
                return JoinFuzzInput({folder.Read("7.tqf"), folder.Read("6.tqf")});
            case FuzzTarget::Text:
                return JoinFuzzInput(
                    {folder.Read("tema.tqf"), folder.Read("user.tqf"), folder.Read("sign.tqf")});
        }
        return {};
    }
    void TestBody() override {}
};

struct MalformedCase {
    const char* name;
    FuzzTarget target;
    std::function<void(MalformedFixture&)> damage;
    std::function<void(const MalformedFixture&)> check;
};

std::vector<LineRec> Lines(Records& records, std::initializer_list<int> counts) {
    std::vector<LineRec> lines;
    int16_t code = 0;
    for (int n : counts) {
        ++code;
        lines.push_back(records.Straight(code, n, 900.0f - code));
    }
    return lines;
}

const std::vector<MalformedCase>& Corpus() {
    static const std::vector<MalformedCase> kCases = {
        // 8.tqf
        {"PlacesEmpty", FuzzTarget::Place, [](MalformedFixture& f) { f.folder.Write("8.tqf", {}); },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_places, nullptr);
             EXPECT_EQ(g_area_count, 1) << "an empty file is not a missing one: loading goes on";
         }},
        {"PlacesNegativeCount", FuzzTarget::Place,
         [](MalformedFixture& f) { f.folder.Write("8.tqf", Bytes().I16(-5).Zeros(20).data); },
         [](const MalformedFixture&) {
             EXPECT_NE(g_places, nullptr);
             EXPECT_EQ(g_place_count, 0);
         }},
        {"PlacesFewerThanAnnounced", FuzzTarget::Place,
         [](MalformedFixture& f) {
             PlaceRec places[] = {Place(1, 2, "A"), Place(3, 4, "B")};
             WritePlaceFile(f.folder.path(), places, 2);
             std::vector<uint8_t> bytes = f.folder.Read("8.tqf");
             PutI16(bytes, 0, 10);
             f.folder.Write("8.tqf", bytes);
         },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_place_count, 2);
             EXPECT_STREQ(g_places[1].name, "B");
         }},
        {"PlacesCutInName", FuzzTarget::Place,
         [](MalformedFixture& f) {
             PlaceRec places[] = {Place(1, 2, "Alpha"), Place(3, 4, "Beta")};
             WritePlaceFile(f.folder.path(), places, 2);
             f.folder.Truncate("8.tqf", 2 + 10 + 7);  // 2 of the 4 name bytes of Beta
         },
         [](const MalformedFixture&) { EXPECT_EQ(g_place_count, 1); }},
        {"PlacesOverlongName", FuzzTarget::Place,
         [](MalformedFixture& f) {
             f.folder.Write("8.tqf", Bytes()
                                         .I16(2)
                                         .I16(1)
                                         .I16(2)
                                         .U8(200)
                                         .Text(std::string(200, 'a'))
                                         .I16(5)
                                         .I16(6)
                                         .U8(1)
                                         .Text("Z")
                                         .data);
         },
         [](const MalformedFixture&) {
             ASSERT_EQ(g_place_count, 2) << "the long name is read through, the next entry follows";
             EXPECT_EQ(std::string(g_places[0].name), std::string(29, 'a'));
             EXPECT_EQ(g_places[1].x, 5);
             EXPECT_STREQ(g_places[1].name, "Z");
         }},
        // 3.tqf
        {"OutlinesHeaderCut", FuzzTarget::Outline,
         [](MalformedFixture& f) { f.folder.Truncate("3.tqf", 10); },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_areas, nullptr) << "no extent, no plan";
             EXPECT_EQ(g_zoom.zoomDepth, 0);
             EXPECT_EQ(g_topo1_count, 1) << "the later files are still read";
         }},
        {"OutlinesExtentNotFinite", FuzzTarget::Outline,
         [](MalformedFixture& f) {
             AreaRec areas[] = {f.records.Area(250, {{1, 1}}, {1, 1, 1, 1})};
             WriteAreaFile(f.folder.path(), BBox{0, 0, std::numeric_limits<float>::quiet_NaN(), 10}, areas,
                           1);
         },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_areas, nullptr) << "a plan without a usable extent cannot be shown";
             EXPECT_EQ(g_zoom.zoomDepth, 0);
         }},
        {"OutlinesNegativeTableCount", FuzzTarget::Outline,
         [](MalformedFixture& f) {
             std::vector<uint8_t> bytes = f.folder.Read("3.tqf");
             PutI16(bytes, 0, -1);
             f.folder.Write("3.tqf", bytes);
         },
         [](const MalformedFixture&) {
             EXPECT_NE(g_areas, nullptr);
             EXPECT_EQ(g_area_count, 0);
             EXPECT_EQ(g_zoom.zoomDepth, 1);
         }},
        {"OutlinesNegativePointCount", FuzzTarget::Outline,
         [](MalformedFixture& f) {
             // One sound record, then a head (5, 2): -3 points.
             AreaRec areas[] = {f.records.Area(1, {{1, 1}}, {1, 1, 1, 1}),
                                f.records.Area(2, {{2, 2}}, {2, 2, 2, 2})};
             WriteAreaFile(f.folder.path(), BBox{0, 0, 10, 10}, areas, 2);
             std::vector<uint8_t> bytes = f.folder.Read("3.tqf");
             PutI16(bytes, 18 + 24, 5);
             PutI16(bytes, 18 + 24 + 2, 2);
             f.folder.Write("3.tqf", bytes);
         },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_area_count, 1);
             EXPECT_EQ(g_max_points, 3) << "the 3-point line of 4.tqf; the outline has 1";
         }},
        {"OutlinesCountBeyondTheField", FuzzTarget::Outline,
         [](MalformedFixture& f) {
             // A head (-32768, 32767) gives 65535 points, more than a record's i16 count holds.
             AreaRec areas[] = {f.records.Area(1, {{1, 1}}, {1, 1, 1, 1}),
                                f.records.Area(2, {{2, 2}}, {2, 2, 2, 2})};
             WriteAreaFile(f.folder.path(), BBox{0, 0, 10, 10}, areas, 2);
             std::vector<uint8_t> bytes = f.folder.Read("3.tqf");
             PutI16(bytes, 18 + 24, -32768);
             PutI16(bytes, 18 + 24 + 2, 32767);
             bytes.resize(bytes.size() + 65535 * 4, 0);
             f.folder.Write("3.tqf", bytes);
         },
         [](const MalformedFixture&) { EXPECT_EQ(g_area_count, 1); }},
        {"OutlinesCutInPoints", FuzzTarget::Outline,
         [](MalformedFixture& f) {
             AreaRec areas[] = {f.records.Area(250, {{1, 1}, {2, 2}}, {1, 1, 2, 2}),
                                f.records.Area(3, {{1, 1}, {2, 2}, {3, 3}}, {1, 1, 3, 3})};
             WriteAreaFile(f.folder.path(), BBox{0, 0, 10, 10}, areas, 2);
             f.folder.Truncate("3.tqf", 18 + 28 + 20 + 9);
         },
         [](const MalformedFixture&) {
             ASSERT_EQ(g_area_count, 1);
             EXPECT_EQ(g_areas[0].code, 0);
             EXPECT_EQ(g_areas[0].pts[1].x, 2);
         }},
        // 4.tqf
        {"TopoGroupHeadCut", FuzzTarget::Topo,
         [](MalformedFixture& f) {
             std::vector<uint8_t> bytes = f.folder.Read("4.tqf");
             bytes.push_back(2);
             bytes.push_back(0);
             bytes.push_back(5);
             f.folder.Write("4.tqf", bytes);
         },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_topo1_count, 1);
             EXPECT_EQ(g_topo2, nullptr);
             EXPECT_EQ(g_street_line_count, 1);
         }},
        {"TopoNegativeGroupCount", FuzzTarget::Topo,
         [](MalformedFixture& f) {
             std::vector<LineRec> lines = Lines(f.records, {2, 3});
             TopoGroup groups[] = {{2, lines.data(), 1}, {2, nullptr, 0}, {4, lines.data() + 1, 1}};
             WriteTopoFile(f.folder.path(), groups, 3);
             std::vector<uint8_t> bytes = f.folder.Read("4.tqf");
             PutI16(bytes, 4 + LineRecordBytes(2) + 2, -3);
             f.folder.Write("4.tqf", bytes);
         },
         [](const MalformedFixture&) {
             EXPECT_NE(g_topo2, nullptr);
             EXPECT_EQ(g_topo2_count, 0) << "the empty group replaced the first";
             ASSERT_EQ(g_topo4_count, 1);
             EXPECT_EQ(g_topo4[0].count, 3);
         }},
        {"TopoCutInPoints", FuzzTarget::Topo,
         [](MalformedFixture& f) {
             std::vector<LineRec> lines = Lines(f.records, {2, 3, 4});
             TopoGroup groups[] = {{3, lines.data(), 3}};
             WriteTopoFile(f.folder.path(), groups, 1);
             f.folder.Truncate("4.tqf", 4 + LineRecordBytes(2) + LineRecordBytes(3) + LineRecordBytes(4) - 1);
         },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_topo3_count, 2);
             EXPECT_EQ(g_max_points, 3);
             EXPECT_EQ(g_street_line_count, 1);
         }},
        {"TopoImpossibleCountEndsTheFile", FuzzTarget::Topo,
         [](MalformedFixture& f) {
             std::vector<LineRec> lines = Lines(f.records, {2, 3, 4});
             TopoGroup groups[] = {{1, lines.data(), 1}, {2, lines.data() + 1, 2}, {3, lines.data(), 1}};
             WriteTopoFile(f.folder.path(), groups, 3);
             std::vector<uint8_t> bytes = f.folder.Read("4.tqf");
             size_t head = 4 + LineRecordBytes(2) + 4 + LineRecordBytes(3);
             PutI16(bytes, head + 2, -100);
             f.folder.Write("4.tqf", bytes);
         },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_topo1_count, 1);
             EXPECT_EQ(g_topo2_count, 1);
             EXPECT_EQ(g_topo3, nullptr);
         }},
        // 5.tqf
        {"StreetIdsOutsideTheIndex", FuzzTarget::Street,
         [](MalformedFixture& f) {
             StreetNameRec names[] = {StreetName(-3, 1, "Minus"), StreetName(5, 1, "Five")};
             LabelRec labels[] = {{9, 9, 1, -3}, {8, 8, 1, 40}, {7, 7, 1, 5}};
             WriteStreetFile(f.folder.path(), nullptr, 0, names, 2, labels, 3);
             BuildingRec buildings[] = {f.records.Building(3, 3, "1", "", 1),
                                        f.records.Building(2, 2, "2", "", 1)};
             buildings[0].streetId = 30000;
             buildings[1].streetId = -4;
             WriteBuildingFiles(f.folder.path(), buildings, 2);
         },
         [](const MalformedFixture&) {
             ASSERT_EQ(g_street_name_count, 2);
             EXPECT_EQ(g_street_index_count, 6);
             EXPECT_EQ(StreetNameById(g_labels[0].streetId), nullptr);
             EXPECT_EQ(StreetNameById(g_labels[1].streetId), nullptr);
             EXPECT_STREQ(StreetNameById(g_labels[2].streetId)->name, "Five");
             ASSERT_EQ(g_building_count, 2);
             EXPECT_EQ(StreetNameById(g_buildings[0].streetId), nullptr);
             EXPECT_EQ(StreetNameById(g_buildings[1].streetId), nullptr);
         }},
        {"StreetNamesCut", FuzzTarget::Street,
         [](MalformedFixture& f) {
             StreetNameRec names[] = {StreetName(2, 1, "Two"), StreetName(9, 1, "Nine")};
             LabelRec labels[] = {{9, 9, 1, 2}};
             WriteStreetFile(f.folder.path(), nullptr, 0, names, 2, labels, 1);
             f.folder.Truncate("5.tqf", 2 + 2 + 7 + 5);
         },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_street_name_count, 1);
             EXPECT_EQ(g_street_index_count, 3);
             EXPECT_EQ(StreetNamePosition(9), -1);
             EXPECT_EQ(g_labels, nullptr);
         }},
        {"StreetLabelCutMidEntry", FuzzTarget::Street,
         [](MalformedFixture& f) {
             LabelRec labels[] = {{3, 3, 1, 1}, {2, 2, 1, 1}, {1, 1, 1, 1}};
             WriteStreetFile(f.folder.path(), nullptr, 0, nullptr, 0, labels, 3);
             f.folder.Truncate("5.tqf", 2 + 2 + 2 + 8 + 8 + 3);
         },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_label_count, 2);
             EXPECT_EQ(g_label_capacity, 103);
             EXPECT_EQ(g_street_index_count, 1) << "the index has at least entry 0";
         }},
        {"StreetNegativeCounts", FuzzTarget::Street,
         [](MalformedFixture& f) { f.folder.Write("5.tqf", Bytes().I16(-2).I16(-1).I16(-7).data); },
         [](const MalformedFixture&) {
             EXPECT_NE(g_street_lines, nullptr);
             EXPECT_EQ(g_street_line_count, 0);
             EXPECT_NE(g_street_names, nullptr);
             EXPECT_EQ(g_street_name_count, 0);
             EXPECT_EQ(g_label_count, 0);
             EXPECT_EQ(g_label_capacity, 100);
         }},
        {"StreetLineImpossibleCount", FuzzTarget::Street,
         [](MalformedFixture& f) {
             std::vector<LineRec> lines = Lines(f.records, {2, 2});
             StreetNameRec names[] = {StreetName(1, 1, "Main")};
             WriteStreetFile(f.folder.path(), lines.data(), 2, names, 1, nullptr, 0);
             std::vector<uint8_t> bytes = f.folder.Read("5.tqf");
             PutI16(bytes, 2 + LineRecordBytes(2), 20);  // code 20, code + count 4
             f.folder.Write("5.tqf", bytes);
         },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_street_line_count, 1);
             EXPECT_EQ(g_street_names, nullptr) << "nothing after an impossible record is trusted";
         }},
        {"StreetEmpty", FuzzTarget::Street, [](MalformedFixture& f) { f.folder.Write("5.tqf", {}); },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_street_lines, nullptr);
             EXPECT_EQ(g_street_names, nullptr);
             EXPECT_EQ(StreetNameById(0), nullptr);
             EXPECT_NE(g_pts, nullptr);
         }},
        // 7.tqf and 6.tqf
        {"BuildingsOverlongTexts", FuzzTarget::Building,
         [](MalformedFixture& f) {
             Bytes attributes;
             attributes.I16(2);
             attributes.I16(7).I16(0).I16(3).I16(8).I16(1).I16(2).U8(20).U8(200);
             attributes.Text(std::string(20, '9')).Text(std::string(200, 'c'));
             attributes.I16(6).I16(0).I16(1).I16(5).I16(1).I16(2).U8(1).U8(0).Text("4");
             f.folder.Write("7.tqf", attributes.data);
             f.folder.Write("6.tqf", std::vector<uint8_t>(32, 0));
         },
         [](const MalformedFixture& f) {
             ASSERT_EQ(g_building_count, 2);
             EXPECT_STREQ(g_buildings[0].houseNumber, "999999");
             EXPECT_EQ(std::string(g_buildings[0].caption), std::string(46, 'c'));
             EXPECT_EQ(g_buildings[1].x, 6);
             EXPECT_STREQ(g_buildings[1].houseNumber, "4");
             EXPECT_EQ(f.window.events.back(), "close");
         }},
        {"BuildingsNegativeCount", FuzzTarget::Building,
         [](MalformedFixture& f) { f.folder.Write("7.tqf", Bytes().I16(-1).data); },
         [](const MalformedFixture&) {
             EXPECT_NE(g_buildings, nullptr);
             EXPECT_EQ(g_building_count, 0);
             EXPECT_NE(g_theme_root, nullptr) << "the text files follow";
         }},
        {"BuildingsEmptyFiles", FuzzTarget::Building,
         [](MalformedFixture& f) {
             f.folder.Write("7.tqf", {});
             f.folder.Write("6.tqf", {});
         },
         [](const MalformedFixture&) {
             EXPECT_NE(g_buildings, nullptr) << "loaded, and empty: the paint does not retry";
             EXPECT_EQ(g_building_count, 0);
         }},
        {"BuildingsCutInTexts", FuzzTarget::Building,
         [](MalformedFixture& f) {
             BuildingRec buildings[] = {f.records.Building(3, 3, "1", "First", 1),
                                        f.records.Building(2, 2, "22", "Second", 1)};
             WriteBuildingFiles(f.folder.path(), buildings, 2);
             f.folder.Truncate("7.tqf", 2 + 14 + 6 + 14 + 4);
         },
         [](const MalformedFixture&) {
             ASSERT_EQ(g_building_count, 1);
             EXPECT_STREQ(g_buildings[0].caption, "First");
         }},
        // tema.tqf, user.tqf, sign.tqf
        {"TextsWithoutLineEnds", FuzzTarget::Text,
         [](MalformedFixture& f) {
             f.folder.WriteText("tema.tqf", "A1xxxxxxx,Food");
             f.folder.WriteText("user.tqf", "1\n1,2,A1,Shop");
             f.folder.WriteText("sign.tqf", "1\n1,0,2,3,4,5,Sign");
         },
         [](const MalformedFixture&) {
             ASSERT_NE(g_theme_root, nullptr);
             EXPECT_STREQ(g_theme_root->name, "Food");
             ASSERT_EQ(g_user_count, 1);
             EXPECT_STREQ(g_user_objects[0].name, "Shor");  // Latin p is read as r
             ASSERT_EQ(g_sign_count, 1);
             EXPECT_STREQ(g_signs[0].text, "Sign");
         }},
        {"TextsWithNulBytes", FuzzTarget::Text,
         [](MalformedFixture& f) {
             f.folder.WriteText("tema.tqf", "A1xxxxxxx,Fo\0od\nB1\0xxxxxx,Health\n"s);
             f.folder.WriteText("user.tqf", "2\n1,2,A1,Sh\0o\n3,4,B1,Clinic\n"s);
         },
         [](const MalformedFixture&) {
             ASSERT_NE(g_theme_root, nullptr);
             EXPECT_STREQ(g_theme_root->name, "Fo");
             EXPECT_EQ(g_theme_root->next, nullptr) << "the text of the second line ends before its comma";
             ASSERT_EQ(g_user_count, 2) << "a NUL byte does not swallow the next line";
             EXPECT_STREQ(g_user_objects[1].name, "Clinic");
         }},
        {"TextsCountNotANumber", FuzzTarget::Text,
         [](MalformedFixture& f) {
             f.folder.WriteText("user.tqf", "many\n1,2,A1,Shop\n");
             f.folder.WriteText("sign.tqf", "x\n1,0,2,3,4,5,Sign\n");
         },
         [](const MalformedFixture&) {
             EXPECT_EQ(g_user_count, 0);
             EXPECT_EQ(g_sign_count, 0);
         }},
        {"TextsFewCommas", FuzzTarget::Text,
         [](MalformedFixture& f) {
             f.folder.WriteText("tema.tqf", "A1,near,start\nA1xxxxxxx,Food\n\n,\n");
             f.folder.WriteText("user.tqf", "3\n1,2\n,,,\n5,6,A1,Shop\n");
             f.folder.WriteText("sign.tqf", "3\n1,2,3,4,5\n,,,,,,\n");
         },
         [](const MalformedFixture&) {
             ASSERT_NE(g_theme_root, nullptr);
             EXPECT_STREQ(g_theme_root->name, "Food");
             EXPECT_EQ(g_theme_root->next, nullptr);
             ASSERT_EQ(g_user_count, 2);
             EXPECT_EQ(g_user_objects[0].x, 0);
             EXPECT_STREQ(g_user_objects[0].name, "");
             EXPECT_EQ(g_user_objects[1].x, 5);
             ASSERT_EQ(g_sign_count, 1);
             EXPECT_EQ(g_signs[0].id, 0);
         }},
    };
    return kCases;
}

class MalformedFileTest : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedFileTest, KeepsWhatWasReadCompletely) {
    MalformedFixture fixture;
    fixture.SetUp();
    fixture.WriteSoundPlan();
    GetParam().damage(fixture);
    fixture.LoadEverything();
    GetParam().check(fixture);
    fixture.TearDown();
}

INSTANTIATE_TEST_SUITE_P(Corpus, MalformedFileTest, ::testing::ValuesIn(Corpus()),
                         [](const auto& info) { return std::string(info.param.name); });

// Runs an entry over the whole input and over its prefixes: a file cut at any byte. Past the
// first few kilobytes (the heads and first records) every 509th cut is enough.
void RunWithEveryPrefix(const FuzzTargetInfo& info, const std::vector<uint8_t>& input) {
    for (size_t n = 0; n <= input.size(); ++n) {
        if (n <= 4096 || n % 509 == 0 || n == input.size()) info.entry(input.data(), n);
    }
}

TEST(FuzzEntryTest, SeedsAndTheirPrefixesLoadSoundly) {
    for (const FuzzTargetInfo& info : FuzzTargets()) {
        SCOPED_TRACE(info.name);
        std::vector<std::vector<uint8_t>> seeds = FuzzSeeds(info.target);
        ASSERT_FALSE(seeds.empty());
        for (const std::vector<uint8_t>& seed : seeds) RunWithEveryPrefix(info, seed);
    }
}

TEST(FuzzEntryTest, MalformedCorpusAndItsPrefixesLoadSoundly) {
    for (const MalformedCase& c : Corpus()) {
        SCOPED_TRACE(c.name);
        MalformedFixture fixture;
        fixture.SetUp();
        fixture.WriteSoundPlan();
        c.damage(fixture);
        for (const FuzzTargetInfo& info : FuzzTargets()) {
            if (info.target == c.target) RunWithEveryPrefix(info, fixture.FuzzInput(c.target));
        }
        fixture.TearDown();
    }
}

TEST(FuzzEntryTest, SeedsHoldWhatTheWritersWrote) {
    // The seeds must reach deep into each format, or the fuzzer starts from nothing.
    std::vector<uint8_t> street = FuzzSeeds(FuzzTarget::Street)[0];
    FILE* file = fmemopen(street.data(), street.size(), "rb");
    ASSERT_NE(file, nullptr);
    ReadStreetFile(file);
    fclose(file);
    EXPECT_EQ(g_street_line_count, 3);
    EXPECT_EQ(g_street_name_count, 3);
    EXPECT_EQ(g_label_count, 3);
    EXPECT_EQ(g_street_index_count, 13);
    FreeAllMapData();
}

}  // namespace
