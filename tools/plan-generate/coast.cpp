#include "coast.h"

#include <algorithm>
#include <cmath>

namespace citygen {

namespace {

// One corner of the coarse coastline and how rugged the stretch to the next corner is (a share
// of the stretch's length; 0 keeps it straight: sheet edges and the bridge).
struct ControlPoint {
    double x;
    double y;
    double rough;
    int part;  // 0 the mainland, 1 the island over the bridge, 2 the small island beyond it
};

constexpr double kBridgeNorthX = 2850.0;  // where the bridge leaves the peninsula
constexpr double kBridgeSouthX = 1850.0;  // where it lands on the island
constexpr double kBridgeY = 5400.0;

// The land, walked once round: the mainland from the west sheet edge over the north and east
// edges, the shore of Tervelsky bay down to the bridge, over the bridge round the two islands
// that the south sheet edge cuts, back over the bridge, round the peninsula's cape and up the
// long shore of Kelmarsky bay to its head and down its far western shore.
const ControlPoint kControl[] = {
    {16000, 0, 0, 0},  // west edge
    {28000, 0, 0, 0},
    {28000, 20000, 0, 0},  // north edge, then the east edge
    {12000, 20000, 0.18, 0},
    {11400, 19500, 0.18, 0},
    {11000, 19000, 0.18, 0},
    {10300, 18600, 0.18, 0},
    {10000, 18200, 0.18, 0},
    {9500, 18000, 0.18, 0},
    {9000, 17700, 0.18, 0},
    {8400, 17400, 0.16, 0},  // Quiet bay
    {8800, 16900, 0.16, 0},
    {9500, 16500, 0.14, 0},
    {9400, 16000, 0.16, 0},
    {8600, 16000, 0.16, 0},
    {7800, 15900, 0.18, 0},
    {7200, 16100, 0.18, 0},
    {6800, 16200, 0.18, 0},
    {6300, 15700, 0.18, 0},
    {5800, 15200, 0.18, 0},
    {5300, 14900, 0.18, 0},
    {4800, 14200, 0.16, 0},
    {4500, 13500, 0.16, 0},
    {4100, 13000, 0.14, 0},
    {3800, 12500, 0.12, 0},
    {3500, 11900, 0.1, 0},
    {3200, 11300, 0.1, 0},
    {3100, 10700, 0.1, 0},
    {3050, 9600, 0.1, 0},
    {3100, 8500, 0.12, 0},
    {2800, 7900, 0.14, 0},
    {2800, 7500, 0.14, 0},  // a cape over the strait
    {2900, 7000, 0.12, 0},
    {2950, 6300, 0.1, 0},
    {kBridgeNorthX, kBridgeY, 0, 0},  // over the bridge
    {kBridgeSouthX, kBridgeY, 0.12, 1},
    {1800, 6000, 0.14, 1},
    {1750, 6400, 0.16, 1},
    {1650, 6900, 0.16, 1},
    {1800, 7400, 0.18, 1},
    {1500, 8400, 0.18, 1},
    {1150, 8700, 0.18, 1},
    {1100, 9200, 0.18, 1},
    {600, 9700, 0.18, 1},
    {0, 9900, 0, 1},  // south edge to the second island
    {0, 11200, 0.18, 2},
    {600, 11400, 0.18, 2},
    {1000, 12100, 0.18, 2},
    {800, 12900, 0.18, 2},
    {300, 13300, 0.18, 2},
    {0, 13400, 0, 2},  // back along the south edge
    {0, 1800, 0.18, 1},
    {500, 1300, 0.18, 1},
    {900, 1200, 0.18, 1},
    {1100, 1500, 0.18, 1},
    {1400, 2100, 0.18, 1},
    {1600, 2400, 0.16, 1},
    {1800, 3000, 0.14, 1},
    {1900, 3500, 0.12, 1},
    {1600, 4000, 0.12, 1},
    {1750, 4500, 0.12, 1},
    {kBridgeSouthX, kBridgeY, 0, 1},  // back over the bridge
    {kBridgeNorthX, kBridgeY, 0.1, 0},
    {2750, 4600, 0.12, 0},
    {2600, 3800, 0.14, 0},  // the cape
    {2900, 3200, 0.16, 0},
    {3300, 2700, 0.18, 0},
    {3800, 2850, 0.18, 0},
    {4300, 3200, 0.18, 0},
    {4700, 3050, 0.18, 0},
    {5200, 3250, 0.18, 0},
    {5800, 3600, 0.18, 0},
    {6200, 3350, 0.18, 0},
    {6800, 3300, 0.18, 0},
    {7200, 3500, 0.18, 0},
    {7800, 3700, 0.18, 0},
    {8200, 3600, 0.18, 0},
    {8700, 3900, 0.16, 0},
    {9300, 4300, 0.16, 0},
    {9700, 4100, 0.18, 0},
    {10200, 4150, 0.18, 0},
    {10800, 4500, 0.16, 0},
    {11300, 5000, 0.16, 0},
    {11600, 4700, 0.18, 0},
    {12000, 4650, 0.18, 0},
    {12600, 5000, 0.18, 0},
    {13200, 5200, 0.18, 0},
    {13800, 5600, 0.18, 0},
    {14200, 6200, 0.16, 0},
    {14500, 5900, 0.18, 0},
    {15000, 5800, 0.18, 0},
    {15600, 6200, 0.18, 0},
    {16000, 6300, 0.18, 0},
    {16800, 6600, 0.18, 0},
    {17500, 7000, 0.18, 0},
    {18200, 7200, 0.18, 0},
    {18800, 7900, 0.18, 0},
    {19400, 7800, 0.18, 0},
    {20000, 8300, 0.18, 0},
    {20500, 8600, 0.18, 0},
    {21000, 9200, 0.16, 0},
    {21400, 8900, 0.18, 0},
    {22000, 9400, 0.18, 0},
    {23000, 9800, 0.18, 0},
    {23500, 10200, 0.16, 0},
    {24200, 10900, 0.16, 0},
    {24600, 10500, 0.16, 0},
    {25000, 11000, 0.14, 0},
    {26300, 11600, 0.12, 0},  // head of Kelmarsky bay
    {26900, 10800, 0.16, 0},
    {27200, 9500, 0.18, 0},
    {27100, 8000, 0.18, 0},
    {26800, 6500, 0.18, 0},
    {26300, 5000, 0.18, 0},
    {25600, 3800, 0.18, 0},
    {24600, 2800, 0.18, 0},
    {23900, 2700, 0.18, 0},
    {23400, 2100, 0.18, 0},
    {22000, 1500, 0.18, 0},
    {21200, 1600, 0.18, 0},
    {20500, 1000, 0.18, 0},
    {19000, 650, 0.18, 0},
    {17500, 350, 0.18, 0},
};
constexpr int kControlCount = static_cast<int>(sizeof kControl / sizeof kControl[0]);

void Roughen(Vec a, Vec b, double rough, Rng& rng, Ring& out) {
    double len = Dist(a, b);
    if (rough <= 0.0 || len < 24.0) {
        out.push_back(b);
        return;
    }
    Vec mid = Lerp(a, b, 0.5) + Perp(Normalized(b - a)) * (len * rough * rng.Range(-1.0, 1.0));
    Roughen(a, mid, rough, rng, out);
    Roughen(mid, b, rough, rng, out);
}

// Whole metres, as the outline file stores them; repeated points go.
Ring RoundRing(const Ring& ring) {
    Ring out;
    for (const Vec& p : ring) {
        Vec q{std::round(p.x), std::round(p.y)};
        q.x = std::clamp(q.x, 0.0, kPlanXMax);
        q.y = std::clamp(q.y, 0.0, kPlanYMax);
        if (out.empty() || out.back().x != q.x || out.back().y != q.y) out.push_back(q);
    }
    while (out.size() > 1 && out.back().x == out.front().x && out.back().y == out.front().y) out.pop_back();
    return out;
}

// A band of water along a centre line, `w0` wide at its start and `w1` at its end.
Ring BandAround(const Polyline& centre, double w0, double w1) {
    Ring left;
    Ring right;
    double total = PolylineLength(centre);
    double at = 0.0;
    for (size_t i = 0; i < centre.size(); ++i) {
        if (i > 0) at += Dist(centre[i - 1], centre[i]);
        Vec d = Normalized(centre[std::min(i + 1, centre.size() - 1)] - centre[i > 0 ? i - 1 : 0]);
        double half = 0.5 * (w0 + (w1 - w0) * (total > 0.0 ? at / total : 0.0));
        left.push_back(centre[i] + Perp(d) * half);
        right.push_back(centre[i] - Perp(d) * half);
    }
    Ring ring = left;
    for (size_t i = right.size(); i-- > 0;) ring.push_back(right[i]);
    return ring;
}

Polyline Wiggle(const Polyline& control, double rough, Rng& rng) {
    Ring out{control[0]};
    for (size_t i = 1; i < control.size(); ++i) Roughen(control[i - 1], control[i], rough, rng, out);
    return out;
}

// The harbour reaches into the peninsula from Tervelsky bay. Its ring starts and ends out at
// sea with a straight cut, so that the shore drawn along it leaves the open side alone.
WaterBody MakeHarbour(Rng& rng, const LandMask& land) {
    Polyline control = {{2500, 8650}, {3300, 8700}, {3800, 8800}, {4300, 9000}, {4700, 9350}, {5000, 9800}, {5150, 10250}};
    Polyline centre = Densify(Wiggle(control, 0.06, rng), 40.0);
    Ring band = BandAround(centre, 380.0, 120.0);
    size_t half = band.size() / 2;
    // The left bank runs out, the right bank back in; trim both to where they reach the sea.
    size_t firstLand = 0;
    while (firstLand + 1 < half && !(land.At(band[firstLand]) & kCellLand)) ++firstLand;
    size_t lastLand = band.size() - 1;
    while (lastLand > half && !(land.At(band[lastLand]) & kCellLand)) --lastLand;
    size_t from = firstLand > 0 ? firstLand - 1 : 0;
    size_t to = lastLand + 1 < band.size() ? lastLand + 1 : lastLand;
    Ring ring;
    Vec p1{std::round(band[from].x), std::round(band[from].y)};
    Vec pn1{std::round(band[to].x), std::round(band[to].y)};
    ring.push_back({p1.x - 300.0, p1.y});  // same easting as the first shore point
    for (size_t i = from; i <= to; ++i) ring.push_back(band[i]);
    ring.push_back({p1.x - 300.0, pn1.y});  // same northing as the cut's first corner
    ring[1] = p1;
    ring[ring.size() - 2] = pn1;
    return {4912, ring};
}

}  // namespace

LandMask::LandMask()
    : rows_(static_cast<int>(kPlanXMax / kCell)),
      cols_(static_cast<int>(kPlanYMax / kCell)),
      flags_(static_cast<size_t>(rows_) * cols_, 0),
      waterDistance_(static_cast<size_t>(rows_) * cols_, 0) {}

void LandMask::FillRing(const Ring& ring, uint8_t flag, bool set) {
    if (ring.size() < 3) return;
    std::vector<std::vector<double>> crossings(rows_);
    size_t n = ring.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        Vec a = ring[j];
        Vec b = ring[i];
        if (a.x == b.x) continue;
        double lo = std::min(a.x, b.x);
        double hi = std::max(a.x, b.x);
        int r0 = std::max(0, static_cast<int>(std::ceil(lo / kCell - 0.5)));
        int r1 = std::min(rows_ - 1, static_cast<int>(std::floor(hi / kCell - 0.5)));
        for (int r = r0; r <= r1; ++r) {
            double xc = (r + 0.5) * kCell;
            if (xc < lo || xc >= hi) continue;
            crossings[r].push_back(a.y + (xc - a.x) * (b.y - a.y) / (b.x - a.x));
        }
    }
    for (int r = 0; r < rows_; ++r) {
        std::vector<double>& c = crossings[r];
        std::sort(c.begin(), c.end());
        for (size_t k = 0; k + 1 < c.size(); k += 2) {
            int c0 = std::max(0, static_cast<int>(std::ceil(c[k] / kCell - 0.5)));
            int c1 = std::min(cols_ - 1, static_cast<int>(std::floor(c[k + 1] / kCell - 0.5)));
            uint8_t* row = &flags_[static_cast<size_t>(r) * cols_];
            for (int col = c0; col <= c1; ++col) row[col] = set ? (row[col] | flag) : (row[col] & ~flag);
        }
    }
}

