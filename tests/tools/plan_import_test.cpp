// The OpenStreetMap importer end to end: small extracts written here are imported, and the
// viewer's loaders read the folder back. Positions are worked out from the projection near the
// equator, where a degree of latitude is 110,574 m and one of longitude 111,319 m; the plan
// starts 100 m south and west of the extract's bounds.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "data/districts.h"
#include "data/plan_ini.h"
#include "data/store.h"
#include "import.h"
#include "osm_town.h"
#include "support/map_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string kImporter = KORVINSK_BINARY_DIR "/tools/plan-import/plan-import";

constexpr double kMetresPerLat = 110574.0;
constexpr double kMetresPerLon = 111319.0;
double PlanX(double lat) { return 100.0 + lat * kMetresPerLat; }
double PlanY(double lon) { return 100.0 + lon * kMetresPerLon; }

struct RunResult {
    int status = -1;
    std::string output;
    std::string errors;
};

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

RunResult RunImporter(const std::string& arguments) {
    TempFolder scratch;
    const std::string out = scratch.File("stdout.txt"), err = scratch.File("stderr.txt");
    const std::string command = "'" + kImporter + "' " + arguments + " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    RunResult result;
    if (raw != -1 && WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
    result.output = Slurp(out);
    result.errors = Slurp(err);
    return result;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool InsideOutline(const BuildingRec& b, double x, double y) {
    bool inside = false;
    for (int i = 0, j = b.count - 1; i < b.count; j = i++) {
        const PlanPoint& p = b.pts[i];
        const PlanPoint& q = b.pts[j];
        if ((p.y > y) != (q.y > y) && x < (q.x - p.x) * (y - p.y) / (q.y - p.y) + p.x) inside = !inside;
    }
    return inside;
}

const BuildingRec* BuildingNumbered(const char* number) {
    for (int i = 0; i < g_building_count; ++i)
        if (std::strcmp(g_buildings[i].houseNumber, number) == 0) return &g_buildings[i];
    return nullptr;
}

class ImportedTown : public ::testing::Test {
protected:
    void SetUp() override {
        input_ = scratch_.File("town.osm");
        std::ofstream(input_, std::ios::binary) << TownXml();
        folder_ = scratch_.File("town");
        planimport::ImportOptions options;
        options.input = input_;
        options.out = folder_;
        std::string error;
        ASSERT_EQ(planimport::RunImport(options, summary_, error), 0) << error;
        std::memcpy(savedDistricts_, g_district_names, sizeof savedDistricts_);
        WorkingDirectory here(folder_.c_str());
        RecordingLoadingWindow window;
        LoadMainFiles();
        LoadBuildingFiles();
        ASSERT_NE(g_areas, nullptr);
        ASSERT_NE(g_buildings, nullptr);
    }
    void TearDown() override {
        FreeAllMapData();
        std::memset(&g_planIni, 0, sizeof g_planIni);
        // plan.ini renamed the districts; the other tests expect Korvinsk's.
        std::memcpy(g_district_names, savedDistricts_, sizeof savedDistricts_);
    }

    char savedDistricts_[kDistrictCount + 1][kDistrictNameField];
    TempFolder scratch_;
    std::string input_;
    std::string folder_;
    planimport::ImportSummary summary_;
};

TEST_F(ImportedTown, StreetIdsFollowTheLowerCasedLatinNames) {
    struct Expected {
        int id;
        const char* name;  // as loaded, in Latin letters
        int kind;          // 1 for a street with houses, 0 for one without
    };
    // abbey road < citta vecchia < kazak koshesi < missing lane < ulyca lenyna.
    const Expected expected[] = {
        {1, "Abbey Road", 1}, {2, "Citta Vecchia", 0}, {3, "Kazak koshesi", 0}, {4, "Missing Lane", 0}, {5, "ulyca Lenyna", 1},
    };
    ASSERT_EQ(g_street_name_count, 5);
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(g_street_names[i].id, expected[i].id);
        EXPECT_STREQ(g_street_names[i].name, expected[i].name);
        EXPECT_EQ(g_street_names[i].kind, expected[i].kind);
    }
}

TEST_F(ImportedTown, StreetLinesJoinTheWaysOfAStreet) {
    // Five named streets (Lenina's two ways joined into one line of three points), one service
    // road of code 0.
    ASSERT_EQ(g_street_line_count, 6);
    std::map<int, int> points;
    for (int i = 0; i < g_street_line_count; ++i) points[g_street_lines[i].code] = g_street_lines[i].count;
    EXPECT_EQ(points[5], 3);
    EXPECT_EQ(points[0], 2);
    // The node missing from the file leaves the lane its two known nodes.
    EXPECT_EQ(points[4], 2);
    EXPECT_EQ(summary_.waysMissingNodes, 1);
    for (int i = 1; i < g_street_line_count; ++i)
        EXPECT_GE(g_street_lines[i - 1].box.xMin, g_street_lines[i].box.xMin) << "street lines run north first";
    // Lenina runs along latitude 0.005 from longitude 0.001 to 0.009.
    for (int i = 0; i < g_street_line_count; ++i) {
        if (g_street_lines[i].code != 5) continue;
        EXPECT_NEAR(g_street_lines[i].box.xMin, PlanX(0.005), 1.0);
        EXPECT_NEAR(g_street_lines[i].box.yMin, PlanY(0.001), 1.0);
        EXPECT_NEAR(g_street_lines[i].box.yMax, PlanY(0.009), 1.0);
    }
}

TEST_F(ImportedTown, LabelsSitOnStreetsLongEnoughForTheirNames) {
    // Lenina 890 m for 12 letters and Abbey Road 774 m for 10 show from the smallest scale
    // (size 10); Kazak koshesy 223 m for 13 letters needs size 25, Citta Vecchia 334 m size 17;
    // the 56 m lane cannot hold its name at any scale.
    std::map<int, int> sizes;
    for (int i = 0; i < g_label_count; ++i) sizes[g_labels[i].streetId] = g_labels[i].size;
    ASSERT_EQ(g_label_count, 4);
    EXPECT_EQ(sizes[5], 10);
    EXPECT_EQ(sizes[1], 10);
    EXPECT_EQ(sizes[3], 25);
    EXPECT_EQ(sizes[2], 17);
    EXPECT_EQ(sizes.count(4), 0u);
    EXPECT_EQ(summary_.streetsWithoutLabel, 1);
    for (int i = 0; i < g_label_count; ++i) {
        if (g_labels[i].streetId != 5) continue;
        EXPECT_NEAR(g_labels[i].x, PlanX(0.005), 1.0);
        EXPECT_NEAR(g_labels[i].y, PlanY(0.005), 1.0);
    }
    for (int i = 1; i < g_label_count; ++i) EXPECT_GE(g_labels[i - 1].x, g_labels[i].x);
}

TEST_F(ImportedTown, BuildingsKeepTheirAddressesFloorsAndPurposes) {
    struct Expected {
        const char* number;
        int streetId;
        int floors;
        int purpose;
    };
    const Expected expected[] = {
        {"12\xE0", 5, 9, 411},  // 12а: the letter stays Cyrillic
        {"3", 1, 2, 411},
        {"5", 1, 2, 411},
        {"7", 0, 1, 413},  // its street is not in the data
        {"", 0, 2, 444},
        {"9", 1, 1, 411},  // a house addressed by a node inside it, the street in small letters
    };
    // The seventh building lies beyond the area.
    ASSERT_EQ(g_building_count, 6);
    EXPECT_EQ(summary_.buildingsOutside, 1);
    EXPECT_EQ(summary_.streetNotFound, 1);
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.number);
        const BuildingRec* b = BuildingNumbered(e.number);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->streetId, e.streetId);
        EXPECT_EQ(b->floors, e.floors);
        EXPECT_EQ(b->purpose, e.purpose);
    }
    // Школа № 5: the caption is transliterated, the number sign kept.
    EXPECT_STREQ(BuildingNumbered("")->caption, "Shkola \xB9 5");
}

