#include "topo.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "avenues.h"
#include "names.h"

namespace citygen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A rounded, irregular outline of about `rx` by `ry` metres, turned by `angle`.
Ring Blob(Vec c, double rx, double ry, double angle, Rng& rng, int points = 28) {
    Ring ring;
    double phase = rng.Range(0.0, 10.0);
    uint64_t noiseSeed = rng.Next();
    Vec u = Dir(angle);
    Vec v = Perp(u);
    for (int i = 0; i < points; ++i) {
        double a = 2.0 * kPi * i / points;
        double wobble = 1.0 + 0.22 * Noise(noiseSeed, std::cos(a) * 3.0 + phase, std::sin(a) * 3.0, 1.0);
        ring.push_back(c + u * (std::cos(a) * rx * wobble) + v * (std::sin(a) * ry * wobble));
    }
    return ring;
}

bool WhollyOnDryLand(const Ring& ring, const LandMask& mask, double margin, uint8_t forbidden) {
    for (size_t i = 0; i < ring.size(); ++i) {
        Vec a = ring[i];
        Vec b = ring[(i + 1) % ring.size()];
        for (double t = 0.0; t < 1.0; t += 0.25) {
            Vec p = Lerp(a, b, t);
            if (!mask.IsDry(p) || mask.WaterDistance(p) < margin || (mask.At(p) & forbidden)) return false;
        }
    }
    return true;
}

bool NearCircle(Vec p, double distance) {
    for (const Vec& c : kCircularPlaces)
        if (Dist(p, c) < distance) return true;
    return false;
}

Ring ConvexHull(std::vector<Vec> pts) {
    std::sort(pts.begin(), pts.end(), [](Vec a, Vec b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    Ring hull;
    for (int pass = 0; pass < 2; ++pass) {
        size_t start = hull.size();
        for (const Vec& p : pts) {
            while (hull.size() >= start + 2 && Cross(hull.back() - hull[hull.size() - 2], p - hull[hull.size() - 2]) <= 0.0)
                hull.pop_back();
            hull.push_back(p);
        }
        hull.pop_back();
        std::reverse(pts.begin(), pts.end());
    }
    return hull;
}

// The part of a line inside a ring, as the longest stretch of samples that stay inside.
Polyline InsidePart(const Polyline& line, const Ring& ring) {
    double total = PolylineLength(line);
    Polyline best;
    double bestLen = 0.0;
    double start = -1.0;
    for (double t = 0.0; t <= total + 0.1; t += 5.0) {
        bool in = PointInRing(ring, PointAt(line, t));
        if (in && start < 0.0) start = t;
        if ((!in || t + 5.0 > total + 0.1) && start >= 0.0) {
            double end = in ? std::min(t, total) : t - 5.0;
            if (end - start > bestLen) bestLen = end - start, best = SubLine(line, start, end);
            start = -1.0;
        }
    }
    return bestLen > 20.0 ? best : Polyline{};
}

void AddPaths(const Ring& area, Rng& rng, City& city, int count) {
    Vec c{0, 0};
    for (const Vec& p : area) c = c + p;
    c = c * (1.0 / area.size());
    for (int k = 0; k < count; ++k) {
        double a = rng.Range(0.0, kPi);
        Vec d = Dir(a);
        Polyline line;
        for (int i = -20; i <= 20; ++i) {
            double bend = 25.0 * std::sin(i * 0.35 + k);
            line.push_back(c + d * (i * 40.0) + Perp(d) * bend);
        }
        Polyline inside = InsidePart(line, area);
        if (inside.size() >= 2) city.minor.push_back({4, inside});
    }
}


// Whether p lies in the ring or within `margin` of its edge.
bool InOrNear(const Ring& ring, Vec p, double margin) {
    if (PointInRing(ring, p)) return true;
    for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++)
        if (SegmentDistance(p, ring[j], ring[i]) < margin) return true;
    return false;
}

struct Box {
    double x0 = 1e30, y0 = 1e30, x1 = -1e30, y1 = -1e30;
    void Add(Vec p) { x0 = std::min(x0, p.x), y0 = std::min(y0, p.y), x1 = std::max(x1, p.x), y1 = std::max(y1, p.y); }
    bool Meets(const Box& o, double pad) const { return x0 - pad <= o.x1 && o.x0 - pad <= x1 && y0 - pad <= o.y1 && o.y0 - pad <= y1; }
};

Box BoxOf(const Polyline& line) {
    Box b;
    for (const Vec& p : line) b.Add(p);
    return b;
}

// The stretches of a line that keep `margin` clear of the ring, as arc-length intervals; an
// empty list when the line keeps clear everywhere.
std::vector<std::pair<double, double>> OutsideParts(const Polyline& line, const Ring& ring, double margin, bool& touched) {
    std::vector<std::pair<double, double>> parts;
    touched = false;
    double total = PolylineLength(line);
    const double step = 4.0;
    int samples = std::max(1, static_cast<int>(std::ceil(total / step)));
    double start = -1.0;
    for (int i = 0; i <= samples; ++i) {
        double t = total * i / samples;
        bool out = !InOrNear(ring, PointAt(line, t), margin);
        touched = touched || !out;
        if (out && start < 0.0) start = t;
        if ((!out || i == samples) && start >= 0.0) {
            double end = out ? t : total * (i - 1) / samples;
            if (end - start > 1.0) parts.push_back({start, end});
            start = -1.0;
        }
    }
    return parts;
}

// A park takes the ground of the side streets and driveways that crossed it: they end at its
// edge. Main streets, bridges and the streets of circular places are never given up, so a park
// in their way is not laid out.
bool MakeRoomForPark(const Ring& park, Network& net) {
    const double margin = 14.0;
    Box area = BoxOf(park);
    for (const Street& s : net.streets) {
        if (s.rank >= 2 && !s.bridge) continue;
        for (const Polyline& piece : s.pieces) {
            if (!area.Meets(BoxOf(piece), margin)) continue;
            bool touched = false;
            OutsideParts(piece, park, margin, touched);
            if (touched) return false;
        }
    }
    auto cut = [&](std::vector<Polyline>& pieces, double shortest) {
        std::vector<Polyline> kept;
        for (Polyline& piece : pieces) {
            if (!area.Meets(BoxOf(piece), margin)) {
                kept.push_back(std::move(piece));
                continue;
            }
            bool touched = false;
            std::vector<std::pair<double, double>> parts = OutsideParts(piece, park, margin, touched);
            if (!touched) {
                kept.push_back(std::move(piece));
                continue;
            }
            for (const auto& [t0, t1] : parts)
                if (t1 - t0 >= shortest) kept.push_back(SubLine(piece, t0, t1));
        }
        pieces.swap(kept);
    };
    for (Street& s : net.streets)
        if (s.rank >= 2 && !s.bridge) cut(s.pieces, 40.0);
    cut(net.driveways, 40.0);
    return true;
}

}  // namespace

