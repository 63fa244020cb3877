// Small shared pieces of the city generator: plane vectors, the random source, smooth noise and
// polygon helpers. Everything is in plan metres, x the northing and y the easting.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

namespace citygen {

struct Vec {
    double x = 0.0;
    double y = 0.0;
};

inline Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y}; }
inline Vec operator-(Vec a, Vec b) { return {a.x - b.x, a.y - b.y}; }
inline Vec operator*(Vec a, double k) { return {a.x * k, a.y * k}; }
inline double Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y; }
inline double Cross(Vec a, Vec b) { return a.x * b.y - a.y * b.x; }
inline double Length(Vec a) { return std::sqrt(a.x * a.x + a.y * a.y); }
inline double Dist(Vec a, Vec b) { return Length(a - b); }
inline Vec Lerp(Vec a, Vec b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }
inline Vec Normalized(Vec a) {
    double len = Length(a);
    return len > 0.0 ? a * (1.0 / len) : Vec{1.0, 0.0};
}
// Quarter turn to the left when looking along `a` with x up and y right.
inline Vec Perp(Vec a) { return {a.y, -a.x}; }
// Direction of angle `a` (radians) measured from the easting axis towards the northing.
inline Vec Dir(double a) { return {std::sin(a), std::cos(a)}; }

using Ring = std::vector<Vec>;      // a polygon, not closed: the last point joins the first
using Polyline = std::vector<Vec>;  // an open line

// Deterministic random source (SplitMix64): the same seed gives the same city on every machine.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    Rng(uint64_t seed, uint64_t stream) : state_(seed * 0x9E3779B97F4A7C15ull ^ (stream + 0x632BE59BD9B4E019ull)) {
        Next();
    }
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // In [0, 1).
    double Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    // In [0, n); 0 when n < 1.
    int Below(int n) { return n < 1 ? 0 : static_cast<int>(Next() % static_cast<uint64_t>(n)); }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }
    bool Chance(double p) { return Uniform() < p; }

private:
    uint64_t state_;
};

// Smooth value noise in about -1..1 with features of size `scale` metres.
double Noise(uint64_t seed, double x, double y, double scale);

// Crossing-number test; points on the border may fall either way.
bool PointInRing(const Ring& ring, Vec p);
// Twice the signed area (positive when the points turn left, x up and y right counted as in Cross).
double RingArea2(const Ring& ring);
double PolylineLength(const Polyline& line);
// Distance from p to the segment a-b.
double SegmentDistance(Vec p, Vec a, Vec b);
double PolylineDistance(const Polyline& line, Vec p);

// Point and direction at arc length `t` along the line (clamped to its ends).
Vec PointAt(const Polyline& line, double t, Vec* direction = nullptr);
// Extra points so that no segment is longer than `step`.
Polyline Densify(const Polyline& line, double step);
// The part of `line` between arc lengths t0 and t1 (t0 < t1).
Polyline SubLine(const Polyline& line, double t0, double t1);

// Sutherland-Hodgman: `subject` clipped by the convex polygon `clip` (either orientation). A
// concave subject may come back with doubled edges along the clip border, which even-odd fills
// and point tests treat as nothing.
Ring ClipRingConvex(const Ring& subject, const Ring& clip);
// Pieces of a polyline inside the convex polygon `clip`.
std::vector<Polyline> ClipLineConvex(const Polyline& line, const Ring& clip);

// The convex ring moved inwards by d on every side.
Ring ShrinkConvex(const Ring& ring, double d);

// Ramer-Douglas-Peucker simplification of an open line, keeping both ends.
Polyline Simplify(const Polyline& line, double tolerance);

}  // namespace citygen
