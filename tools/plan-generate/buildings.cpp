#include "buildings.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

#include "kerbs.h"
#include "layout.h"
#include "names.h"

namespace citygen {

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Quad {
    Vec p[4];
};

// Which 4-metre cells of the plan are taken by streets, railways and buildings.
class Occupancy {
public:
    static constexpr double kCell = 4.0;
    Occupancy()
        : rows_(static_cast<int>(kPlanXMax / kCell)), cols_(static_cast<int>(kPlanYMax / kCell)),
          bits_((static_cast<size_t>(rows_) * cols_ + 63) / 64, 0) {}

    // Every cell whose centre lies within `pad` metres of the quad.
    template <typename F>
    bool ForCells(const Quad& q, double pad, F f) const {
        double x0 = 1e30, x1 = -1e30, y0 = 1e30, y1 = -1e30;
        for (const Vec& p : q.p) x0 = std::min(x0, p.x), x1 = std::max(x1, p.x), y0 = std::min(y0, p.y), y1 = std::max(y1, p.y);
        int r0 = std::max(0, static_cast<int>(std::floor((x0 - pad) / kCell)));
        int r1 = std::min(rows_ - 1, static_cast<int>(std::floor((x1 + pad) / kCell)));
        int c0 = std::max(0, static_cast<int>(std::floor((y0 - pad) / kCell)));
        int c1 = std::min(cols_ - 1, static_cast<int>(std::floor((y1 + pad) / kCell)));
        double orientation = Cross(q.p[1] - q.p[0], q.p[2] - q.p[1]) >= 0.0 ? 1.0 : -1.0;
        for (int r = r0; r <= r1; ++r)
            for (int c = c0; c <= c1; ++c) {
                Vec centre{(r + 0.5) * kCell, (c + 0.5) * kCell};
                bool inside = true;
                for (int e = 0; e < 4 && inside; ++e) {
                    Vec a = q.p[e], b = q.p[(e + 1) % 4];
                    double len = Dist(a, b);
                    if (len <= 0.0) continue;
                    inside = Cross(b - a, centre - a) * orientation / len >= -pad;
                }
                if (inside && !f(static_cast<size_t>(r) * cols_ + c)) return false;
            }
        return true;
    }
    bool Free(const Quad& q, double pad) const {
        return ForCells(q, pad, [&](size_t i) { return !((bits_[i >> 6] >> (i & 63)) & 1); });
    }
    void Take(const Quad& q, double pad) {
        ForCells(q, pad, [&](size_t i) {
            bits_[i >> 6] |= uint64_t{1} << (i & 63);
            return true;
        });
    }
    void TakeSegment(Vec a, Vec b, double halfWidth) {
        Vec d = Normalized(b - a);
        Vec n = Perp(d) * halfWidth;
        Vec e = d * halfWidth * 0.5;
        Quad q{{a - e + n, b + e + n, b + e - n, a - e - n}};
        Take(q, 0.0);
    }

private:
    int rows_;
    int cols_;
    std::vector<uint64_t> bits_;
};

// The exact test behind the raster: an outline keeps its distance from the street lines, the
// circular places, the water, the parks and woods and the outlines already placed, measured on
// the polygons themselves rather than on cells, so that nothing overlaps by a sliver.
class Guard {
public:
    static constexpr double kCell = 50.0;

    void AddSegment(Vec a, Vec b, double clearance) {
        segments_.push_back({a, b, clearance});
        Enter(BoxOf({a, b}), clearance, static_cast<int>(segments_.size() - 1), kSegment);
    }
    // Its edges as segments; the ring itself only for the test whether one lies in the other.
    void AddRing(const Ring& ring, double clearance) {
        if (ring.size() < 3) return;
        for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) AddSegment(ring[j], ring[i], clearance);
        rings_.push_back({ring, clearance});
        Enter(BoxOf(ring), 0.0, static_cast<int>(rings_.size() - 1), kRing);
    }
    void AddOutline(const Ring& outline) {
        outlines_.push_back(outline);
        Enter(BoxOf(outline), 0.0, static_cast<int>(outlines_.size() - 1), kOutline);
    }

