#include "port.h"

#include <algorithm>
#include <cmath>

#include "names.h"

namespace citygen {

void PlaceStation(City& city) {
    const TopoLine* rail = nullptr;
    for (const TopoLine& l : city.lines)
        if (l.code == 3011 && !l.pts.empty()) rail = &l;
    if (rail == nullptr) return;
    Vec end = rail->pts.front();
    Building* best = nullptr;
    double bestDistance = 400.0;
    for (Building& b : city.buildings) {
        double d = Dist(end, {static_cast<double>(b.refX), static_cast<double>(b.refY)});
        // A station hall, not a garage or a tower.
        if (d < bestDistance && b.purpose != 413 && b.floors <= 9) bestDistance = d, best = &b;
    }
    if (best == nullptr) return;
    best->purpose = 461;
    best->floors = 3;
    best->caption = To1251("Железнодорожный вокзал");
}

void PlacePiers(City& city) {
    for (const TopoLine& w : city.water) {
        if (w.code != 4912 || w.pts.size() < 8) continue;
        const Ring& ring = w.pts;
        size_t n = ring.size();
        // The quays of the port: the outer part of the harbour, where ships come in from the bay.
        double lastAlong = -1e30;
        double along = 0.0;
        for (size_t i = 1; i + 1 < n; ++i) {
            along += Dist(ring[i - 1], ring[i]);
            Vec p = ring[i];
            if (p.x < 2950.0 || p.x > 4500.0 || along - lastAlong < 140.0) continue;
            // The opposite bank: the nearest point of the ring's other half.
            double across = 1e30;
            Vec q = p;
            for (size_t j = 0; j < n; ++j) {
                size_t apart = std::min((i + n - j) % n, (j + n - i) % n);
                if (apart < n / 4) continue;
                double d = Dist(p, ring[j]);
                if (d < across) across = d, q = ring[j];
            }
            if (across < 150.0 || across > 600.0) continue;
            Vec dir = Normalized(q - p);
            Polyline pier = {p, p + dir * (0.3 * across)};
            city.roads.push_back(pier);
            lastAlong = along;
        }
    }
}

}  // namespace citygen
