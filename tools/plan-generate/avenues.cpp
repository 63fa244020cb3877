#include "avenues.h"

#include <algorithm>
#include <cmath>

namespace citygen {

namespace {

constexpr double kPi = 3.14159265358979323846;

// Moving average over `reach` points either side, both ends held.
Polyline SmoothLine(const Polyline& line, int reach, int passes) {
    Polyline out = line;
    for (int pass = 0; pass < passes; ++pass) {
        Polyline next = out;
        for (size_t i = 1; i + 1 < out.size(); ++i) {
            Vec sum{0, 0};
            int n = 0;
            size_t from = i >= static_cast<size_t>(reach) ? i - reach : 0;
            for (size_t k = from; k <= i + reach && k < out.size(); ++k) sum = sum + out[k], ++n;
            next[i] = sum * (1.0 / n);
        }
        out = next;
    }
    return out;
}

// The shore of Tervelsky bay seen from inside the peninsula: along rays from `hub`, the last
// point before the sea that keeps `inland` metres from the water, smoothed so that the avenue
// sweeps past the coves instead of following each one, yet never comes nearer the water.
Polyline ShoreAvenue(const LandMask& mask, Vec hub, double fromDeg, double toDeg, double inland) {
    std::vector<double> reach;
    std::vector<Vec> dirs;
    for (double deg = fromDeg; deg <= toDeg + 1e-9; deg += 0.4) {
        double a = deg * kPi / 180.0;
        Vec d{-std::cos(a), std::sin(a)};  // 0: south, 90: east
        double best = -1.0;
        for (double r = 300.0; r < 14000.0; r += 10.0) {
            Vec p = hub + d * r;
            if (!(mask.At(p) & kCellLand)) break;
            if (mask.IsDry(p) && mask.WaterDistance(p) >= inland) best = r;
            else if (best > 0.0 && mask.WaterDistance(p) < 1.0) break;
        }
        reach.push_back(best);
        dirs.push_back(d);
    }
    std::vector<double> smooth = reach;
    for (int pass = 0; pass < 4; ++pass) {
        std::vector<double> next = smooth;
        for (size_t i = 0; i < smooth.size(); ++i) {
            double sum = 0.0;
            int n = 0;
            for (size_t k = i >= 6 ? i - 6 : 0; k <= i + 6 && k < smooth.size(); ++k)
                if (smooth[k] > 0.0) sum += smooth[k], ++n;
            if (n > 0 && reach[i] > 0.0) next[i] = std::min(reach[i], sum / n);
        }
        smooth = next;
    }
    Polyline line;
    for (size_t i = 0; i < smooth.size(); ++i)
        if (smooth[i] > 0.0) line.push_back(hub + dirs[i] * smooth[i]);
    return line;
}

// A line beside a river, `offset` metres to its right looking downstream.
Polyline AlongRiver(const Polyline& river, double offset) {
    Polyline centre = SmoothLine(river, 4, 3);
    Polyline out;
    for (size_t i = 0; i < centre.size(); ++i) {
        Vec a = centre[i == 0 ? 0 : i - 1];
        Vec b = centre[i + 1 < centre.size() ? i + 1 : i];
        Vec n = Perp(Normalized(b - a)) * -1.0;
        out.push_back(centre[i] + n * offset);
    }
    return SmoothLine(out, 3, 3);
}

// A gently curving line through control points (Catmull-Rom), a point every 40 m or so.
Polyline Curve(const std::vector<Vec>& pts) {
    Polyline out;
    for (size_t i = 0; i + 1 < pts.size(); ++i) {
        Vec p0 = pts[i == 0 ? 0 : i - 1], p1 = pts[i], p2 = pts[i + 1], p3 = pts[i + 2 < pts.size() ? i + 2 : i + 1];
        int steps = std::max(2, static_cast<int>(Dist(p1, p2) / 40.0));
        for (int k = 0; k < steps; ++k) {
            double t = static_cast<double>(k) / steps, t2 = t * t, t3 = t2 * t;
            Vec q = (p1 * 2.0 + (p2 - p0) * t + (p0 * 2.0 - p1 * 5.0 + p2 * 4.0 - p3) * t2 + (p1 * 3.0 - p0 - p2 * 3.0 + p3) * t3) * 0.5;
            out.push_back(q);
        }
    }
    out.push_back(pts.back());
    return out;
}

}  // namespace

std::vector<Polyline> TraceAvenues(const Coast& coast, const LandMask& mask) {
    std::vector<Polyline> avenues;
    // Round the shore of Tervelsky bay, from beside the harbour to the mouth of the Sosnovka.
    Polyline shore = ShoreAvenue(mask, {9500, 10600}, 1.0, 92.0, 70.0);
    if (shore.size() >= 2) avenues.push_back(shore);
    // Up the valley of the Sosnovka on the town's side, on to the highway north.
    if (coast.rivers.size() >= 2) {
        Polyline valley = AlongRiver(coast.rivers[1], 190.0);
        std::reverse(valley.begin(), valley.end());
        Polyline tail = Curve({valley.back(), valley.back() + Vec{700, -900}, {18900, 12100}});
        valley.insert(valley.end(), tail.begin() + 1, tail.end());
        avenues.push_back(SmoothLine(valley, 2, 2));
    }
    // From the old town's circular places along the peninsula, between the highway and the bay.
    avenues.push_back(Curve({{4737.0, 6125.0}, {6000, 6650}, {7409.6, 7115.0}, {8700, 8300}, {10600, 9800}, {13000, 11450}, {15300, 12500}, {17100, 13450}}));
    // Across the peninsula, from the railway by Kelmarsky bay to the shore of Tervelsky bay.
    avenues.push_back(Curve({{12400, 5900}, {12050, 8300}, {11400, 10900}, {10500, 13500}, {9700, 15500}, {9100, 17200}}));
    return avenues;
}

double AvenueDistance(const std::vector<Polyline>& avenues, Vec p, Vec* direction) {
    double best = 1e30;
    for (const Polyline& line : avenues)
        for (size_t i = 1; i < line.size(); ++i) {
            Vec a = line[i - 1], b = line[i];
            // Cheap rejection by the box round the segment.
            if (p.x < std::min(a.x, b.x) - best || p.x > std::max(a.x, b.x) + best || p.y < std::min(a.y, b.y) - best ||
                p.y > std::max(a.y, b.y) + best)
                continue;
            double d = SegmentDistance(p, a, b);
            if (d < best) {
                best = d;
                if (direction) *direction = Normalized(b - a);
            }
        }
    return best;
}

}  // namespace citygen