TEST_F(ImportedTown, AnchorsLieInsideOutlinesAndOutOfCourtyards) {
    for (int i = 0; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        SCOPED_TRACE(b.houseNumber);
        EXPECT_TRUE(InsideOutline(b, b.x, b.y));
    }
    // Building 5 is a multipolygon whose courtyard spans latitude and longitude 0.0062..0.0064.
    const BuildingRec* yard = BuildingNumbered("5");
    ASSERT_NE(yard, nullptr);
    EXPECT_EQ(yard->count, 4);
    const bool inCourtyard = yard->x > PlanX(0.0062) && yard->x < PlanX(0.0064) && yard->y > PlanY(0.0062) &&
                             yard->y < PlanY(0.0064);
    EXPECT_FALSE(inCourtyard) << yard->x << "," << yard->y;
    EXPECT_GT(yard->x, PlanX(0.0060));
    EXPECT_LT(yard->x, PlanX(0.0066));
}

TEST_F(ImportedTown, ObjectsAreBoundToTheBuildingsTheyStandIn) {
    struct Expected {
        const char* code;
        const char* name;
        const char* building;  // house number of the building
    };
    const Expected expected[] = {
        {"C2", "Shkola \xB9 5", ""},
        {"A2", "Magnyt", "3"},
        {"F2", "Kaphe \xABUyut\xBB", "12\xE0"},
    };
    ASSERT_EQ(g_user_count, 3);
    EXPECT_EQ(summary_.objectsOutside, 1);  // the pharmacy in the street
    EXPECT_EQ(summary_.objectsUnnamed, 1);  // the cash machine
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.name);
        const BuildingRec* b = BuildingNumbered(e.building);
        ASSERT_NE(b, nullptr);
        bool found = false;
        for (int i = 0; i < g_user_count; ++i) {
            const UserObjectRec& o = g_user_objects[i];
            if (std::strcmp(o.name, e.name) != 0) continue;
            found = true;
            EXPECT_EQ(std::string(o.code, 2), e.code);
            EXPECT_EQ(o.x, b->x);
            EXPECT_EQ(o.y, b->y);
        }
        EXPECT_TRUE(found);
    }
    // The theme tree holds the three groups with objects, each with its one item.
    const char* groups[3][2] = {{"A1", "A2"}, {"C1", "C2"}, {"F1", "F2"}};
    const ThemeNode* g = g_theme_root;
    for (const auto& pair : groups) {
        ASSERT_NE(g, nullptr);
        EXPECT_EQ(std::string(g->code, 2), pair[0]);
        ASSERT_NE(g->child, nullptr);
        EXPECT_EQ(std::string(g->child->code, 2), pair[1]);
        EXPECT_EQ(g->child->next, nullptr);
        g = g->next;
    }
    EXPECT_EQ(g, nullptr);
}

