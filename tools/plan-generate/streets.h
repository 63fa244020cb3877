// The street network: the avenues through the city, neighbourhoods laid out as gently bent grids
// turned to the avenues beside them, neighbours turned alike sharing one grid whose streets go on
// across their border, streets along the other borders and the edge of the town, highways out of
// town, the bridge to the island, the docks and driveways inside large blocks. Streets are cut at land and water, joined where they
// touch, and split into drawn pieces at their crossings.
#pragma once

#include <vector>

#include "city.h"
#include "coast.h"

namespace citygen {

// A neighbourhood with one street grid.
struct Patch {
    Vec seed;
    Ring cell;  // convex
    double angle = 0.0;
    double crossSpacing = 150.0;  // between streets crossing the grid's main direction
    double longSpacing = 200.0;   // between streets along it
    double dropRate = 0.1;        // share of grid stretches left out
    Zone zone = Zone::Houses;
    int district = 1;
    std::vector<int> circles;  // circular places inside
    bool port = false;         // the docks west of the harbour: warehouses along wide streets
    // Neighbourhoods of one larger area share their grid: its direction, its origin and the
    // spacings it is measured in, so that their streets go on across the borders between them.
    bool sharedGrid = false;
    Vec origin;               // where the shared grid's lines are counted from
    double crossUnit = 0.0;   // the area's spacings, of which this grid's are whole multiples
    double longUnit = 0.0;
    int area = -1;            // the neighbourhoods whose grids join up, by number
    std::vector<char> openEdge;  // per cell edge: the neighbour beyond continues this grid
};

struct Network {
    std::vector<Patch> patches;
    std::vector<Street> streets;  // named streets with their pieces, names not yet given
    std::vector<Polyline> driveways;  // unnamed roads
};

// Lays out the patches and streets. `builtShare` (0..1] says how much of the city the wanted
// number of buildings needs; the neighbourhoods nearest the centre come first.
// The avenues run through the city whatever its size; the neighbourhoods beside them turn their
// grids to them.
Network BuildNetwork(uint64_t seed, const LandMask& mask, const std::vector<District>& districts, double builtShare,
                     const std::vector<Polyline>& avenues);

// The highways out of town, as laid out before they are bent and cut at the water.
std::vector<Polyline> HighwayRoutes();

// The city centre, from which house numbers count and the town grows.
constexpr Vec kCityCentre{5600.0, 7000.0};

}  // namespace citygen