void LandMask::MarkOutline(const Ring& ring) {
    size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        Vec a = ring[i];
        Vec b = ring[(i + 1) % n];
        int steps = std::max(1, static_cast<int>(std::ceil(Dist(a, b) / (0.25 * kCell))));
        for (int k = 0; k <= steps; ++k) {
            Vec p = Lerp(a, b, static_cast<double>(k) / steps);
            int r = static_cast<int>(std::floor(p.x / kCell));
            int c = static_cast<int>(std::floor(p.y / kCell));
            // A point on a cell border belongs to both cells.
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc) {
                    int rr = r + dr, cc = c + dc;
                    if (rr < 0 || rr >= rows_ || cc < 0 || cc >= cols_) continue;
                    double x0 = rr * kCell, y0 = cc * kCell;
                    if (p.x < x0 || p.x > x0 + kCell || p.y < y0 || p.y > y0 + kCell) continue;
                    flags_[static_cast<size_t>(rr) * cols_ + cc] |= kCellShore;
                }
        }
    }
}

void LandMask::ComputeWaterDistance() {
    const uint16_t kFar = 60000;
    for (size_t i = 0; i < flags_.size(); ++i)
        waterDistance_[i] = (flags_[i] & (kCellLand | kCellWater | kCellShore)) == kCellLand ? kFar : 0;
    auto relax = [&](int r, int c, int dr, int dc, uint16_t step) {
        int rr = r + dr;
        int cc = c + dc;
        if (rr < 0 || rr >= rows_ || cc < 0 || cc >= cols_) return;
        uint16_t& here = waterDistance_[static_cast<size_t>(r) * cols_ + c];
        uint16_t there = waterDistance_[static_cast<size_t>(rr) * cols_ + cc];
        if (there + step < here) here = static_cast<uint16_t>(there + step);
    };
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols_; ++c) {
            relax(r, c, -1, 0, 10);
            relax(r, c, 0, -1, 10);
            relax(r, c, -1, -1, 14);
            relax(r, c, -1, 1, 14);
        }
    for (int r = rows_ - 1; r >= 0; --r)
        for (int c = cols_ - 1; c >= 0; --c) {
            relax(r, c, 1, 0, 10);
            relax(r, c, 0, 1, 10);
            relax(r, c, 1, 1, 14);
            relax(r, c, 1, -1, 14);
        }
}