TEST_F(ImportedTown, LandEndsAtTheCoastAndFiveSectorsDivideIt) {
    // The coast runs east along latitude 0.0015 with the land on its left: the land is the
    // plan north of it, four corners and the closing point.
    const AreaRec& land = g_areas[0];
    ASSERT_EQ(land.count, 5);
    EXPECT_NEAR(land.box.xMin, PlanX(0.0015), 1.0);
    EXPECT_NEAR(land.box.yMin, 0, 1.0);
    EXPECT_EQ(land.pts[0].x, land.pts[4].x);
    EXPECT_EQ(land.pts[0].y, land.pts[4].y);
    EXPECT_TRUE(summary_.landFromCoast);
    ASSERT_EQ(g_area_count, 6);
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(g_areas[k].code, k);
    // No boundaries in the data: the sectors' names, north first, clockwise.
    EXPECT_STREQ(g_planIni.districts[0], "Severnij");
    EXPECT_STREQ(g_planIni.districts[2], "Yugo-Vostochnij");
    EXPECT_STREQ(g_district_names[5], "Zapadnij");
}

TEST_F(ImportedTown, PlacesLinesAndPlanIni) {
    ASSERT_EQ(g_place_count, 1);
    EXPECT_STREQ(g_places[0].name, "Centr");
    EXPECT_NEAR(g_places[0].x, PlanX(0.0065), 1.0);
    // The footway (code 4) and every street line again (code 5) for the largest scales.
    int paths = 0, copies = 0;
    for (int i = 0; i < g_topo4_count; ++i) (g_topo4[i].code == 4 ? paths : copies) += 1;
    EXPECT_EQ(paths, 1);
    EXPECT_EQ(copies, 6);
    ASSERT_TRUE(g_planIni.present);
    EXPECT_STREQ(g_planIni.name, "Testograd");
    EXPECT_TRUE(g_planIni.haveCentre);
    EXPECT_NEAR(g_planIni.lon0, 0.005, 1e-9);
    EXPECT_NEAR(g_planIni.lat0, 0.005, 1e-9);
    // Northing 0 lies at latitude 0.005, 553 m north of the plan's southern edge at 100 m.
    EXPECT_NEAR(g_planIni.xShift, 100.0 + 0.005 * kMetresPerLat, 1.0);
    EXPECT_NEAR(g_planIni.yShift, 100.0 + 0.005 * kMetresPerLon, 1.0);
    EXPECT_NE(std::strstr(g_planIni.proj, "+proj=tmerc"), nullptr);
}