    // Whether the outline keeps clear of everything entered, and `gap` from other outlines.
    bool Clear(const Ring& outline, double gap) {
        ++stamp_;
        Bounds b = BoxOf(outline);
        for (int cx = Cell(b.x0 - gap); cx <= Cell(b.x1 + gap); ++cx)
            for (int cy = Cell(b.y0 - gap); cy <= Cell(b.y1 + gap); ++cy) {
                auto it = cells_.find(Key(cx, cy));
                if (it == cells_.end()) continue;
                for (const Entry& e : it->second) {
                    uint32_t& seen = seen_[e.kind][e.index];
                    if (seen == stamp_) continue;
                    seen = stamp_;
                    switch (e.kind) {
                        case kSegment: {
                            const Segment& s = segments_[e.index];
                            if (PointInRing(outline, s.a) || RingToSegment(outline, s.a, s.b) < s.clearance) return false;
                            break;
                        }
                        case kRing:
                            if (PointInRing(rings_[e.index].ring, outline[0]) || PointInRing(outline, rings_[e.index].ring[0]))
                                return false;
                            break;
                        default:
                            if (RingsNear(outline, outlines_[e.index], gap)) return false;
                            break;
                    }
                }
            }
        return true;
    }

private:
    enum Kind { kSegment, kRing, kOutline };
    struct Segment {
        Vec a, b;
        double clearance;
    };
    struct Area {
        Ring ring;
        double clearance;
    };
    struct Entry {
        int index;
        Kind kind;
    };
    struct Bounds {
        double x0, y0, x1, y1;
    };
    static Bounds BoxOf(const Ring& ring) {
        Bounds b{1e30, 1e30, -1e30, -1e30};
        for (const Vec& p : ring) b.x0 = std::min(b.x0, p.x), b.y0 = std::min(b.y0, p.y), b.x1 = std::max(b.x1, p.x), b.y1 = std::max(b.y1, p.y);
        return b;
    }
    static int Cell(double v) { return static_cast<int>(std::floor(v / kCell)); }
    static int64_t Key(int x, int y) { return (static_cast<int64_t>(x) << 32) ^ static_cast<uint32_t>(y); }
    void Enter(const Bounds& b, double pad, int index, Kind kind) {
        for (int cx = Cell(b.x0 - pad); cx <= Cell(b.x1 + pad); ++cx)
            for (int cy = Cell(b.y0 - pad); cy <= Cell(b.y1 + pad); ++cy) cells_[Key(cx, cy)].push_back({index, kind});
        seen_[kind].push_back(0);
    }
    static double SegmentToSegment(Vec a, Vec b, Vec c, Vec d) {
        double d1 = Cross(b - a, c - a), d2 = Cross(b - a, d - a), d3 = Cross(d - c, a - c), d4 = Cross(d - c, b - c);
        if (((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0))) return 0.0;
        return std::min(std::min(SegmentDistance(a, c, d), SegmentDistance(b, c, d)),
                        std::min(SegmentDistance(c, a, b), SegmentDistance(d, a, b)));
    }
    static double RingToSegment(const Ring& ring, Vec a, Vec b) {
        double best = 1e30;
        for (size_t i = 0, j = ring.size() - 1; i < ring.size(); j = i++) best = std::min(best, SegmentToSegment(ring[j], ring[i], a, b));
        return best;
    }
    // Closer than `gap` anywhere, or one inside the other.
    static bool RingsNear(const Ring& a, const Ring& b, double gap) {
        if (PointInRing(b, a[0]) || PointInRing(a, b[0])) return true;
        for (size_t i = 0, j = a.size() - 1; i < a.size(); j = i++)
            if (RingToSegment(b, a[j], a[i]) < gap) return true;
        return false;
    }

    std::vector<Segment> segments_;
    std::vector<Area> rings_;
    std::vector<Ring> outlines_;
    std::unordered_map<int64_t, std::vector<Entry>> cells_;
    std::vector<uint32_t> seen_[3];
    uint32_t stamp_ = 0;
};

// A lot's own axes: a along the street, b away from it.
struct Frame {
    Vec o;
    Vec u;
    Vec n;
    Vec At(double a, double b) const { return o + u * a + n * b; }
    Quad Box(double a0, double b0, double a1, double b1) const { return {{At(a0, b0), At(a1, b0), At(a1, b1), At(a0, b1)}}; }
};

struct Shape {
    Ring outline;
    std::vector<Quad> parts;
    Vec ref;
};

Shape RectShape(const Frame& f, double w, double d, double b0) {
    Shape s;
    Quad q = f.Box(0, b0, w, b0 + d);
    s.outline.assign(q.p, q.p + 4);
    s.parts = {q};
    s.ref = f.At(w * 0.5, b0 + d * 0.5);
    return s;
}

// Main wing along the street and a wing going back from one end.
Shape LShape(const Frame& f, double w, double d, double wingW, double wingL, double b0, bool left) {
    Shape s;
    double a0 = left ? 0.0 : w - wingW;
    double a1 = a0 + wingW;
    if (left) s.outline = {f.At(0, b0), f.At(w, b0), f.At(w, b0 + d), f.At(a1, b0 + d), f.At(a1, b0 + d + wingL), f.At(0, b0 + d + wingL)};
    else s.outline = {f.At(0, b0), f.At(w, b0), f.At(w, b0 + d + wingL), f.At(a0, b0 + d + wingL), f.At(a0, b0 + d), f.At(0, b0 + d)};
    s.parts = {f.Box(0, b0, w, b0 + d), f.Box(a0, b0 + d, a1, b0 + d + wingL)};
    s.ref = f.At(w * 0.5, b0 + d * 0.5);
    return s;
}

