#include "addresses.h"

#include <algorithm>
#include <cmath>

#include "names.h"

namespace citygen {

namespace {

// Share of a street's length that runs within 250 m of the water.
double ShoreShare(const Street& s, const LandMask& mask) {
    double near = 0.0;
    double all = 0.0;
    for (const Polyline& p : s.pieces) {
        for (const Vec& q : p) {
            all += 1.0;
            if (mask.WaterDistance(q) < 250.0) near += 1.0;
        }
    }
    return all > 0.0 ? near / all : 0.0;
}

double StreetLength(const Street& s) {
    double len = 0.0;
    for (const Polyline& p : s.pieces) len += PolylineLength(p);
    return len;
}

}  // namespace

void NameStreets(uint64_t seed, City& city, const LandMask& mask) {
    Rng rng(seed, 1101);
    StreetNamer namer(seed);
    std::vector<int> housed(city.streets.size() + 1, 0);
    for (const Building& b : city.buildings) ++housed[b.streetId];
    for (Street& s : city.streets) {
        double len = StreetLength(s);
        if (s.bridge) {
            s.kind = kKindRoad;
            s.name = namer.Bridge();
            continue;
        }
        // Only the avenues through the city are called avenues; a short main street is a
        // boulevard or a street.
        if (s.rank == 0) s.kind = kKindHighway;
        else if (s.avenue) s.kind = kKindAvenue;
        else if (s.rank == 1) s.kind = rng.Chance(0.4) ? kKindBoulevard : kKindStreet;
        else if (len > 400.0 && ShoreShare(s, mask) > 0.7) s.kind = kKindEmbankment;
        else if (s.rank == 3) s.kind = rng.Chance(0.75) ? kKindLane : kKindStreet;
        else s.kind = rng.Chance(0.85) ? kKindStreet : kKindPassage;
        // A street nobody lives on may be just a road.
        if (housed[s.id] == 0 && s.rank >= 2 && rng.Chance(0.35)) s.kind = kKindRoad;
        s.name = namer.Next(s.kind, s.rank);
    }
    // Names reserved for streets still on the drawing board: in the list, but nothing to show.
    for (int k = 0; k < 6; ++k) {
        Street s;
        s.id = static_cast<int>(city.streets.size()) + 1;
        s.kind = kKindPlanned;
        s.rank = 3;
        s.name = namer.Next(kKindPlanned, 3);
        city.streets.push_back(s);
    }
}

void PlaceLabels(City& city) {
    for (const Street& s : city.streets) {
        int base = s.rank <= 1 ? 10 : s.rank == 2 ? 20 : 40;
        int k = 0;
        for (const Polyline& p : s.pieces) {
            double len = PolylineLength(p);
            if (len < 60.0) continue;
            int size = base * (k % 4 == 0 ? 1 : k % 2 == 0 ? 2 : 4);
            ++k;
            Vec at = PointAt(p, 0.5 * len);
            city.labels.push_back({{std::round(at.x), std::round(at.y)}, std::min(size, 160), s.id});
        }
    }
}

void PlacePlaces(uint64_t seed, const Network& net, City& city, const LandMask& mask, int count) {
    std::vector<Vec> spots;
    for (const Patch& p : net.patches)
        if (mask.IsDry(p.seed) && !(mask.At(p.seed) & kCellForest)) spots.push_back(p.seed);
    std::stable_sort(spots.begin(), spots.end(), [](Vec a, Vec b) { return Dist(a, kCityCentre) < Dist(b, kCityCentre); });
    // Every district gets its parts: first the most central spot of each, then the rest by
    // distance from the centre.
    std::vector<Vec> chosen;
    std::vector<bool> taken(spots.size(), false);
    for (const District& d : city.districts) {
        for (size_t i = 0; i < spots.size(); ++i) {
            if (!taken[i] && PointInRing(d.outline, spots[i])) {
                chosen.push_back(spots[i]);
                taken[i] = true;
                break;
            }
        }
    }
    for (size_t i = 0; i < spots.size(); ++i)
        if (!taken[i]) chosen.push_back(spots[i]);
    // One name per neighbourhood, as far as the list of names goes.
    std::vector<std::string> names = PlaceNames(seed, 0);
    size_t wanted = std::max<size_t>(static_cast<size_t>(count), std::min(chosen.size(), names.size()));
    names = PlaceNames(seed, static_cast<int>(wanted));
    for (size_t i = 0; i < chosen.size() && i < wanted; ++i)
        city.places.push_back({static_cast<int>(std::lround(chosen[i].x)), static_cast<int>(std::lround(chosen[i].y)), names[i]});
}

}  // namespace citygen
