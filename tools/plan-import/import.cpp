#include "import.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <unordered_map>

#include "data/text.h"
#include "names.h"
#include "output.h"
#include "plan_geometry.h"
#include "poi_themes.h"
#include "projection.h"
#include "text_1251.h"

namespace planimport {

namespace {

using citygen::City;

// A record's points are counted in an i16; long lines are cut into records of this many.
constexpr size_t kMaxLinePoints = 2000;
constexpr size_t kMaxBuildingPoints = 2000;
constexpr size_t kMaxAreaPoints = 30000;

struct Frame {
    Projection projection;
    double xShift = 0.0;
    double yShift = 0.0;
    double xMax = 0.0;
    double yMax = 0.0;
    Ring box;

    bool ToPlan(const GeoPoint& g, Vec* p) const {
        double e = 0.0, n = 0.0;
        if (!projection.Forward(g.lon, g.lat, &e, &n)) return false;
        *p = {n + xShift, e + yShift};
        return true;
    }
    Polyline Line(const GeoLine& line) const {
        Polyline out;
        out.reserve(line.size());
        Vec p;
        for (const GeoPoint& g : line)
            if (ToPlan(g, &p)) out.push_back(p);
        return out;
    }
    bool Inside(Vec p) const { return p.x >= 0.0 && p.y >= 0.0 && p.x <= xMax && p.y <= yMax; }
};

// Pieces of a line inside the plan, each short enough for one record.
std::vector<Polyline> ClipAndCut(const Polyline& line, const Frame& frame) {
    std::vector<Polyline> out;
    if (line.size() < 2) return out;
    for (Polyline& piece : citygen::ClipLineConvex(line, frame.box)) {
        for (size_t start = 0; start + 1 < piece.size(); start += kMaxLinePoints - 1) {
            const size_t end = std::min(piece.size(), start + kMaxLinePoints);
            out.emplace_back(piece.begin() + static_cast<long>(start), piece.begin() + static_cast<long>(end));
        }
    }
    return out;
}

// An outline cut to the plan, with no more points than `limit` (simplified when longer).
Ring ClipOutline(const GeoLine& outer, const Frame& frame, size_t limit) {
    Polyline line = frame.Line(outer);
    if (line.size() >= 2 && Dist(line.front(), line.back()) < 1e-9) line.pop_back();
    if (line.size() < 3) return {};
    Ring ring = citygen::ClipRingConvex(line, frame.box);
    for (double tolerance = 0.5; ring.size() > limit && tolerance < 1e5; tolerance *= 2.0) {
        Polyline closed = ring;
        closed.push_back(ring.front());
        closed = citygen::Simplify(closed, tolerance);
        closed.pop_back();
        ring = closed;
    }
    return ring.size() >= 3 && ring.size() <= limit ? ring : Ring{};
}

std::string LowerLatin(const std::string& cp1251) { return citygen::LatinKey(cp1251); }

bool Contains(const std::string& haystack, const char* needle) { return haystack.find(needle) != std::string::npos; }

// The street kind from the words of its lower-cased Windows-1251 name.
uint8_t StreetKind(const std::string& name) {
    char buf[kTranslitBufSize] = {0};
    std::strncpy(buf, name.c_str(), sizeof buf - 1);
    LowerText(buf);
    const std::string lower = buf;
    if (Contains(lower, "\xEF\xF0\xEE\xF1\xEF\xE5\xEA\xF2") || Contains(lower, "avenue") || Contains(lower, "prospekt"))
        return citygen::kKindAvenue;  // проспект
    if (Contains(lower, "\xEF\xE5\xF0\xE5\xF3\xEB\xEE\xEA") || Contains(lower, "\xEF\xE5\xF0.") || Contains(lower, "lane"))
        return citygen::kKindLane;  // переулок
    if (Contains(lower, "\xED\xE0\xE1\xE5\xF0\xE5\xE6\xED") || Contains(lower, "embankment") || Contains(lower, "quay"))
        return citygen::kKindEmbankment;  // набережн
    if (Contains(lower, "\xF8\xEE\xF1\xF1\xE5") || Contains(lower, "highway")) return citygen::kKindHighway;  // шоссе
    if (Contains(lower, "\xEF\xF0\xEE\xE5\xE7\xE4")) return citygen::kKindPassage;                          // проезд
    if (Contains(lower, "\xE1\xF3\xEB\xFC\xE2\xE0\xF0") || Contains(lower, "boulevard")) return citygen::kKindBoulevard;  // бульвар
    return citygen::kKindStreet;
}

// Main roads first: the rank decides how soon the name shows.
int HighwayRank(const std::string& highway) {
    if (highway == "motorway" || highway == "trunk" || highway == "primary") return 0;
    if (highway == "secondary" || highway.ends_with("_link")) return 1;
    if (highway == "tertiary") return 2;
    return 3;
}

bool IsPath(const std::string& highway) {
    static const std::set<std::string> kPaths = {"footway", "path", "cycleway", "steps", "bridleway", "track", "corridor"};
    return kPaths.count(highway) != 0;
}

// Purpose codes the viewer knows: 411 dwelling, 413 garage, 777 production, 444 education,
// 555 medical, 461 public, 888 trade.
int Purpose(const OsmBuilding& b) {
    const std::string& t = b.building;
    const std::string& a = b.amenity;
    if (a == "school" || a == "kindergarten" || a == "college" || a == "university" || t == "school" ||
        t == "kindergarten" || t == "college" || t == "university")
        return 444;
    if (a == "hospital" || a == "clinic" || a == "doctors" || a == "dentist" || t == "hospital" || t == "clinic") return 555;
    if (t == "garage" || t == "garages" || t == "shed" || t == "carport" || t == "hut") return 413;
    if (t == "industrial" || t == "warehouse" || t == "factory" || t == "manufacture" || t == "hangar" ||
        t == "storage_tank" || t == "service" || t == "barn" || t == "farm_auxiliary")
        return 777;
    if (t == "retail" || t == "supermarket" || t == "kiosk" || t == "mall" || !b.shop.empty() || a == "marketplace")
        return 888;
    if (t == "public" || t == "civic" || t == "government" || t == "office" || t == "commercial" || t == "hotel" ||
        t == "train_station" || t == "transportation" || t == "church" || t == "cathedral" || t == "chapel" ||
        t == "mosque" || t == "synagogue" || t == "temple" || t == "religious" || t == "stadium" || t == "sports_hall" ||
        t == "museum" || t == "theatre" || !a.empty())
        return 461;
    return 411;
}

int Floors(const OsmBuilding& b) {
    if (!b.levels.empty()) {
        char* end = nullptr;
        const double levels = std::strtod(b.levels.c_str(), &end);
        if (end != b.levels.c_str() && std::isfinite(levels) && levels >= 1.0)
            return static_cast<int>(std::min(levels, 99.0));
    }
    const std::string& t = b.building;
    if (t == "apartments" || t == "dormitory") return 5;
    if (t == "house" || t == "detached" || t == "semidetached_house" || t == "bungalow" || t == "cabin" || t == "hut" ||
        t == "garage" || t == "garages" || t == "shed" || t == "carport" || t == "kiosk" || t == "barn" ||
        t == "farm_auxiliary" || t == "service" || t == "roof")
        return 1;
    return 2;
}

// Characters of the name as the labels write it: the Latin form, cut at the first "/".
size_t LabelChars(const std::string& cp1251) {
    std::string shown = cp1251.substr(0, cp1251.find('/'));
    return citygen::LatinLength(shown);
}

uint16_t ToU16(double v) { return static_cast<uint16_t>(std::clamp(std::lround(v), 0L, 65535L)); }

struct StreetGroup {
    std::string fullName;  // Windows-1251, as OSM has it
    std::string shown;     // cut to the field
    int rank = 3;
    std::vector<NodeLine> ways;
    std::vector<Polyline> pieces;
};

struct PlacedBuilding {
    Ring outline;
    std::vector<Ring> holes;
    int refX = 0;
    int refY = 0;
    const OsmBuilding* source = nullptr;
};

// Buildings by the cells of a coarse grid, to find the one a point stands in.
class BuildingGrid {
public:
    BuildingGrid(const std::vector<PlacedBuilding>& buildings, double xMax, double yMax)
        : buildings_(buildings), cols_(std::max(1, static_cast<int>(yMax / kCell) + 1)),
          rows_(std::max(1, static_cast<int>(xMax / kCell) + 1)), cells_(static_cast<size_t>(cols_) * rows_) {
        for (size_t i = 0; i < buildings.size(); ++i) {
            double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
            for (const Vec& p : buildings[i].outline) {
                x0 = std::min(x0, p.x);
                y0 = std::min(y0, p.y);
                x1 = std::max(x1, p.x);
                y1 = std::max(y1, p.y);
            }
            for (int r = Row(x0); r <= Row(x1); ++r)
                for (int c = Col(y0); c <= Col(y1); ++c) cells_[static_cast<size_t>(r) * cols_ + c].push_back(i);
        }
    }
    // The building containing p, or -1.
    long Find(Vec p) const {
        if (p.x < 0.0 || p.y < 0.0) return -1;
        const int r = Row(p.x), c = Col(p.y);
        for (size_t i : cells_[static_cast<size_t>(r) * cols_ + c])
            if (citygen::PointInRing(buildings_[i].outline, p)) return static_cast<long>(i);
        return -1;
    }

private:
    static constexpr double kCell = 250.0;
    int Row(double x) const { return std::clamp(static_cast<int>(x / kCell), 0, rows_ - 1); }
    int Col(double y) const { return std::clamp(static_cast<int>(y / kCell), 0, cols_ - 1); }
    const std::vector<PlacedBuilding>& buildings_;
    int cols_;
    int rows_;
    std::vector<std::vector<size_t>> cells_;
};

double RingAreaOf(const Ring& ring) { return std::fabs(citygen::RingArea2(ring)) * 0.5; }

bool SetUpFrame(const OsmData& data, const ImportOptions& options, Frame& frame, PlanSettings& settings,
                std::string& error, ImportFailure& failure) {
    GeoBox box = options.haveBox ? options.box : data.headerBox.valid ? data.headerBox : data.nodeBox;
    if (!box.valid || !(box.maxLon > box.minLon) || !(box.maxLat > box.minLat)) {
        error = "the input holds no area to import (no nodes with a location)";
        failure = ImportFailure::BadInput;
        return false;
    }
    settings.lon0 = (box.minLon + box.maxLon) * 0.5;
    settings.lat0 = (box.minLat + box.maxLat) * 0.5;
    settings.centred = options.proj.empty();
    settings.proj = settings.centred ? Projection::TransverseMercator(settings.lon0, settings.lat0) : options.proj;
    if (!frame.projection.Init(settings.proj, error)) {
        failure = options.proj.empty() ? ImportFailure::BadInput : ImportFailure::BadArgument;
        return false;
    }
    // The box's edge, sampled, gives the plane's extent (a meridian bends in most projections).
    double eMin = 1e300, eMax = -1e300, nMin = 1e300, nMax = -1e300;
    constexpr int kSteps = 32;
    for (int i = 0; i <= kSteps; ++i) {
        const double t = static_cast<double>(i) / kSteps;
        const GeoPoint edge[4] = {{box.minLon + t * (box.maxLon - box.minLon), box.minLat},
                                  {box.minLon + t * (box.maxLon - box.minLon), box.maxLat},
                                  {box.minLon, box.minLat + t * (box.maxLat - box.minLat)},
                                  {box.maxLon, box.minLat + t * (box.maxLat - box.minLat)}};
        for (const GeoPoint& g : edge) {
            double e = 0.0, n = 0.0;
            if (!frame.projection.Forward(g.lon, g.lat, &e, &n)) {
                error = "the area cannot be projected with \"" + settings.proj + "\"";
                failure = options.proj.empty() ? ImportFailure::BadInput : ImportFailure::BadArgument;
                return false;
            }
            eMin = std::min(eMin, e);
            eMax = std::max(eMax, e);
            nMin = std::min(nMin, n);
            nMax = std::max(nMax, n);
        }
    }
    frame.xShift = kPlanMargin - nMin;
    frame.yShift = kPlanMargin - eMin;
    frame.xMax = std::ceil(nMax - nMin + 2.0 * kPlanMargin);
    frame.yMax = std::ceil(eMax - eMin + 2.0 * kPlanMargin);
    if (frame.xMax > kMaxPlanMetres || frame.yMax > kMaxPlanMetres) {
        char text[300];
        std::snprintf(text, sizeof text,
                      "the area is %.1f km north to south and %.1f km west to east; a plan spans at most 65,535 m "
                      "each way (its coordinates are whole metres in 16 bits): choose a smaller area with --bbox",
                      frame.xMax / 1000.0, frame.yMax / 1000.0);
        error = text;
        failure = ImportFailure::BadInput;
        return false;
    }
    frame.box = BoxRing(frame.xMax, frame.yMax);
    settings.xShift = frame.xShift;
    settings.yShift = frame.yShift;
    return true;
}

std::string CityName(const OsmData& data, const ImportOptions& options, const Frame& frame) {
    // A name of blanks or invisible characters only is no name: the data's or the file's is taken.
    if (!options.name.empty()) {
        std::string given = CutToLatin(Utf8To1251(options.name), 40);
        while (!given.empty() && given.front() == ' ') given.erase(given.begin());
        if (!given.empty()) return given;
    }
    // The largest settlement, nearest the middle of the plan among equals.
    const Vec middle{frame.xMax * 0.5, frame.yMax * 0.5};
    const OsmPlace* best = nullptr;
    int bestRank = 99;
    double bestDistance = 0.0;
    for (const OsmPlace& p : data.places) {
        const int rank = p.kind == "city" ? 0 : p.kind == "town" ? 1 : p.kind == "village" ? 2 : 99;
        Vec at;
        if (rank == 99 || !frame.ToPlan(p.at, &at) || !frame.Inside(at)) continue;
        const double d = Dist(at, middle);
        if (rank < bestRank || (rank == bestRank && d < bestDistance)) {
            best = &p;
            bestRank = rank;
            bestDistance = d;
        }
    }
    if (best != nullptr) {
        std::string name = CutToLatin(Utf8To1251(best->name), 40);
        while (!name.empty() && name.front() == ' ') name.erase(name.begin());
        if (!name.empty()) return name;
    }
    std::string stem = std::filesystem::path(options.input).filename().string();
    stem = CutToLatin(Utf8To1251(stem.substr(0, stem.find('.'))), 40);
    while (!stem.empty() && stem.front() == ' ') stem.erase(stem.begin());
    return stem.empty() ? "City" : stem;
}

void BuildStreets(const OsmData& data, const Frame& frame, City& city, ImportSummary& summary,
                  std::map<std::string, int>& idByName) {
    std::map<std::string, StreetGroup> groups;
    for (const OsmRoad& road : data.roads) {
        Polyline line = frame.Line(road.pts);
        if (IsPath(road.highway) && road.name.empty()) {
            for (Polyline& piece : ClipAndCut(line, frame)) city.minor.push_back({4, std::move(piece)});
            continue;
        }
        if (road.highway == "motorway" || road.highway == "trunk")
            for (Polyline& piece : ClipAndCut(line, frame)) city.lines.push_back({9005, std::move(piece)});
        if (road.name.empty()) {
            for (Polyline& piece : ClipAndCut(line, frame)) city.roads.push_back(std::move(piece));
            continue;
        }
        const std::string name = Utf8To1251(road.name);
        StreetGroup& group = groups[name];
        group.fullName = name;
        group.rank = std::min(group.rank, HighwayRank(road.highway));
        group.ways.push_back({std::move(line), road.firstNode, road.lastNode});
    }
    std::vector<StreetGroup*> named;
    for (auto& entry : groups) {
        StreetGroup& g = entry.second;
        for (NodeLine& joined : JoinLines(std::move(g.ways), false))
            for (Polyline& piece : ClipAndCut(joined.pts, frame)) g.pieces.push_back(std::move(piece));
        if (g.pieces.empty()) continue;
        g.shown = CutToLatin(g.fullName, 29);
        if (g.shown.empty()) continue;
        named.push_back(&g);
    }
    // Ids in the order of the street list: by the lower-cased Latin name the viewer holds.
    std::stable_sort(named.begin(), named.end(), [](const StreetGroup* a, const StreetGroup* b) {
        const std::string ka = LowerLatin(a->shown), kb = LowerLatin(b->shown);
        if (ka != kb) return ka < kb;
        return a->fullName < b->fullName;
    });
    for (size_t i = 0; i < named.size(); ++i) {
        citygen::Street street;
        street.id = static_cast<int>(i) + 1;
        street.kind = StreetKind(named[i]->fullName);
        street.rank = named[i]->rank;
        street.name = named[i]->shown;
        street.pieces = std::move(named[i]->pieces);
        idByName[named[i]->fullName] = street.id;
        city.streets.push_back(std::move(street));
    }
    summary.streets = static_cast<int>(city.streets.size());
}

void PlaceLabels(City& city, ImportSummary& summary) {
    for (const citygen::Street& s : city.streets) {
        const size_t chars = LabelChars(s.name);
        int placed = 0;
        for (const Polyline& piece : s.pieces) {
            const double length = citygen::PolylineLength(piece);
            if (chars == 0) break;
            const int size = LabelSize(length, chars);
            if (size == 0) continue;
            // A long line gets a label every kilometre or so. Of a street's many labels only
            // every fourth shows from its own scale, the others as the user zooms in, so that
            // the name does not crowd the plan.
            const int count = std::max(1, static_cast<int>(length / 1000.0));
            for (int k = 0; k < count; ++k, ++placed) {
                const Vec at = citygen::PointAt(piece, length * (k + 0.5) / count);
                const int step = placed % 4 == 0 ? 1 : placed % 2 == 0 ? 2 : 4;
                const int shown = std::max(size, std::min(size * step, 160));
                city.labels.push_back({{std::round(at.x), std::round(at.y)}, shown, s.id});
            }
        }
        if (placed == 0) ++summary.streetsWithoutLabel;
    }
}

void BuildBuildings(const OsmData& data, const Frame& frame, City& city, ImportSummary& summary,
                    const std::map<std::string, int>& idByName, std::vector<PlacedBuilding>& placed) {
    std::unordered_map<std::string, int> idByKey;
    for (const auto& entry : idByName) idByKey.emplace(LowerLatin(entry.first), entry.second);
    // The street of an address: its name as written, else the same name in other letter cases.
    auto lookUp = [&](const std::string& utf8) {
        const std::string street = Utf8To1251(utf8);
        auto it = idByName.find(street);
        if (it != idByName.end()) return it->second;
        auto byKey = idByKey.find(LowerLatin(street));
        if (byKey != idByKey.end()) return byKey->second;
        ++summary.streetNotFound;
        return 0;
    };
    for (const OsmBuilding& b : data.buildings) {
        for (const GeoPolygon& polygon : b.polygons) {
            Polyline outline = frame.Line(polygon.outer);
            if (outline.size() != polygon.outer.size()) {
                ++summary.buildingsTooSmall;
                continue;
            }
            if (outline.size() >= 2 && Dist(outline.front(), outline.back()) < 1e-9) outline.pop_back();
            bool inside = true;
            for (const Vec& p : outline) inside = inside && frame.Inside(p);
            if (!inside) {
                ++summary.buildingsOutside;
                continue;
            }
            for (double tolerance = 0.1; outline.size() > kMaxBuildingPoints; tolerance *= 2.0) {
                outline.push_back(outline.front());
                outline = citygen::Simplify(outline, tolerance);
                outline.pop_back();
            }
            if (outline.size() < 3 || RingAreaOf(outline) < 0.5) {
                ++summary.buildingsTooSmall;
                continue;
            }
            PlacedBuilding pb;
            pb.outline = outline;
            for (const GeoLine& inner : polygon.inners) {
                Ring hole = frame.Line(inner);
                if (hole.size() >= 2 && Dist(hole.front(), hole.back()) < 1e-9) hole.pop_back();
                if (hole.size() >= 3) pb.holes.push_back(std::move(hole));
            }
            const Vec anchor = InteriorPoint(pb.outline, pb.holes);
            // Whole metres: the nearest whole point that is still inside, where there is one.
            Vec ref{std::round(anchor.x), std::round(anchor.y)};
            if (!InsideOutline(pb.outline, pb.holes, ref)) {
                for (Vec d : {Vec{0, 1}, Vec{1, 0}, Vec{0, -1}, Vec{-1, 0}, Vec{1, 1}, Vec{-1, -1}, Vec{1, -1}, Vec{-1, 1}}) {
                    const Vec q = Vec{std::floor(anchor.x), std::floor(anchor.y)} + d;
                    if (InsideOutline(pb.outline, pb.holes, q)) {
                        ref = q;
                        break;
                    }
                }
            }
            pb.refX = static_cast<int>(ref.x);
            pb.refY = static_cast<int>(ref.y);
            pb.source = &b;

            citygen::Building out;
            out.outline = pb.outline;
            out.refX = pb.refX;
            out.refY = pb.refY;
            out.purpose = Purpose(b);
            out.floors = Floors(b);
            out.number = CutBytes(Utf8To1251(b.houseNumber), 6);
            out.caption = CutToLatin(Utf8To1251(b.name), 46);
            if (!out.number.empty()) ++summary.addressed;
            if (!b.street.empty()) out.streetId = lookUp(b.street);
            city.buildings.push_back(std::move(out));
            placed.push_back(std::move(pb));
        }
    }
    // Addresses given as nodes go to the building they stand in, where it has none of its own.
    const BuildingGrid grid(placed, frame.xMax, frame.yMax);
    for (const OsmAddress& a : data.addresses) {
        Vec at;
        const long index = frame.ToPlan(a.at, &at) ? grid.Find(at) : -1;
        if (index < 0) continue;
        citygen::Building& out = city.buildings[index];
        if (!out.number.empty()) continue;
        out.number = CutBytes(Utf8To1251(a.houseNumber), 6);
        if (out.number.empty()) continue;
        ++summary.addressed;
        if (out.streetId == 0 && !a.street.empty()) out.streetId = lookUp(a.street);
    }
    summary.buildings = static_cast<int>(city.buildings.size());
}

void BuildObjects(const OsmData& data, const Frame& frame, City& city, ImportSummary& summary,
                  const std::vector<PlacedBuilding>& placed) {
    summary.objectsUnnamed = static_cast<int>(data.unnamedPois);
    std::vector<bool> itemUsed(PoiItemCount(), false);
    auto add = [&](const PlacedBuilding& b, int item, const std::string& name) {
        const std::string text = CutToLatin(Utf8To1251(name), 64);
        if (text.empty()) {
            ++summary.objectsUnnamed;
            return;
        }
        citygen::UserObject o;
        o.x = b.refX;
        o.y = b.refY;
        o.code[0] = PoiItemAt(item).group;
        o.code[1] = PoiItemAt(item).item;
        o.name = text;
        city.objects.push_back(o);
        itemUsed[item] = true;
    };
    for (const PlacedBuilding& b : placed) {
        if (b.source->poiItem < 0) continue;
        if (b.source->poiName.empty()) ++summary.objectsUnnamed;
        else add(b, b.source->poiItem, b.source->poiName);
    }
    const BuildingGrid grid(placed, frame.xMax, frame.yMax);
    for (const OsmPoi& poi : data.pois) {
        Vec at;
        if (!frame.ToPlan(poi.at, &at) || !frame.Inside(at)) {
            ++summary.objectsBeyond;
            continue;
        }
        const long index = grid.Find(at);
        if (index < 0) {
            ++summary.objectsOutside;
            continue;
        }
        add(placed[index], poi.item, poi.name);
    }
    // The tree lists only what has objects: each group line, then its items.
    for (int g = 0; g < PoiGroupCount(); ++g) {
        const PoiGroup& group = PoiGroupAt(g);
        bool any = false;
        for (int i = 0; i < PoiItemCount(); ++i) any = any || (itemUsed[i] && PoiItemAt(i).group == group.key);
        if (!any) continue;
        city.themes.push_back({{group.key, '1'}, CutToLatin(Utf8To1251(group.name), 48)});
        for (int i = 0; i < PoiItemCount(); ++i)
            if (itemUsed[i] && PoiItemAt(i).group == group.key)
                city.themes.push_back({{group.key, PoiItemAt(i).item}, CutToLatin(Utf8To1251(PoiItemAt(i).name), 48)});
    }
    summary.objects = static_cast<int>(city.objects.size());
}

void BuildLandAndDistricts(const OsmData& data, const Frame& frame, City& city, PlanSettings& settings,
                           ImportSummary& summary) {
    // Land: the coastline where the data has one, else the whole plan.
    std::vector<NodeLine> coast;
    for (const OsmCoast& c : data.coast) coast.push_back({frame.Line(c.pts), c.firstNode, c.lastNode});
    std::vector<Polyline> chains;
    for (NodeLine& line : JoinLines(std::move(coast), true)) chains.push_back(std::move(line.pts));
    LandResult land = LandFromCoast(chains, frame.xMax, frame.yMax);
    summary.brokenCoast = land.brokenPieces;
    if (!land.parts.empty()) {
        city.land = land.parts[0];
        summary.landFromCoast = true;
        summary.landPartsLeftOut = static_cast<int>(land.parts.size()) - 1;
    } else {
        city.land = frame.box;
    }
    if (city.land.size() > kMaxAreaPoints) {
        Polyline closed = city.land;
        closed.push_back(closed.front());
        for (double tolerance = 1.0; closed.size() > kMaxAreaPoints; tolerance *= 2.0) closed = citygen::Simplify(closed, tolerance);
        closed.pop_back();
        city.land = closed;
    }
    // The land outline is drawn as the coast too: it closes on its first point.
    city.land.push_back(city.land.front());
    const double landArea = RingAreaOf(city.land);

    // Districts: the finest administrative level that divides the plan into two to five areas
    // that together cover most of it.
    std::map<int, std::vector<std::pair<std::string, Ring>>> levels;
    for (const OsmBoundary& boundary : data.boundaries) {
        Ring best;
        for (const GeoPolygon& polygon : boundary.polygons) {
            Ring ring = ClipOutline(polygon.outer, frame, kMaxAreaPoints);
            if (RingAreaOf(ring) > RingAreaOf(best)) best = ring;
        }
        if (RingAreaOf(best) < 0.02 * landArea) continue;
        levels[boundary.level].push_back({boundary.name, best});
    }
    for (auto it = levels.rbegin(); it != levels.rend(); ++it) {
        const auto& areas = it->second;
        if (areas.size() < 2 || areas.size() > 5) continue;
        double covered = 0.0;
        for (const auto& a : areas) covered += RingAreaOf(a.second);
        if (covered < 0.6 * landArea) continue;
        for (size_t k = 0; k < areas.size(); ++k) {
            city.districts.push_back({static_cast<int>(k) + 1, {}, areas[k].second});
            settings.districts.push_back(CutToLatin(Utf8To1251(areas[k].first), 15));
        }
        summary.districtsFromBoundaries = true;
        break;
    }
    if (city.districts.empty()) {
        // Five sectors round the middle of the buildings.
        Vec centre{frame.xMax * 0.5, frame.yMax * 0.5};
        if (!city.buildings.empty()) {
            Vec sum;
            for (const citygen::Building& b : city.buildings) sum = sum + Vec{double(b.refX), double(b.refY)};
            centre = sum * (1.0 / city.buildings.size());
        }
        static const char* const kSectorNames[5] = {
            "\xD1\xE5\xE2\xE5\xF0\xED\xFB\xE9",                          // Северный
            "\xC2\xEE\xF1\xF2\xEE\xF7\xED\xFB\xE9",                      // Восточный
            "\xDE\xE3\xEE-\xC2\xEE\xF1\xF2\xEE\xF7\xED\xFB\xE9",         // Юго-Восточный
            "\xDE\xE3\xEE-\xC7\xE0\xEF\xE0\xE4\xED\xFB\xE9",             // Юго-Западный
            "\xC7\xE0\xEF\xE0\xE4\xED\xFB\xE9",                          // Западный
        };
        for (int k = 0; k < 5; ++k) {
            city.districts.push_back({k + 1, {}, SectorOutline(centre, k, 5, frame.xMax, frame.yMax)});
            settings.districts.push_back(kSectorNames[k]);
        }
    }
    summary.districts = static_cast<int>(city.districts.size());
}

void BuildTopography(const OsmData& data, const Frame& frame, City& city) {
    for (const OsmArea& area : data.areas) {
        for (const GeoPolygon& polygon : area.polygons) {
            Ring ring = ClipOutline(polygon.outer, frame, kMaxAreaPoints);
            if (ring.size() < 3) continue;
            (area.lineClass == 3 ? city.water : city.areas).push_back({area.code, ring});
        }
    }
    for (const OsmLine& line : data.lines) {
        for (Polyline& piece : ClipAndCut(frame.Line(line.pts), frame))
            (line.lineClass == 3 ? city.water : city.lines).push_back({line.code, std::move(piece)});
    }
}

void BuildPlaces(const OsmData& data, const Frame& frame, City& city) {
    for (const OsmPlace& p : data.places) {
        if (p.kind != "suburb" && p.kind != "quarter" && p.kind != "neighbourhood") continue;
        Vec at;
        if (!frame.ToPlan(p.at, &at) || !frame.Inside(at)) continue;
        const std::string name = CutToLatin(Utf8To1251(p.name), 29);
        if (!name.empty()) city.places.push_back({static_cast<int>(std::lround(at.x)), static_cast<int>(std::lround(at.y)), name});
    }
}

citygen::MapShape Shape(int code, const Polyline& line, bool closed, double tolerance) {
    citygen::MapShape s;
    s.code = code;
    Polyline simple = citygen::Simplify(line, tolerance);
    for (const Vec& p : simple) s.pts.push_back({std::round(p.x), std::round(p.y)});
    if (closed && !s.pts.empty() && Dist(s.pts.front(), s.pts.back()) > 0.0) s.pts.push_back(s.pts.front());
    if (!closed && s.pts.size() >= 2 && Dist(s.pts.front(), s.pts.back()) == 0.0) s.pts.pop_back();
    return s;
}

void BuildOverview(const OsmData& data, const Frame& frame, City& city, const std::string& cityName) {
    const double size = std::max(frame.xMax, frame.yMax);
    city.insetBox[0] = 0;
    city.insetBox[1] = 0;
    city.insetBox[2] = static_cast<int>(frame.xMax);
    city.insetBox[3] = static_cast<int>(frame.yMax);
    city.insetShapes.push_back(Shape(1, city.land, true, size / 400.0));
    if (!cityName.empty())
        city.insetLabels.push_back({'g', static_cast<int>(frame.xMax * 0.55), static_cast<int>(frame.yMax * 0.4),
                                    CutToLatin(cityName, 31)});
    const double planArea = frame.xMax * frame.yMax;
    for (const OsmArea& area : data.areas) {
        if (area.lineClass != 3) continue;
        for (const GeoPolygon& polygon : area.polygons) {
            Ring ring = ClipOutline(polygon.outer, frame, kMaxAreaPoints);
            if (ring.size() < 3 || RingAreaOf(ring) < planArea * 0.0005) continue;
            citygen::MapShape lake = Shape(3, ring, true, size / 1000.0);
            if (lake.pts.size() < 4) continue;
            city.overviewShapes.push_back(lake);
            const std::string name = CutToLatin(Utf8To1251(area.name), 31);
            if (!name.empty()) {
                const Vec at = InteriorPoint(ring, {});
                city.overviewLabels.push_back({'p', ToU16(at.x), ToU16(at.y), name});
            }
        }
    }
    for (const OsmLine& line : data.lines) {
        if (line.waterway != "river" && line.waterway != "canal") continue;
        for (const Polyline& piece : ClipAndCut(frame.Line(line.pts), frame)) {
            citygen::MapShape river = Shape(4, piece, false, size / 1000.0);
            if (river.pts.size() >= 2) city.overviewShapes.push_back(river);
        }
    }
    for (const citygen::Place& p : city.places)
        city.overviewLabels.push_back({'o', p.x, p.y, CutToLatin(p.name, 31)});
    // The overview files keep only what fits their 16-bit point counts.
    std::erase_if(city.insetShapes, [](const citygen::MapShape& s) { return s.pts.size() > 60000; });
    std::erase_if(city.overviewShapes, [](const citygen::MapShape& s) { return s.pts.size() > 60000; });
}

bool CheckLimits(const City& city, std::string& error) {
    size_t streetLines = city.roads.size();
    for (const citygen::Street& s : city.streets) streetLines += s.pieces.size();
    const struct {
        const char* what;
        size_t count;
    } tables[] = {
        {"buildings", city.buildings.size()},       {"street lines", streetLines},
        {"streets", city.streets.size()},           {"street labels", city.labels.size()},
        {"named places", city.places.size()},       {"green and industrial areas", city.areas.size()},
        {"railways and other lines", city.lines.size()}, {"water areas and rivers", city.water.size()},
        {"paths and street lines of the largest scales", city.minor.size()},
        {"objects", city.objects.size()},
    };
    for (const auto& t : tables) {
        if (t.count > static_cast<size_t>(kMaxRecords)) {
            error = "too many " + std::string(t.what) + " (" + std::to_string(t.count) +
                    "): a table of the map files holds at most 32,767 records; choose a smaller area with --bbox";
            return false;
        }
    }
    return true;
}

}  // namespace

// The label size (hundredths of a millimetre per metre, the scale from which a label shows) at
// which a name of `chars` letters fits a line of `length` metres, or 0 when it never does.
// Labels are written one font height per letter plus a fifth, the font being a third of the
// scale's hundredths in pixels and at least 12 pixels: on a 96 dpi screen a letter takes
// 317.5 / size metres below size 36 and 8.82 m from there on.
int LabelSize(double length, size_t chars) {
    constexpr double kPxPerMm = 96.0 / 25.4;
    const double room = length * 0.9;  // leave a little of the line free at both ends
    const double need12 = 1.2 * chars * 12.0 / kPxPerMm * 100.0;  // metres times size at 12 px
    const double size = std::ceil(need12 / room);
    if (size <= 36.0) return static_cast<int>(std::max(size, 10.0));
    const double letter = 1.2 * chars * 100.0 / 3.0 / kPxPerMm;  // metres per name from size 36 on
    if (letter <= room) return 36;
    return 0;
}

bool BuildCity(const OsmData& data, const ImportOptions& options, City& city, PlanSettings& settings,
               ImportSummary& summary, std::string& error, ImportFailure& failure) {
    failure = ImportFailure::None;
    Frame frame;
    if (!SetUpFrame(data, options, frame, settings, error, failure)) return false;
    city = City{};
    city.extentXMax = frame.xMax;
    city.extentYMax = frame.yMax;
    summary.waysMissingNodes = static_cast<int>(data.waysMissingNodes);
    settings.name = CityName(data, options, frame);
    summary.cityName = settings.name;

    std::map<std::string, int> idByName;
    BuildStreets(data, frame, city, summary, idByName);
    std::vector<PlacedBuilding> placed;
    BuildBuildings(data, frame, city, summary, idByName, placed);
    if (city.streets.empty() && city.buildings.empty()) {
        error = "the input holds no streets and no buildings inside the area";
        failure = ImportFailure::BadInput;
        return false;
    }
    // A street no house stands on has no house list to search.
    std::vector<bool> housed(city.streets.size() + 1, false);
    for (const citygen::Building& b : city.buildings)
        if (b.streetId > 0 && !b.number.empty()) housed[b.streetId] = true;
    for (citygen::Street& s : city.streets)
        if (!housed[s.id]) s.kind = citygen::kKindRoad;
    PlaceLabels(city, summary);
    BuildObjects(data, frame, city, summary, placed);
    BuildLandAndDistricts(data, frame, city, settings, summary);
    BuildTopography(data, frame, city);
    BuildPlaces(data, frame, city);
    // Every street line also in the fourth list, which the largest scales draw instead of the
    // street bodies.
    for (const citygen::Street& s : city.streets)
        for (const Polyline& p : s.pieces) city.minor.push_back({5, p});
    for (const Polyline& r : city.roads) city.minor.push_back({5, r});
    BuildOverview(data, frame, city, settings.name);

    for (const citygen::Street& s : city.streets) summary.streetLines += static_cast<int>(s.pieces.size());
    summary.roadLines = static_cast<int>(city.roads.size());
    summary.labels = static_cast<int>(city.labels.size());
    summary.places = static_cast<int>(city.places.size());
    summary.topo[0] = static_cast<int>(city.areas.size());
    summary.topo[1] = static_cast<int>(city.lines.size());
    summary.topo[2] = static_cast<int>(city.water.size());
    summary.topo[3] = static_cast<int>(city.minor.size());
    if (!CheckLimits(city, error)) {
        failure = ImportFailure::BadInput;
        return false;
    }
    return true;
}

std::string PlanIniText(const PlanSettings& settings) {
    char number[64];
    std::string text = "; The city of these map files, its projection and districts.\r\n[city]\r\nname=" + settings.name + "\r\n";
    text += "[projection]\r\nproj=" + settings.proj + "\r\n";
    // The centre says the plane is the plain transverse Mercator, which a reader can compute
    // without PROJ; a projection the user named is given by its definition alone.
    if (settings.centred) {
        std::snprintf(number, sizeof number, "lon_0=%.7f\r\n", settings.lon0);
        text += number;
        std::snprintf(number, sizeof number, "lat_0=%.7f\r\n", settings.lat0);
        text += number;
    }
    std::snprintf(number, sizeof number, "x_shift=%.3f\r\n", settings.xShift);
    text += number;
    std::snprintf(number, sizeof number, "y_shift=%.3f\r\n", settings.yShift);
    text += number;
    if (!settings.districts.empty()) {
        text += "[districts]\r\n";
        for (size_t k = 0; k < settings.districts.size(); ++k)
            text += std::to_string(k + 1) + "=" + settings.districts[k] + "\r\n";
    }
    return text;
}

int RunImport(const ImportOptions& options, ImportSummary& summary, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(options.input, ec)) {
        error = "cannot read " + options.input + ": no such file";
        return 1;
    }
    OsmData data;
    if (!ReadOsmFile(options.input, data, error)) {
        error = "cannot read " + options.input + " as OpenStreetMap data: " + error;
        return 1;
    }
    City city;
    PlanSettings settings;
    ImportFailure failure = ImportFailure::None;
    if (!BuildCity(data, options, city, settings, summary, error, failure))
        return failure == ImportFailure::BadArgument ? 2 : 1;
    const std::string ini = PlanIniText(settings);
    auto writeIni = [&ini](const std::string& folder, std::string& writeError) {
        std::ofstream file(folder + "/plan.ini", std::ios::binary);
        file << ini;
        file.close();
        if (!file) {
            writeError = "cannot write plan.ini";
            return false;
        }
        return true;
    };
    if (!citygen::WriteCityFolder(city, options.out, error, writeIni)) return 1;
    return 0;
}