Shape UShape(const Frame& f, double w, double d, double wingW, double wingL, double b0) {
    Shape s;
    double b1 = b0 + d;
    double b2 = b1 + wingL;
    s.outline = {f.At(0, b0), f.At(w, b0), f.At(w, b2), f.At(w - wingW, b2), f.At(w - wingW, b1), f.At(wingW, b1), f.At(wingW, b2), f.At(0, b2)};
    s.parts = {f.Box(0, b0, w, b1), f.Box(0, b1, wingW, b2), f.Box(w - wingW, b1, w, b2)};
    s.ref = f.At(w * 0.5, b0 + d * 0.5);
    return s;
}

// A closed block round a courtyard: the outer ring, then the courtyard the other way round,
// joined by a seam that an even-odd fill cancels.
Shape Courtyard(const Frame& f, double w, double d, double t, double b0) {
    Shape s;
    double b1 = b0 + d;
    s.outline = {f.At(0, b0), f.At(w, b0), f.At(w, b1), f.At(0, b1), f.At(0, b0),
                 f.At(t, b0 + t), f.At(t, b1 - t), f.At(w - t, b1 - t), f.At(w - t, b0 + t), f.At(t, b0 + t)};
    s.parts = {f.Box(0, b0, w, b0 + t), f.Box(0, b1 - t, w, b1), f.Box(0, b0, t, b1), f.Box(w - t, b0, w, b1)};
    s.ref = f.At(w * 0.5, b0 + t * 0.5);
    return s;
}

Shape RoundTower(const Frame& f, double r, double b0, int points) {
    Shape s;
    Vec c = f.At(r, b0 + r);
    for (int i = 0; i < points; ++i) {
        double a = 2.0 * kPi * i / points;
        s.outline.push_back(c + f.u * (std::cos(a) * r) + f.n * (std::sin(a) * r));
    }
    s.parts = {f.Box(0, b0, 2 * r, b0 + 2 * r)};
    s.ref = c;
    return s;
}

Shape CrossTower(const Frame& f, double size, double b0) {
    Shape s;
    double k = size / 3.0;
    const double xs[12][2] = {{k, 0}, {2 * k, 0}, {2 * k, k}, {3 * k, k}, {3 * k, 2 * k}, {2 * k, 2 * k},
                              {2 * k, 3 * k}, {k, 3 * k}, {k, 2 * k}, {0, 2 * k}, {0, k}, {k, k}};
    for (const auto& p : xs) s.outline.push_back(f.At(p[0], b0 + p[1]));
    s.parts = {f.Box(0, b0, size, b0 + size)};
    s.ref = f.At(1.5 * k, b0 + 1.5 * k);
    return s;
}

// A long slab bent in a gentle arc, up to 40 points.
Shape ArcSlab(const Frame& f, double w, double d, double b0, double bow, int steps) {
    Shape s;
    Ring inner;
    for (int i = 0; i <= steps; ++i) {
        double t = static_cast<double>(i) / steps;
        double lift = bow * 4.0 * t * (1.0 - t);
        s.outline.push_back(f.At(w * t, b0 + lift));
        inner.push_back(f.At(w * t, b0 + d + lift));
    }
    for (int i = steps; i >= 0; --i) s.outline.push_back(inner[i]);
    for (int i = 0; i < steps; ++i) {
        Quad q{{s.outline[i], s.outline[i + 1], inner[i + 1], inner[i]}};
        s.parts.push_back(q);
    }
    s.ref = f.At(w * 0.5, b0 + bow + d * 0.5);
    return s;
}

const Patch* PatchAt(const std::vector<Patch>& patches, Vec p) {
    const Patch* best = nullptr;
    double bestD = 1e30;
    for (const Patch& q : patches) {
        double d = Dist(q.seed, p);
        if (d < bestD) bestD = d, best = &q;
    }
    return best;
}

int Pick(Rng& rng, std::initializer_list<std::pair<int, double>> table) {
    double total = 0.0;
    for (const auto& e : table) total += e.second;
    double r = rng.Range(0.0, total);
    for (const auto& e : table) {
        if (r < e.second) return e.first;
        r -= e.second;
    }
    return table.begin()->first;
}

double HalfWidth(int rank) {
    switch (rank) {
        case 0: return 14.0;
        case 1: return 12.0;
        case 2: return 8.0;
        case 3: return 6.0;
        default: return 4.0;
    }
}

struct Candidate {
    Building b;
    double priority = 0.0;
};

class Builder {
public:
    Builder(uint64_t seed, const Network& net, City& city, const LandMask& mask)
        : seed_(seed), rng_(seed, 909), net_(net), city_(city), mask_(mask) {}

