#include "osm_input.h"

#include <cstdlib>
#include <cstring>
#include <exception>

#include <osmium/area/assembler.hpp>
#include <osmium/area/multipolygon_manager.hpp>
#include <osmium/handler.hpp>
#include <osmium/handler/node_locations_for_ways.hpp>
#include <osmium/index/map/flex_mem.hpp>
#include <osmium/io/any_input.hpp>
#include <osmium/osm/area.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/way.hpp>
#include <osmium/relations/relations_manager.hpp>
#include <osmium/tags/tags_filter.hpp>
#include <osmium/visitor.hpp>

#include "poi_themes.h"

namespace planimport {

void GeoBox::Extend(double lon, double lat) {
    if (!valid) {
        minLon = maxLon = lon;
        minLat = maxLat = lat;
        valid = true;
        return;
    }
    if (lon < minLon) minLon = lon;
    if (lon > maxLon) maxLon = lon;
    if (lat < minLat) minLat = lat;
    if (lat > maxLat) maxLat = lat;
}

namespace {

using IndexType = osmium::index::map::FlexMem<osmium::unsigned_object_id_type, osmium::Location>;
using LocationHandler = osmium::handler::NodeLocationsForWays<IndexType>;

bool Is(const char* value, const char* list) {
    if (value == nullptr) return false;
    const size_t n = std::strlen(value);
    const char* p = list;
    while (true) {
        const char* bar = std::strchr(p, '|');
        const size_t len = bar != nullptr ? static_cast<size_t>(bar - p) : std::strlen(p);
        if (len == n && std::strncmp(p, value, n) == 0) return true;
        if (bar == nullptr) return false;
        p = bar + 1;
    }
}

std::string Text(const char* value) { return value != nullptr ? value : ""; }

// The points of a list of node references whose locations are known; `missing` tells whether
// some were not.
GeoLine PointsOf(const osmium::NodeRefList& refs, bool* missing) {
    GeoLine pts;
    pts.reserve(refs.size());
    for (const osmium::NodeRef& ref : refs) {
        const osmium::Location& loc = ref.location();
        if (!loc.valid()) {
            *missing = true;
            continue;
        }
        pts.push_back({loc.lon(), loc.lat()});
    }
    return pts;
}

std::vector<GeoPolygon> PolygonsOf(const osmium::Area& area) {
    std::vector<GeoPolygon> polygons;
    bool missing = false;
    for (const osmium::OuterRing& outer : area.outer_rings()) {
        GeoPolygon polygon;
        polygon.outer = PointsOf(outer, &missing);
        for (const osmium::InnerRing& inner : area.inner_rings(outer)) polygon.inners.push_back(PointsOf(inner, &missing));
        if (polygon.outer.size() >= 4) polygons.push_back(std::move(polygon));
    }
    return polygons;
}

// Feature codes of the areas the drawing knows: 6614 forest, 718 parks and green,
// 750 scrub, 1014 industry, 4925 water.
int AreaCode(const osmium::TagList& tags, int* lineClass) {
    const char* natural = tags["natural"];
    const char* landuse = tags["landuse"];
    const char* leisure = tags["leisure"];
    const char* waterway = tags["waterway"];
    *lineClass = 1;
    if (Is(natural, "water|bay") || tags["water"] != nullptr || Is(landuse, "reservoir|basin") ||
        Is(waterway, "riverbank|dock")) {
        *lineClass = 3;
        return 4925;
    }
    if (Is(natural, "wood") || Is(landuse, "forest")) return 6614;
    if (Is(natural, "scrub|heath|wetland")) return 750;
    if (Is(leisure, "park|garden|playground|pitch|golf_course|nature_reserve|dog_park") ||
        Is(landuse, "grass|meadow|recreation_ground|village_green|cemetery|allotments|orchard|flowerbed") ||
        Is(natural, "grassland"))
        return 718;
    if (Is(landuse, "industrial|railway|garages|construction|brownfield|port|quarry")) return 1014;
    return 0;
}

class Collector : public osmium::handler::Handler {
public:
    explicit Collector(OsmData& data) : data_(data) {}

    void node(const osmium::Node& node) {
        ++data_.nodeCount;
        const osmium::Location& loc = node.location();
        if (!loc.valid()) return;
        data_.nodeBox.Extend(loc.lon(), loc.lat());
        const osmium::TagList& tags = node.tags();
        if (tags.empty()) return;
        const char* name = tags["name"];
        const char* place = tags["place"];
        if (name != nullptr && *name != '\0' && Is(place, "suburb|quarter|neighbourhood|city|town|village|hamlet")) {
            data_.places.push_back({name, place, {loc.lon(), loc.lat()}});
            return;
        }
        const int item = ClassifyPoi([&tags](const char* key) { return tags[key]; });
        if (item < 0) {
            const char* number = tags["addr:housenumber"];
            if (number != nullptr && *number != '\0')
                data_.addresses.push_back({number, Text(tags["addr:street"]), {loc.lon(), loc.lat()}});
            return;
        }
        const char* label = name != nullptr && *name != '\0' ? name : tags["brand"];
        if (label == nullptr || *label == '\0') {
            ++data_.unnamedPois;
            return;
        }
        data_.pois.push_back({label, item, {loc.lon(), loc.lat()}});
    }

