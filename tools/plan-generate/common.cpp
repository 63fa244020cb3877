#include "common.h"

#include <algorithm>

namespace citygen {

namespace {

double LatticeValue(uint64_t seed, int64_t i, int64_t j) {
    uint64_t h = seed ^ (static_cast<uint64_t>(i) * 0x9E3779B97F4A7C15ull) ^ (static_cast<uint64_t>(j) * 0xC2B2AE3D27D4EB4Full);
    h = (h ^ (h >> 33)) * 0xFF51AFD7ED558CCDull;
    h = (h ^ (h >> 33)) * 0xC4CEB9FE1A85EC53ull;
    h ^= h >> 33;
    return static_cast<double>(h >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

double Smooth(double t) { return t * t * (3.0 - 2.0 * t); }

// Signed side of p against the directed edge a-b, scaled by the clip polygon's orientation so
// that "inside" is positive either way round.
double Side(Vec a, Vec b, Vec p, double orientation) { return Cross(b - a, p - a) * orientation; }

Vec EdgeCut(Vec p, Vec q, double sp, double sq) { return Lerp(p, q, sp / (sp - sq)); }

void SimplifyRange(const Polyline& line, size_t first, size_t last, double tolerance, std::vector<char>& keep) {
    if (last <= first + 1) return;
    double worst = -1.0;
    size_t at = first;
    for (size_t i = first + 1; i < last; ++i) {
        double d = SegmentDistance(line[i], line[first], line[last]);
        if (d > worst) {
            worst = d;
            at = i;
        }
    }
    if (worst > tolerance) {
        keep[at] = 1;
        SimplifyRange(line, first, at, tolerance, keep);
        SimplifyRange(line, at, last, tolerance, keep);
    }
}

}  // namespace

double Noise(uint64_t seed, double x, double y, double scale) {
    double fx = x / scale;
    double fy = y / scale;
    double ix = std::floor(fx);
    double iy = std::floor(fy);
    double tx = Smooth(fx - ix);
    double ty = Smooth(fy - iy);
    auto i = static_cast<int64_t>(ix);
    auto j = static_cast<int64_t>(iy);
    double v00 = LatticeValue(seed, i, j);
    double v10 = LatticeValue(seed, i + 1, j);
    double v01 = LatticeValue(seed, i, j + 1);
    double v11 = LatticeValue(seed, i + 1, j + 1);
    double a = v00 + (v10 - v00) * tx;
    double b = v01 + (v11 - v01) * tx;
    return a + (b - a) * ty;
}

bool PointInRing(const Ring& ring, Vec p) {
    bool inside = false;
    size_t n = ring.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
        const Vec& a = ring[i];
        const Vec& b = ring[j];
        if ((a.y > p.y) != (b.y > p.y)) {
            double x = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
            if (p.x < x) inside = !inside;
        }
    }
    return inside;
}

double RingArea2(const Ring& ring) {
    double sum = 0.0;
    size_t n = ring.size();
    for (size_t i = 0, j = n - 1; i < n; j = i++) sum += Cross(ring[j], ring[i]);
    return sum;
}

double PolylineLength(const Polyline& line) {
    double len = 0.0;
    for (size_t i = 1; i < line.size(); ++i) len += Dist(line[i - 1], line[i]);
    return len;
}

double SegmentDistance(Vec p, Vec a, Vec b) {
    Vec ab = b - a;
    double len2 = Dot(ab, ab);
    double t = len2 > 0.0 ? std::clamp(Dot(p - a, ab) / len2, 0.0, 1.0) : 0.0;
    return Dist(p, a + ab * t);
}

double PolylineDistance(const Polyline& line, Vec p) {
    if (line.empty()) return 1e30;
    if (line.size() == 1) return Dist(line[0], p);
    double best = 1e30;
    for (size_t i = 1; i < line.size(); ++i) best = std::min(best, SegmentDistance(p, line[i - 1], line[i]));
    return best;
}

Vec PointAt(const Polyline& line, double t, Vec* direction) {
    if (line.size() < 2) {
        if (direction) *direction = {1.0, 0.0};
        return line.empty() ? Vec{} : line[0];
    }
    for (size_t i = 1; i < line.size(); ++i) {
        double seg = Dist(line[i - 1], line[i]);
        if (t <= seg || i + 1 == line.size()) {
            if (direction) *direction = Normalized(line[i] - line[i - 1]);
            double k = seg > 0.0 ? std::clamp(t / seg, 0.0, 1.0) : 0.0;
            return Lerp(line[i - 1], line[i], k);
        }
        t -= seg;
    }
    return line.back();
}

Polyline Densify(const Polyline& line, double step) {
    Polyline out;
    if (line.empty()) return out;
    out.push_back(line[0]);
    for (size_t i = 1; i < line.size(); ++i) {
        double seg = Dist(line[i - 1], line[i]);
        int parts = std::max(1, static_cast<int>(std::ceil(seg / step)));
        for (int k = 1; k <= parts; ++k) out.push_back(Lerp(line[i - 1], line[i], static_cast<double>(k) / parts));
    }
    return out;
}

Polyline SubLine(const Polyline& line, double t0, double t1) {
    Polyline out;
    if (line.size() < 2) return line;
    out.push_back(PointAt(line, t0));
    double at = 0.0;
    for (size_t i = 1; i + 1 < line.size(); ++i) {
        at += Dist(line[i - 1], line[i]);
        if (at > t0 && at < t1) out.push_back(line[i]);
    }
    out.push_back(PointAt(line, t1));
    return out;
}

Ring ClipRingConvex(const Ring& subject, const Ring& clip) {
    double orientation = RingArea2(clip) >= 0.0 ? 1.0 : -1.0;
    Ring out = subject;
    size_t m = clip.size();
    for (size_t e = 0; e < m && !out.empty(); ++e) {
        Vec a = clip[e];
        Vec b = clip[(e + 1) % m];
        Ring in;
        in.swap(out);
        size_t n = in.size();
        for (size_t i = 0; i < n; ++i) {
            Vec p = in[(i + n - 1) % n];
            Vec q = in[i];
            double sp = Side(a, b, p, orientation);
            double sq = Side(a, b, q, orientation);
            if (sq >= 0.0) {
                if (sp < 0.0) out.push_back(EdgeCut(p, q, sp, sq));
                out.push_back(q);
            } else if (sp >= 0.0) {
                out.push_back(EdgeCut(p, q, sp, sq));
            }
        }
    }
    return out;
}

std::vector<Polyline> ClipLineConvex(const Polyline& line, const Ring& clip) {
    std::vector<Polyline> pieces;
    double orientation = RingArea2(clip) >= 0.0 ? 1.0 : -1.0;
    size_t m = clip.size();
    Polyline current;
    for (size_t i = 1; i < line.size(); ++i) {
        // Liang-Barsky style: the part of segment p-q inside every half-plane.
        Vec p = line[i - 1];
        Vec q = line[i];
        double t0 = 0.0;
        double t1 = 1.0;
        for (size_t e = 0; e < m && t0 <= t1; ++e) {
            Vec a = clip[e];
            Vec b = clip[(e + 1) % m];
            double sp = Side(a, b, p, orientation);
            double sq = Side(a, b, q, orientation);
            if (sp < 0.0 && sq < 0.0) {
                t1 = -1.0;
            } else if (sp < 0.0) {
                t0 = std::max(t0, sp / (sp - sq));
            } else if (sq < 0.0) {
                t1 = std::min(t1, sp / (sp - sq));
            }
        }
        if (t0 > t1) {
            if (current.size() >= 2) pieces.push_back(current);
            current.clear();
            continue;
        }
        Vec s = Lerp(p, q, t0);
        Vec e = Lerp(p, q, t1);
        if (current.empty() || t0 > 0.0) {
            if (current.size() >= 2) pieces.push_back(current);
            current.clear();
            current.push_back(s);
        }
        current.push_back(e);
        if (t1 < 1.0) {
            if (current.size() >= 2) pieces.push_back(current);
            current.clear();
        }
    }
    if (current.size() >= 2) pieces.push_back(current);
    return pieces;
}

// The convex ring moved inwards by d on every side.
Ring ShrinkConvex(const Ring& ring, double d) {
    double orientation = RingArea2(ring) >= 0.0 ? 1.0 : -1.0;
    Ring out = ring;
    size_t n = ring.size();
    for (size_t e = 0; e < n && !out.empty(); ++e) {
        Vec a = ring[e];
        Vec b = ring[(e + 1) % n];
        Vec inward = Perp(Normalized(b - a)) * -orientation;
        Vec shift = inward * d;
        Vec a2 = a + shift;
        Vec b2 = b + shift;
        Ring in;
        in.swap(out);
        size_t m = in.size();
        for (size_t i = 0; i < m; ++i) {
            Vec p = in[(i + m - 1) % m];
            Vec q = in[i];
            double sp = Cross(b2 - a2, p - a2) * orientation;
            double sq = Cross(b2 - a2, q - a2) * orientation;
            if (sq >= 0.0) {
                if (sp < 0.0) out.push_back(Lerp(p, q, sp / (sp - sq)));
                out.push_back(q);
            } else if (sp >= 0.0) {
                out.push_back(Lerp(p, q, sp / (sp - sq)));
            }
        }
    }
    return out;
}

Polyline Simplify(const Polyline& line, double tolerance) {
    if (line.size() < 3) return line;
    std::vector<char> keep(line.size(), 0);
    keep.front() = keep.back() = 1;
    SimplifyRange(line, 0, line.size() - 1, tolerance, keep);
    Polyline out;
    for (size_t i = 0; i < line.size(); ++i)
        if (keep[i]) out.push_back(line[i]);
    return out;
}

}  // namespace citygen