    void MarkCorridors() {
        for (const Street& s : city_.streets)
            for (const Polyline& p : s.pieces)
                for (size_t i = 1; i < p.size(); ++i) {
                    occupied_.TakeSegment(p[i - 1], p[i], HalfWidth(s.rank));
                    guard_.AddSegment(p[i - 1], p[i], KerbHalfWidth(s.rank) + 2.0);
                }
        for (const Polyline& r : city_.roads)
            for (size_t i = 1; i < r.size(); ++i) {
                occupied_.TakeSegment(r[i - 1], r[i], HalfWidth(4));
                guard_.AddSegment(r[i - 1], r[i], KerbHalfWidth(4) + 2.0);
            }
        for (const TopoLine& l : city_.lines)
            for (size_t i = 1; i < l.pts.size(); ++i) {
                occupied_.TakeSegment(l.pts[i - 1], l.pts[i], 9.0);
                guard_.AddSegment(l.pts[i - 1], l.pts[i], 6.0);
            }
        // The ring the viewer draws round each circular place, 40 m out.
        for (const Vec& c : kCircularPlaces) {
            Ring disc;
            for (int k = 0; k < 16; ++k) disc.push_back(c + Dir(k * kPi / 8.0) * 44.0);
            guard_.AddRing(disc, 6.0);
        }
        for (const TopoLine& w : city_.water) guard_.AddRing(w.pts, 8.0);
        for (const TopoLine& a : city_.areas)
            if (a.code == 718 || a.code == 750 || a.code == 6614) guard_.AddRing(a.pts, 2.0);
    }

    // Lots along both sides of every named street.
    void AlongStreets() {
        for (size_t si = 0; si < city_.streets.size(); ++si) {
            const Street& s = city_.streets[si];
            if (s.bridge || (s.rank == 0 && rng_.Chance(0.6))) continue;
            double offset = 0.0;
            for (const Polyline& piece : s.pieces) {
                double len = PolylineLength(piece);
                for (int side : {1, -1}) Walk(piece, len, side, HalfWidth(s.rank), s.id, offset, true);
                offset += len;
            }
        }
    }

    // The estates' yards: behind the slabs along the street a row of slabs at right angles to
    // it, then one more row along it, round wide yards; kindergartens and schools stand in some.
    void EstateYards() {
        for (int row : {1, 2}) {
            yardRow_ = row;
            for (const Street& s : city_.streets) {
                if (s.bridge || s.rank == 0) continue;
                double offset = 0.0;
                for (const Polyline& piece : s.pieces) {
                    double len = PolylineLength(piece);
                    for (int side : {1, -1}) Walk(piece, len, side, HalfWidth(s.rank), s.id, offset, false);
                    offset += len;
                }
            }
        }
        yardRow_ = 0;
    }

    // Towers, schools and garages inside large blocks, along the driveways.
    void AlongDriveways() {
        for (const Polyline& r : city_.roads) {
            double len = PolylineLength(r);
            for (int side : {1, -1}) Walk(r, len, side, HalfWidth(4), 0, 0.0, false);
        }
    }

    std::vector<Candidate>& candidates() { return candidates_; }

private:
    void Walk(const Polyline& line, double len, int side, double halfWidth, int streetId, double offset, bool front) {
        double t = rng_.Range(2.0, 10.0);
        while (t < len - 8.0) {
            Vec mid = PointAt(line, std::min(len, t + 10.0));
            const Patch* patch = PatchAt(net_.patches, mid);
            uint8_t cell = mask_.At(mid);
            Zone zone = patch ? patch->zone : Zone::Houses;
            if (cell & kCellIndustry) zone = Zone::Industry;
            if (yardRow_ != 0 && zone != Zone::Blocks) {
                t += 25.0;
                continue;
            }
            double used = TryLot(line, len, t, side, halfWidth, streetId, offset, front, zone, patch);
            t += used > 0.0 ? used : 7.0;
        }
    }

