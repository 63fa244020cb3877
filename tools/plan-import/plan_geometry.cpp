#include "plan_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>

namespace planimport {

namespace {

constexpr double kPi = 3.14159265358979323846;

void AppendLine(Polyline& to, const Polyline& from) {
    // The joint point is in both lines.
    for (size_t i = to.empty() ? 0 : 1; i < from.size(); ++i) to.push_back(from[i]);
}

}  // namespace

std::vector<NodeLine> JoinLines(std::vector<NodeLine> lines, bool keepDirection) {
    std::unordered_multimap<int64_t, size_t> starts, ends;
    for (size_t i = 0; i < lines.size(); ++i) {
        starts.insert({lines[i].firstNode, i});
        ends.insert({lines[i].lastNode, i});
    }
    std::vector<bool> used(lines.size(), false);
    // An unused line that begins (or, turned round, ends) at `node`; `reversed` says which.
    auto take = [&](int64_t node, bool atStart, bool* reversed) -> long {
        auto& primary = atStart ? starts : ends;
        auto range = primary.equal_range(node);
        for (auto it = range.first; it != range.second; ++it)
            if (!used[it->second]) {
                *reversed = false;
                return static_cast<long>(it->second);
            }
        if (keepDirection) return -1;
        auto& secondary = atStart ? ends : starts;
        range = secondary.equal_range(node);
        for (auto it = range.first; it != range.second; ++it)
            if (!used[it->second]) {
                *reversed = true;
                return static_cast<long>(it->second);
            }
        return -1;
    };
    std::vector<NodeLine> out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (used[i]) continue;
        used[i] = true;
        NodeLine line = lines[i];
        // Forwards from the end, while the line is not closed.
        while (line.firstNode != line.lastNode) {
            bool reversed = false;
            const long next = take(line.lastNode, true, &reversed);
            if (next < 0) break;
            used[next] = true;
            NodeLine piece = lines[next];
            if (reversed) {
                std::reverse(piece.pts.begin(), piece.pts.end());
                std::swap(piece.firstNode, piece.lastNode);
            }
            AppendLine(line.pts, piece.pts);
            line.lastNode = piece.lastNode;
        }
        // Backwards from the start.
        while (line.firstNode != line.lastNode) {
            bool reversed = false;
            const long prev = take(line.firstNode, false, &reversed);
            if (prev < 0) break;
            used[prev] = true;
            NodeLine piece = lines[prev];
            if (reversed) {
                std::reverse(piece.pts.begin(), piece.pts.end());
                std::swap(piece.firstNode, piece.lastNode);
            }
            AppendLine(piece.pts, line.pts);
            line.pts = std::move(piece.pts);
            line.firstNode = piece.firstNode;
        }
        out.push_back(std::move(line));
    }
    return out;
}

Ring BoxRing(double xMax, double yMax) { return {{0.0, 0.0}, {0.0, yMax}, {xMax, yMax}, {xMax, 0.0}}; }

namespace {

// Position along the plan's edge, counted so that growing positions go round with the plan on
// the left: the south edge eastwards, the east edge northwards, the north edge westwards, the
// west edge southwards.
double EdgePosition(Vec p, double xMax, double yMax) {
    const double eps = 1e-6 * std::max(xMax, yMax);
    if (std::fabs(p.x) <= eps) return std::clamp(p.y, 0.0, yMax);
    if (std::fabs(p.y - yMax) <= eps) return yMax + std::clamp(p.x, 0.0, xMax);
    if (std::fabs(p.x - xMax) <= eps) return yMax + xMax + (yMax - std::clamp(p.y, 0.0, yMax));
    if (std::fabs(p.y) <= eps) return 2.0 * yMax + xMax + (xMax - std::clamp(p.x, 0.0, xMax));
    return -1.0;  // not on the edge
}

// The corners passed when walking the edge from position a to position b (going round once).
void AppendCorners(Polyline& ring, double a, double b, double xMax, double yMax) {
    const double perimeter = 2.0 * (xMax + yMax);
    const double corners[4] = {yMax, yMax + xMax, 2.0 * yMax + xMax, perimeter};
    const Vec points[4] = {{0.0, yMax}, {xMax, yMax}, {xMax, 0.0}, {0.0, 0.0}};
    double distance = b - a;
    if (distance < 0.0) distance += perimeter;
    // Corner positions ahead of a, in order, within the distance.
    for (int lap = 0; lap < 2; ++lap)
        for (int c = 0; c < 4; ++c) {
            double ahead = corners[c] + lap * perimeter - a;
            if (ahead > 0.0 && ahead < distance) ring.push_back(points[c]);
        }
}

}  // namespace