void PlaceNature(uint64_t seed, City& city, LandMask& mask, const std::vector<Polyline>& avenues) {
    Rng rng(seed, 404);
    // Forest over the northern hills and the far shore of Kelmarsky bay, round the villages.
    const std::vector<Vec> villages = {{23800, 14600}, {26400, 15800}, {24600, 17800}};
    for (double x = 22000.0; x < kPlanXMax; x += 1500.0) {
        for (double y = 300.0; y < kPlanYMax; y += 1500.0) {
            Vec c{x + rng.Range(-300, 300), y + rng.Range(-300, 300)};
            bool nearVillage = false;
            for (const Vec& v : villages) nearVillage = nearVillage || Dist(c, v) < 1700.0;
            if (nearVillage) continue;
            for (double r = 1000.0; r >= 400.0; r -= 200.0) {
                Ring ring = Blob(c, r * rng.Range(0.8, 1.2), r * rng.Range(0.8, 1.2), rng.Range(0.0, kPi), rng);
                if (WhollyOnDryLand(ring, mask, 40.0, kCellForest)) {
                    city.areas.push_back({6614, ring});
                    mask.FillRing(ring, kCellForest);
                    break;
                }
            }
        }
    }
    for (double x = 14500.0; x < 22000.0; x += 1300.0) {
        Vec c{x + rng.Range(-200, 200), 1200.0 + rng.Range(-200, 200)};
        for (double r = 700.0; r >= 300.0; r -= 100.0) {
            Ring ring = Blob(c, r * 1.3, r * 0.8, rng.Range(1.2, 1.5), rng);
            if (WhollyOnDryLand(ring, mask, 40.0, kCellForest)) {
                city.areas.push_back({6614, ring});
                mask.FillRing(ring, kCellForest);
                break;
            }
        }
    }
    // The island's southern half is forest.
    for (Vec c : {Vec{700, 3200}, Vec{800, 5000}, Vec{700, 7000}, Vec{500, 12200}}) {
        for (double r = 700.0; r >= 250.0; r -= 50.0) {
            Ring ring = Blob(c, r * 0.8, r * 1.3, rng.Range(-0.2, 0.2), rng);
            if (WhollyOnDryLand(ring, mask, 30.0, kCellForest)) {
                city.areas.push_back({6614, ring});
                mask.FillRing(ring, kCellForest);
                break;
            }
        }
    }
    // Wooded hills inside the town.
    const Vec hills[] = {{12600, 11200}, {14800, 8800}, {16000, 13200}, {9600, 12600}, {6300, 9900}, {18900, 13600},
                         {11000, 14800}, {20200, 16500}, {13800, 16300}, {17200, 17800}};
    for (const Vec& h : hills) {
        Vec c = h + Vec{rng.Range(-200, 200), rng.Range(-200, 200)};
        for (double r = rng.Range(550, 800); r >= 250.0; r -= 50.0) {
            Ring ring = Blob(c, r, r * rng.Range(0.6, 0.9), rng.Range(0.0, kPi), rng);
            // The wobble of the outline stays within a quarter of the radius.
            bool clear = AvenueDistance(avenues, c) > 1.25 * r + 60.0;
            for (const Vec& p : ring) clear = clear && !NearCircle(p, 450.0);
            if (clear && WhollyOnDryLand(ring, mask, 60.0, kCellForest)) {
                city.areas.push_back({750, ring});
                mask.FillRing(ring, kCellForest);
                AddPaths(ring, rng, city, 2);
                break;
            }
        }
    }
    // Cemeteries on the edge of the town: a fenced rectangle with cut corners, square with the
    // peninsula, well clear of the avenues and highways (the sites lie far from the railway),
    // with alleys inside; named as a part of the city, so that the viewer writes and finds it.
    {
        std::vector<Polyline> roads = avenues;
        for (const Polyline& h : HighwayRoutes()) roads.push_back(h);
        const struct {
            Vec at;
            const char* name;
        } sites[] = {{{17300, 9300}, "Северное кладбище"}, {{15600, 17500}, "Лесное кладбище"},
                     {{16600, 4400}, "Северное кладбище"}, {{13500, 13900}, "Лесное кладбище"}};
        std::vector<std::string> named;
        for (const auto& site : sites) {
            std::string name = To1251(site.name);
            if (named.size() >= 2 || std::find(named.begin(), named.end(), name) != named.end()) continue;
            Vec c = site.at + Vec{rng.Range(-150, 150), rng.Range(-150, 150)};
            double along = rng.Range(190, 240), across = rng.Range(130, 170), cut = 25.0;
            Vec u = Dir(65.0 * kPi / 180.0), v = Perp(u);
            auto outline = [&](double pad) {
                double a = along + pad, b = across + pad;
                Ring r;
                for (const auto& [da, db] : {std::pair{a, b - cut}, {a - cut, b}, {cut - a, b}, {-a, b - cut}, {-a, cut - b},
                                             {cut - a, -b}, {a - cut, -b}, {a, cut - b}})
                    r.push_back(c + u * da + v * db);
                return r;
            };
            Ring ring = outline(0.0);
            bool clear = AvenueDistance(roads, c) > along + 120.0;
            for (const Vec& p : ring) clear = clear && !NearCircle(p, 600.0) && AvenueDistance(roads, p) > 120.0;
            if (!clear || !WhollyOnDryLand(ring, mask, 80.0, kCellForest | kCellPark)) continue;
            // The outline once round, closed: the fence.
            Polyline fence = ring;
            fence.push_back(ring.front());
            city.areas.push_back({750, ring});
            city.minor.push_back({4, fence});
            // Streets stop a few metres short of the fence, whatever the raster's cells.
            mask.FillRing(ring, kCellForest);
            mask.FillRing(outline(15.0), kCellCemetery);
            for (double k : {-0.5, 0.0, 0.5}) city.minor.push_back({4, {c + u * (k * along) - v * (across - 12.0), c + u * (k * along) + v * (across - 12.0)}});
            city.minor.push_back({4, {c - u * (along - 12.0), c + u * (along - 12.0)}});
            city.places.push_back({static_cast<int>(std::lround(c.x)), static_cast<int>(std::lround(c.y)), name});
            named.push_back(name);
        }
    }
    // Lakes in the forests and ponds on the hills.
    int lakes = 0;
    for (int attempt = 0; attempt < 400 && lakes < 14; ++attempt) {
        Vec c{rng.Range(9000, kPlanXMax - 300), rng.Range(300, kPlanYMax - 300)};
        if ((mask.At(c) & (kCellForest | kCellCemetery)) != kCellForest) continue;
        double r = rng.Range(60, 260);
        Ring ring = Blob(c, r, r * rng.Range(0.5, 0.9), rng.Range(0.0, kPi), rng, 20);
        bool inForest = true;
        for (const Vec& p : ring)
            inForest = inForest && (mask.At(p) & (kCellForest | kCellCemetery)) == kCellForest && mask.IsDry(p) && mask.WaterDistance(p) > 40.0;
        if (!inForest) continue;
        city.water.push_back({4925, ring});
        mask.FillRing(ring, kCellWater);
        mask.MarkOutline(ring);
        ++lakes;
    }
    mask.ComputeWaterDistance();
}