    // Tries one building at arc length t; returns the frontage used, or 0.
    double TryLot(const Polyline& line, double len, double t, int side, double halfWidth, int streetId, double offset,
                  bool front, Zone zone, const Patch* patch) {
        Building b;
        b.zone = zone;
        Shape shape;
        double w = 0.0;
        double gap = 0.0;
        double pad = 2.5;
        int district = 0;
        auto frameAt = [&](double width, Frame& f) {
            if (t + width > len) return false;
            Vec dir;
            Vec o = PointAt(line, t + 0.5 * width, &dir);
            f.u = dir;
            f.n = Perp(dir) * static_cast<double>(side);
            f.o = o - dir * (0.5 * width);
            return true;
        };
        Frame f;
        Rng& r = rng_;
        switch (zone) {
            case Zone::Centre: {
                double setback = halfWidth + r.Range(2.0, 5.0);
                double pick = r.Uniform();
                pad = 1.5;
                if (front && pick < 0.10) {
                    w = r.Range(48, 70);
                    if (!frameAt(w, f)) return 0.0;
                    shape = Courtyard(f, w, r.Range(45, 60), r.Range(12, 15), setback);
                } else if (front && pick < 0.3) {
                    w = r.Range(30, 48);
                    if (!frameAt(w, f)) return 0.0;
                    shape = LShape(f, w, r.Range(12, 15), r.Range(12, 15), r.Range(12, 28), setback, r.Chance(0.5));
                } else if (pick < 0.36) {
                    w = r.Range(21, 27);
                    if (!frameAt(w, f)) return 0.0;
                    shape = CrossTower(f, w, setback + (front ? 0.0 : 4.0));
                    b.floors = r.Between(7, 9);
                } else {
                    w = r.Range(18, 46);
                    if (!frameAt(w, f)) return 0.0;
                    shape = RectShape(f, w, r.Range(12, 16), setback);
                }
                gap = r.Range(0.0, 6.0);
                break;
            }
            case Zone::Blocks: {
                double setback = halfWidth + r.Range(8.0, 18.0);
                pad = 4.0;
                double pick = r.Uniform();
                if (yardRow_ == 1) {
                    // Slabs end-on to the street, a yard's width apart, behind the front row.
                    w = r.Range(12.0, 15.0);
                    if (!frameAt(w, f)) return 0.0;
                    shape = RectShape(f, w, r.Range(45.0, 65.0), halfWidth + r.Range(40.0, 46.0));
                    b.floors = r.Between(9, 16);
                    gap = r.Range(25.0, 45.0);
                    break;
                }
                if (yardRow_ == 2) {
                    double deep = halfWidth + r.Range(95.0, 110.0);
                    if (pick < 0.22) {
                        w = r.Range(40, 60);
                        if (!frameAt(w, f)) return 0.0;
                        shape = UShape(f, w, r.Range(12, 14), r.Range(12, 14), r.Range(16, 24), deep);
                        b.purpose = 444;
                        b.floors = 2;
                    } else if (pick < 0.4) {
                        w = r.Range(18, 24);
                        if (!frameAt(w, f)) return 0.0;
                        shape = CrossTower(f, w, deep);
                        b.floors = r.Between(12, 16);
                    } else {
                        w = r.Range(70, 120);
                        if (!frameAt(w, f)) return 0.0;
                        shape = RectShape(f, w, r.Range(12, 14), deep);
                        b.floors = r.Between(9, 12);
                    }
                    gap = r.Range(25.0, 45.0);
                    break;
                }
                if (!front && pick < 0.12) {
                    w = r.Range(55, 70);
                    if (!frameAt(w, f)) return 0.0;
                    shape = UShape(f, w, r.Range(14, 16), r.Range(14, 16), r.Range(20, 30), setback);
                    b.purpose = 444;
                    b.floors = r.Between(2, 3);
                } else if (!front && pick < 0.22) {
                    w = r.Range(40, 75);
                    if (!frameAt(w, f)) return 0.0;
                    shape = RectShape(f, w, r.Range(6.5, 8.0), setback - 4.0);
                    b.purpose = 413;
                    b.floors = 1;
                } else if (pick < 0.42) {
                    w = r.Range(18, 26);
                    if (!frameAt(w, f)) return 0.0;
                    shape = r.Chance(0.5) ? RoundTower(f, 0.5 * w, setback, 16 + 4 * r.Below(3)) : CrossTower(f, w, setback);
                    b.floors = r.Between(12, 17);
                } else if (pick < 0.47) {
                    w = r.Range(90, 140);
                    if (!frameAt(w, f)) return 0.0;
                    shape = ArcSlab(f, w, r.Range(12, 14), setback, r.Range(6, 14), 12 + r.Below(8));
                } else {
                    // The long panel slabs of the estates, with wide yards between them.
                    w = r.Range(80, 150);
                    if (!frameAt(w, f)) return 0.0;
                    shape = RectShape(f, w, r.Range(12, 16), setback);
                }
                gap = r.Range(25.0, 45.0);
                break;
            }
            case Zone::Houses: {
                double setback = halfWidth + r.Range(5.0, 10.0);
                pad = 2.0;
                // Small plots close together along the lanes.
                w = r.Range(8, 12);
                if (!frameAt(w + 8.0, f)) return 0.0;
                if (r.Chance(0.15)) return w + r.Range(8.0, 14.0);  // a garden plot
                shape = r.Chance(0.2) ? LShape(f, w, r.Range(7, 10), r.Range(4.5, 6), r.Range(4, 7), setback, r.Chance(0.5))
                                      : RectShape(f, w, r.Range(7, 11), setback);
                gap = r.Range(6.0, 12.0);
                break;
            }
            case Zone::Industry: {
                if (patch != nullptr && patch->port) {
                    // Warehouses of the docks: long, deep and low, close to the street for the lorries.
                    double setback = halfWidth + r.Range(6.0, 12.0);
                    pad = 5.0;
                    w = r.Range(50, 110);
                    if (!frameAt(w, f)) return 0.0;
                    shape = RectShape(f, w, r.Range(24, 40), setback);
                    b.purpose = 777;
                    b.floors = r.Chance(0.8) ? 1 : 2;
                    gap = r.Range(10.0, 20.0);
                    break;
                }
                double setback = halfWidth + r.Range(8.0, 20.0);
                pad = 5.0;
                w = r.Range(30, 80);
                if (!frameAt(w, f)) return 0.0;
                shape = r.Chance(0.2) ? LShape(f, w, r.Range(18, 30), r.Range(12, 18), r.Range(15, 30), setback, r.Chance(0.5))
                                      : RectShape(f, w, r.Range(18, 45), setback);
                gap = r.Range(15.0, 35.0);
                break;
            }
            case Zone::Campus: {
                double setback = halfWidth + r.Range(10.0, 20.0);
                pad = 5.0;
                w = r.Range(50, 95);
                if (!frameAt(w, f)) return 0.0;
                shape = r.Chance(0.3) ? UShape(f, w, r.Range(14, 18), r.Range(14, 16), r.Range(18, 30), setback)
                                      : RectShape(f, w, r.Range(14, 18), setback);
                gap = r.Range(20.0, 40.0);
                break;
            }
        }
        // On dry land, out of parks and forests, and clear of everything else.
        for (const Vec& p : shape.outline) {
            if (!mask_.IsDry(p) || mask_.WaterDistance(p) < 8.0 || (mask_.At(p) & (kCellForest | kCellPark))) return 0.0;
            if (p.x < 1.0 || p.y < 1.0 || p.x > kPlanXMax - 1.0 || p.y > kPlanYMax - 1.0) return 0.0;
        }
        for (const Quad& q : shape.parts)
            if (!occupied_.Free(q, pad)) return 0.0;
        if (!guard_.Clear(shape.outline, std::min(pad, 1.5))) return 0.0;
        // Near the shore the land outline as written, coarser than the raster, has the last word.
        if (mask_.WaterDistance(shape.ref) < 100.0) {
            if (!PointInRing(city_.land, shape.ref)) return 0.0;
            for (const Vec& p : shape.outline)
                if (!PointInRing(city_.land, p)) return 0.0;
        }
        // A house on a district border must still belong to exactly one district.
        Vec refPoint{std::round(shape.ref.x), std::round(shape.ref.y)};
        if (NearDistrictBorder(city_.districts, refPoint, 20.0) && OutlinesContaining(city_.districts, refPoint) != 1)
            return 0.0;
        // ... and stand wholly in it, a few metres clear of the border.
        if (NearDistrictBorder(city_.districts, refPoint, 200.0)) {
            int home = DistrictAt(city_.districts, shape.ref);
            for (const Vec& p : shape.outline)
                if (DistrictAt(city_.districts, p) != home || NearDistrictBorder(city_.districts, p, 2.0)) return 0.0;
        }
        for (const Quad& q : shape.parts) occupied_.Take(q, 0.0);
        guard_.AddOutline(shape.outline);

        district = DistrictAt(city_.districts, shape.ref);
        b.outline = shape.outline;
        b.refX = static_cast<int>(std::lround(shape.ref.x));
        b.refY = static_cast<int>(std::lround(shape.ref.y));
        b.streetId = streetId;
        b.front = front;
        b.side = side;
        b.along = offset + t + 0.5 * w;
        Settle(b, district, patch);
        Candidate c;
        c.b = b;
        double wobble = 1.0 + 0.3 * Noise(seed_ + 3, shape.ref.x, shape.ref.y, 900.0);
        c.priority = Dist(shape.ref, kCityCentre) * wobble;
        candidates_.push_back(c);
        return w + gap;
    }

