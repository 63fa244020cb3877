#include "generate.h"

#include <algorithm>

#include "addresses.h"
#include "avenues.h"
#include "buildings.h"
#include "coast.h"
#include "kerbs.h"
#include "layout.h"
#include "overview.h"
#include "port.h"
#include "streets.h"
#include "themes.h"
#include "topo.h"

namespace citygen {

const Vec kCircularPlaces[kCircularPlaceCount] = {
    {4737.0, 6125.0}, {4084.0, 6461.0}, {3933.0, 10777.0}, {6997.6, 6798.2},
    {8551.0, 5019.0}, {8021.0, 5212.0}, {12547.0, 7667.0}, {7409.6, 7115.0},
};

City GenerateCity(const Options& options) {
    City city;
    Coast coast = BuildCoast(options.seed);
    LandMask mask;
    PaintCoast(coast, mask);
    city.land = coast.land;
    for (const WaterBody& w : coast.water) city.water.push_back({w.code, w.ring});
    city.districts = BuildDistricts(coast.land);
    std::vector<Polyline> avenues = TraceAvenues(coast, mask);
    PlaceNature(options.seed, city, mask, avenues);
    // A town needs only the neighbourhoods round the centre; the whole city leaves its farthest
    // neighbourhoods to fields and woods, so that the streets it builds are lived in.
    double share = std::min(0.8, 1.25 * options.buildings / 33000.0);
    Network net = BuildNetwork(options.seed, mask, city.districts, share, avenues);
    PlaceUrbanAreas(options.seed, net, city, mask);
    PlaceLines(options.seed, net, city, mask);
    city.streets = net.streets;
    city.roads = net.driveways;
    for (size_t i = 0; i < city.streets.size(); ++i) city.streets[i].id = static_cast<int>(i) + 1;
    PlaceBuildings(options.seed, net, city, mask, options.buildings);
    PlaceStation(city);
    PlacePiers(city);
    NameStreets(options.seed, city, mask);
    PlaceLabels(city);
    PlacePlaces(options.seed, net, city, mask, 40);
    PlaceObjects(options.seed, city);
    // The kerbs stand in for the street bodies at the largest scales.
    AddKerbs(city);
    BuildOverview(coast, city);
    return city;
}

}  // namespace citygen
