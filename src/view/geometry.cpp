// Pure plane geometry on plan points, segments, polylines, polygons and boxes.
#include "view/geometry.h"

#include <cfloat>
#include <cmath>
#include <limits>

#include "view/view.h"

namespace {

// The tolerance used where "no tolerance" would make an exact comparison of rounded values.
constexpr double kTiny = 1e-20;

float ToFloat(double v) {
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

// The line through two points kept in double: rounding its coefficients to float would
// move it by metres at plan coordinates of tens of kilometres.
struct LineD {
    double a;
    double b;
    double c;
};

LineD LineThrough(double x1, double y1, double x2, double y2) {
    return LineD{y1 - y2, x2 - x1, (x1 - x2) * y1 + (y2 - y1) * x1};
}

double Eval(double x, double y, const LineD& l) { return l.a * x + l.b * y + l.c; }

double DistanceD(double x1, double y1, double x2, double y2) {
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    const double d2 = dx * dx + dy * dy;
    return d2 > 1e-10 ? std::sqrt(d2) : 0.0;
}

// Distance from a point to the line through a segment's ends. A segment of zero length has
// no direction, so the distance is the one to its single point.
double DistanceToSegmentLineD(double px, double py, const Segment& s) {
    const LineD l = LineThrough(s.x1, s.y1, s.x2, s.y2);
    const double norm2 = l.a * l.a + l.b * l.b;
    if (norm2 == 0.0) return DistanceD(px, py, s.x1, s.y1);
    return std::fabs(Eval(px, py, l)) / std::sqrt(norm2);
}

bool IsZeroLength(const Segment& s) { return s.x1 == s.x2 && s.y1 == s.y2; }

// Vertex access for the three point-in-polygon variants; every coordinate is read as a double.
template <typename T>
struct Vertices {
    const T* p;
    double x(int i) const { return static_cast<double>(p[2 * i]); }
    double y(int i) const { return static_cast<double>(p[2 * i + 1]); }
};

// Even-odd test: a ray towards growing x, and when that ray runs through a vertex, a ray
// towards growing y from the point shifted along x until no vertex lies on it either.
template <typename T>
int PointInPolygonT(int n, const T* points, double px, double py, bool dropLast, double shiftStep) {
    if (n < 1 || points == nullptr) return 0;
    const Vertices<T> v{points};
    if (dropLast) --n;
    if (n < 1) return 0;

    bool passA = true;
    int count = 0;
    for (int i = 0; i < n && passA; ++i) {
        const int j = i + 1 < n ? i + 1 : 0;
        const double dx1 = v.x(i) - px, dy1 = v.y(i) - py;
        const double dx2 = v.x(j) - px, dy2 = v.y(j) - py;
        if (dy1 == 0.0 || dy2 == 0.0) {
            passA = false;
            break;
        }
        if ((dx1 >= 0.0 || dx2 >= 0.0) && dy1 * dy2 < 0.0 && (dx2 * dy1 - dy2 * dx1) * (dy1 - dy2) >= 0.0)
            ++count;
    }
    if (passA) return count % 2;

    // Each vertex blocks at most one shift, so n + 1 shifts always find a clear ray unless the
    // coordinates are so large that adding the step changes nothing; then the point is outside.
    double s = 0.0;
    for (int attempt = 0; attempt <= n + 2; ++attempt, s += shiftStep) {
        const double qx = px + s;
        bool blocked = false;
        count = 0;
        for (int i = 0; i < n; ++i) {
            const int j = i + 1 < n ? i + 1 : 0;
            const double dx1 = v.x(i) - qx, dy1 = v.y(i) - py;
            const double dx2 = v.x(j) - qx, dy2 = v.y(j) - py;
            if (dx1 == 0.0 || dx2 == 0.0) {
                blocked = true;
                break;
            }
            if ((dy1 >= 0.0 || dy2 >= 0.0) && dx1 * dx2 < 0.0 && (dy2 * dx1 - dx2 * dy1) * (dx1 - dx2) >= 0.0)
                ++count;
        }
        if (!blocked) return count % 2;
    }
    return 0;
}

}  // namespace

Line LineThroughPoints(float x1, float y1, float x2, float y2) {
    const LineD l = LineThrough(x1, y1, x2, y2);
    return Line{ToFloat(l.a), ToFloat(l.b), ToFloat(l.c)};
}

double EvalLine(double x, double y, const Line& line) {
    return static_cast<double>(line.a) * x + static_cast<double>(line.b) * y + line.c;
}

float DistanceToLine(float px, float py, const Line& line) {
    const double a = line.a;
    const double b = line.b;
    const double norm2 = a * a + b * b;
    // The "line" of two equal points: every point lies on it when c is 0, none otherwise.
    if (norm2 == 0.0) return line.c == 0.0f ? 0.0f : std::numeric_limits<float>::infinity();
    return ToFloat(std::fabs(EvalLine(px, py, line)) / std::sqrt(norm2));
}

float DistanceToSegmentLine(float px, float py, const Segment& segment) {
    return ToFloat(DistanceToSegmentLineD(px, py, segment));
}

float Distance(float x1, float y1, float x2, float y2) { return ToFloat(DistanceD(x1, y1, x2, y2)); }

float PolylineLength(int n, const float* points) {
    if (n < 2 || points == nullptr) return 0.0f;
    double sum = 0.0;
    for (int i = 1; i < n; ++i)
        sum += Distance(points[2 * i - 2], points[2 * i - 1], points[2 * i], points[2 * i + 1]);
    return ToFloat(sum);
}

float PolygonArea(int n, const float* points) {
    if (n < 3 || points == nullptr) return 0.0f;
    const Vertices<float> v{points};
    double s = 0.0;
    for (int i = 1; i < n; ++i) s += v.x(i - 1) * v.y(i) - v.x(i) * v.y(i - 1);
    s += v.x(n - 1) * v.y(0) - v.x(0) * v.y(n - 1);
    return ToFloat(std::fabs(s) * 0.5);
}

Box OrderedBox(float x1, float y1, float x2, float y2) {
    return Box{x1 < x2 ? x1 : x2, y1 > y2 ? y1 : y2, x1 > x2 ? x1 : x2, y1 < y2 ? y1 : y2};
}

Box WidenBox(const Box& box, float t) {
    const double d = t;
    return Box{ToFloat(box.left - d), ToFloat(box.top + d), ToFloat(box.right + d), ToFloat(box.bottom - d)};
}

Box PolylineBox(int n, const float* points) {
    const float inf = std::numeric_limits<float>::infinity();
    // No points: a box inside out, which overlaps and holds nothing.
    if (n < 1 || points == nullptr) return Box{inf, -inf, -inf, inf};
    Box b{points[0], points[1], points[0], points[1]};
    for (int i = 1; i < n; ++i) {
        const float x = points[2 * i];
        const float y = points[2 * i + 1];
        if (x < b.left) b.left = x;
        if (y > b.top) b.top = y;
        if (x > b.right) b.right = x;
        if (y < b.bottom) b.bottom = y;
    }
    if (b.left == b.right) b.left = ToFloat(b.left - kTiny);
    if (b.top == b.bottom) b.top = ToFloat(b.top + kTiny);
    return b;
}

bool PointNearBox(float px, float py, const Box& box, float t) {
    const double d = t;
    return box.left - d <= px && px <= box.right + d && box.bottom - d <= py && py <= box.top + d;
}

bool BoxesOverlap(const Box& a, const Box& b, float t) {
    const double d = t;
    return b.right + d >= a.left && b.bottom - d <= a.top && b.left - d <= a.right && b.top + d >= a.bottom;
}

bool PointNearSegment(float px, float py, const Segment& segment, float t) {
    const float tt = t > 0.0f ? t : static_cast<float>(kTiny);
    if (!PointNearBox(px, py, OrderedBox(segment.x1, segment.y1, segment.x2, segment.y2), tt)) return false;
    // A segment of zero length has no line; its widened box is the whole test.
    if (IsZeroLength(segment)) return true;
    return DistanceToSegmentLineD(px, py, segment) <= tt;
}

bool PointNearPolyline(float px, float py, int n, const float* points, float t) {
    if (n < 2 || points == nullptr) return false;
    for (int i = 1; i < n; ++i) {
        const Segment s{points[2 * i - 2], points[2 * i - 1], points[2 * i], points[2 * i + 1]};
        if (PointNearSegment(px, py, s, t)) return true;
    }
    return false;
}

bool SegmentsIntersect(const Segment& s1, const Segment& s2) {
    if (!BoxesOverlap(OrderedBox(s1.x1, s1.y1, s1.x2, s1.y2), OrderedBox(s2.x1, s2.y1, s2.x2, s2.y2),
                      static_cast<float>(kTiny)))
        return false;
    const LineD l1 = LineThrough(s1.x1, s1.y1, s1.x2, s1.y2);
    const LineD l2 = LineThrough(s2.x1, s2.y1, s2.x2, s2.y2);
    const double d1 = Eval(s1.x1, s1.y1, l2);
    const double d2 = Eval(s1.x2, s1.y2, l2);
    const double d3 = Eval(s2.x1, s2.y1, l1);
    const double d4 = Eval(s2.x2, s2.y2, l1);
    if (d1 * d2 > kTiny) return false;
    return d3 * d4 <= kTiny;
}

bool PolylineTouchesBox(int n, const float* points, const Box& box, float t) {
    if (n < 1 || points == nullptr) return false;
    if (!BoxesOverlap(box, PolylineBox(n, points), t)) return false;
    if (PointNearBox(points[0], points[1], box, t)) return true;
    const Box w = WidenBox(box, t);
    const Segment sides[4] = {
        {w.left, w.bottom, w.right, w.bottom},  // bottom
        {w.right, w.bottom, w.right, w.top},    // right
        {w.right, w.top, w.left, w.top},        // top
        {w.left, w.top, w.left, w.bottom},      // left
    };
    for (int i = 1; i < n; ++i) {
        const Segment s{points[2 * i - 2], points[2 * i - 1], points[2 * i], points[2 * i + 1]};
        for (const Segment& side : sides)
            if (SegmentsIntersect(s, side)) return true;
    }
    return false;
}

int PointInPolygon(int n, const float* points, float px, float py) {
    bool dropLast = false;
    if (n >= 2 && points != nullptr) {
        const double ex = std::fabs(static_cast<double>(points[2 * n - 2]) - points[0]);
        const double ey = std::fabs(static_cast<double>(points[2 * n - 1]) - points[1]);
        dropLast = ex < 0.001 && ey < 0.001;
    }
    return PointInPolygonT(n, points, px, py, dropLast, 1.0);
}

int PointInPolygonU16(int n, const uint16_t* points, float px, float py) {
    const bool dropLast = n >= 2 && points != nullptr && points[2 * n - 2] == points[0] && points[2 * n - 1] == points[1];
    return PointInPolygonT(n, points, px, py, dropLast, 1.0);
}

int PointInPolygonI32(int n, const int32_t* points, int32_t px, int32_t py) {
    const bool dropLast = n >= 2 && points != nullptr && points[2 * n - 2] == points[0] && points[2 * n - 1] == points[1];
    return PointInPolygonT(n, points, px, py, dropLast, 1.0);
}

int PointInView(float X, float Y) {
    return g_view.xMin <= X && X <= g_view.xMax && g_view.yMin <= Y && Y <= g_view.yMax ? 1 : 0;
}