    // Purpose and floors by neighbourhood and district, unless the shape decided them.
    void Settle(Building& b, int district, const Patch* patch) {
        Rng& r = rng_;
        (void)patch;
        if (b.purpose != 411) return;  // the shape already made it a school or garages
        switch (b.zone) {
            case Zone::Centre:
                b.purpose = Pick(r, {{411, 58}, {461, 18}, {888, 5}, {555, 3}, {444, 3}, {659, 2}, {658, 5}, {413, 3}, {777, 1}, {661, 1}, {660, 1}});
                if (b.floors == 1) b.floors = Pick(r, {{3, 14}, {4, 20}, {5, 24}, {6, 14}, {7, 10}, {8, 6}, {9, 12}});
                break;
            case Zone::Blocks:
                if (b.floors == 1) {
                    b.floors = district == 2 ? Pick(r, {{9, 30}, {10, 14}, {12, 16}, {14, 14}, {16, 26}})
                                             : Pick(r, {{9, 40}, {10, 10}, {12, 18}, {14, 14}, {16, 18}});
                }
                b.purpose = Pick(r, {{411, 84}, {658, 7}, {461, 4}, {888, 2}, {555, 2}, {661, 1}});
                break;
            case Zone::Houses:
                b.purpose = Pick(r, {{411, 88}, {413, 9}, {461, 2}, {777, 1}});
                b.floors = b.purpose == 411 ? Pick(r, {{1, 70}, {2, 30}}) : 1;
                break;
            case Zone::Industry:
                b.purpose = Pick(r, {{413, 50}, {777, 25}, {657, 10}, {461, 10}, {888, 5}});
                b.floors = b.purpose == 461 ? r.Between(3, 6) : r.Between(1, 3);
                break;
            case Zone::Campus:
                b.purpose = Pick(r, {{444, 45}, {660, 10}, {411, 25}, {555, 5}, {661, 5}, {461, 10}});
                b.floors = b.purpose == 411 ? r.Between(9, 12) : r.Between(3, 6);
                break;
        }
    }