void PlaceUrbanAreas(uint64_t seed, Network& net, City& city, LandMask& mask) {
    Rng rng(seed, 505);
    // Industrial neighbourhoods and the port round the harbour.
    for (const Patch& p : net.patches) {
        if (p.zone != Zone::Industry) continue;
        Ring zone = ClipRingConvex(city.land, ShrinkConvex(p.cell, 60.0));
        if (zone.size() < 3 || std::fabs(RingArea2(zone)) < 2.0 * 40000.0) continue;
        city.areas.push_back({1014, zone});
        mask.FillRing(zone, kCellIndustry);
    }
    for (const TopoLine& w : city.water) {
        if (w.code != 4912) continue;
        std::vector<Vec> around;
        for (const Vec& q : w.pts)
            for (int k = 0; k < 8; ++k) around.push_back(q + Dir(k * kPi / 4) * 220.0);
        Ring hull = ConvexHull(around);
        Ring port = ClipRingConvex(city.land, hull);
        if (port.size() >= 3) {
            city.areas.push_back({1014, port});
            mask.FillRing(port, kCellIndustry);
        }
    }
    // Parks in the older and the block neighbourhoods, squares in the centre.
    for (const Patch& p : net.patches) {
        int wanted = p.zone == Zone::Centre ? 3 : p.zone == Zone::Blocks ? 2 : p.zone == Zone::Campus ? 2 : 0;
        for (int k = 0, attempts = 0; k < wanted && attempts < 12; ++attempts) {
            Vec c{rng.Range(-500, 500), rng.Range(-500, 500)};
            c = c + p.seed;
            if (!PointInRing(p.cell, c) || NearCircle(c, 250.0)) continue;
            double r = p.zone == Zone::Centre ? rng.Range(70, 140) : rng.Range(120, 260);
            Ring ring = Blob(c, r, r * rng.Range(0.6, 1.0), p.angle, rng, 20);
            // The old town's squares are laid out square with its streets.
            if (p.zone == Zone::Centre) {
                Vec u = Dir(p.angle) * (0.8 * r);
                Vec v = Perp(Dir(p.angle)) * (0.55 * r * rng.Range(0.8, 1.2));
                ring = {c - u - v, c + u - v, c + u + v, c - u + v};
            }
            if (!WhollyOnDryLand(ring, mask, 20.0, kCellForest | kCellIndustry | kCellPark)) continue;
            if (!MakeRoomForPark(ring, net)) continue;
            city.areas.push_back({718, ring});
            mask.FillRing(ring, kCellPark);
            AddPaths(ring, rng, city, 1 + rng.Below(2));
            ++k;
        }
    }
    // Side streets that lay wholly in parks are gone.
    net.streets.erase(std::remove_if(net.streets.begin(), net.streets.end(), [](const Street& s) { return s.pieces.empty(); }),
                      net.streets.end());
}