TEST(PlanImportDistricts, AdministrativeAreasThatCoverThePlanBecomeDistricts) {
    TempFolder scratch;
    OsmXml x;
    x.Bounds(0.0, 0.0, 0.01, 0.01);
    // Two city districts halve the area; the region round it is one area of a coarser level.
    x.Box(10, -0.001, -0.001, 0.011, 0.005, {{"boundary", "administrative"}, {"admin_level", "9"}, {"name", "Ленинский"}});
    x.Box(20, -0.001, 0.005, 0.011, 0.011, {{"boundary", "administrative"}, {"admin_level", "9"}, {"name", "Октябрьский"}});
    x.Box(30, -0.1, -0.1, 0.1, 0.1, {{"boundary", "administrative"}, {"admin_level", "4"}, {"name", "Область"}});
    x.Box(40, 0.004, 0.004, 0.0042, 0.0042, {{"building", "yes"}});
    std::ofstream(scratch.File("d.osm"), std::ios::binary) << x.Text();
    planimport::ImportOptions options;
    options.input = scratch.File("d.osm");
    options.out = scratch.File("city");
    options.name = "Kyiv Київ";
    planimport::ImportSummary summary;
    std::string error;
    ASSERT_EQ(planimport::RunImport(options, summary, error), 0) << error;
    EXPECT_TRUE(summary.districtsFromBoundaries);
    EXPECT_EQ(summary.districts, 2);
    PlanIniRec ini;
    const std::string text = Slurp(scratch.File("city/plan.ini"));
    char message[160];
    ASSERT_TRUE(ParsePlanIni(text.data(), text.size(), &ini, message, sizeof message)) << message;
    EXPECT_EQ(ini.districtCount, 2);
    EXPECT_STREQ(ini.districts[0], "Lenynskij");
    EXPECT_STREQ(ini.districts[1], "Oktyabr`skij");
    // Ї has no letter in the code page; it is written as the one the viewer spells i.
    EXPECT_STREQ(ini.name, "Kyiv Kyiv");

    // A name of a blank and an invisible character is no name: the file's stem is taken, as
    // the data name no settlement.
    options.out = scratch.File("city2");
    options.name = " \xE2\x80\x8B ";
    ASSERT_EQ(planimport::RunImport(options, summary, error), 0) << error;
    const std::string second = Slurp(scratch.File("city2/plan.ini"));
    ASSERT_TRUE(ParsePlanIni(second.data(), second.size(), &ini, message, sizeof message)) << message;
    EXPECT_STREQ(ini.name, "d");

    // A projection the user names is recorded by its definition alone.
    options.out = scratch.File("city3");
    options.proj = "+proj=utm +zone=31 +ellps=WGS84";
    ASSERT_EQ(planimport::RunImport(options, summary, error), 0) << error;
    const std::string third = Slurp(scratch.File("city3/plan.ini"));
    ASSERT_TRUE(ParsePlanIni(third.data(), third.size(), &ini, message, sizeof message)) << message;
    EXPECT_FALSE(ini.haveCentre);
    EXPECT_STREQ(ini.proj, "+proj=utm +zone=31 +ellps=WGS84");
}