    uint64_t seed_;
    Rng rng_;
    const Network& net_;
    City& city_;
    const LandMask& mask_;
    Occupancy occupied_;
    Guard guard_;
    std::vector<Candidate> candidates_;
    int yardRow_ = 0;  // 0 the street fronts; 1 and 2 the rows behind them in the estates
};

// Nearest named street of a point, with its arc position and side.
class StreetFinder {
public:
    explicit StreetFinder(const City& city) {
        for (size_t s = 0; s < city.streets.size(); ++s) {
            const Street& st = city.streets[s];
            if (st.bridge) continue;
            double offset = 0.0;
            for (const Polyline& p : st.pieces) {
                for (size_t i = 1; i < p.size(); ++i) {
                    Seg seg{static_cast<int>(s), p[i - 1], p[i], offset};
                    Vec m = Lerp(p[i - 1], p[i], 0.5);
                    cells_[Key(Cell(m.x), Cell(m.y))].push_back(seg);
                    offset += Dist(p[i - 1], p[i]);
                }
            }
        }
    }
    bool Find(Vec p, int& street, double& along, int& side) const {
        double best = 1e30;
        for (int ring = 0; ring <= 4 && best > ring * kCell; ++ring) {
            int cx = Cell(p.x), cy = Cell(p.y);
            for (int x = cx - ring; x <= cx + ring; ++x)
                for (int y = cy - ring; y <= cy + ring; ++y) {
                    if (std::max(std::abs(x - cx), std::abs(y - cy)) != ring) continue;
                    auto it = cells_.find(Key(x, y));
                    if (it == cells_.end()) continue;
                    for (const Seg& s : it->second) {
                        Vec ab = s.b - s.a;
                        double len2 = Dot(ab, ab);
                        double t = len2 > 0.0 ? std::clamp(Dot(p - s.a, ab) / len2, 0.0, 1.0) : 0.0;
                        double d = Dist(p, s.a + ab * t);
                        if (d < best) {
                            best = d;
                            street = s.street;
                            along = s.offset + t * std::sqrt(len2);
                            side = Cross(ab, p - s.a) < 0.0 ? 1 : -1;
                        }
                    }
                }
        }
        return best < 1e29;
    }

private:
    struct Seg {
        int street;
        Vec a, b;
        double offset;
    };
    static constexpr double kCell = 100.0;
    static int Cell(double v) { return static_cast<int>(std::floor(v / kCell)); }
    static int64_t Key(int x, int y) { return (static_cast<int64_t>(x) << 32) ^ static_cast<uint32_t>(y); }
    std::unordered_map<int64_t, std::vector<Seg>> cells_;
};

const char* const kLetters[] = {"а", "б", "в", "г", "д", "е", "ж", "и", "к"};

