#include "generate.h"

#include "coast.h"
#include "layout.h"
#include "streets.h"
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
    PlaceNature(options.seed, city, mask);
    Network net = BuildNetwork(options.seed, mask, city.districts, 1.0);
    PlaceUrbanAreas(options.seed, net, city, mask);
    PlaceLines(options.seed, net, city, mask);
    city.streets = net.streets;
    city.roads = net.driveways;
    return city;
}

}  // namespace citygen
