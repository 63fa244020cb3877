// The generated city in plain structures. The generation steps fill it one after the other; the
// writer turns it into the map files at the very end.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common.h"

namespace citygen {

struct Options {
    uint64_t seed = 1;
    int buildings = 30000;  // wanted number of buildings
};

// The plan extent: about 28 km north-south by 20 km east-west.
constexpr double kPlanXMax = 28000.0;
constexpr double kPlanYMax = 20000.0;

// Street kinds as written to 5.tqf. Kinds 0 and 100 have no houses; 100 cannot be shown.
enum StreetKind : uint8_t {
    kKindRoad = 0,  // bridges and roads without houses
    kKindStreet = 1,
    kKindAvenue = 2,
    kKindLane = 3,
    kKindEmbankment = 4,
    kKindHighway = 5,
    kKindPassage = 6,
    kKindBoulevard = 7,
    kKindPlanned = 100,  // a name reserved for a street that is not built yet
};

// How a stretch of the city is built up.
enum class Zone : uint8_t { Centre, Blocks, Houses, Industry, Campus };

struct Street {
    int id = 0;
    uint8_t kind = kKindStreet;
    int rank = 2;  // 0 highway, 1 avenue, 2 street, 3 lane: decides width, labels and names
    std::string name;            // Windows-1251
    std::vector<Polyline> runs;    // the street's stretches in order, before they are cut into pieces
    std::vector<Polyline> pieces;  // the drawn records, cut at crossings
    bool bridge = false;
    bool avenue = false;  // one of the few long main streets through the city
};

struct Label {
    Vec at;
    int size = 0;
    int streetId = 0;
};

struct Building {
    Ring outline;
    int refX = 0;  // whole metres, inside the outline
    int refY = 0;
    int purpose = 411;
    int floors = 1;
    int streetId = 0;
    std::string number;   // Windows-1251, at most 6 bytes
    std::string caption;  // Windows-1251
    // Where the building stands along its street, for numbering.
    double along = 0.0;
    int side = 0;      // +1 left of the street's direction, -1 right
    bool front = true;  // faces the street, rather than standing behind another
    Zone zone = Zone::Houses;
};

struct Place {
    int x = 0;
    int y = 0;
    std::string name;
};

struct District {
    int number = 0;  // 1..5
    Ring cell;       // the convex part of the plan it governs
    Ring outline;    // cell and land
};

struct TopoLine {
    int code = 0;
    Polyline pts;  // rings for areas and water, lines otherwise
};

struct ThemeEntry {
    char code[2];
    std::string name;
};

struct UserObject {
    int x = 0;
    int y = 0;
    char code[2];
    std::string name;
};

struct Sign {
    int id = 0;
    int a = 0;
    int b = 0;
    int c = 0;
    int d = 0;
    std::string text;
};

struct MapShape {
    int code = 1;
    std::vector<Vec> pts;
};

struct MapText {
    char style = 'e';
    int x = 0;
    int y = 0;
    std::string text;
};

struct City {
    // The plan extent written to 3.tqf; an imported city has its own.
    double extentXMax = kPlanXMax;
    double extentYMax = kPlanYMax;
    Ring land;  // record 0 of 3.tqf
    std::vector<District> districts;
    std::vector<Place> places;
    std::vector<TopoLine> areas;    // class 1: woods, parks, industry, forest
    std::vector<TopoLine> lines;    // class 2: railways, the city boundary
    std::vector<TopoLine> water;    // class 3: lakes, ponds, the harbour
    std::vector<TopoLine> minor;    // class 4: paths and driveways
    std::vector<Street> streets;    // named streets, ids 1..
    std::vector<Polyline> roads;    // unnamed roads (code 0)
    std::vector<Label> labels;
    std::vector<Building> buildings;
    std::vector<ThemeEntry> themes;
    std::vector<UserObject> objects;
    std::vector<Sign> signs;
    // 1.tqf
    int insetBox[4] = {0, 0, 0, 0};  // xMin, yMin, xMax, yMax
    std::vector<MapShape> insetShapes;
    std::vector<MapText> insetLabels;
    // 2.tqf
    std::vector<MapShape> overviewShapes;
    std::vector<MapText> overviewLabels;
};

// The eight circular places the viewer draws, fixed in its code: each must stand on a crossing.
constexpr int kCircularPlaceCount = 8;
extern const Vec kCircularPlaces[kCircularPlaceCount];

}  // namespace citygen