void PlaceLines(uint64_t seed, const Network& net, City& city, const LandMask& mask) {
    Rng rng(seed, 606);
    // The railway comes down the shore of Kelmarsky bay to its station in the centre.
    Polyline rail = {{5000, 4500},   {6500, 4400},   {8000, 4450},   {9500, 4900},   {11000, 5350},  {12500, 5750},
                     {14000, 6900},  {15500, 7100},  {17000, 7800},  {18500, 8600},  {20000, 9400},  {21500, 10300},
                     {23000, 11000}, {24300, 11700}, {25500, 12400}, {26500, 13000}, {kPlanXMax, 13500}};
    rail = Densify(rail, 50.0);
    for (size_t i = 1; i + 1 < rail.size(); ++i) rail[i] = rail[i] + Vec{Noise(seed + 7, rail[i].x, rail[i].y, 900.0) * 40.0, 0.0};
    city.lines.push_back({3011, rail});
    // Sidings into the industrial neighbourhoods.
    for (const Patch& p : net.patches) {
        if (p.zone != Zone::Industry) continue;
        double best = 1e30;
        Vec from{};
        for (const Vec& q : rail)
            if (Dist(q, p.seed) < best) best = Dist(q, p.seed), from = q;
        if (best > 2500.0) continue;
        Polyline siding = Densify({from, Lerp(from, p.seed, 0.5), p.seed}, 40.0);
        Polyline dry;
        for (const Vec& q : siding) {
            if (!mask.IsDry(q)) break;
            dry.push_back(q);
        }
        if (dry.size() >= 2) city.lines.push_back({3035, dry});
    }
    // The highways and avenues, which the overview marks over the mesh of the other streets.
    for (const Street& s : net.streets)
        if (s.rank == 0 || s.avenue)
            for (const Polyline& run : s.runs) city.lines.push_back({9005, run});
    (void)rng;
}

}  // namespace citygen
