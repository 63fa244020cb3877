#include "streets.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <unordered_map>

#include "avenues.h"
#include "layout.h"

namespace citygen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegree = kPi / 180.0;
// The peninsula's long axis, measured from the east towards the north.
constexpr double kAxisAngle = 65.0 * kDegree;
constexpr double kStreetMargin = 12.0;  // streets keep this far from the water
constexpr double kBridgeGap = 130.0;    // rivers and harbour heads narrower than this are bridged
constexpr double kPieceStep = 30.0;     // points of a drawn street are at most this far apart

// A street before it has a name.
struct Draft {
    Polyline line;
    int rank = 2;
    bool bridge = false;   // crosses water as it stands
    bool driveway = false;  // unnamed
    bool circleLine = false;
    bool embankment = false;  // traced along the shore already: not bent again
    bool avenue = false;      // one of the main avenues, laid out whole: not bent again
    int group = -1;  // the parts of one street share it
};

double Smoothstep(double t) {
    t = std::clamp(t, 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

// ---------------------------------------------------------------------------------------------
// Neighbourhoods

Patch MakePatch(Vec seed, Rng& rng, const std::vector<District>& districts, const LandMask& mask) {
    Patch p;
    p.seed = seed;
    p.district = DistrictAt(districts, seed);
    double fromCentre = Dist(seed, kCityCentre);
    double coastDistance = mask.WaterDistance(seed);
    double roll = rng.Uniform();
    switch (p.district) {
        case 1: p.zone = fromCentre < 3300.0 ? Zone::Centre : Zone::Blocks; break;
        case 2: p.zone = roll < 0.65 ? Zone::Blocks : Zone::Houses; break;
        case 3:
            if (coastDistance < 900.0 && seed.y < 8000.0) p.zone = Zone::Industry;
            else p.zone = roll < 0.5 ? Zone::Blocks : Zone::Houses;
            break;
        case 4:
            if (coastDistance < 900.0 && seed.y < 10500.0) p.zone = Zone::Industry;
            else p.zone = roll < 0.3 ? Zone::Blocks : Zone::Houses;
            break;
        default: p.zone = Dist(seed, {1700, 5400}) < 1600.0 ? Zone::Campus : Zone::Houses; break;
    }
    p.angle = kAxisAngle + rng.Range(-25.0, 25.0) * kDegree;
    switch (p.zone) {
        case Zone::Centre:
            p.crossSpacing = rng.Range(130, 160);
            p.longSpacing = rng.Range(180, 230);
            p.dropRate = 0.04;
            break;
        case Zone::Blocks:
            p.crossSpacing = rng.Range(260, 340);
            p.longSpacing = rng.Range(300, 380);
            p.dropRate = 0.06;
            break;
        case Zone::Houses:
            // Private houses stand in long narrow blocks, two rows of plots back to back.
            p.crossSpacing = rng.Range(200, 260);
            p.longSpacing = rng.Range(95, 120);
            p.dropRate = 0.12;
            break;
        case Zone::Industry:
            p.crossSpacing = rng.Range(280, 420);
            p.longSpacing = rng.Range(240, 320);
            p.dropRate = 0.2;
            break;
        case Zone::Campus:
            p.crossSpacing = rng.Range(180, 220);
            p.longSpacing = rng.Range(220, 260);
            p.dropRate = 0.1;
            break;
    }
    return p;
}

// Keeps the side of the bisector of a and b that holds a.
Ring ClipCloser(const Ring& ring, Vec a, Vec b) {
    Vec mid = Lerp(a, b, 0.5);
    Vec n = b - a;
    Ring out;
    size_t count = ring.size();
    for (size_t i = 0; i < count; ++i) {
        Vec p = ring[(i + count - 1) % count];
        Vec q = ring[i];
        double sp = -Dot(p - mid, n);
        double sq = -Dot(q - mid, n);
        if (sq >= 0.0) {
            if (sp < 0.0) out.push_back(Lerp(p, q, sp / (sp - sq)));
            out.push_back(q);
        } else if (sp >= 0.0) {
            out.push_back(Lerp(p, q, sp / (sp - sq)));
        }
    }
    return out;
}

std::vector<Patch> LayOutPatches(uint64_t seed, const LandMask& mask, const std::vector<District>& districts) {
    Rng rng(seed, 202);
    // The circular places come in close pairs; each pair gets a neighbourhood of its own.
    const std::vector<std::vector<int>> groups = {{0, 1}, {3, 7}, {4, 5}, {2}, {6}};
    std::vector<Vec> seeds;
    std::vector<std::vector<int>> circles;
    for (const auto& g : groups) {
        Vec c{0, 0};
        for (int i : g) c = c + kCircularPlaces[i];
        seeds.push_back(c * (1.0 / g.size()));
        circles.push_back(g);
    }
    const size_t fixedSeeds = seeds.size();
    const double step = 1600.0;
    for (double x = 400.0; x < kPlanXMax; x += step) {
        for (double y = 400.0; y < kPlanYMax; y += step) {
            Vec s{x + rng.Range(-380, 380), y + rng.Range(-380, 380)};
            // The town ends short of the northern forests and does not reach over Kelmarsky bay.
            bool urban = s.x < 20300.0 && !(s.x > 14000.0 && s.y < 2600.0);
            if (!urban || !mask.IsDry(s) || mask.WaterDistance(s) < 120.0) continue;
            bool nearFixed = false;
            for (size_t i = 0; i < fixedSeeds; ++i) nearFixed = nearFixed || Dist(s, seeds[i]) < 1300.0;
            if (nearFixed) continue;
            seeds.push_back(s);
            circles.push_back({});
        }
    }
    // The docks on both banks of the harbour's lower reach, which the neighbourhoods round do
    // not reach.
    std::vector<size_t> docks;
    for (Vec d : {Vec{3350, 7950}, Vec{3450, 9450}}) {
        if (!mask.IsDry(d) || mask.WaterDistance(d) < 200.0) continue;
        docks.push_back(seeds.size());
        seeds.push_back(d);
        circles.push_back({});
    }
    auto isDocks = [&](size_t i) { return std::find(docks.begin(), docks.end(), i) != docks.end(); };
    // Villages along the highway in the far north.
    for (Vec v : {Vec{23800, 14600}, Vec{26400, 15800}, Vec{24600, 17800}}) {
        seeds.push_back(v);
        circles.push_back({});
    }
    std::vector<Patch> patches;
    const Ring plan = {{0, 0}, {kPlanXMax, 0}, {kPlanXMax, kPlanYMax}, {0, kPlanYMax}};
    for (size_t i = 0; i < seeds.size(); ++i) {
        Patch p = MakePatch(seeds[i], rng, districts, mask);
        p.circles = circles[i];
        if (!p.circles.empty()) p.zone = Zone::Centre, p.crossSpacing = 130, p.longSpacing = 190, p.dropRate = 0.03;
        bool village = i >= seeds.size() - 3;
        if (village) p.zone = Zone::Houses;
        if (isDocks(i)) {
            // Long wide blocks square with the harbour, which runs up from its mouth at about
            // 80 degrees from the east.
            p.port = true;
            p.zone = Zone::Industry;
            p.angle = 79.0 * kDegree;
            p.crossSpacing = rng.Range(230, 260);
            p.longSpacing = rng.Range(150, 170);
            p.dropRate = 0.05;
        }
        // Each neighbourhood is its Voronoi cell, kept within reach of its seed so that the
        // edges of the town stay open country.
        // The old town's neighbourhoods reach further, so that no strip is left between them.
        double reach = village ? 650.0 : isDocks(i) ? 1000.0 : i < fixedSeeds ? 1800.0 : 1400.0;
        Ring cell = {{seeds[i].x - reach, seeds[i].y - reach}, {seeds[i].x + reach, seeds[i].y - reach},
                     {seeds[i].x + reach, seeds[i].y + reach}, {seeds[i].x - reach, seeds[i].y + reach}};
        cell = ClipRingConvex(cell, plan);
        for (size_t j = 0; j < seeds.size() && !cell.empty(); ++j)
            if (j != i && Dist(seeds[i], seeds[j]) < 4.0 * reach) cell = ClipCloser(cell, seeds[i], seeds[j]);
        p.cell = cell;
        patches.push_back(p);
    }
    return patches;
}

// For a patch with circular places, the grid direction nearest the wanted one that keeps the
// streets through its places apart.
void FitAngle(Patch& p) {
    if (p.circles.size() < 2) return;
    Vec d = kCircularPlaces[p.circles[1]] - kCircularPlaces[p.circles[0]];
    for (int k = 0; k <= 60; ++k) {
        for (int sign : {1, -1}) {
            double a = kAxisAngle + sign * k * kDegree;
            Vec u = Dir(a);
            Vec v = Perp(u);
            if (std::fabs(Dot(d, u)) > 0.75 * p.crossSpacing && std::fabs(Dot(d, v)) > 0.75 * p.longSpacing) {
                p.angle = a;
                return;
            }
        }
    }
}

// Positions of grid lines over [lo, hi]: the forced ones, and others `spacing` apart that keep
// clear of them.
std::vector<double> GridPositions(double lo, double hi, double spacing, const std::vector<double>& forced, Rng& rng) {
    std::vector<double> out = forced;
    double start = forced.empty() ? rng.Range(0.0, spacing) : forced[0];
    double first = start - std::ceil((start - lo) / spacing) * spacing;
    for (double t = first; t <= hi; t += spacing * rng.Range(0.9, 1.1)) {
        bool clear = true;
        for (double f : forced) clear = clear && std::fabs(t - f) > 0.55 * spacing;
        if (clear && t >= lo) out.push_back(t);
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Whether a grid stretch would run along an avenue, a street's width or two beside it: its ends
// and middle all lie near the avenue.
bool AlongAvenue(const Polyline& piece, const std::vector<Polyline>& avenues, double near) {
    double len = PolylineLength(piece);
    for (double t : {0.0, 0.5 * len, len})
        if (AvenueDistance(avenues, PointAt(piece, t)) > near) return false;
    return true;
}

// Positions of a shared grid's lines over [lo, hi]: whole multiples of the spacing from the
// area's origin, so that the neighbour's lines fall on the same places.
std::vector<double> SharedPositions(double lo, double hi, double spacing) {
    std::vector<double> out;
    for (double k = std::ceil(lo / spacing); k * spacing <= hi; k += 1.0) out.push_back(k * spacing);
    return out;
}

// Groups of the streets of shared grids: one street per line of an area, whichever
// neighbourhood it runs through.
using LineGroups = std::map<std::tuple<int, int, long>, int>;

void GridStreets(uint64_t seed, const Patch& p, Rng& rng, int& groups, LineGroups& lineGroups, std::vector<Draft>& drafts,
                 const std::vector<Polyline>& avenues) {
    if (p.cell.size() < 3) return;
    Vec u = Dir(p.angle);
    Vec v = Perp(u);
    Vec o = p.sharedGrid ? p.origin : p.seed;
    double uMin = 1e30, uMax = -1e30, vMin = 1e30, vMax = -1e30;
    for (const Vec& q : p.cell) {
        uMin = std::min(uMin, Dot(q - o, u));
        uMax = std::max(uMax, Dot(q - o, u));
        vMin = std::min(vMin, Dot(q - o, v));
        vMax = std::max(vMax, Dot(q - o, v));
    }
    std::vector<double> forcedU, forcedV;
    for (int c : p.circles) {
        forcedU.push_back(Dot(kCircularPlaces[c] - o, u));
        forcedV.push_back(Dot(kCircularPlaces[c] - o, v));
    }
    std::vector<double> us = p.sharedGrid ? SharedPositions(uMin, uMax, p.crossSpacing)
                                          : GridPositions(uMin, uMax, p.crossSpacing, forcedU, rng);
    std::vector<double> vs = p.sharedGrid ? SharedPositions(vMin, vMax, p.longSpacing)
                                          : GridPositions(vMin, vMax, p.longSpacing, forcedV, rng);
    if (us.size() < 2 || vs.size() < 2) return;
    auto at = [&](double a, double b) { return o + u * a + v * b; };
    // Stretches close to a border street are left to it; across an open border the grid goes on.
    const double margin = std::min(p.crossSpacing, p.longSpacing) * 0.35;
    auto nearBorderStreet = [&](Vec q) {
        for (size_t e = 0; e < p.cell.size(); ++e) {
            bool open = e < p.openEdge.size() && p.openEdge[e];
            if (!open && SegmentDistance(q, p.cell[e], p.cell[(e + 1) % p.cell.size()]) < margin) return true;
        }
        return false;
    };
    auto isForced = [](double t, const std::vector<double>& forced) {
        for (double f : forced)
            if (t == f) return true;
        return false;
    };
    // Lines along u (one per v) and along v (one per u), each cut into stretches between the
    // crossing lines; some stretches are left out, which gives T-junctions and longer blocks.
    for (int dir = 0; dir < 2; ++dir) {
        const std::vector<double>& lines = dir == 0 ? vs : us;
        const std::vector<double>& nodes = dir == 0 ? us : vs;
        const std::vector<double>& forced = dir == 0 ? forcedV : forcedU;
        double lo = (dir == 0 ? uMin : vMin) - 50.0;
        double hi = (dir == 0 ? uMax : vMax) + 50.0;
        for (double line : lines) {
            bool keepAll = isForced(line, forced);
            int group;
            long lineIndex = 0;
            if (p.sharedGrid) {
                double unit = dir == 0 ? p.longUnit : p.crossUnit;
                lineIndex = std::lround(line / unit);
                auto key = std::make_tuple(p.area, dir, lineIndex);
                auto found = lineGroups.find(key);
                group = found != lineGroups.end() ? found->second : (lineGroups[key] = groups++);
            } else {
                group = groups++;
            }
            std::vector<double> stops{lo};
            for (double n : nodes) stops.push_back(n);
            stops.push_back(hi);
            Polyline run;
            auto flush = [&]() {
                if (run.size() >= 2) {
                    for (Polyline& piece : ClipLineConvex(run, p.cell)) {
                        Vec mid = PointAt(piece, 0.5 * PolylineLength(piece));
                        if (!keepAll && nearBorderStreet(mid)) continue;
                        if (!keepAll && AlongAvenue(piece, avenues, 0.45 * std::min(p.crossSpacing, p.longSpacing))) continue;
                        Draft d;
                        d.line = piece;
                        d.circleLine = keepAll;
                        d.group = group;
                        d.rank = keepAll ? 1 : (p.zone == Zone::Houses && dir == 1 ? 3 : 2);
                        drafts.push_back(d);
                    }
                }
                run.clear();
            };
            for (size_t k = 0; k + 1 < stops.size(); ++k) {
                Vec a = dir == 0 ? at(stops[k], line) : at(line, stops[k]);
                Vec b = dir == 0 ? at(stops[k + 1], line) : at(line, stops[k + 1]);
                bool drop;
                if (keepAll) {
                    drop = false;
                } else if (p.sharedGrid) {
                    // The same stretch seen from the neighbour across an open border must be
                    // left out there too, or one side would end in a stub at the border.
                    double spacing = dir == 0 ? p.crossSpacing : p.longSpacing;
                    long stretch = std::lround(std::floor(0.5 * (stops[k] + stops[k + 1]) / spacing));
                    uint64_t key = (static_cast<uint64_t>(p.area) << 40) ^ (static_cast<uint64_t>(dir) << 39) ^
                                   (static_cast<uint64_t>(lineIndex & 0xFFFFF) << 19) ^ static_cast<uint64_t>(stretch & 0x7FFFF);
                    drop = Rng(seed + 77, key).Chance(p.dropRate);
                } else {
                    drop = rng.Chance(p.dropRate);
                }
                if (drop) {
                    flush();
                    continue;
                }
                if (run.empty()) run.push_back(a);
                run.push_back(b);
            }
            flush();
        }
    }
    // Large blocks get a driveway through the middle, joining the streets on either side.
    // The docks' blocks are just two warehouses deep.
    if ((p.zone == Zone::Blocks || p.zone == Zone::Industry) && !p.port) {
        for (size_t i = 0; i + 1 < vs.size(); ++i) {
            double vm = 0.5 * (vs[i] + vs[i + 1]);
            for (size_t k = 0; k + 1 < us.size(); ++k) {
                if (rng.Chance(0.25)) continue;
                Polyline line = {at(us[k], vm), at(us[k + 1], vm)};
                for (Polyline& piece : ClipLineConvex(line, p.cell)) {
                    if (PolylineLength(piece) < 120.0) continue;
                    Draft d;
                    d.line = piece;
                    d.driveway = true;
                    d.rank = 4;
                    drafts.push_back(d);
                }
            }
        }
    }
}

// The neighbour of patch i across the edge from a to b: the seed as far from both corners as
// i's own; -1 when there is none.
int NeighbourAcross(const std::vector<Patch>& patches, size_t i, Vec a, Vec b) {
    for (size_t j = 0; j < patches.size(); ++j) {
        if (j == i) continue;
        double da = Dist(a, patches[i].seed) - Dist(a, patches[j].seed);
        double db = Dist(b, patches[i].seed) - Dist(b, patches[j].seed);
        if (std::fabs(da) <= 0.01 && std::fabs(db) <= 0.01) return static_cast<int>(j);
    }
    return -1;
}

// Ordinary neighbourhoods turned alike share one grid: their directions are rounded to steps of
// a few degrees, and each step has its own origin and spacings, of which every zone's streets
// are whole multiples (the estates' long streets fall on every third lane of the houses beside
// them). Where two built neighbourhoods with the same step and the same zone meet, the grid goes
// on over the border and no street is laid along it; the joined neighbourhoods form one area.
void ShareGrids(uint64_t seed, std::vector<Patch>& patches, const std::vector<bool>& built) {
    const double step = 12.0 * kDegree;
    std::vector<long> stepOf(patches.size(), 0);
    for (size_t i = 0; i < patches.size(); ++i) {
        Patch& p = patches[i];
        if (!p.circles.empty() || p.port) continue;
        long k = std::lround((p.angle - kAxisAngle) / step);
        stepOf[i] = k;
        Rng r(seed, 3000 + static_cast<uint64_t>(k + 100));
        p.sharedGrid = true;
        p.angle = kAxisAngle + k * step;
        p.origin = kCityCentre + Vec{r.Range(0.0, 300.0), r.Range(0.0, 300.0)};
        p.crossUnit = r.Range(125.0, 150.0);
        p.longUnit = r.Range(100.0, 120.0);
        int cross = 2, along = 3;
        switch (p.zone) {
            case Zone::Centre: cross = 1, along = 2; break;
            case Zone::Blocks: cross = 2, along = 3; break;
            case Zone::Houses: cross = 2, along = 1; break;
            case Zone::Industry: cross = 3, along = 2; break;
            case Zone::Campus: cross = 2, along = 2; break;
        }
        p.crossSpacing = cross * p.crossUnit;
        p.longSpacing = along * p.longUnit;
    }
    std::vector<int> area(patches.size());
    for (size_t i = 0; i < area.size(); ++i) area[i] = static_cast<int>(i);
    auto root = [&](int i) {
        while (area[i] != i) i = area[i] = area[area[i]];
        return i;
    };
    for (size_t i = 0; i < patches.size(); ++i) {
        Patch& p = patches[i];
        p.openEdge.assign(p.cell.size(), 0);
        if (!p.sharedGrid || !built[i]) continue;
        for (size_t e = 0; e < p.cell.size(); ++e) {
            int j = NeighbourAcross(patches, i, p.cell[e], p.cell[(e + 1) % p.cell.size()]);
            if (j < 0 || !built[j] || !patches[j].sharedGrid) continue;
            const Patch& q = patches[j];
            if (stepOf[j] != stepOf[i] || q.zone != p.zone) continue;
            p.openEdge[e] = 1;
            area[root(static_cast<int>(i))] = root(j);
        }
    }
    for (size_t i = 0; i < patches.size(); ++i) patches[i].area = root(static_cast<int>(i));
}

// The stretches of one street laid out in neighbouring patches meet end to end at the border;
// they become one line.
void JoinContinuations(std::vector<Draft>& drafts) {
    std::map<int, std::vector<size_t>> byGroup;
    for (size_t i = 0; i < drafts.size(); ++i)
        if (!drafts[i].driveway && drafts[i].group >= 0) byGroup[drafts[i].group].push_back(i);
    std::vector<char> gone(drafts.size(), 0);
    for (auto& [group, members] : byGroup) {
        if (members.size() < 2) continue;
        bool joined = true;
        while (joined) {
            joined = false;
            for (size_t a : members) {
                if (gone[a]) continue;
                for (size_t b : members) {
                    if (a == b || gone[b] || Dist(drafts[a].line.back(), drafts[b].line.front()) > 0.01) continue;
                    Polyline& line = drafts[a].line;
                    line.insert(line.end(), drafts[b].line.begin() + 1, drafts[b].line.end());
                    gone[b] = 1;
                    joined = true;
                }
            }
        }
    }
    // What is left of a street are stretches of one straight line apart from each other: they
    // follow each other along it, so that its houses are numbered in one run.
    for (auto& [group, members] : byGroup) {
        std::vector<size_t> slots;
        for (size_t i : members)
            if (!gone[i]) slots.push_back(i);
        if (slots.size() < 2) continue;
        const Polyline& first = drafts[slots[0]].line;
        Vec dir = first.back() - first.front();
        std::vector<Draft> sorted;
        for (size_t i : slots) sorted.push_back(drafts[i]);
        std::stable_sort(sorted.begin(), sorted.end(),
                         [&](const Draft& a, const Draft& b) { return Dot(a.line.front(), dir) < Dot(b.line.front(), dir); });
        for (size_t k = 0; k < slots.size(); ++k) drafts[slots[k]] = std::move(sorted[k]);
    }
    std::vector<Draft> kept;
    for (size_t i = 0; i < drafts.size(); ++i)
        if (!gone[i]) kept.push_back(std::move(drafts[i]));
    drafts = std::move(kept);
}

// Streets along the borders between neighbourhoods. Border edges that meet at a gentle bend are
// joined into one street, so that it does not change its name at every corner of a
// neighbourhood; a border that runs along an avenue is left to the avenue.
void BorderStreets(const std::vector<Patch>& patches, const std::vector<bool>& built, int& groups,
                   std::vector<Draft>& drafts, const std::vector<Polyline>& avenues) {
    std::vector<std::pair<Vec, Vec>> edges;
    for (size_t i = 0; i < patches.size(); ++i) {
        const Ring& cell = patches[i].cell;
        for (size_t e = 0; e < cell.size(); ++e) {
            if (e < patches[i].openEdge.size() && patches[i].openEdge[e]) continue;
            Vec a = cell[e];
            Vec b = cell[(e + 1) % cell.size()];
            // The edge of the town, where the neighbourhood ends short of any other: a street
            // runs along it, so that its streets do not stop in the fields. Where another
            // neighbourhood's outline lies close by, that one's streets are there already.
            if (built[i] && NeighbourAcross(patches, i, a, b) < 0) {
                Vec mid = Lerp(a, b, 0.5);
                bool alone = true;
                for (size_t j = 0; j < patches.size() && alone; ++j) {
                    if (j == i || patches[j].cell.size() < 3) continue;
                    const Ring& other = patches[j].cell;
                    if (PointInRing(other, mid)) alone = false;
                    for (size_t k = 0; k < other.size() && alone; ++k)
                        if (SegmentDistance(mid, other[k], other[(k + 1) % other.size()]) < 60.0) alone = false;
                }
                if (alone && Dist(a, b) > 1.0) edges.push_back({a, b});
                continue;
            }
            // The neighbour on the other side is the seed as far from both corners as this one.
            for (size_t j = 0; j < patches.size(); ++j) {
                if (j == i) continue;
                double da = Dist(a, patches[i].seed) - Dist(a, patches[j].seed);
                double db = Dist(b, patches[i].seed) - Dist(b, patches[j].seed);
                if (std::fabs(da) > 0.01 || std::fabs(db) > 0.01) continue;
                // Each border once: by the lower index, or by the built side when only one is.
                bool mine = built[i] && (!built[j] || i < j);
                if (mine && Dist(a, b) > 1.0) edges.push_back({a, b});
                break;
            }
        }
    }
    // The edges meeting at a corner (corners of neighbouring cells agree to well under a metre).
    auto same = [](Vec p, Vec q) { return Dist(p, q) < 0.5; };
    std::vector<bool> used(edges.size(), false);
    // The unused edge that goes on most straightly from `end`, heading along `dir`.
    auto next = [&](Vec end, Vec dir, Vec& far) {
        int best = -1;
        double bestCos = std::cos(35.0 * kDegree);
        for (size_t k = 0; k < edges.size(); ++k) {
            if (used[k]) continue;
            Vec other;
            if (same(edges[k].first, end)) other = edges[k].second;
            else if (same(edges[k].second, end)) other = edges[k].first;
            else continue;
            double c = Dot(Normalized(other - end), dir);
            if (c > bestCos) bestCos = c, best = static_cast<int>(k), far = other;
        }
        return best;
    };
    for (size_t start = 0; start < edges.size(); ++start) {
        if (used[start]) continue;
        used[start] = true;
        Polyline line = {edges[start].first, edges[start].second};
        for (int end = 0; end < 2; ++end) {
            for (;;) {
                Vec tip = end == 0 ? line.back() : line.front();
                Vec before = end == 0 ? line[line.size() - 2] : line[1];
                Vec far;
                int k = next(tip, Normalized(tip - before), far);
                if (k < 0) break;
                used[k] = true;
                if (end == 0) line.push_back(far);
                else line.insert(line.begin(), far);
            }
        }
        if (AlongAvenue(line, avenues, 90.0)) continue;
        Draft d;
        d.line = line;
        // The avenues are the main streets; the borders between neighbourhoods are ordinary ones.
        d.rank = 2;
        d.group = groups++;
        drafts.push_back(d);
    }
}

// Embankments: a street a little inland along the shores by the old town, traced on the land
// raster from the water inwards and smoothed so that it follows the bay, not every cove.
void Embankments(const LandMask& mask, int& groups, std::vector<Draft>& drafts) {
    struct Shore {
        double from, to;  // the stretch, along x (a west shore) or along y (a south shore)
        bool westShore;
    };
    // The shore of Tervelsky bay has its avenue already.
    const Shore shores[] = {{3400.0, 9200.0, true}};
    const double inland = 45.0;
    for (const Shore& shore : shores) {
        std::vector<double> depth;  // how far in from the plan's edge the street runs
        for (double t = shore.from; t <= shore.to; t += 40.0) {
            double found = -1.0;
            for (double d = 0.0; d < 6000.0; d += 5.0) {
                Vec p = shore.westShore ? Vec{t, d} : Vec{d, t};
                if (mask.IsDry(p) && mask.WaterDistance(p) >= inland && !(mask.At(p) & kCellForest)) {
                    found = d;
                    break;
                }
            }
            depth.push_back(found);
        }
        // Smoothed, but never nearer the water than the trace.
        std::vector<double> smooth = depth;
        for (int pass = 0; pass < 3; ++pass) {
            std::vector<double> next = smooth;
            for (size_t i = 0; i < smooth.size(); ++i) {
                double sum = 0.0;
                int n = 0;
                for (size_t k = i >= 3 ? i - 3 : 0; k <= i + 3 && k < smooth.size(); ++k)
                    if (smooth[k] >= 0.0) sum += smooth[k], ++n;
                if (n > 0 && depth[i] >= 0.0) next[i] = std::max(depth[i], sum / n);
            }
            smooth = next;
        }
        Polyline line;
        for (size_t i = 0; i < smooth.size(); ++i) {
            double t = shore.from + 40.0 * static_cast<double>(i);
            if (smooth[i] < 0.0) continue;
            line.push_back(shore.westShore ? Vec{t, smooth[i]} : Vec{smooth[i], t});
        }
        if (line.size() < 3) continue;
        Draft d;
        d.line = line;
        d.rank = 2;
        d.embankment = true;
        d.group = groups++;
        drafts.push_back(d);
    }
}

}  // namespace

std::vector<Polyline> HighwayRoutes() {
    return {
        {{8700, 6600}, {10500, 7600}, {12000, 8300}, {13600, 9000}, {15000, 9600}, {16500, 10300}, {18000, 10900},
         {19500, 11600}, {21000, 12300}, {22500, 13000}, {24000, 13600}, {25500, 14100}, {27000, 14500}, {kPlanXMax, 14700}},
        {{7600, 12800}, {8800, 14200}, {10000, 15400}, {11200, 16600}, {12400, 17600}, {13400, 18500}, {14400, 19400},
         {15000, kPlanYMax}},
        {{19500, 11600}, {20500, 13500}, {21500, 15500}, {22500, 17500}, {23200, kPlanYMax}},
    };
}

namespace {

void Highways(int& groups, std::vector<Draft>& drafts) {
    for (const Polyline& r : HighwayRoutes()) {
        Draft d;
        d.line = r;
        d.rank = 0;
        d.group = groups++;
        drafts.push_back(d);
    }
}

// ---------------------------------------------------------------------------------------------
// Shaping the drafts

// Gentle bends: a smooth displacement that fades out near the circular places so that they stay
// exactly on their crossings.
Vec Warp(uint64_t seed, Vec p) {
    double nearest = 1e30;
    for (const Vec& c : kCircularPlaces) nearest = std::min(nearest, Dist(p, c));
    double fade = Smoothstep((nearest - 150.0) / 500.0);
    if (fade <= 0.0) return p;
    const double amplitude = 85.0;
    Vec shift{Noise(seed, p.x, p.y, 1700.0), Noise(seed + 1, p.x, p.y, 1700.0)};
    // The old town grew street by street: its lines wander more, over shorter distances.
    double old = Smoothstep((3200.0 - Dist(p, kCityCentre)) / 1400.0);
    Vec wander{Noise(seed + 5, p.x, p.y, 420.0), Noise(seed + 6, p.x, p.y, 420.0)};
    return p + (shift * amplitude + wander * (30.0 * old)) * fade;
}

bool StreetCell(const LandMask& mask, Vec p, bool throughForest) {
    uint8_t f = mask.At(p);
    if (f & kCellCemetery) return false;
    uint8_t tested = throughForest ? (kCellLand | kCellWater) : (kCellLand | kCellWater | kCellForest);
    return (f & tested) == kCellLand && mask.WaterDistance(p) >= kStreetMargin;
}

bool BridgeableCell(const LandMask& mask, Vec p) { return (mask.At(p) & (kCellLand | kCellCemetery)) == kCellLand; }

// The stretches of a line that lie on land, joined over short crossings of rivers.
std::vector<Polyline> ClipToLand(const Polyline& line, const LandMask& mask, bool throughForest) {
    std::vector<Polyline> out;
    double total = PolylineLength(line);
    if (total <= 0.0) return out;
    const double step = 5.0;
    int samples = static_cast<int>(std::ceil(total / step));
    std::vector<char> ok(samples + 1), bridgeable(samples + 1);
    for (int i = 0; i <= samples; ++i) {
        Vec p = PointAt(line, std::min(total, i * step));
        ok[i] = StreetCell(mask, p, throughForest);
        bridgeable[i] = BridgeableCell(mask, p);
    }
    // Fill short gaps that only cross water lying on land.
    int i = 0;
    while (i <= samples) {
        if (ok[i]) {
            ++i;
            continue;
        }
        int j = i;
        bool overLand = true;
        while (j <= samples && !ok[j]) overLand = overLand && bridgeable[j], ++j;
        if (i > 0 && j <= samples && overLand && (j - i) * step < kBridgeGap)
            for (int k = i; k < j; ++k) ok[k] = 1;
        i = j;
    }
    i = 0;
    while (i <= samples) {
        if (!ok[i]) {
            ++i;
            continue;
        }
        int j = i;
        while (j + 1 <= samples && ok[j + 1]) ++j;
        double t0 = i * step;
        double t1 = std::min(total, j * step);
        if (t1 - t0 > 1.0) out.push_back(SubLine(line, t0, t1));
        i = j + 1;
    }
    return out;
}

// ---------------------------------------------------------------------------------------------
// Joining: ends that stop on another street are moved onto it, and every crossing becomes a
// point of both lines.

struct Hit {
    size_t segment;
    double t;
    Vec at;
};

class SegmentGrid {
public:
    static constexpr double kCell = 100.0;
    explicit SegmentGrid(const std::vector<Polyline>& lines) {
        for (size_t l = 0; l < lines.size(); ++l)
            for (size_t s = 0; s + 1 < lines[l].size(); ++s) {
                Vec a = lines[l][s], b = lines[l][s + 1];
                int x0 = Cell(std::min(a.x, b.x)), x1 = Cell(std::max(a.x, b.x));
                int y0 = Cell(std::min(a.y, b.y)), y1 = Cell(std::max(a.y, b.y));
                for (int x = x0; x <= x1; ++x)
                    for (int y = y0; y <= y1; ++y) cells_[Key(x, y)].push_back({static_cast<uint32_t>(l), static_cast<uint32_t>(s)});
            }
    }
    struct Ref {
        uint32_t line;
        uint32_t segment;
    };
    const std::vector<Ref>* At(int x, int y) const {
        auto it = cells_.find(Key(x, y));
        return it == cells_.end() ? nullptr : &it->second;
    }
    static int Cell(double v) { return static_cast<int>(std::floor(v / kCell)); }
    const std::unordered_map<int64_t, std::vector<Ref>>& cells() const { return cells_; }
    static int64_t Key(int x, int y) { return (static_cast<int64_t>(x) << 32) ^ static_cast<uint32_t>(y); }

private:
    std::unordered_map<int64_t, std::vector<Ref>> cells_;
};

void SnapEnds(std::vector<Polyline>& lines) {
    SegmentGrid grid(lines);
    const double reach = 6.0;
    for (size_t l = 0; l < lines.size(); ++l) {
        for (int end = 0; end < 2; ++end) {
            Polyline& line = lines[l];
            Vec e = end == 0 ? line.front() : line.back();
            double best = reach;
            Vec target = e;
            int cx = SegmentGrid::Cell(e.x), cy = SegmentGrid::Cell(e.y);
            for (int x = cx - 1; x <= cx + 1; ++x)
                for (int y = cy - 1; y <= cy + 1; ++y) {
                    const auto* refs = grid.At(x, y);
                    if (!refs) continue;
                    for (const auto& r : *refs) {
                        if (r.line == l) continue;
                        Vec a = lines[r.line][r.segment], b = lines[r.line][r.segment + 1];
                        Vec ab = b - a;
                        double len2 = Dot(ab, ab);
                        if (len2 <= 0.0) continue;
                        double t = std::clamp(Dot(e - a, ab) / len2, 0.0, 1.0);
                        Vec q = a + ab * t;
                        double d = Dist(e, q);
                        if (d < best) best = d, target = q;
                    }
                }
            if (end == 0) line.front() = target;
            else line.back() = target;
        }
    }
}

// A street that stops a little short of another, with open ground between (a strip between
// two neighbourhoods' outlines, the land between the last block and the embankment), is carried
// on to it.
void ExtendEnds(std::vector<Polyline>& lines, const std::vector<char>& extendable, const LandMask& mask) {
    SegmentGrid grid(lines);
    const double reach = 170.0;
    auto nearest = [&](size_t l, Vec from, Vec dir, double limit, bool anyDirection) {
        double best = limit;
        std::vector<int64_t> seen;
        for (double s = 0.0; s <= limit + SegmentGrid::kCell; s += 0.5 * SegmentGrid::kCell) {
            Vec p = from + dir * std::min(s, limit);
            int cx = SegmentGrid::Cell(p.x), cy = SegmentGrid::Cell(p.y);
            for (int x = cx - 1; x <= cx + 1; ++x)
                for (int y = cy - 1; y <= cy + 1; ++y) {
                    int64_t key = SegmentGrid::Key(x, y);
                    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
                    seen.push_back(key);
                    const auto* refs = grid.At(x, y);
                    if (!refs) continue;
                    for (const auto& r : *refs) {
                        if (r.line == l) continue;
                        Vec a = lines[r.line][r.segment], w = lines[r.line][r.segment + 1] - a;
                        if (anyDirection) {
                            best = std::min(best, SegmentDistance(from, a, a + w));
                            continue;
                        }
                        double denom = Cross(dir, w);
                        if (std::fabs(denom) < 1e-9 * Length(w)) continue;
                        double t = Cross(a - from, w) / denom;
                        double u = Cross(a - from, dir) / denom;
                        if (t > 0.5 && t < best && u >= 0.0 && u <= 1.0) best = t;
                    }
                }
        }
        return best;
    };
    for (size_t l = 0; l < lines.size(); ++l) {
        if (!extendable[l] || lines[l].size() < 2 || PolylineLength(lines[l]) < 60.0) continue;
        for (int end = 0; end < 2; ++end) {
            Polyline& line = lines[l];
            Vec tip = end == 0 ? line.front() : line.back();
            double len = PolylineLength(line);
            Vec back = PointAt(line, end == 0 ? std::min(len, 25.0) : std::max(0.0, len - 25.0));
            if (Dist(tip, back) < 1.0) continue;
            Vec dir = Normalized(tip - back);
            // Already on a street: the snapping joins it.
            if (nearest(l, tip, dir, 6.0, true) < 6.0) continue;
            double t = nearest(l, tip, dir, reach, false);
            if (t >= reach) continue;
            bool clear = true;
            for (double s = 5.0; clear && s < t; s += 5.0) clear = StreetCell(mask, tip + dir * s, false);
            if (!clear) continue;
            Vec to = tip + dir * t;
            if (end == 0) line.insert(line.begin(), to);
            else line.push_back(to);
        }
    }
}

// Inserts every crossing into both lines; returns per line which points are crossings.
std::vector<std::vector<char>> JoinCrossings(std::vector<Polyline>& lines) {
    SegmentGrid grid(lines);
    std::vector<std::vector<Hit>> hits(lines.size());
    for (const auto& [key, refs] : grid.cells()) {
        for (size_t i = 0; i < refs.size(); ++i) {
            for (size_t j = i + 1; j < refs.size(); ++j) {
                const auto& r1 = refs[i];
                const auto& r2 = refs[j];
                if (r1.line == r2.line) continue;
                Vec p = lines[r1.line][r1.segment], r = lines[r1.line][r1.segment + 1] - p;
                Vec q = lines[r2.line][r2.segment], w = lines[r2.line][r2.segment + 1] - q;
                double denom = Cross(r, w);
                if (std::fabs(denom) < 1e-9 * Length(r) * Length(w)) continue;
                double t = Cross(q - p, w) / denom;
                double s = Cross(q - p, r) / denom;
                const double eps = 1e-7;
                if (t < -eps || t > 1 + eps || s < -eps || s > 1 + eps) continue;
                t = std::clamp(t, 0.0, 1.0);
                s = std::clamp(s, 0.0, 1.0);
                Vec at = p + r * t;
                if (SegmentGrid::Key(SegmentGrid::Cell(at.x), SegmentGrid::Cell(at.y)) != key) continue;
                hits[r1.line].push_back({r1.segment, t, at});
                hits[r2.line].push_back({r2.segment, s, at});
            }
        }
    }
    std::vector<std::vector<char>> nodes(lines.size());
    for (size_t l = 0; l < lines.size(); ++l) {
        std::vector<Hit>& h = hits[l];
        std::sort(h.begin(), h.end(), [](const Hit& a, const Hit& b) {
            return a.segment != b.segment ? a.segment < b.segment : a.t < b.t;
        });
        const Polyline& old = lines[l];
        Polyline line;
        std::vector<char> isNode;
        size_t k = 0;
        for (size_t s = 0; s < old.size(); ++s) {
            line.push_back(old[s]);
            isNode.push_back(0);
            // Crossings at this point, then those inside the segment that starts here.
            while (k < h.size() && h[k].segment <= s) {
                const Hit& hit = h[k++];
                if (Dist(hit.at, line.back()) < 0.05) {
                    line.back() = hit.at;
                    isNode.back() = 1;
                } else if (s + 1 < old.size() && Dist(hit.at, old[s + 1]) < 0.05) {
                    // Lands on the next point: handled when that point is added.
                    h[--k].segment = s + 1, h[k].t = 0.0;
                    break;
                } else {
                    line.push_back(hit.at);
                    isNode.push_back(1);
                }
            }
        }
        lines[l] = line;
        nodes[l] = isNode;
    }
    return nodes;
}

// The drawn records of one street: cut at crossings once long enough, always at a circular place.
std::vector<Polyline> CutPieces(const Polyline& line, const std::vector<char>& isNode, double wanted) {
    std::vector<Polyline> pieces;
    Polyline current{line[0]};
    double length = 0.0;
    for (size_t i = 1; i < line.size(); ++i) {
        length += Dist(line[i - 1], line[i]);
        current.push_back(line[i]);
        bool atCircle = false;
        for (const Vec& c : kCircularPlaces) atCircle = atCircle || Dist(line[i], c) < 1.0;
        if (i + 1 < line.size() && isNode[i] && (length >= wanted || atCircle)) {
            pieces.push_back(current);
            current = {line[i]};
            length = 0.0;
        }
    }
    if (current.size() >= 2) pieces.push_back(current);
    return pieces;
}

Polyline Resample(const Polyline& line) { return Densify(line, kPieceStep); }

}  // namespace

Network BuildNetwork(uint64_t seed, const LandMask& mask, const std::vector<District>& districts, double builtShare,
                     const std::vector<Polyline>& avenues) {
    Network net;
    net.patches = LayOutPatches(seed, mask, districts);
    for (Patch& p : net.patches) FitAngle(p);
    // A neighbourhood an avenue passes through lays its blocks square to the avenue; the others
    // turn with their neighbours, slowly across the town, so that the borders between them do
    // not stand out as a mesh of their own.
    for (Patch& p : net.patches) {
        if (!p.circles.empty() || p.port) continue;
        Vec along;
        if (AvenueDistance(avenues, p.seed, &along) < 900.0) p.angle = std::atan2(along.x, along.y);
        else p.angle = kAxisAngle + 22.0 * kDegree * Noise(seed + 9, p.seed.x, p.seed.y, 5000.0);
    }

    // The neighbourhoods nearest the centre are built first; those with circular places always.
    std::vector<size_t> order(net.patches.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        bool ca = !net.patches[a].circles.empty(), cb = !net.patches[b].circles.empty();
        if (ca != cb) return ca;
        return Dist(net.patches[a].seed, kCityCentre) < Dist(net.patches[b].seed, kCityCentre);
    });
    size_t wanted = static_cast<size_t>(std::ceil(std::clamp(builtShare, 0.0, 1.0) * order.size()));
    std::vector<bool> built(net.patches.size(), false);
    for (size_t k = 0; k < order.size(); ++k)
        if (k < wanted || !net.patches[order[k]].circles.empty() || net.patches[order[k]].port) built[order[k]] = true;
    // The villages along the northern highway stand whatever the size of the town.
    if (builtShare >= 0.5)
        for (size_t k = order.size() >= 3 ? net.patches.size() - 3 : 0; k < net.patches.size(); ++k) built[k] = true;

    ShareGrids(seed, net.patches, built);

    std::vector<Draft> drafts;
    int groups = 0;
    LineGroups lineGroups;
    for (size_t i = 0; i < net.patches.size(); ++i) {
        Rng patchRng(seed, 1000 + i);
        if (built[i]) GridStreets(seed, net.patches[i], patchRng, groups, lineGroups, drafts, avenues);
    }
    JoinContinuations(drafts);
    BorderStreets(net.patches, built, groups, drafts, avenues);
    Embankments(mask, groups, drafts);
    Highways(groups, drafts);
    for (const Polyline& line : avenues) {
        Draft d;
        d.line = line;
        d.rank = 1;
        d.avenue = true;
        d.group = groups++;
        drafts.push_back(d);
    }

    // Bend, cut to the land, and drop what is left too short to be a street.
    std::vector<Polyline> lines;
    std::vector<Draft> kept;
    for (const Draft& d : drafts) {
        Polyline bent;
        for (const Vec& p : Densify(d.line, 40.0)) bent.push_back(d.embankment || d.avenue ? p : Warp(seed, p));
        for (Polyline& piece : ClipToLand(bent, mask, d.rank == 0)) {
            double len = PolylineLength(piece);
            if (len < (d.driveway ? 60.0 : 140.0) && !d.circleLine) continue;
            Draft k = d;
            k.line = Simplify(piece, 0.3);
            kept.push_back(k);
            lines.push_back(k.line);
        }
    }
    // The bridge to the island crosses the strait as the land outline does.
    {
        Draft d;
        d.line = {{3450, 5400}, {2850, 5400}, {1850, 5400}, {1350, 5400}};
        d.rank = 1;
        d.bridge = true;
        d.group = groups++;
        kept.push_back(d);
        lines.push_back(d.line);
    }
    {
        std::vector<char> extendable(lines.size(), 0);
        for (size_t i = 0; i < kept.size(); ++i)
            extendable[i] = !kept[i].avenue && !kept[i].bridge && !kept[i].embankment && kept[i].rank >= 2;
        ExtendEnds(lines, extendable, mask);
    }
    SnapEnds(lines);
    std::vector<std::vector<char>> nodes = JoinCrossings(lines);

    // One street per group: its parts in the order they were laid out.
    std::vector<int> streetOfGroup(groups, -1);
    for (size_t i = 0; i < kept.size(); ++i) {
        if (lines[i].size() < 2) continue;
        if (kept[i].driveway) {
            net.driveways.push_back(lines[i]);
            continue;
        }
        int& at = streetOfGroup[kept[i].group];
        if (at < 0) {
            at = static_cast<int>(net.streets.size());
            Street s;
            s.rank = kept[i].rank;
            s.bridge = kept[i].bridge;
            s.avenue = kept[i].avenue;
            net.streets.push_back(s);
        }
        Street& s = net.streets[at];
        s.runs.push_back(lines[i]);
        double wanted = s.rank <= 1 ? 500.0 : 260.0;
        for (Polyline& piece : CutPieces(lines[i], nodes[i], wanted)) s.pieces.push_back(Resample(piece));
    }
    return net;
}

}  // namespace citygen