std::string SummaryText(const ImportSummary& s, const std::string& folder) {
    char line[256];
    std::string out;
    auto add = [&](const char* format, auto... values) {
        std::snprintf(line, sizeof line, format, values...);
        out += line;
    };
    add("%s: ", folder.c_str());
    out += "the plan of ";
    // As the viewer shows it from plan.ini: Cyrillic in Latin letters, Latin letters as written.
    char name[kTranslitBufSize] = {0};
    std::strncpy(name, s.cityName.c_str(), sizeof name - 1);
    for (char* c = name; *c != '\0'; ++c)
        if (*c == 'p') *c = '\x01';
    Transliterate(name, sizeof name);
    for (char* c = name; *c != '\0'; ++c)
        if (*c == '\x01') *c = 'p';
    out += name;
    out += "\n";
    add("  streets         %d named, %d street lines, %d unnamed road lines, %d labels\n", s.streets, s.streetLines,
        s.roadLines, s.labels);
    add("  buildings       %d, %d with a house number\n", s.buildings, s.addressed);
    add("  land            %s\n", s.landFromCoast ? "from the coastline" : "the whole area (no coastline)");
    add("  districts       %d, %s\n", s.districts, s.districtsFromBoundaries ? "from administrative boundaries" : "sectors round the centre");
    add("  topography      %d areas, %d lines, %d water, %d lines of the largest scales\n", s.topo[0], s.topo[1],
        s.topo[2], s.topo[3]);
    add("  named places    %d\n", s.places);
    add("  objects         %d in buildings\n", s.objects);
    auto dropped = [&](int count, const char* why) {
        if (count > 0) add("  left out        %d %s\n", count, why);
    };
    dropped(s.buildingsOutside, "buildings not wholly inside the area");
    dropped(s.buildingsTooSmall, "buildings without a usable outline");
    dropped(s.streetNotFound, "addresses whose street is not among the streets (kept without a street)");
    dropped(s.streetsWithoutLabel, "streets too short for a label");
    dropped(s.objectsOutside, "objects in no building");
    dropped(s.objectsBeyond, "objects outside the area");
    dropped(s.objectsUnnamed, "objects without a name");
    dropped(s.landPartsLeftOut, "islands beyond the main land outline");
    dropped(s.brokenCoast, "coastline pieces that end inside the area");
    dropped(s.waysMissingNodes, "ways with nodes missing from the file (drawn without them)");
    return out;
}

}  // namespace planimport
