// Acceptance of the city generator: the program writes a small town and the default city, the
// viewer's loaders read them back, and what the drawing, the searches and the fixed tables of
// the viewer rely on holds on the loaded store.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "data/overview_files.h"
#include "kerbs.h"
#include "data/store.h"
#include "data/text.h"
#include "support/map_folder.h"
#include "view/view.h"

namespace {

namespace fs = std::filesystem;

const std::string kGenerator = KORVINSK_BINARY_DIR "/tools/plan-generate/plan-generate";

struct RunResult {
    int status = -1;  // the exit code, or -1 when the program did not exit normally
    std::string errors;
};

RunResult RunGenerator(const std::string& arguments) {
    TempFolder scratch;
    std::string errFile = scratch.File("stderr.txt");
    std::string command = "'" + kGenerator + "' " + arguments + " >/dev/null 2>'" + errFile + "'";
    int raw = std::system(command.c_str());
    RunResult result;
    if (raw != -1 && WIFEXITED(raw)) result.status = WEXITSTATUS(raw);
    std::ifstream in(errFile);
    std::stringstream text;
    text << in.rdbuf();
    result.errors = text.str();
    return result;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

int I16(const std::vector<uint8_t>& b, size_t at) {
    if (at + 2 > b.size()) return -1;
    return static_cast<int16_t>(static_cast<uint16_t>(b[at] | (b[at + 1] << 8)));
}

// The counts each file announces, read from the bytes as written, before any loader runs.
struct Announced {
    int places = -1, outlines = -1, streetLines = -1, streetNames = -1, labels = -1, buildings = -1;
    int topo[5] = {-1, -1, -1, -1, -1};
    int users = -1, signs = -1, themes = 0;
};

Announced ReadAnnounced(const std::string& folder) {
    Announced a;
    a.places = I16(ReadBytes(folder + "/8.tqf"), 0);
    a.outlines = I16(ReadBytes(folder + "/3.tqf"), 0);
    a.buildings = I16(ReadBytes(folder + "/7.tqf"), 0);
    std::vector<uint8_t> topo = ReadBytes(folder + "/4.tqf");
    for (size_t at = 0; at + 4 <= topo.size();) {
        int lineClass = I16(topo, at), count = I16(topo, at + 2);
        at += 4;
        if (lineClass >= 1 && lineClass <= 4) a.topo[lineClass] = count;
        for (int i = 0; i < count; ++i) {
            int points = I16(topo, at + 2) - I16(topo, at);
            at += 4 + 16 + 8 * static_cast<size_t>(points);
        }
    }
    std::vector<uint8_t> streets = ReadBytes(folder + "/5.tqf");
    size_t at = 0;
    a.streetLines = I16(streets, at);
    at += 2;
    for (int i = 0; i < a.streetLines; ++i) {
        int points = I16(streets, at + 2) - I16(streets, at);
        at += 4 + 16 + 8 * static_cast<size_t>(points);
    }
    a.streetNames = I16(streets, at);
    at += 2;
    for (int i = 0; i < a.streetNames && at + 4 <= streets.size(); ++i) at += 4 + streets[at + 3];
    a.labels = I16(streets, at);
    std::ifstream users(folder + "/user.tqf");
    users >> a.users;
    std::ifstream signs(folder + "/sign.tqf");
    signs >> a.signs;
    std::ifstream themes(folder + "/tema.tqf");
    for (std::string line; std::getline(themes, line);) ++a.themes;
    return a;
}

// Plane helpers of the test's own, so that a fault in the viewer's geometry cannot hide one
// in the city.
double SegmentDistance(double px, double py, PlanPoint a, PlanPoint b) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((px - a.x) * dx + (py - a.y) * dy) / len2 : 0.0;
    t = std::fmin(1.0, std::fmax(0.0, t));
    return std::hypot(px - (a.x + t * dx), py - (a.y + t * dy));
}

template <typename P>
bool InPolygon(const P* pts, int count, double x, double y) {
    bool inside = false;
    for (int i = 0, j = count - 1; i < count; j = i++) {
        double xi = pts[i].x, yi = pts[i].y, xj = pts[j].x, yj = pts[j].y;
        if ((yi > y) != (yj > y) && x < xi + (y - yi) * (xj - xi) / (yj - yi)) inside = !inside;
    }
    return inside;
}

bool OnLand(double x, double y) { return InPolygon(g_areas[0].pts, g_areas[0].count, x, y); }

std::string LowerName(const char* name) {
    char buf[64] = {0};
    std::strncpy(buf, name, sizeof buf - 1);
    LowerText(buf);
    return buf;
}

struct CityCase {
    const char* name;
    const char* arguments;
    int buildings;   // exactly this many
    bool wholeCity;  // the default city: the counts of a real city hold too
};

const CityCase kCases[] = {
    {"Town", "--seed 7 --buildings 500", 500, false},
    {"DefaultCity", "", 30000, true},
};

// Each case is generated once per build of the generator and kept in the build folder: every
// test runs in a process of its own, and the whole city takes a while under the sanitizers. The
// folder's name carries the generator's time stamp and size, so a rebuilt generator writes anew;
// two tests racing to write it are safe, since the generator renames a finished city into place
// and refuses a folder that exists.
class GeneratedCity : public ::testing::TestWithParam<CityCase> {
protected:
    static std::string Generate(const CityCase& c) {
        std::error_code ec;
        fs::path root = fs::path(KORVINSK_BINARY_DIR) / "tests" / "generated-cities";
        fs::create_directories(root, ec);
        auto stamp = fs::last_write_time(kGenerator, ec).time_since_epoch().count();
        std::string prefix = std::string(c.name) + "-";
        std::string name = prefix + std::to_string(stamp) + "-" + std::to_string(fs::file_size(kGenerator, ec));
        fs::path folder = root / name;
        if (!fs::exists(folder / "sign.tqf")) {
            RunResult run = RunGenerator(std::string(c.arguments) + " --out '" + folder.string() + "'");
            EXPECT_TRUE(run.status == 0 || fs::exists(folder / "sign.tqf")) << run.errors;
        }
        // Cities of earlier builds of the generator.
        for (const auto& e : fs::directory_iterator(root, ec)) {
            std::string other = e.path().filename().string();
            if (other != name && other.rfind(prefix, 0) == 0) fs::remove_all(e.path(), ec);
        }
        return folder.string();
    }

    void SetUp() override {
        folder_ = Generate(GetParam());
        announced_ = ReadAnnounced(folder_);
        WorkingDirectory here(folder_.c_str());
        RecordingLoadingWindow window;
        LoadMainFiles();
        LoadBuildingFiles();
        ASSERT_NE(g_areas, nullptr);
        ASSERT_NE(g_buildings, nullptr);
    }
    void TearDown() override { FreeAllMapData(); }

    const StreetNameRec* Street(int id) const {
        const StreetNameRec* s = StreetNameById(id);
        return s != nullptr && s->id == id ? s : nullptr;
    }