LandResult LandFromCoast(const std::vector<Polyline>& coast, double xMax, double yMax) {
    LandResult result;
    const Ring box = BoxRing(xMax, yMax);
    struct Piece {
        Polyline pts;
        double in;
        double out;
    };
    std::vector<Piece> pieces;
    std::vector<Ring> islands;
    for (const Polyline& line : coast) {
        if (line.size() < 2) continue;
        const bool closed = Dist(line.front(), line.back()) < 1e-6;
        bool inside = true;
        for (const Vec& p : line)
            if (p.x < 0.0 || p.y < 0.0 || p.x > xMax || p.y > yMax) inside = false;
        if (closed && inside) {
            Ring ring(line.begin(), line.end() - 1);
            // Land on the left all round: the ring turns left on the screen, which with x the
            // northing makes its shoelace sum negative. A ring the other way round is water.
            if (ring.size() >= 3 && citygen::RingArea2(ring) < 0.0) islands.push_back(ring);
            continue;
        }
        for (Polyline& piece : citygen::ClipLineConvex(line, box)) {
            const double in = EdgePosition(piece.front(), xMax, yMax);
            const double out = EdgePosition(piece.back(), xMax, yMax);
            if (in < 0.0 || out < 0.0) {
                ++result.brokenPieces;
                continue;
            }
            pieces.push_back({std::move(piece), in, out});
        }
    }
    // Each land outline: a piece, then along the edge to the next piece that comes in, and so
    // on until the first piece is reached again.
    std::vector<bool> used(pieces.size(), false);
    const double perimeter = 2.0 * (xMax + yMax);
    for (size_t start = 0; start < pieces.size(); ++start) {
        if (used[start]) continue;
        Ring ring;
        size_t current = start;
        for (size_t guard = 0; guard <= pieces.size(); ++guard) {
            used[current] = true;
            for (const Vec& p : pieces[current].pts) ring.push_back(p);
            const double out = pieces[current].out;
            size_t next = start;
            double best = std::numeric_limits<double>::max();
            for (size_t j = 0; j < pieces.size(); ++j) {
                if (used[j] && j != start) continue;
                double ahead = pieces[j].in - out;
                if (ahead < 0.0) ahead += perimeter;
                if (ahead < best) {
                    best = ahead;
                    next = j;
                }
            }
            AppendCorners(ring, out, pieces[next].in, xMax, yMax);
            if (next == start) break;
            current = next;
        }
        if (ring.size() >= 3) result.parts.push_back(ring);
    }
    for (Ring& island : islands) result.parts.push_back(std::move(island));
    std::stable_sort(result.parts.begin(), result.parts.end(), [](const Ring& a, const Ring& b) {
        return std::fabs(citygen::RingArea2(a)) > std::fabs(citygen::RingArea2(b));
    });
    return result;
}

bool InsideOutline(const Ring& outer, const std::vector<Ring>& holes, Vec p) {
    if (!citygen::PointInRing(outer, p)) return false;
    for (const Ring& hole : holes)
        if (citygen::PointInRing(hole, p)) return false;
    return true;
}

namespace {

// The crossings of the line x = const with the edges of a ring.
void Crossings(const Ring& ring, double x, std::vector<double>& ys) {
    const size_t n = ring.size();
    for (size_t i = 0; i < n; ++i) {
        const Vec a = ring[i];
        const Vec b = ring[(i + 1) % n];
        if ((a.x <= x) == (b.x <= x)) continue;
        ys.push_back(a.y + (x - a.x) * (b.y - a.y) / (b.x - a.x));
    }
}

}  // namespace

Vec InteriorPoint(const Ring& outer, const std::vector<Ring>& holes) {
    double xMin = outer[0].x, xMax = outer[0].x, yMin = outer[0].y, yMax = outer[0].y;
    for (const Vec& p : outer) {
        xMin = std::min(xMin, p.x);
        xMax = std::max(xMax, p.x);
        yMin = std::min(yMin, p.y);
        yMax = std::max(yMax, p.y);
    }
    Vec best{(xMin + xMax) * 0.5, (yMin + yMax) * 0.5};
    double bestWidth = -1.0;
    // Lines across the outline near its middle; the widest stretch inside wins. Offsets keep the
    // lines off the vertices of rectangular outlines.
    for (double t : {0.5, 0.37, 0.63, 0.25, 0.75, 0.13, 0.87}) {
        const double x = xMin + (xMax - xMin) * t + 1e-7;
        std::vector<double> ys;
        Crossings(outer, x, ys);
        for (const Ring& hole : holes) Crossings(hole, x, ys);
        std::sort(ys.begin(), ys.end());
        for (size_t i = 0; i + 1 < ys.size(); i += 2) {
            const double width = ys[i + 1] - ys[i];
            if (width > bestWidth * 1.5) {
                bestWidth = width;
                best = {x, (ys[i] + ys[i + 1]) * 0.5};
            }
        }
    }
    return best;
}

Ring SectorOutline(Vec centre, int k, int count, double xMax, double yMax) {
    const double width = 2.0 * kPi / count;
    const double a0 = (k - 0.5) * width;
    const double a1 = a0 + width;
    // Where a ray from the centre in direction a (0 north, growing towards the east) leaves the plan.
    auto exitPoint = [&](double a) {
        const Vec d{std::cos(a), std::sin(a)};
        double t = std::numeric_limits<double>::max();
        if (d.x > 1e-12) t = std::min(t, (xMax - centre.x) / d.x);
        if (d.x < -1e-12) t = std::min(t, (0.0 - centre.x) / d.x);
        if (d.y > 1e-12) t = std::min(t, (yMax - centre.y) / d.y);
        if (d.y < -1e-12) t = std::min(t, (0.0 - centre.y) / d.y);
        return centre + d * std::max(t, 0.0);
    };
    auto angleOf = [&](Vec p) {
        double a = std::atan2(p.y - centre.y, p.x - centre.x);
        while (a < a0) a += 2.0 * kPi;
        while (a >= a0 + 2.0 * kPi) a -= 2.0 * kPi;
        return a;
    };
    Ring ring{centre, exitPoint(a0)};
    std::vector<std::pair<double, Vec>> corners;
    for (Vec c : {Vec{0.0, 0.0}, Vec{0.0, yMax}, Vec{xMax, yMax}, Vec{xMax, 0.0}}) {
        const double a = angleOf(c);
        if (a > a0 && a < a1) corners.push_back({a, c});
    }
    std::sort(corners.begin(), corners.end(), [](const auto& p, const auto& q) { return p.first < q.first; });
    for (const auto& c : corners) ring.push_back(c.second);
    ring.push_back(exitPoint(a1));
    return ring;
}

}  // namespace planimport
