// What the importer takes from an OpenStreetMap extract, in geographic coordinates, read with
// libosmium: its readers (.osm, .osm.pbf, .osm.bz2, .osm.gz), its node location index and its
// multipolygon assembler.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace planimport {

struct GeoPoint {
    double lon = 0.0;
    double lat = 0.0;
};
using GeoLine = std::vector<GeoPoint>;

struct GeoPolygon {
    GeoLine outer;  // closed: the last point repeats the first
    std::vector<GeoLine> inners;
};

struct GeoBox {
    double minLon = 0.0, minLat = 0.0, maxLon = 0.0, maxLat = 0.0;
    bool valid = false;
    void Extend(double lon, double lat);
};

// A highway way: a street when it has a name, an unnamed road or a path otherwise.
struct OsmRoad {
    std::string name;  // UTF-8, empty when unnamed
    std::string highway;
    GeoLine pts;
    int64_t firstNode = 0;
    int64_t lastNode = 0;
};

struct OsmBuilding {
    std::vector<GeoPolygon> polygons;
    std::string building;  // the value of the building tag
    std::string houseNumber;
    std::string street;  // addr:street
    std::string name;
    std::string levels;  // building:levels as written
    std::string amenity;  // what the building itself is, where tagged
    std::string shop;
    int poiItem = -1;  // when the building itself is a point of interest
    std::string poiName;
};

// Topographic areas and lines, already given their feature code.
struct OsmArea {
    int lineClass = 1;  // 1 green and industrial areas, 3 water
    int code = 0;
    std::string name;
    std::vector<GeoPolygon> polygons;
};
struct OsmLine {
    int lineClass = 2;  // 2 railways, 3 rivers
    int code = 0;
    std::string name;
    std::string waterway;
    GeoLine pts;
};

struct OsmCoast {
    GeoLine pts;
    int64_t firstNode = 0;
    int64_t lastNode = 0;
};

struct OsmPlace {
    std::string name;
    std::string kind;  // suburb, quarter, neighbourhood, city, town, village
    GeoPoint at;
};

struct OsmPoi {
    std::string name;
    int item = -1;
    GeoPoint at;
};

// An address given as a node of its own, as often inside a building's outline or at its door.
struct OsmAddress {
    std::string houseNumber;
    std::string street;
    GeoPoint at;
};

struct OsmBoundary {
    int level = 0;
    std::string name;
    std::vector<GeoPolygon> polygons;
};

struct OsmData {
    std::vector<OsmRoad> roads;
    std::vector<OsmBuilding> buildings;
    std::vector<OsmArea> areas;
    std::vector<OsmLine> lines;
    std::vector<OsmCoast> coast;
    std::vector<OsmPlace> places;
    std::vector<OsmPoi> pois;
    std::vector<OsmAddress> addresses;
    std::vector<OsmBoundary> boundaries;
    GeoBox headerBox;  // the extract's bounds, where the file gives them
    GeoBox nodeBox;    // of every node with a location
    size_t nodeCount = 0;
    size_t wayCount = 0;
    size_t relationCount = 0;
    size_t waysMissingNodes = 0;  // ways of which some nodes are not in the file
    size_t unnamedPois = 0;       // points of interest without a name, left out
};

// Reads a file whose format libosmium tells from its name. False, with `error` set, when it
// cannot be read or is not OpenStreetMap data.
bool ReadOsmFile(const std::string& path, OsmData& data, std::string& error);
// The same from memory; `format` as libosmium names it ("osm", "pbf", "osm.bz2", ...).
bool ReadOsmBuffer(const char* bytes, size_t size, const std::string& format, OsmData& data, std::string& error);

}  // namespace planimport