    std::string folder_;
    Announced announced_;
};

TEST_P(GeneratedCity, EveryTableHoldsWhatItsFileAnnounces) {
    EXPECT_EQ(g_place_count, announced_.places);
    EXPECT_EQ(g_area_count, announced_.outlines);
    EXPECT_EQ(g_topo1_count, announced_.topo[1]);
    EXPECT_EQ(g_topo2_count, announced_.topo[2]);
    EXPECT_EQ(g_topo3_count, announced_.topo[3]);
    EXPECT_EQ(g_topo4_count, announced_.topo[4]);
    EXPECT_EQ(g_street_line_count, announced_.streetLines);
    EXPECT_EQ(g_street_name_count, announced_.streetNames);
    EXPECT_EQ(g_label_count, announced_.labels);
    EXPECT_EQ(g_building_count, announced_.buildings);
    EXPECT_EQ(g_building_count, GetParam().buildings);
    EXPECT_EQ(g_user_count, announced_.users);
    EXPECT_EQ(g_sign_count, announced_.signs);
    int themes = 0;
    for (const ThemeNode* g = g_theme_root; g; g = g->next) {
        ++themes;
        for (const ThemeNode* i = g->child; i; i = i->next) ++themes;
    }
    EXPECT_EQ(themes, announced_.themes);
}

TEST_P(GeneratedCity, RecordsStandNorthFirstAsTheDrawingSweepsThem) {
    struct List {
        const char* name;
        const LineRec* lines;
        int count;
    };
    const List lists[] = {{"topo1", g_topo1, g_topo1_count}, {"topo2", g_topo2, g_topo2_count},
                          {"topo3", g_topo3, g_topo3_count}, {"topo4", g_topo4, g_topo4_count},
                          {"street lines", g_street_lines, g_street_line_count}};
    for (const List& l : lists) {
        SCOPED_TRACE(l.name);
        for (int i = 1; i < l.count; ++i) ASSERT_GE(l.lines[i - 1].box.xMin, l.lines[i].box.xMin) << "record " << i;
    }
    for (int i = 1; i < g_building_count; ++i) ASSERT_GE(g_buildings[i - 1].box.xMin, g_buildings[i].box.xMin) << i;
    for (int i = 1; i < g_label_count; ++i) ASSERT_GE(g_labels[i - 1].x, g_labels[i].x) << i;
}

TEST_P(GeneratedCity, PlanIsLongerNorthSouthAndEverythingLiesInside) {
    ASSERT_EQ(g_zoom.zoomDepth, 1);
    const auto& e = g_zoom.entries[1];
    double northSouth = e.xMax - e.xMin, eastWest = e.yMax - e.yMin;
    EXPECT_GT(northSouth, eastWest);
    EXPECT_NEAR(northSouth, 28000.0, 2000.0);
    EXPECT_NEAR(eastWest, 20000.0, 2000.0);
    EXPECT_TRUE(e.yMin <= 13250.0 && 13250.0 <= e.yMax) << "the central meridian crosses the plan";
    auto inside = [&](double x, double y) { return x >= e.xMin && x <= e.xMax && y >= e.yMin && y <= e.yMax; };
    for (int i = 0; i < g_street_line_count; ++i)
        for (int k = 0; k < g_street_lines[i].count; ++k)
            ASSERT_TRUE(inside(g_street_lines[i].pts[k].x, g_street_lines[i].pts[k].y)) << "street line " << i;
    for (int i = 0; i < g_building_count; ++i)
        for (int k = 0; k < g_buildings[i].count; ++k)
            ASSERT_TRUE(inside(g_buildings[i].pts[k].x, g_buildings[i].pts[k].y)) << "building " << i;
    EXPECT_GT(g_areas[0].count, 2000) << "a coastline of bays, capes and islands";
}

TEST_P(GeneratedCity, FixedLabelsOfTheOverviewStandOnSeaOrLand) {
    struct Fixed {
        const char* text;
        double x, y;
        bool land;
    };
    const Fixed fixed[] = {{"Kelmarsky bay", 18250, 2500, false},
                           {"Tervelsky", 1750, 15800, false},
                           {"bay", 2350, 19100, false},
                           {"Selvarov-Kelmarsky pens.", 7850, 9100, true}};
    for (const Fixed& f : fixed) {
        SCOPED_TRACE(f.text);
        EXPECT_EQ(OnLand(f.x, f.y), f.land);
    }
    // On the peninsula: the land reaches the sea on both sides of the label's point.
    EXPECT_FALSE(OnLand(7850, 2500));
    EXPECT_FALSE(OnLand(7850, 19500));
}

TEST_P(GeneratedCity, CircularPlacesStandOnStreetCrossings) {
    const double centres[8][2] = {{4737.0, 6125.0}, {4084.0, 6461.0}, {3933.0, 10777.0}, {6997.6, 6798.2},
                                  {8551.0, 5019.0}, {8021.0, 5212.0}, {12547.0, 7667.0}, {7409.6, 7115.0}};
    for (const auto& c : centres) {
        SCOPED_TRACE(testing::Message() << "centre " << c[0] << ", " << c[1]);
        EXPECT_TRUE(OnLand(c[0], c[1]));
        // Pieces of two different named streets pass within a few metres.
        std::set<int> streets;
        int ends = 0;
        for (int i = 0; i < g_street_line_count; ++i) {
            const LineRec& l = g_street_lines[i];
            bool near = false;
            for (int k = 0; k + 1 < l.count; ++k) near = near || SegmentDistance(c[0], c[1], l.pts[k], l.pts[k + 1]) < 3.0;
            if (near && l.code != 0) streets.insert(l.code);
            for (int k : {0, l.count - 1})
                if (std::hypot(l.pts[k].x - c[0], l.pts[k].y - c[1]) < 3.0) ++ends;
        }
        EXPECT_GE(streets.size(), 2u);
        EXPECT_GE(ends, 3) << "pieces meet at the crossing";
    }
}

TEST_P(GeneratedCity, StreetIdsResolveAndLabelsLieOnTheirStreets) {
    for (int i = 0; i < g_street_line_count; ++i) {
        int code = g_street_lines[i].code;
        ASSERT_TRUE(code == 0 || Street(code) != nullptr) << "line " << i << " code " << code;
    }
    for (int i = 0; i < g_building_count; ++i) ASSERT_NE(Street(g_buildings[i].streetId), nullptr) << "building " << i;
    // The label drawing wants a segment of its street within 3 m of the label's point.
    std::map<int, std::vector<const LineRec*>> linesOf;
    for (int i = 0; i < g_street_line_count; ++i) linesOf[g_street_lines[i].code].push_back(&g_street_lines[i]);
    ASSERT_GT(g_label_count, 0);
    for (int i = 0; i < g_label_count; ++i) {
        const LabelRec& label = g_labels[i];
        ASSERT_NE(Street(label.streetId), nullptr) << "label " << i;
        ASSERT_GT(label.size, 0);
        double best = 1e9;
        for (const LineRec* l : linesOf[label.streetId])
            for (int k = 0; k + 1 < l->count; ++k) best = std::fmin(best, SegmentDistance(label.x, label.y, l->pts[k], l->pts[k + 1]));
        ASSERT_LE(best, 3.0) << "label " << i << " of street " << label.streetId;
    }
}

TEST_P(GeneratedCity, StreetNamesAreInTheOrderTheSearchScans) {
    ASSERT_GT(g_street_name_count, 1);
    for (int i = 1; i < g_street_name_count; ++i) {
        std::string a = LowerName(g_street_names[i - 1].name), b = LowerName(g_street_names[i].name);
        ASSERT_LE(std::strcmp(a.c_str(), b.c_str()), 0) << a << " / " << b;
    }
    std::set<int> ids;
    for (int i = 0; i < g_street_name_count; ++i) {
        EXPECT_GT(g_street_names[i].id, 0);
        EXPECT_TRUE(ids.insert(g_street_names[i].id).second) << "id " << g_street_names[i].id << " twice";
        EXPECT_GT(std::strlen(g_street_names[i].name), 0u);
    }
}

TEST_P(GeneratedCity, BuildingsHaveSoundOutlinesAndAddresses) {
    std::set<std::pair<int, int>> refs;
    std::map<int, std::set<std::string>> addresses;
    for (int i = 0; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        SCOPED_TRACE(testing::Message() << "building " << i);
        ASSERT_GE(b.count, 4);
        ASSERT_LE(b.count, 40);
        ASSERT_TRUE(InPolygon(b.pts, b.count, b.x, b.y)) << "reference point inside its outline";
        ASSERT_TRUE(OnLand(b.x, b.y));
        ASSERT_TRUE(refs.insert({b.x, b.y}).second) << "reference points are unique";
        ASSERT_GE(b.floors, 1);
        ASSERT_LE(b.floors, 25);
        ASSERT_GT(std::strlen(b.houseNumber), 0u);
        const StreetNameRec* s = Street(b.streetId);
        ASSERT_NE(s, nullptr);
        EXPECT_NE(s->kind, 0) << "kind 0 has no houses";
        EXPECT_NE(s->kind, 100) << "kind 100 has no houses";
        std::string address = std::string(b.houseNumber) + "|" + b.caption;
        EXPECT_TRUE(addresses[b.streetId].insert(address).second) << "address " << address << " twice on " << s->name;
    }
}

bool SegmentsCross(PlanPoint a, PlanPoint b, PlanPoint c, PlanPoint d) {
    auto side = [](PlanPoint p, PlanPoint q, PlanPoint r) {
        double v = (static_cast<double>(q.x) - p.x) * (static_cast<double>(r.y) - p.y) -
                   (static_cast<double>(q.y) - p.y) * (static_cast<double>(r.x) - p.x);
        return (v > 0.0) - (v < 0.0);
    };
    return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

// At the largest scales the viewer draws the streets only as the kerbs in the fourth line
// list: every street piece longer than the widest crossing opening (11 m at each end) has both
// its kerbs, and they run between the houses rather than through them.
TEST_P(GeneratedCity, StreetsHaveKerbsBetweenTheHouses) {
    int longPieces = 0;
    for (int i = 0; i < g_street_line_count; ++i) {
        const LineRec& l = g_street_lines[i];
        double len = 0.0;
        for (int k = 1; k < l.count; ++k) len += std::hypot(l.pts[k].x - l.pts[k - 1].x, l.pts[k].y - l.pts[k - 1].y);
        longPieces += len > 23.0;
    }
    const auto& e = g_zoom.entries[1];
    std::vector<const LineRec*> kerbs;
    for (int i = 0; i < g_topo4_count; ++i) {
        const LineRec& l = g_topo4[i];
        for (int k = 0; k < l.count; ++k)
            ASSERT_TRUE(l.pts[k].x >= e.xMin && l.pts[k].x <= e.xMax && l.pts[k].y >= e.yMin && l.pts[k].y <= e.yMax)
                << "minor line " << i;
        if (l.code == citygen::kKerbCode) kerbs.push_back(&l);
    }
    EXPECT_GE(static_cast<int>(kerbs.size()), 2 * longPieces);

    // Buildings by the 50 m cells their boxes touch.
    const double cell = 50.0;
    std::map<std::pair<int, int>, std::vector<int>> cells;
    for (int i = 0; i < g_building_count; ++i) {
        const BBox& b = g_buildings[i].box;
        for (int cx = static_cast<int>(b.xMin / cell); cx <= static_cast<int>(b.xMax / cell); ++cx)
            for (int cy = static_cast<int>(b.yMin / cell); cy <= static_cast<int>(b.yMax / cell); ++cy)
                cells[{cx, cy}].push_back(i);
    }
    std::set<int> crossed;
    for (const LineRec* l : kerbs) {
        for (int k = 1; k < l->count; ++k) {
            PlanPoint a = l->pts[k - 1], b = l->pts[k];
            std::set<int> near;
            for (int cx = static_cast<int>(std::fmin(a.x, b.x) / cell); cx <= static_cast<int>(std::fmax(a.x, b.x) / cell); ++cx)
                for (int cy = static_cast<int>(std::fmin(a.y, b.y) / cell); cy <= static_cast<int>(std::fmax(a.y, b.y) / cell);
                     ++cy) {
                    auto it = cells.find({cx, cy});
                    if (it != cells.end()) near.insert(it->second.begin(), it->second.end());
                }
            for (int i : near) {
                const BuildingRec& h = g_buildings[i];
                bool cuts = InPolygon(h.pts, h.count, a.x, a.y);
                for (int j = 0, m = h.count - 1; !cuts && j < h.count; m = j++) cuts = SegmentsCross(a, b, h.pts[m], h.pts[j]);
                if (cuts) crossed.insert(i);
            }
        }
    }
    // Houses stand 2 m or more behind the kerbs; only a few on bends and at corners may be touched.
    EXPECT_LE(static_cast<int>(crossed.size()), g_building_count / 100) << "buildings crossed by kerbs";
}

TEST_P(GeneratedCity, ObjectsBelongToBuildingsAndThemes) {
    std::set<std::pair<int, int>> refs;
    for (int i = 0; i < g_building_count; ++i) refs.insert({g_buildings[i].x, g_buildings[i].y});
    std::set<std::string> codes;
    int groups = 0;
    for (const ThemeNode* g = g_theme_root; g; g = g->next) {
        ++groups;
        EXPECT_EQ(g->code[1], '1');
        EXPECT_NE(g->child, nullptr) << "every group has items";
        for (const ThemeNode* i = g->child; i; i = i->next) codes.insert(std::string(i->code, 2));
    }
    EXPECT_GE(groups, 10);
    std::map<std::pair<int, int>, int> perBuilding;
    for (int i = 0; i < g_user_count; ++i) {
        const UserObjectRec& o = g_user_objects[i];
        ASSERT_TRUE(refs.count({o.x, o.y})) << "object " << i << " " << o.name;
        ASSERT_TRUE(codes.count(std::string(o.code, 2))) << "object " << i;
        ++perBuilding[{o.x, o.y}];
    }
    int shared = 0;
    for (const auto& e : perBuilding) shared += e.second > 1 ? 1 : 0;
    EXPECT_GT(shared, 0) << "some buildings hold several objects";
}

// Shops, cafes and offices are looked up in the houses and public buildings; garages, sheds,
// warehouses and works (purposes 413, 657 and 777) hold none. The whole city has about as many
// objects as its ground floors along the main streets give: well over ten thousand.
TEST_P(GeneratedCity, ObjectsStandInHousesAndPublicBuildingsOnly) {
    std::map<std::pair<int, int>, int> purposeAt;
    for (int i = 0; i < g_building_count; ++i) purposeAt[{g_buildings[i].x, g_buildings[i].y}] = g_buildings[i].purpose;
    int misplaced = 0;
    std::set<int> purposesHolding;
    for (int i = 0; i < g_user_count; ++i) {
        const UserObjectRec& o = g_user_objects[i];
        auto at = purposeAt.find({o.x, o.y});
        if (at == purposeAt.end()) continue;  // another test reports it
        purposesHolding.insert(at->second);
        if (at->second == 413 || at->second == 657 || at->second == 777) {
            if (++misplaced <= 5) ADD_FAILURE() << "object " << o.name << " in a building of purpose " << at->second;
        }
    }
    EXPECT_EQ(misplaced, 0);
    if (!GetParam().wholeCity) return;
    // Flats, public buildings, shopping centres, schools and clinics all hold some.
    for (int p : {411, 461, 888, 444, 555}) EXPECT_TRUE(purposesHolding.count(p)) << p;
    EXPECT_GE(g_user_count, 11000);
    EXPECT_LE(g_user_count, 16000);
}

TEST_P(GeneratedCity, DistrictsAndPartsOfTheCity) {
    ASSERT_EQ(g_area_count, 6);
    EXPECT_EQ(g_areas[0].code, 0);
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(g_areas[k].code, k);
    ASSERT_GE(g_place_count, 40);
    std::set<int> districtsWithPlaces;
    for (int i = 0; i < g_place_count; ++i) {
        const PlaceRec& p = g_places[i];
        ASSERT_TRUE(OnLand(p.x, p.y)) << p.name;
        int found = 0;
        for (int k = 1; k <= 5; ++k)
            if (InPolygon(g_areas[k].pts, g_areas[k].count, p.x, p.y)) found = k;
        EXPECT_NE(found, 0) << p.name << " lies in a district";
        districtsWithPlaces.insert(found);
    }
    EXPECT_EQ(districtsWithPlaces.size(), 5u);
    // Every building stands in exactly one district, and no corner of it in another.
    int straddling = 0;
    for (int i = 0; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        int inside = 0, home = 0;
        for (int k = 1; k <= 5; ++k)
            if (InPolygon(g_areas[k].pts, g_areas[k].count, b.x, b.y)) ++inside, home = k;
        ASSERT_EQ(inside, 1) << "building " << i;
        bool across = false;
        for (int k = 1; k <= 5; ++k)
            for (int p = 0; k != home && p < b.count; ++p) across = across || InPolygon(g_areas[k].pts, g_areas[k].count, b.pts[p].x, b.pts[p].y);
        straddling += across;
    }
    EXPECT_EQ(straddling, 0) << "buildings reaching into another district";
}

TEST_P(GeneratedCity, OverviewFilesCarryTheirShapesAndLabelStyles) {
    struct File {
        const char* name;
        bool header;
        std::string styles;
    };
    for (const File& f : {File{"1.tqf", true, "efg"}, File{"2.tqf", false, "opq"}}) {
        SCOPED_TRACE(f.name);
        FILE* file = std::fopen((folder_ + "/" + f.name).c_str(), "rb");
        ASSERT_NE(file, nullptr);
        if (f.header) {
            PackedBox box{};
            ASSERT_TRUE(ReadInsetHeader(file, &box));
            EXPECT_LT(box.xMin, box.xMax);
            EXPECT_LT(box.yMin, box.yMax);
        }
        OverviewShapeBuf shape{};
        int shapes = 0, closed = 0;
        ShapeRead r;
        while ((r = ReadOverviewShape(file, &shape)) == ShapeRead::Shape) {
            ++shapes;
            ASSERT_GE(shape.count, 2);
            if (shape.pts[0].x == shape.pts[shape.count - 1].x && shape.pts[0].y == shape.pts[shape.count - 1].y) ++closed;
        }
        FreeOverviewShape(&shape);
        EXPECT_EQ(r, ShapeRead::End);
        EXPECT_GT(shapes, 0);
        if (!f.header) {
            EXPECT_GT(closed, 0) << "lakes";
            EXPECT_LT(closed, shapes) << "rivers";
        }
        std::string seen;
        uint8_t style = 0;
        while (ReadOverviewStyle(file, &style)) {
            OverviewLabelRec label{};
            ASSERT_TRUE(ReadOverviewLabelRecord(file, &label));
            if (seen.find(static_cast<char>(style)) == std::string::npos) seen.push_back(static_cast<char>(style));
        }
        std::sort(seen.begin(), seen.end());
        EXPECT_EQ(seen, f.styles);
        std::fclose(file);
    }
}

// What only the whole city shows: the sizes of a real city and the variety of its data.
TEST_P(GeneratedCity, WholeCityHasTheSizeAndVarietyOfARealOne) {
    if (!GetParam().wholeCity) GTEST_SKIP() << "a town is too small for these counts";
    EXPECT_GE(g_building_count, 25000);
    EXPECT_LE(g_building_count, 32000);
    EXPECT_GE(g_street_name_count, 1200);
    EXPECT_LE(g_street_name_count, 2000);
    EXPECT_GE(g_user_count, 3000);
    std::set<int> kinds;
    int withSecondPart = 0;
    for (int i = 0; i < g_street_name_count; ++i) {
        kinds.insert(g_street_names[i].kind);
        withSecondPart += std::strchr(g_street_names[i].name, '/') != nullptr;
    }
    for (int kind : {0, 1, 2, 3, 4, 5, 100}) EXPECT_TRUE(kinds.count(kind)) << "kind " << kind;
    EXPECT_GT(withSecondPart, 0);
    // Streets are drawn in several pieces.
    std::map<int, int> pieces;
    for (int i = 0; i < g_street_line_count; ++i) ++pieces[g_street_lines[i].code];
    int multi = 0;
    for (const auto& e : pieces) multi += e.first != 0 && e.second > 1;
    EXPECT_GT(multi, g_street_name_count / 2);
    EXPECT_GT(pieces[0], 0) << "unnamed roads";

    std::set<int> purposes;
    int letters = 0, slashes = 0, garages = 0, low = 0, towers = 0, captions = 0;
    for (int i = 0; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        purposes.insert(b.purpose);
        for (const char* c = b.houseNumber; *c; ++c) letters += static_cast<unsigned char>(*c) >= 0xC0;
        slashes += std::strchr(b.houseNumber, '/') != nullptr;
        garages += b.purpose == 413 && std::strncmp(b.caption, "ga", 2) == 0;
        low += b.floors == 1;
        towers += b.floors >= 16;
        captions += b.caption[0] != '\0';
    }
    for (int p : {411, 413, 444, 461, 555, 657, 658, 659, 660, 661, 777, 888}) EXPECT_TRUE(purposes.count(p)) << p;
    EXPECT_GT(letters, 0) << "numbers like 12a";
    EXPECT_GT(slashes, 0) << "corner numbers like 7/2";
    EXPECT_GT(garages, 0) << "garage captions";
    EXPECT_GT(low, 1000);
    EXPECT_GT(towers, 100);
    EXPECT_GT(captions, 1000);

    std::set<int> areaCodes, lineCodes, waterCodes;
    for (int i = 0; i < g_topo1_count; ++i) areaCodes.insert(g_topo1[i].code);
    for (int i = 0; i < g_topo2_count; ++i) lineCodes.insert(g_topo2[i].code);
    for (int i = 0; i < g_topo3_count; ++i) waterCodes.insert(g_topo3[i].code);
    EXPECT_EQ(areaCodes, (std::set<int>{718, 750, 1014, 6614}));
    EXPECT_EQ(lineCodes, (std::set<int>{3011, 3035, 9005}));
    EXPECT_EQ(waterCodes, (std::set<int>{4912, 4925}));
    EXPECT_GT(g_topo4_count, 0);
}

// ---------------------------------------------------------------------------------------------
// What a reader of the plan notices at once, counted over the whole file contents.

// Buildings by the 50 m cells their boxes touch, for the neighbourhood searches below.
class BuildingCells {
public:
    static constexpr double kCell = 50.0;
    BuildingCells() {
        for (int i = 0; i < g_building_count; ++i) {
            const BBox& b = g_buildings[i].box;
            for (int cx = Cell(b.xMin); cx <= Cell(b.xMax); ++cx)
                for (int cy = Cell(b.yMin); cy <= Cell(b.yMax); ++cy) cells_[{cx, cy}].push_back(i);
        }
    }
    // Every building in the cells the box widened by `pad` touches, once.
    std::vector<int> Near(double xMin, double yMin, double xMax, double yMax, double pad) {
        std::vector<int> out;
        ++stamp_;
        for (int cx = Cell(xMin - pad); cx <= Cell(xMax + pad); ++cx)
            for (int cy = Cell(yMin - pad); cy <= Cell(yMax + pad); ++cy) {
                auto it = cells_.find({cx, cy});
                if (it == cells_.end()) continue;
                for (int i : it->second)
                    if (seen_[i] != stamp_) seen_[i] = stamp_, out.push_back(i);
            }
        return out;
    }
    static int Cell(double v) { return static_cast<int>(std::floor(v / kCell)); }

private:
    std::map<std::pair<int, int>, std::vector<int>> cells_;
    std::vector<int> seen_ = std::vector<int>(static_cast<size_t>(std::max(0, g_building_count)), 0);
    int stamp_ = 0;
};

// Whether two point rings share any ground: an edge crosses, or a point of one lies inside
// the other.
template <typename P, typename Q>
bool RingsMeet(const P* a, int na, const Q* b, int nb) {
    for (int i = 0, pi = na - 1; i < na; pi = i++) {
        PlanPoint a0{static_cast<float>(a[pi].x), static_cast<float>(a[pi].y)};
        PlanPoint a1{static_cast<float>(a[i].x), static_cast<float>(a[i].y)};
        for (int j = 0, pj = nb - 1; j < nb; pj = j++) {
            PlanPoint b0{static_cast<float>(b[pj].x), static_cast<float>(b[pj].y)};
            PlanPoint b1{static_cast<float>(b[j].x), static_cast<float>(b[j].y)};
            if (SegmentsCross(a0, a1, b0, b1)) return true;
        }
    }
    return InPolygon(b, nb, a[0].x, a[0].y) || InPolygon(a, na, b[0].x, b[0].y);
}

double SegmentToSegment(PlanPoint a, PlanPoint b, PlanPoint c, PlanPoint d) {
    if (SegmentsCross(a, b, c, d)) return 0.0;
    return std::fmin(std::fmin(SegmentDistance(a.x, a.y, c, d), SegmentDistance(b.x, b.y, c, d)),
                     std::fmin(SegmentDistance(c.x, c.y, a, b), SegmentDistance(d.x, d.y, a, b)));
}

bool BoxesMeet(const BBox& a, const BBox& b, double pad) {
    return a.xMin - pad <= b.xMax && b.xMin - pad <= a.xMax && a.yMin - pad <= b.yMax && b.yMin - pad <= a.yMax;
}

TEST_P(GeneratedCity, NoTwoBuildingOutlinesOverlap) {
    BuildingCells cells;
    int overlaps = 0;
    for (int i = 0; i < g_building_count; ++i) {
        const BuildingRec& a = g_buildings[i];
        for (int j : cells.Near(a.box.xMin, a.box.yMin, a.box.xMax, a.box.yMax, 0.0)) {
            const BuildingRec& b = g_buildings[j];
            if (j <= i || !BoxesMeet(a.box, b.box, 0.0)) continue;
            if (RingsMeet(a.pts, a.count, b.pts, b.count)) {
                ++overlaps;
                ADD_FAILURE() << "buildings " << i << " and " << j << " near " << a.x << ", " << a.y;
                if (overlaps > 5) return;
            }
        }
    }
    EXPECT_EQ(overlaps, 0);
}

// Water, parks, woods and the street bodies are no place for a house: no point of an outline
// lies in the sea or a water body, no outline meets a park or a wood, and every street line
// and circular place keeps clear of the outlines by the narrowest half width of a carriageway.
TEST_P(GeneratedCity, NoBuildingInWaterParksOrStreetBodies) {
    BuildingCells cells;
    std::set<int> inWater, inGreen, onStreet;
    for (int i = 0; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        for (int k = 0; k < b.count; ++k)
            if (!OnLand(b.pts[k].x, b.pts[k].y)) inWater.insert(i);
    }
    struct Areas {
        const LineRec* lines;
        int count;
        std::set<int> codes;
        std::set<int>* hits;
    };
    const Areas areas[] = {{g_topo3, g_topo3_count, {4912, 4925}, &inWater}, {g_topo1, g_topo1_count, {718, 750, 6614}, &inGreen}};
    for (const Areas& kind : areas) {
        for (int a = 0; a < kind.count; ++a) {
            const LineRec& area = kind.lines[a];
            if (!kind.codes.count(area.code) || area.count < 3) continue;
            // A building lies inside, holds the area, or an edge of the area crosses it.
            for (int i : cells.Near(area.box.xMin, area.box.yMin, area.box.xMax, area.box.yMax, 0.0)) {
                const BuildingRec& b = g_buildings[i];
                if (BoxesMeet(area.box, b.box, 0.0) && (InPolygon(area.pts, area.count, b.pts[0].x, b.pts[0].y) ||
                                                        InPolygon(b.pts, b.count, area.pts[0].x, area.pts[0].y)))
                    kind.hits->insert(i);
            }
            for (int k = 0, m = area.count - 1; k < area.count; m = k++) {
                PlanPoint p = area.pts[m], q = area.pts[k];
                for (int i : cells.Near(std::fmin(p.x, q.x), std::fmin(p.y, q.y), std::fmax(p.x, q.x), std::fmax(p.y, q.y), 0.0)) {
                    const BuildingRec& b = g_buildings[i];
                    for (int j = 0, n = b.count - 1; j < b.count; n = j++)
                        if (SegmentsCross(p, q, b.pts[n], b.pts[j])) kind.hits->insert(i);
                }
            }
        }
    }
    const double kNarrowestHalfWidth = 3.0;
    for (int s = 0; s < g_street_line_count; ++s) {
        const LineRec& l = g_street_lines[s];
        for (int k = 1; k < l.count; ++k) {
            PlanPoint p = l.pts[k - 1], q = l.pts[k];
            for (int i : cells.Near(std::fmin(p.x, q.x), std::fmin(p.y, q.y), std::fmax(p.x, q.x), std::fmax(p.y, q.y),
                                    kNarrowestHalfWidth)) {
                const BuildingRec& b = g_buildings[i];
                bool near = InPolygon(b.pts, b.count, p.x, p.y);
                for (int j = 0, m = b.count - 1; !near && j < b.count; m = j++)
                    near = SegmentToSegment(p, q, b.pts[m], b.pts[j]) < kNarrowestHalfWidth;
                if (near) onStreet.insert(i);
            }
        }
    }
    // The viewer draws each circular place as a ring of 40 m radius round a green island.
    const double rings[8][2] = {{4737.0, 6125.0}, {4084.0, 6461.0}, {3933.0, 10777.0}, {6997.6, 6798.2},
                                {8551.0, 5019.0}, {8021.0, 5212.0}, {12547.0, 7667.0}, {7409.6, 7115.0}};
    for (const auto& c : rings)
        for (int i : cells.Near(c[0], c[1], c[0], c[1], 50.0)) {
            const BuildingRec& b = g_buildings[i];
            for (int k = 0; k < b.count; ++k)
                if (std::hypot(b.pts[k].x - c[0], b.pts[k].y - c[1]) < 40.0 + kNarrowestHalfWidth) onStreet.insert(i);
        }
    EXPECT_EQ(inWater.size(), 0u) << "first " << (inWater.empty() ? -1 : *inWater.begin());
    EXPECT_EQ(inGreen.size(), 0u) << "first " << (inGreen.empty() ? -1 : *inGreen.begin());
    EXPECT_EQ(onStreet.size(), 0u) << "first " << (onStreet.empty() ? -1 : *onStreet.begin());
}

TEST_P(GeneratedCity, NoStreetLineCrossesAPark) {
    int crossing = 0;
    for (int a = 0; a < g_topo1_count; ++a) {
        const LineRec& park = g_topo1[a];
        if (park.code != 718 || park.count < 3) continue;
        for (int s = 0; s < g_street_line_count; ++s) {
            const LineRec& l = g_street_lines[s];
            if (!BoxesMeet(park.box, l.box, 0.0)) continue;
            bool meets = false;
            for (int k = 0; !meets && k < l.count; ++k) meets = InPolygon(park.pts, park.count, l.pts[k].x, l.pts[k].y);
            for (int k = 1; !meets && k < l.count; ++k)
                for (int j = 0, m = park.count - 1; !meets && j < park.count; m = j++)
                    meets = SegmentsCross(l.pts[k - 1], l.pts[k], park.pts[m], park.pts[j]);
            if (meets) {
                ++crossing;
                ADD_FAILURE() << "street line " << s << " (street " << l.code << ") crosses the park at " << park.pts[0].x << ", "
                              << park.pts[0].y;
                if (crossing > 5) return;
            }
        }
    }
    EXPECT_EQ(crossing, 0);
}

// Street lines by the 100 m cells their segments' boxes touch.
class SegmentCells {
public:
    SegmentCells() {
        for (int l = 0; l < g_street_line_count; ++l) {
            const LineRec& line = g_street_lines[l];
            for (int k = 1; k < line.count; ++k) {
                PlanPoint a = line.pts[k - 1], b = line.pts[k];
                for (int x = Cell(std::fmin(a.x, b.x)); x <= Cell(std::fmax(a.x, b.x)); ++x)
                    for (int y = Cell(std::fmin(a.y, b.y)); y <= Cell(std::fmax(a.y, b.y)); ++y) cells_[{x, y}].push_back({l, k});
            }
        }
    }
    // Whether a line other than those `skip` accepts passes within `reach` of the point.
    bool Near(PlanPoint p, double reach, const std::function<bool(int)>& skip) const {
        for (int x = Cell(p.x - reach); x <= Cell(p.x + reach); ++x)
            for (int y = Cell(p.y - reach); y <= Cell(p.y + reach); ++y) {
                auto it = cells_.find({x, y});
                if (it == cells_.end()) continue;
                for (const auto& [l, k] : it->second)
                    if (!skip(l) && SegmentDistance(p.x, p.y, g_street_lines[l].pts[k - 1], g_street_lines[l].pts[k]) <= reach)
                        return true;
            }
        return false;
    }

private:
    static int Cell(double v) { return static_cast<int>(std::floor(v / 100.0)); }
    std::map<std::pair<int, int>, std::vector<std::pair<int, int>>> cells_;
};

template <typename Ring>
double RingDistance(const Ring& ring, double x, double y) {
    double best = 1e30;
    for (int j = 0, m = ring.count - 1; j < ring.count; m = j++) {
        PlanPoint a{static_cast<float>(ring.pts[m].x), static_cast<float>(ring.pts[m].y)};
        PlanPoint b{static_cast<float>(ring.pts[j].x), static_cast<float>(ring.pts[j].y)};
        best = std::fmin(best, SegmentDistance(x, y, a, b));
    }
    return best;
}

// A neighbourhood's streets end on a crossing street, on the street along its border, or go on
// into the next neighbourhood's grid; only water, woods, parks and cemeteries cut them short. A
// street end that meets nothing (a loose end) elsewhere is a grid line that stops at a border
// with nothing there: the stub a reader sees at once. Grid stretches are left out one in ten
// or fewer, so an end is loose only where both stretches of the crossing street at it are left
// out too: about one end in a hundred, a few in a hundred with the bends of the crossing lines.
TEST_P(GeneratedCity, StreetsEndOnOtherStreetsOrAtTheWater) {
    std::set<int> ordinary;
    for (int i = 0; i < g_street_name_count; ++i) {
        int kind = g_street_names[i].kind;
        if (kind == 1 || kind == 3 || kind == 6) ordinary.insert(g_street_names[i].id);
    }
    std::map<int, std::vector<int>> linesOf;
    for (int l = 0; l < g_street_line_count; ++l)
        if (ordinary.count(g_street_lines[l].code) && g_street_lines[l].count >= 2) linesOf[g_street_lines[l].code].push_back(l);
    SegmentCells cells;
    auto cutShort = [&](PlanPoint p) {
        if (RingDistance(g_areas[0], p.x, p.y) < 80.0) return true;
        for (int w = 0; w < g_topo3_count; ++w) {
            const LineRec& water = g_topo3[w];
            if (water.count >= 3 && BoxesMeet(water.box, {p.x, p.y, p.x, p.y}, 80.0) && RingDistance(water, p.x, p.y) < 80.0)
                return true;
        }
        for (int a = 0; a < g_topo1_count; ++a) {
            const LineRec& area = g_topo1[a];
            if (area.code == 1014 || area.count < 3 || !BoxesMeet(area.box, {p.x, p.y, p.x, p.y}, 60.0)) continue;
            if (InPolygon(area.pts, area.count, p.x, p.y) || RingDistance(area, p.x, p.y) < 60.0) return true;
        }
        return false;
    };
    int ends = 0, loose = 0, stubs = 0;
    std::ostringstream where;
    for (const auto& [id, lines] : linesOf) {
        double length = 0.0;
        std::vector<PlanPoint> open;
        for (int l : lines) {
            const LineRec& line = g_street_lines[l];
            for (int k = 1; k < line.count; ++k) length += std::hypot(line.pts[k].x - line.pts[k - 1].x, line.pts[k].y - line.pts[k - 1].y);
            for (PlanPoint e : {line.pts[0], line.pts[line.count - 1]}) {
                // Where two pieces of the street meet it simply goes on.
                bool inner = false;
                for (int other : lines) {
                    const LineRec& o = g_street_lines[other];
                    if (other == l) continue;
                    for (PlanPoint q : {o.pts[0], o.pts[o.count - 1]}) inner = inner || std::hypot(q.x - e.x, q.y - e.y) < 0.5;
                }
                if (!inner) open.push_back(e);
            }
        }
        bool stub = false;
        for (PlanPoint e : open) {
            if (cutShort(e)) continue;
            ++ends;
            if (cells.Near(e, 1.5, [&, id = id](int l) { return g_street_lines[l].code == id; })) continue;
            ++loose;
            if (loose <= 5) where << " street " << id << " at " << e.x << ", " << e.y << ";";
            stub = stub || length < 250.0;
        }
        stubs += stub;
    }
    RecordProperty("ends", ends);
    RecordProperty("loose", loose);
    RecordProperty("stubs", stubs);
    ASSERT_GT(ends, GetParam().wholeCity ? 1000 : 20);
    EXPECT_LE(loose * 100, ends * 4) << loose << " of " << ends << " street ends meet no other street:" << where.str();
    EXPECT_LE(stubs * 100, static_cast<int>(linesOf.size()) * 1) << stubs << " short dead-end streets of " << linesOf.size();
}

// The number a house number starts with: 12 of "12", "12а", "12/3"; 0 when it has none.
int LeadingNumber(const char* text) {
    int n = 0;
    for (; *text >= '0' && *text <= '9'; ++text) n = n * 10 + (*text - '0');
    return n;
}

// Walking along a street, the houses on one side count up (or down) without turning back and
// without skipping a number: odd on one side, even on the other, 2 apart from one house to the
// next; the houses behind share the number in front of them. A street's pieces are joined end to
// start into the stretches it is drawn in; each stretch is walked on its own.
TEST_P(GeneratedCity, HouseNumbersRunStraightAlongEveryStreetSide) {
    struct Stretch {
        std::vector<PlanPoint> pts;
    };
    std::map<int, std::vector<Stretch>> stretchesOf;
    {
        std::map<int, std::vector<int>> piecesOf;
        for (int s = 0; s < g_street_line_count; ++s)
            if (g_street_lines[s].code != 0) piecesOf[g_street_lines[s].code].push_back(s);
        auto same = [](PlanPoint a, PlanPoint b) { return a.x == b.x && a.y == b.y; };
        for (auto& [street, pieces] : piecesOf) {
            std::vector<bool> used(pieces.size(), false);
            for (size_t first = 0; first < pieces.size(); ++first) {
                // Start where no other piece ends.
                const LineRec& f = g_street_lines[pieces[first]];
                bool continues = false;
                for (int other : pieces)
                    if (other != pieces[first]) {
                        const LineRec& o = g_street_lines[other];
                        continues = continues || same(o.pts[o.count - 1], f.pts[0]);
                    }
                if (used[first] || continues) continue;
                Stretch st;
                for (size_t at = first; at < pieces.size() && !used[at];) {
                    used[at] = true;
                    const LineRec& l = g_street_lines[pieces[at]];
                    st.pts.insert(st.pts.end(), l.pts + (st.pts.empty() ? 0 : 1), l.pts + l.count);
                    size_t next = pieces.size();
                    for (size_t k = 0; k < pieces.size(); ++k)
                        if (!used[k] && same(g_street_lines[pieces[k]].pts[0], l.pts[l.count - 1])) next = k;
                    at = next;
                }
                stretchesOf[street].push_back(st);
            }
        }
    }
    struct Spot {
        double along;
        int number;
    };
    std::map<std::tuple<int, int, int>, std::vector<Spot>> sides;  // (street, stretch, side)
    for (int i = 0; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        int number = LeadingNumber(b.houseNumber);
        if (number == 0) continue;
        double best = 1e9, along = 0.0;
        int bestStretch = -1, side = 0;
        const std::vector<Stretch>& stretches = stretchesOf[b.streetId];
        for (size_t s = 0; s < stretches.size(); ++s) {
            const std::vector<PlanPoint>& pts = stretches[s].pts;
            double walked = 0.0;
            for (size_t k = 1; k < pts.size(); ++k) {
                PlanPoint p = pts[k - 1], q = pts[k];
                double dx = q.x - p.x, dy = q.y - p.y, len = std::hypot(dx, dy);
                double d = SegmentDistance(b.x, b.y, p, q);
                if (d < best && len > 0.0) {
                    double t = std::fmin(len, std::fmax(0.0, ((b.x - p.x) * dx + (b.y - p.y) * dy) / len));
                    best = d, bestStretch = static_cast<int>(s), along = walked + t;
                    side = dx * (b.y - p.y) - dy * (b.x - p.x) < 0.0 ? 1 : -1;
                }
                walked += len;
            }
        }
        if (bestStretch >= 0) sides[{b.streetId, bestStretch, side}].push_back({along, number});
    }
    int wrongParity = 0, turns = 0, skips = 0;
    for (auto& [key, spots] : sides) {
        std::set<int> parity;
        for (const Spot& s : spots) parity.insert(s.number % 2);
        wrongParity += parity.size() > 1;
        std::sort(spots.begin(), spots.end(), [](const Spot& a, const Spot& b) { return a.along < b.along; });
        std::vector<int> numbers;
        for (const Spot& s : spots)
            if (numbers.empty() || numbers.back() != s.number) numbers.push_back(s.number);
        int direction = 0;
        for (size_t k = 1; k < numbers.size(); ++k) {
            int step = numbers[k] - numbers[k - 1];
            int sign = step > 0 ? 1 : -1;
            if (direction == 0) direction = sign;
            if (sign != direction) {
                ++turns;
                std::ostringstream o;
                for (const Spot& sp : spots) o << sp.number << "@" << sp.along << " ";
                ADD_FAILURE() << "street " << std::get<0>(key) << " " << numbers[k - 1] << " then " << numbers[k] << ": " << o.str();
            } else if (std::abs(step) != 2) {
                ++skips;
                ADD_FAILURE() << "street " << std::get<0>(key) << " " << numbers[k - 1] << " then " << numbers[k];
            }
        }
    }
    EXPECT_EQ(wrongParity, 0) << "street sides with odd and even numbers";
    EXPECT_EQ(turns, 0) << "numbers turning back along a street side";
    EXPECT_EQ(skips, 0) << "numbers skipped along a street side";
}

TEST_P(GeneratedCity, EveryStreetHasANameOfItsOwn) {
    std::map<std::string, int> seen;
    int duplicates = 0;
    for (int i = 0; i < g_street_name_count; ++i)
        if (++seen[g_street_names[i].name] == 2) {
            ++duplicates;
            ADD_FAILURE() << g_street_names[i].name;
        }
    EXPECT_EQ(duplicates, 0);
}

// The main streets read as a few long roads through the city, not as the borders of its
// neighbourhoods: every avenue and highway is at least 3 km long, most of it in one unbroken
// stretch (its drawn pieces meet end to end, broken only where it crosses wide water), and the
// overview marks each of them in red. Round Tervelsky bay, up the Sosnovka, along and across the
// peninsula the avenues are 7 to 13 km long and the three highways 9 to 21 km, so even cut at
// the water each keeps 3 km, and there are at least six.
TEST_P(GeneratedCity, AvenuesAndHighwaysRunThroughTheCity) {
    std::map<int, std::vector<int>> piecesOf;
    for (int s = 0; s < g_street_line_count; ++s) piecesOf[g_street_lines[s].code].push_back(s);
    auto lineLength = [](const LineRec& l) {
        double len = 0.0;
        for (int k = 1; k < l.count; ++k) len += std::hypot(l.pts[k].x - l.pts[k - 1].x, l.pts[k].y - l.pts[k - 1].y);
        return len;
    };
    int mainStreets = 0;
    double mainLength = 0.0;
    for (int i = 0; i < g_street_name_count; ++i) {
        const StreetNameRec& n = g_street_names[i];
        if (n.kind != 2 && n.kind != 5) continue;
        SCOPED_TRACE(n.name);
        ++mainStreets;
        const std::vector<int>& pieces = piecesOf[n.id];
        // Pieces sharing an end point are one stretch; the longest stretch counts.
        std::vector<int> group(pieces.size());
        for (size_t k = 0; k < pieces.size(); ++k) group[k] = static_cast<int>(k);
        std::function<int(int)> root = [&](int k) { return group[k] == k ? k : group[k] = root(group[k]); };
        auto same = [](PlanPoint a, PlanPoint b) { return a.x == b.x && a.y == b.y; };
        for (size_t a = 0; a < pieces.size(); ++a)
            for (size_t b = a + 1; b < pieces.size(); ++b) {
                const LineRec& la = g_street_lines[pieces[a]];
                const LineRec& lb = g_street_lines[pieces[b]];
                PlanPoint ea[2] = {la.pts[0], la.pts[la.count - 1]}, eb[2] = {lb.pts[0], lb.pts[lb.count - 1]};
                bool touch = false;
                for (PlanPoint p : ea)
                    for (PlanPoint q : eb) touch = touch || same(p, q);
                if (touch) group[root(static_cast<int>(a))] = root(static_cast<int>(b));
            }
        std::map<int, double> stretch;
        double total = 0.0;
        for (size_t k = 0; k < pieces.size(); ++k) {
            double len = lineLength(g_street_lines[pieces[k]]);
            stretch[root(static_cast<int>(k))] += len;
            total += len;
        }
        double longest = 0.0;
        for (const auto& [key, len] : stretch) longest = std::max(longest, len);
        EXPECT_GE(total, 3000.0);
        EXPECT_GE(longest, 2000.0);
        mainLength += total;
    }
    EXPECT_GE(mainStreets, 6);
    double red = 0.0;
    for (int i = 0; i < g_topo2_count; ++i)
        if (g_topo2[i].code == 9005) red += lineLength(g_topo2[i]);
    EXPECT_GE(red, 0.95 * mainLength) << "the overview marks the main streets";
}

// A cemetery is a fenced 750 area named as a part of the city: no street or railway enters it,
// no building stands in it, and a path runs round it along its outline.
TEST_P(GeneratedCity, CemeteriesAreFencedWithoutStreetsOrHouses) {
    std::vector<int> cemeteries;
    for (int i = 0; i < g_place_count; ++i) {
        // "кладбище" as the loader transliterates it.
        if (LowerName(g_places[i].name).find("kladbysh`e") == std::string::npos) continue;
        const PlaceRec& p = g_places[i];
        int area = -1;
        for (int a = 0; a < g_topo1_count; ++a)
            if (g_topo1[a].code == 750 && InPolygon(g_topo1[a].pts, g_topo1[a].count, p.x, p.y)) area = a;
        EXPECT_GE(area, 0) << g_places[i].name << " stands in a hatched area";
        if (area >= 0) cemeteries.push_back(area);
    }
    EXPECT_GE(cemeteries.size(), 1u);
    EXPECT_LE(cemeteries.size(), 2u);
    for (int a : cemeteries) {
        const LineRec& c = g_topo1[a];
        SCOPED_TRACE(testing::Message() << "cemetery at " << c.pts[0].x << ", " << c.pts[0].y);
        auto enters = [&](const LineRec& l) {
            if (!BoxesMeet(c.box, l.box, 0.0)) return false;
            for (int k = 0; k < l.count; ++k)
                if (InPolygon(c.pts, c.count, l.pts[k].x, l.pts[k].y)) return true;
            for (int k = 1; k < l.count; ++k)
                for (int j = 0, m = c.count - 1; j < c.count; m = j++)
                    if (SegmentsCross(l.pts[k - 1], l.pts[k], c.pts[m], c.pts[j])) return true;
            return false;
        };
        int streets = 0, railways = 0, buildings = 0;
        for (int s = 0; s < g_street_line_count; ++s) streets += enters(g_street_lines[s]);
        for (int s = 0; s < g_topo2_count; ++s) railways += g_topo2[s].code != 9005 && enters(g_topo2[s]);
        for (int i = 0; i < g_building_count; ++i) {
            const BuildingRec& b = g_buildings[i];
            bool meets = false;
            for (int k = 0; k < b.count; ++k) meets = meets || InPolygon(c.pts, c.count, b.pts[k].x, b.pts[k].y);
            meets = meets || InPolygon(b.pts, b.count, c.pts[0].x, c.pts[0].y);
            buildings += meets;
        }
        EXPECT_EQ(streets, 0);
        EXPECT_EQ(railways, 0);
        EXPECT_EQ(buildings, 0);
        // The fence: a closed line whose every point is a corner of the outline.
        bool fenced = false;
        for (int i = 0; i < g_topo4_count && !fenced; ++i) {
            const LineRec& l = g_topo4[i];
            if (l.count != c.count + 1 || l.pts[0].x != l.pts[l.count - 1].x || l.pts[0].y != l.pts[l.count - 1].y) continue;
            bool onOutline = true;
            for (int k = 0; k < l.count && onOutline; ++k) {
                bool corner = false;
                for (int j = 0; j < c.count; ++j) corner = corner || std::hypot(l.pts[k].x - c.pts[j].x, l.pts[k].y - c.pts[j].y) < 1.0;
                onOutline = corner;
            }
            fenced = onOutline;
        }
        EXPECT_TRUE(fenced);
    }
}

// The docks on the west bank of the harbour, between its mouth and its head, are built up with
// warehouses: long, deep and low (at least 50 by 24 m, one or two floors), every corner on land
// and out of the harbour. A town of a few hundred houses does not reach that far from the centre.
TEST_P(GeneratedCity, DocksWestOfTheHarbourHoldWarehousesOnLand) {
    if (!GetParam().wholeCity) GTEST_SKIP() << "a town is built round its centre only";
    const LineRec* harbour = nullptr;
    for (int i = 0; i < g_topo3_count; ++i)
        if (g_topo3[i].code == 4912) harbour = &g_topo3[i];
    ASSERT_NE(harbour, nullptr);
    double west = 1e9;
    for (int k = 0; k < harbour->count; ++k) west = std::fmin(west, harbour->pts[k].y);
    int warehouses = 0, wet = 0;
    for (int i = 0; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        if (b.x < harbour->box.xMin || b.x > harbour->box.xMax || b.y > west || b.y < west - 1200.0) continue;
        double area2 = 0.0;
        for (int k = 0, m = b.count - 1; k < b.count; m = k++) area2 += b.pts[m].x * b.pts[k].y - b.pts[k].x * b.pts[m].y;
        if (b.purpose == 777 && b.floors <= 2 && std::fabs(area2) / 2.0 >= 1200.0) ++warehouses;
        bool dry = true;
        for (int k = 0; k < b.count; ++k)
            dry = dry && OnLand(b.pts[k].x, b.pts[k].y) && !InPolygon(harbour->pts, harbour->count, b.pts[k].x, b.pts[k].y);
        wet += !dry;
    }
    EXPECT_GE(warehouses, 20);
    EXPECT_EQ(wet, 0);
}

// The estates are built of panel slabs of 9 to 16 floors. A plain four-cornered block of flats
// 80 m long or more can only be such a slab: the old town's houses are at most 46 m long, the
// private houses 13 m, and the campus blocks of flats, which reach 95 m, have 9 to 12 floors.
TEST_P(GeneratedCity, LongBlocksOfFlatsAreTallSlabs) {
    int slabs = 0, wrong = 0;
    for (int i = 0; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        if (b.purpose != 411 || b.count != 4) continue;
        double longest = 0.0;
        for (int k = 0, m = 3; k < 4; m = k++) longest = std::fmax(longest, std::hypot(b.pts[k].x - b.pts[m].x, b.pts[k].y - b.pts[m].y));
        if (longest < 80.0) continue;
        ++slabs;
        if (b.floors < 9 || b.floors > 16) {
            ++wrong;
            if (wrong <= 3) ADD_FAILURE() << "a " << longest << " m block of " << b.floors << " floors at " << b.x << ", " << b.y;
        }
    }
    if (GetParam().wholeCity) {
        EXPECT_GE(slabs, 100);
    }
    EXPECT_EQ(wrong, 0);
}

// The estates: slabs of 9 floors and more (long narrow blocks of flats) stand round wide yards,
// some along the street and some end-on to it behind them, so that most of them have a slab at
// right angles to them across a yard; a single row of slabs along each street front would have
// none. Kindergartens and schools stand in the yards, with slabs round them.
TEST_P(GeneratedCity, EstateSlabsStandRoundYards) {
    if (!GetParam().wholeCity) GTEST_SKIP() << "a town has too few estates";
    struct Slab {
        PlanPoint pts[4];
        double ux, uy;  // the long axis
        double cx, cy;
    };
    std::vector<Slab> slabs;
    std::vector<int> yardSchools;
    for (int i = 0; i < g_building_count; ++i) {
        const BuildingRec& b = g_buildings[i];
        if (b.purpose == 444 && b.floors <= 3) yardSchools.push_back(i);
        if ((b.purpose != 411 && b.purpose != 658) || b.count != 4 || b.floors < 9) continue;
        double a = std::hypot(b.pts[1].x - b.pts[0].x, b.pts[1].y - b.pts[0].y);
        double c = std::hypot(b.pts[2].x - b.pts[1].x, b.pts[2].y - b.pts[1].y);
        double longest = std::fmax(a, c), shortest = std::fmin(a, c);
        if (longest < 40.0 || longest < 3.0 * shortest) continue;
        Slab s;
        for (int k = 0; k < 4; ++k) s.pts[k] = b.pts[k];
        int k0 = a >= c ? 0 : 1;
        s.ux = (b.pts[k0 + 1].x - b.pts[k0].x) / longest;
        s.uy = (b.pts[k0 + 1].y - b.pts[k0].y) / longest;
        s.cx = b.x, s.cy = b.y;
        slabs.push_back(s);
    }
    ASSERT_GE(slabs.size(), 300u);
    auto gap = [](const Slab& p, const Slab& q) {
        double best = 1e30;
        for (int i = 0, m = 3; i < 4; m = i++)
            for (int j = 0, n = 3; j < 4; n = j++) best = std::fmin(best, SegmentToSegment(p.pts[m], p.pts[i], q.pts[n], q.pts[j]));
        return best;
    };
    int framed = 0;
    for (const Slab& p : slabs) {
        for (const Slab& q : slabs) {
            if (&p == &q || std::fabs(p.cx - q.cx) > 200.0 || std::fabs(p.cy - q.cy) > 200.0) continue;
            // At right angles, give or take the bend of the streets.
            if (std::fabs(p.ux * q.ux + p.uy * q.uy) > 0.26) continue;
            double g = gap(p, q);
            if (g >= 5.0 && g <= 60.0) {
                ++framed;
                break;
            }
        }
    }
    RecordProperty("framed", framed);
    RecordProperty("slabs", static_cast<int>(slabs.size()));
    EXPECT_GE(framed * 2, static_cast<int>(slabs.size())) << framed << " of " << slabs.size() << " slabs face another across a yard";
    // Kindergartens in the yards: a slab within 80 m of them.
    int inYards = 0;
    for (int i : yardSchools) {
        const BuildingRec& b = g_buildings[i];
        for (const Slab& q : slabs)
            if (std::hypot(q.cx - b.x, q.cy - b.y) < 80.0) {
                ++inYards;
                break;
            }
    }
    RecordProperty("inYards", inYards);
    EXPECT_GE(inYards, 50) << "kindergartens and schools among the slabs";
}

// The labels of the overview and its inset as the viewer sets them: the text's top-left
// corner at its plan point, running east, at the scale each picture gets on a screen. Sea
// names must lie on the sea and names of places on the land, whatever the screen.
struct ScreenCase {
    int width, height;  // the client area of the maximised window
};
const ScreenCase kScreens[] = {{1024, 700}, {1280, 740}, {1280, 970}, {1366, 710}, {1440, 860},
                               {1680, 1000}, {1920, 1030}, {2560, 1390}};

// Metres per pixel of a box fitted into a picture as the overview fits it.
double MetresPerPixel(double northing, double easting, double widthPx, double heightPx) {
    return widthPx / heightPx <= easting / northing ? easting / widthPx : northing / heightPx;
}

struct Pictures {
    double planMpp;   // the overview map
    double insetMpp;  // the inset
};

Pictures PicturesOn(const ScreenCase& s, double insetNorthing, double insetEasting) {
    double planMpp = MetresPerPixel(28000.0, 20000.0, 0.6 * s.width, s.height);
    double mapWidth = 20000.0 / planMpp, mapHeight = 28000.0 / planMpp;
    double insetWidth = s.width - mapWidth - 54.0;
    Pictures p;
    p.insetMpp = MetresPerPixel(insetNorthing, insetEasting, insetWidth - 40.0, mapHeight - 40.0);
    p.planMpp = MetresPerPixel(28000.0, 20000.0, mapWidth + 20.0, mapHeight - 2.0);
    return p;
}

// Which side of the coast a label's text names: the sea, the land, or either (a river).
enum class Lies { Sea, Land, Either };

// The inset writes the names of water in its style f, a bay's name perhaps on two lines.
Lies SideOf(const char* latin, bool waterStyle) {
    std::string t = latin;
    if (t.rfind("r.", 0) == 0) return Lies::Either;
    if (waterStyle || t.rfind("zal.", 0) == 0 || t.rfind("prol.", 0) == 0 || t.find("more") != std::string::npos) return Lies::Sea;
    return Lies::Land;
}

// Points over a text of `chars` letters drawn `heightPx` high with its top-left corner at
// (x, y), turned by `degrees` from the east towards the north; every letter takes at most
// 0.55 of the height plus the extra spacing.
std::vector<std::pair<double, double>> TextPoints(double x, double y, int chars, int heightPx, double extraPx, double degrees,
                                                  double mpp) {
    double along = chars * (0.55 * heightPx + extraPx) * mpp, across = heightPx * mpp;
    double a = degrees * 3.14159265358979 / 180.0;
    double ux = std::sin(a), uy = std::cos(a);    // along the text, in (north, east)
    double dx = -std::cos(a), dy = std::sin(a);   // down the letters
    std::vector<std::pair<double, double>> pts;
    for (int i = 0; i <= 8; ++i)
        for (int j = 0; j <= 2; ++j) {
            double s = along * i / 8.0, t = across * (0.15 + 0.35 * j);
            pts.push_back({x + ux * s + dx * t, y + uy * s + dy * t});
        }
    return pts;
}

TEST_P(GeneratedCity, FixedLabelsLieOnTheirSideOfTheCoast) {
    // The inset's land shapes and labels.
    std::vector<std::vector<PackedPoint>> insetLand;
    struct FileLabel {
        char style;
        OverviewLabelRec rec;
    };
    std::vector<FileLabel> insetLabels, planLabels;
    PackedBox box{};
    for (const char* name : {"1.tqf", "2.tqf"}) {
        bool inset = name[0] == '1';
        FILE* file = std::fopen((folder_ + "/" + name).c_str(), "rb");
        ASSERT_NE(file, nullptr);
        if (inset) {
            ASSERT_TRUE(ReadInsetHeader(file, &box));
        }
        OverviewShapeBuf shape{};
        while (ReadOverviewShape(file, &shape) == ShapeRead::Shape)
            if (inset) insetLand.emplace_back(shape.pts, shape.pts + shape.count);
        FreeOverviewShape(&shape);
        uint8_t style = 0;
        while (ReadOverviewStyle(file, &style)) {
            FileLabel l{static_cast<char>(style), {}};
            ASSERT_TRUE(ReadOverviewLabelRecord(file, &l.rec));
            (inset ? insetLabels : planLabels).push_back(l);
        }
        std::fclose(file);
    }
    auto onInsetLand = [&](double x, double y) {
        for (const auto& ring : insetLand)
            if (InPolygon(ring.data(), static_cast<int>(ring.size()), x, y)) return true;
        return false;
    };
    // Font heights of the styles on small and large screens.
    auto heightOf = [](char style, bool large) {
        switch (style) {
            case 'g':
            case 'q': return large ? 24 : 16;
            default: return large ? 16 : 12;
        }
    };
    struct Fixed {
        const char* text;
        double x, y;
        int small, large;
        double degrees;
    };
    const Fixed fixed[] = {{"Kelmarsky bay", 18250, 2500, 22, 30, 45.0},
                           {"Tervelsky", 1750, 15800, 18, 28, 50.0},
                           {"bay", 2350, 19100, 18, 28, 50.0},
                           {"Selvarov-Kelmarsky pens.", 7850, 9100, 18, 28, 52.0}};
    int wrong = 0;
    for (const ScreenCase& screen : kScreens) {
        SCOPED_TRACE(testing::Message() << screen.width << "x" << screen.height);
        bool large = screen.height > 800;
        Pictures pictures = PicturesOn(screen, box.xMax - box.xMin, box.yMax - box.yMin);
        // The labels of the files must lie wholly within their picture; the fixed ones of the
        // viewer may run over its edge, where the picture is cut.
        auto check = [&](const char* text, const std::vector<std::pair<double, double>>& pts, bool inset, bool mayLeave,
                         bool waterStyle = false) {
            Lies wanted = SideOf(text, waterStyle);
            for (const auto& p : pts) {
                bool within = inset ? p.first >= box.xMin && p.first <= box.xMax && p.second >= box.yMin && p.second <= box.yMax
                                    : p.first >= 0.0 && p.first <= 28000.0 && p.second >= 0.0 && p.second <= 20000.0;
                if (!within && mayLeave) continue;
                if (!within) {
                    ++wrong;
                    ADD_FAILURE() << text << " leaves its picture at " << p.first << ", " << p.second;
                    return;
                }
                if (wanted == Lies::Either) continue;
                bool land = inset ? onInsetLand(p.first, p.second) : OnLand(p.first, p.second);
                if (land != (wanted == Lies::Land)) {
                    ++wrong;
                    ADD_FAILURE() << text << " reaches " << (land ? "land" : "the sea") << " at " << p.first << ", " << p.second;
                    return;
                }
            }
        };
        for (const FileLabel& l : insetLabels)
            check(l.rec.text,
                  TextPoints(l.rec.x, l.rec.y, static_cast<int>(std::strlen(l.rec.text)), heightOf(l.style, large), 0.0, 0.0,
                             pictures.insetMpp),
                  true, false, l.style == 'f');
        for (const FileLabel& l : planLabels)
            check(l.rec.text,
                  TextPoints(l.rec.x, l.rec.y, static_cast<int>(std::strlen(l.rec.text)), heightOf(l.style, large), 0.0, 0.0,
                             pictures.planMpp),
                  false, false);
        for (const Fixed& f : fixed) {
            bool sea = f.text[0] != 'S';
            std::string text = sea ? std::string("zal. ") : std::string();
            check((text + f.text).c_str(),
                  TextPoints(f.x, f.y, static_cast<int>(std::strlen(f.text)), large ? f.large : f.small, 8.0, f.degrees,
                             pictures.planMpp),
                  false, true);
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, GeneratedCity, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<CityCase>& info) { return std::string(info.param.name); });

// The command line: the same seed gives the same bytes, and nothing half-made is left behind.
class GeneratorCommand : public ::testing::Test {
protected:
    TempFolder root_;
    std::string Out(const char* name) const { return root_.File(name); }
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(root_.path())) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(GeneratorCommand, SameSeedAndSizeGiveIdenticalFiles) {
    ASSERT_EQ(RunGenerator("--seed 11 --buildings 300 --out '" + Out("a") + "'").status, 0);
    ASSERT_EQ(RunGenerator("--buildings 300 --seed 11 --out '" + Out("b") + "'").status, 0);
    ASSERT_EQ(RunGenerator("--seed 12 --buildings 300 --out '" + Out("c") + "'").status, 0);
    const char* files[] = {"1.tqf", "2.tqf", "3.tqf", "4.tqf", "5.tqf", "6.tqf", "7.tqf", "8.tqf", "tema.tqf", "user.tqf", "sign.tqf"};
    bool anyDiffers = false;
    for (const char* f : files) {
        SCOPED_TRACE(f);
        std::vector<uint8_t> a = ReadBytes(Out("a") + "/" + f);
        EXPECT_FALSE(a.empty());
        EXPECT_EQ(a, ReadBytes(Out("b") + "/" + f));
        anyDiffers = anyDiffers || a != ReadBytes(Out("c") + "/" + f);
    }
    EXPECT_TRUE(anyDiffers) << "another seed, another city";
}

TEST_F(GeneratorCommand, BadArgumentsAreRefusedWithAMessage) {
    struct Bad {
        const char* arguments;
        const char* mentions;
    };
    const Bad cases[] = {
        {"", "--out"},
        {"--out", "needs a value"},
        {"--buildings 0 --out X", "buildings"},
        {"--buildings 32768 --out X", "buildings"},
        {"--buildings 12x --out X", "buildings"},
        {"--buildings -5 --out X", "buildings"},
        {"--seed abc --out X", "seed"},
        {"--seed 99999999999999999999 --out X", "seed"},
        {"--colour red --out X", "unknown argument"},
    };
    for (const Bad& b : cases) {
        SCOPED_TRACE(b.arguments);
        std::string args = b.arguments;
        size_t at = args.find(" X");
        if (at != std::string::npos) args.replace(at, 2, " '" + Out("X") + "'");
        RunResult run = RunGenerator(args);
        EXPECT_EQ(run.status, 2);
        EXPECT_NE(run.errors.find(b.mentions), std::string::npos) << run.errors;
        EXPECT_TRUE(Entries().empty()) << "nothing is written";
    }
}

TEST_F(GeneratorCommand, UnwritablePlacesFailWithoutLeavingAHalfCity) {
    // The target exists already: a city is never mixed into another folder.
    fs::create_directory(Out("taken"));
    RunResult taken = RunGenerator("--buildings 50 --out '" + Out("taken") + "'");
    EXPECT_EQ(taken.status, 1);
    EXPECT_NE(taken.errors.find("exists"), std::string::npos) << taken.errors;
    EXPECT_TRUE(fs::is_empty(Out("taken")));
    // The parent is a file, not a folder.
    root_.WriteText("plain", "x");
    RunResult underFile = RunGenerator("--buildings 50 --out '" + Out("plain") + "/city'");
    EXPECT_EQ(underFile.status, 1);
    EXPECT_FALSE(underFile.errors.empty());
    // A folder that cannot be written to (unless the tests run with the rights to write anyway).
    fs::create_directory(Out("locked"));
    fs::permissions(Out("locked"), fs::perms::owner_read | fs::perms::owner_exec);
    bool enforced = std::fopen((Out("locked") + "/probe").c_str(), "w") == nullptr;
    RunResult locked = RunGenerator("--buildings 50 --out '" + Out("locked") + "/city'");
    if (enforced) {
        EXPECT_EQ(locked.status, 1);
        EXPECT_NE(locked.errors.find("cannot"), std::string::npos) << locked.errors;
    }
    fs::permissions(Out("locked"), fs::perms::owner_all);
    if (!enforced) fs::remove_all(Out("locked") + "/city"), fs::remove(Out("locked") + "/probe");
    EXPECT_TRUE(fs::is_empty(Out("locked"))) << "no partial folder beside the target";
    EXPECT_EQ(Entries(), (std::vector<std::string>{"locked", "plain", "taken"}));
}

}  // namespace