    void way(const osmium::Way& way) {
        ++data_.wayCount;
        const osmium::TagList& tags = way.tags();
        const char* highway = tags["highway"];
        const char* railway = tags["railway"];
        const char* waterway = tags["waterway"];
        const bool coast = Is(tags["natural"], "coastline");
        const bool road = highway != nullptr && !Is(highway, "proposed|construction|platform|bus_stop|raceway|elevator|services|rest_area|abandoned|razed");
        const bool rail = Is(railway, "rail|light_rail|narrow_gauge|subway|monorail|preserved|tram");
        const bool river = Is(waterway, "river|canal|stream");
        if (!coast && !road && !rail && !river) return;
        bool missing = false;
        GeoLine pts = PointsOf(way.nodes(), &missing);
        if (missing) ++data_.waysMissingNodes;
        if (pts.size() < 2) return;
        const int64_t first = way.nodes().front().ref();
        const int64_t last = way.nodes().back().ref();
        if (coast) {
            data_.coast.push_back({std::move(pts), first, last});
        } else if (road) {
            data_.roads.push_back({Text(tags["name"]), highway, std::move(pts), first, last});
        } else if (rail) {
            const bool minor = Is(railway, "tram") || Is(tags["service"], "siding|yard|spur|crossover");
            data_.lines.push_back({2, minor ? 3035 : 3011, Text(tags["name"]), "", std::move(pts)});
        } else {
            data_.lines.push_back({3, 4930, Text(tags["name"]), waterway, std::move(pts)});
        }
    }

    void relation(const osmium::Relation&) { ++data_.relationCount; }

    void area(const osmium::Area& area) {
        const osmium::TagList& tags = area.tags();
        const char* building = tags["building"];
        if (building != nullptr && std::strcmp(building, "no") != 0) {
            OsmBuilding b;
            b.polygons = PolygonsOf(area);
            if (b.polygons.empty()) return;
            b.building = building;
            b.houseNumber = Text(tags["addr:housenumber"]);
            b.street = Text(tags["addr:street"]);
            b.name = Text(tags["name"]);
            b.levels = Text(tags["building:levels"]);
            b.amenity = Text(tags["amenity"]);
            b.shop = Text(tags["shop"]);
            b.poiItem = ClassifyPoi([&tags](const char* key) { return tags[key]; });
            if (b.poiItem >= 0) b.poiName = !b.name.empty() ? b.name : Text(tags["brand"]);
            data_.buildings.push_back(std::move(b));
            return;
        }
        if (Is(tags["boundary"], "administrative")) {
            const char* level = tags["admin_level"];
            const char* name = tags["name"];
            if (level == nullptr || name == nullptr || *name == '\0') return;
            char* end = nullptr;
            const long value = std::strtol(level, &end, 10);
            if (end == level || *end != '\0' || value < 1 || value > 12) return;
            OsmBoundary boundary{static_cast<int>(value), name, PolygonsOf(area)};
            if (!boundary.polygons.empty()) data_.boundaries.push_back(std::move(boundary));
            return;
        }
        int lineClass = 1;
        const int code = AreaCode(tags, &lineClass);
        if (code == 0) return;
        OsmArea a{lineClass, code, Text(tags["name"]), PolygonsOf(area)};
        if (!a.polygons.empty()) data_.areas.push_back(std::move(a));
    }

private:
    OsmData& data_;
};

bool Read(const osmium::io::File& file, OsmData& data, std::string& error) {
    try {
        osmium::area::Assembler::config_type config;
        config.create_empty_areas = false;
        osmium::TagsFilter filter{false};
        for (const char* key : {"building", "natural", "water", "landuse", "leisure", "waterway", "boundary"})
            filter.add_rule(true, osmium::TagMatcher{key});
        osmium::area::MultipolygonManager<osmium::area::Assembler> manager{config, filter};
        osmium::relations::read_relations(file, manager);

        IndexType index;
        LocationHandler locations{index};
        locations.ignore_errors();
        Collector collector{data};
        osmium::io::Reader reader{file, osmium::io::read_meta::no};
        const osmium::Box box = reader.header().box();
        if (box.valid()) {
            data.headerBox.Extend(box.bottom_left().lon(), box.bottom_left().lat());
            data.headerBox.Extend(box.top_right().lon(), box.top_right().lat());
        }
        osmium::apply(reader, locations, collector, manager.handler([&collector](osmium::memory::Buffer&& buffer) {
            osmium::apply(buffer, collector);
        }));
        reader.close();
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
    return true;
}

}  // namespace

bool ReadOsmFile(const std::string& path, OsmData& data, std::string& error) {
    try {
        const osmium::io::File file{path};
        return Read(file, data, error);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

bool ReadOsmBuffer(const char* bytes, size_t size, const std::string& format, OsmData& data, std::string& error) {
    try {
        const osmium::io::File file{bytes, size, format};
        return Read(file, data, error);
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

}  // namespace planimport