TEST(PlanImportProgram, ExitCodesAndWhatIsLeftBehind) {
    TempFolder scratch;
    std::ofstream(scratch.File("town.osm"), std::ios::binary) << TownXml();
    std::ofstream(scratch.File("junk.osm"), std::ios::binary) << "this is not <osm at all";
    const std::string town = "'" + scratch.File("town.osm") + "'";
    const std::string out = "'" + scratch.File("out") + "'";
    struct Case {
        const char* what;
        std::string arguments;
        int status;
        const char* message;  // part of the error text
    };
    const Case cases[] = {
        {"no arguments", "", 2, "INPUT is required"},
        {"no output folder", town, 2, "--out"},
        {"a box of three numbers", town + " --out " + out + " --bbox 1,2,3", 2, "bad box"},
        {"a box whose west lies east of its east", town + " --out " + out + " --bbox 0.01,0,0,0.01", 2, "bad box"},
        {"an unknown option", town + " --out " + out + " --colour red", 2, "unknown argument"},
        {"a projection PROJ refuses", town + " --out " + out + " --proj nonsense", 2, "PROJ"},
        {"a missing input", "'" + scratch.File("none.osm") + "' --out " + out, 1, "cannot read"},
        {"an input that is not OpenStreetMap data", "'" + scratch.File("junk.osm") + "' --out " + out, 1, "cannot read"},
        {"an area larger than the coordinates hold", town + " --out " + out + " --bbox 0,0,1,1", 1, "65,535"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const RunResult r = RunImporter(c.arguments);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.errors.find(c.message), std::string::npos) << r.errors;
        // Nothing is left behind: neither the folder nor the hidden one it is written through.
        EXPECT_EQ(Entries(scratch.path()), (std::vector<std::string>{"junk.osm", "town.osm"}));
    }
    const RunResult ok = RunImporter(town + " --out " + out);
    EXPECT_EQ(ok.status, 0) << ok.errors;
    EXPECT_NE(ok.output.find("5 named"), std::string::npos) << ok.output;
    EXPECT_NE(ok.output.find("1 objects in no building"), std::string::npos) << ok.output;
    EXPECT_EQ(Entries(scratch.File("out")),
              (std::vector<std::string>{"1.tqf", "2.tqf", "3.tqf", "4.tqf", "5.tqf", "6.tqf", "7.tqf", "8.tqf", "plan.ini",
                                        "sign.tqf", "tema.tqf", "user.tqf"}));
    // A second run refuses the folder that now exists and leaves it as it is.
    const RunResult again = RunImporter(town + " --out " + out);
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(again.errors.find("already exists"), std::string::npos) << again.errors;
    EXPECT_EQ(Entries(scratch.path()), (std::vector<std::string>{"junk.osm", "out", "town.osm"}));
}

}  // namespace