uint8_t LandMask::At(Vec p) const {
    int r = static_cast<int>(std::floor(p.x / kCell));
    int c = static_cast<int>(std::floor(p.y / kCell));
    if (r < 0 || r >= rows_ || c < 0 || c >= cols_) return 0;
    return flags_[static_cast<size_t>(r) * cols_ + c];
}

double LandMask::WaterDistance(Vec p) const {
    int r = static_cast<int>(std::floor(p.x / kCell));
    int c = static_cast<int>(std::floor(p.y / kCell));
    if (r < 0 || r >= rows_ || c < 0 || c >= cols_) return 0.0;
    return waterDistance_[static_cast<size_t>(r) * cols_ + c];
}

Coast BuildCoast(uint64_t seed) {
    Rng rng(seed, 101);
    Coast coast;
    Ring rough{{kControl[0].x, kControl[0].y}};
    for (int i = 0; i < kControlCount; ++i) {
        const ControlPoint& a = kControl[i];
        const ControlPoint& b = kControl[(i + 1) % kControlCount];
        Roughen({a.x, a.y}, {b.x, b.y}, a.rough, rng, rough);
    }
    coast.land = RoundRing(rough);
    coast.bridge = {{kBridgeNorthX, kBridgeY}, {kBridgeSouthX, kBridgeY}};

    // Coarse outlines for the overview: the mainland and peninsula, and the two islands.
    coast.controlParts.resize(3);
    for (const ControlPoint& c : kControl) {
        Ring& ring = coast.controlParts[c.part];
        if (ring.empty() || ring.back().x != c.x || ring.back().y != c.y) ring.push_back({c.x, c.y});
    }
    for (Ring& ring : coast.controlParts)
        if (ring.size() > 1 && ring.back().x == ring.front().x && ring.back().y == ring.front().y) ring.pop_back();

    LandMask plain;
    plain.FillRing(coast.land, kCellLand);
    coast.water.push_back(MakeHarbour(rng, plain));

    // Two rivers: one into the head of Kelmarsky bay, one into Tervelsky bay.
    Polyline kedr = Densify(Wiggle({{28000, 15300}, {27500, 14200}, {27000, 13100}, {26600, 12300}, {26150, 11650}, {25850, 11450}}, 0.08, rng), 30.0);
    Polyline sosn = Densify(Wiggle({{17200, 14300}, {15600, 15900}, {14100, 17300}, {12800, 18600}, {11500, 19300}, {11100, 19600}}, 0.08, rng), 30.0);
    coast.rivers = {kedr, sosn};
    coast.water.push_back({4925, BandAround(kedr, 22.0, 70.0)});
    coast.water.push_back({4925, BandAround(sosn, 18.0, 60.0)});
    return coast;
}

void PaintCoast(const Coast& coast, LandMask& mask) {
    mask.FillRing(coast.land, kCellLand);
    mask.MarkOutline(coast.land);
    for (const WaterBody& w : coast.water) {
        mask.FillRing(w.ring, kCellWater);
        mask.MarkOutline(w.ring);
    }
    mask.ComputeWaterDistance();
}

}  // namespace citygen