// Numbers along each street: odd on the left, even on the right, counted from the end nearer
// the centre; buildings behind take the number in front of them with a letter or a block.
void NumberStreets(City& city, Rng& rng) {
    std::vector<std::vector<size_t>> byStreet(city.streets.size() + 1);
    for (size_t i = 0; i < city.buildings.size(); ++i) byStreet[city.buildings[i].streetId].push_back(i);
    for (size_t s = 0; s < city.streets.size(); ++s) {
        const Street& st = city.streets[s];
        if (st.pieces.empty()) continue;
        double total = 0.0;
        for (const Polyline& p : st.pieces) total += PolylineLength(p);
        // Where each house stands is where its reference point meets the street, as a passer-by
        // would place it, whether it fronts the street or stands behind or round a corner.
        for (size_t i : byStreet[st.id]) {
            Building& b = city.buildings[i];
            Vec ref{static_cast<double>(b.refX), static_cast<double>(b.refY)};
            double best = 1e30;
            double walked = 0.0;
            for (const Polyline& p : st.pieces)
                for (size_t k = 1; k < p.size(); ++k) {
                    Vec ab = p[k] - p[k - 1];
                    double len = Length(ab);
                    double d = SegmentDistance(ref, p[k - 1], p[k]);
                    if (d < best && len > 0.0) {
                        best = d;
                        b.along = walked + std::clamp(Dot(ref - p[k - 1], ab) / len, 0.0, len);
                        b.side = Cross(ab, ref - p[k - 1]) < 0.0 ? 1 : -1;
                    }
                    walked += len;
                }
        }
        bool flip = Dist(st.pieces.back().back(), kCityCentre) < Dist(st.pieces.front().front(), kCityCentre);
        for (int wantedSide : {1, -1}) {
            std::vector<size_t> list;
            for (size_t i : byStreet[st.id]) {
                Building& b = city.buildings[i];
                int side = flip ? -b.side : b.side;
                if (side == wantedSide) list.push_back(i);
            }
            auto alongOf = [&](size_t i) { return flip ? total - city.buildings[i].along : city.buildings[i].along; };
            std::stable_sort(list.begin(), list.end(), [&](size_t a, size_t b) { return alongOf(a) < alongOf(b); });
            int number = wantedSide == 1 ? -1 : 0;
            std::string base;
            int letters = 0;
            size_t fronts = 0;
            for (size_t i : list) fronts += city.buildings[i].front ? 1 : 0;
            for (size_t i : list) {
                Building& b = city.buildings[i];
                if (b.front || fronts == 0 || base.empty()) {
                    number += 2;
                    base = std::to_string(number);
                    b.number = base;
                    letters = 0;
                    continue;
                }
                if (letters < 9 && !(b.zone == Zone::Blocks && rng.Chance(0.4))) {
                    b.number = base + To1251(kLetters[letters++]);
                } else {
                    b.number = base;
                    b.caption = To1251("корп. ") + std::to_string(2 + letters++);
                }
            }
            // Corner houses carry the number on the crossing street too.
            for (size_t k : {size_t{0}, list.size() > 0 ? list.size() - 1 : 0}) {
                if (list.empty()) break;
                Building& b = city.buildings[list[k]];
                if (!b.front || b.zone == Zone::Houses || b.number.find('/') != std::string::npos || !rng.Chance(0.35)) continue;
                std::string corner = b.number + "/" + std::to_string(1 + rng.Below(30));
                if (corner.size() <= 6) b.number = corner;
            }
        }
    }
}

}  // namespace

void PlaceBuildings(uint64_t seed, const Network& net, City& city, const LandMask& mask, int wanted) {
    Builder builder(seed, net, city, mask);
    builder.MarkCorridors();
    builder.AlongStreets();
    builder.EstateYards();
    builder.AlongDriveways();
    std::vector<Candidate>& all = builder.candidates();
    // Which lots are built: a town fills the lots nearest the centre; a city that needs most of
    // its lots leaves vacant ones spread all over it.
    if (!all.empty()) {
        double farthest = 1.0;
        for (const Candidate& c : all) farthest = std::max(farthest, c.priority);
        double share = static_cast<double>(std::max(0, wanted)) / static_cast<double>(all.size());
        double nearFirst = 0.1 + 0.9 * std::clamp((0.5 - share) / 0.4, 0.0, 1.0);
        Rng pick(seed, 911);
        // The old centre keeps its closed street fronts; the estates keep wide spaces between
        // their blocks, and the private houses stand plot by plot along their streets.
        auto vacancy = [](Zone z) {
            switch (z) {
                case Zone::Centre: return 0.3;
                case Zone::Houses: return 0.35;
                case Zone::Blocks: return 0.4;
                default: return 0.6;
            }
        };
        for (Candidate& c : all)
            c.priority = nearFirst * c.priority / farthest + (1.0 - nearFirst) * pick.Uniform() * vacancy(c.b.zone);
        std::stable_sort(all.begin(), all.end(), [](const Candidate& a, const Candidate& b) { return a.priority < b.priority; });
    }
    if (static_cast<int>(all.size()) > wanted) all.resize(std::max(0, wanted));

    // Buildings behind others, and those on driveways, take their address from the nearest
    // street.
    StreetFinder finder(city);
    city.buildings.clear();
    for (Candidate& c : all) {
        Building& b = c.b;
        if (b.streetId == 0 || !b.front) {
            int street = -1;
            double along = 0.0;
            int side = 1;
            if (!finder.Find({static_cast<double>(b.refX), static_cast<double>(b.refY)}, street, along, side)) continue;
            b.streetId = city.streets[street].id;
            b.along = along;
            b.side = side;
            b.front = false;
        }
        city.buildings.push_back(b);
    }
    Rng rng(seed, 910);
    NumberStreets(city, rng);
}

}  // namespace citygen
