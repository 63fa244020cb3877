#include "measure/measure_path.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/gdi.h"
#include "render/frame.h"
#include "render/styles.h"
#include "view/geometry.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

int32_t g_measureMode = kMeasureOnLines;
int32_t g_measureCapacity = 0;
const LineRec* g_measureRoad = nullptr;
int32_t g_measureSegment = 0;
char g_measureText[kMeasureTextSize] = {};

namespace {

// Far beyond any polyline a hand could click, and well inside what sizes can count.
constexpr int32_t kMeasureCapacityLimit = 1 << 24;

void* PlainRealloc(void* block, size_t bytes) { return realloc(block, bytes); }

MeasureRealloc g_measureRealloc = PlainRealloc;

// Metres on the plan per metre shown, and the unit words (Windows-1251).
constexpr double kKilometre = 0.001;
constexpr double kHectare = 0.0001;
constexpr const char* kMetres = "\xEC";                 // м
constexpr const char* kKilometres = "\xEA\xEC";         // км
constexpr const char* kSquareMetres = "\xEA\xE2.\xEC";  // кв.м
constexpr const char* kHectares = "\xE3\xE0";           // га

const float* Coords(const LineRec& rec) { return reinterpret_cast<const float*>(rec.pts); }
const float* MeasuredCoords() { return reinterpret_cast<const float*>(g_measurePoints); }

bool UsableLine(const LineRec& rec) { return rec.pts != nullptr && rec.count >= 2; }

// Room for one more point with a free slot after it, which keeps the cursor's point.
bool MakeRoomForPoint() {
    if (g_measurePoints != nullptr && g_measureCount + 1 < g_measureCapacity) return true;
    if (g_measurePoints == nullptr || g_measureCapacity + kMeasurePointStep > kMeasureCapacityLimit) {
        CloseMeasurePoints();
        return false;
    }
    const int32_t grown = g_measureCapacity + kMeasurePointStep;
    void* fresh = g_measureRealloc(g_measurePoints, static_cast<size_t>(grown) * sizeof(PlanPoint));
    if (fresh == nullptr) {
        // The old block is still ours and still holds the polyline: it goes with the measurement.
        CloseMeasurePoints();
        return false;
    }
    g_measurePoints = static_cast<PlanPoint*>(fresh);
    g_measureCapacity = grown;
    return true;
}

// Adds the road's points first..last, counting up or down, each as a measured point.
bool AddRoadPoints(const LineRec& road, int32_t first, int32_t last, POINT* rb) {
    const int32_t step = first <= last ? 1 : -1;
    for (int32_t i = first;; i += step) {
        if (i >= 0 && i < road.count && !AddMeasurePoint(road.pts[i].x, road.pts[i].y, rb)) return false;
        if (i == last) return true;
    }
}

// From the previous click's segment p to the new click's segment s along one road.
bool FollowRoad(const LineRec& road, int32_t p, int32_t s, POINT* rb) {
    if (s > p) return AddRoadPoints(road, p + 1, s, rb);
    if (s < p) return AddRoadPoints(road, p, s + 1, rb);
    return true;
}

bool BoxesWithinReach(const BBox& a, const BBox& b) {
    return a.xMin - kJunctionReach < b.xMax && b.xMin - kJunctionReach < a.xMax &&
           a.yMin - kJunctionReach < b.yMax && b.yMin - kJunctionReach < a.yMax;
}

// The first pair of points, j on `from` and k on `to`, closer than the junction reach in both
// directions. False when the streets do not meet.
bool FindJunction(const LineRec& from, const LineRec& to, int32_t* j, int32_t* k) {
    // Streets whose boxes lie apart cannot meet; this spares the point-by-point search.
    if (!BoxesWithinReach(from.box, to.box)) return false;
    for (int32_t a = 0; a < from.count; ++a) {
        for (int32_t b = 0; b < to.count; ++b) {
            if (std::fabs(from.pts[a].x - to.pts[b].x) < kJunctionReach &&
                std::fabs(from.pts[a].y - to.pts[b].y) < kJunctionReach) {
                *j = a;
                *k = b;
                return true;
            }
        }
    }
    return false;
}

// Along the previous road to the junction, then along the new road to the click's segment.
bool TurnAtJunction(const LineRec& previous, int32_t p, int32_t j, const LineRec& road, int32_t k, int32_t s,
                    POINT* rb) {
    const bool alongPrevious =
        p < j ? AddRoadPoints(previous, p + 1, j, rb) : AddRoadPoints(previous, p, j, rb);
    if (!alongPrevious) return false;
    if (k > s) return AddRoadPoints(road, k, s + 1, rb);
    if (k < s) return AddRoadPoints(road, k, s, rb);
    return true;
}

bool OnStreetClick(float X, float Y, POINT* rb, bool* offStreet) {
    PlanPoint snapped{X, Y};
    int32_t s = 0;
    const LineRec* road = SnapToRoad(&snapped, &s);
    if (road == nullptr) {
        *offStreet = true;
        g_measureRoad = nullptr;
        g_measureSegment = 0;
        return AddMeasurePoint(X, Y, rb);
    }
    const LineRec* previous = g_measureRoad;
    const int32_t p = g_measureSegment;
    bool ok = true;
    // The same record, not merely a line of the same street: two pieces of one street are
    // different lines, and following one by the other's point numbers would wander off.
    if (previous == road) {
        ok = FollowRoad(*road, p, s, rb);
    } else if (previous != nullptr) {
        int32_t j = 0;
        int32_t k = 0;
        if (FindJunction(*previous, *road, &j, &k)) ok = TurnAtJunction(*previous, p, j, *road, k, s, rb);
    }
    if (!ok || !AddMeasurePoint(snapped.x, snapped.y, rb)) return false;
    g_measureRoad = road;
    g_measureSegment = s;
    return true;
}

void FormatValue(char* out, double value, const char* format, const char* unit) {
    snprintf(out, kMeasureTextSize, format, value, unit);
}

}  // namespace

void SetMeasureRealloc(MeasureRealloc allocate) {
    g_measureRealloc = allocate != nullptr ? allocate : PlainRealloc;
}

bool OpenMeasurePoints(int32_t mode) {
    CloseMeasurePoints();
    g_measureMode = mode;
    void* block = g_measureRealloc(nullptr, static_cast<size_t>(kMeasurePointStep) * sizeof(PlanPoint));
    if (block == nullptr) return false;
    g_measurePoints = static_cast<PlanPoint*>(block);
    g_measureCapacity = kMeasurePointStep;
    g_measureText[0] = '\0';
    return true;
}

void CloseMeasurePoints() {
    free(g_measurePoints);
    g_measurePoints = nullptr;
    g_measureCapacity = 0;
    ClearMeasurePoints();
}

void ClearMeasurePoints() {
    g_measureCount = 0;
    g_measureRoad = nullptr;
    g_measureSegment = 0;
}

const LineRec* SnapToRoad(PlanPoint* point, int32_t* segment) {
    const double scale = g_view.scale;
    if (point == nullptr || g_street_lines == nullptr || !(scale > 0.0)) return nullptr;
    const float t = static_cast<float>(2.0 * g_view.detailLevel / scale);
    // Without a tolerance nothing snaps (the whole-city scales).
    if (!(t > 0.0f)) return nullptr;
    const float X = point->x;
    const float Y = point->y;

    const LineRec* road = nullptr;
    for (int32_t i = streetLineCursor < 0 ? 0 : streetLineCursor; i < g_street_line_count; ++i) {
        const LineRec& rec = g_street_lines[i];
        if (!UsableLine(rec)) continue;
        // The box is widened by the tolerance: a straight east-west or north-south street has a
        // box of no height or width, which a click beside it would never lie in.
        const Box box = OrderedBox(rec.box.xMin, rec.box.yMin, rec.box.xMax, rec.box.yMax);
        if (!PointNearBox(X, Y, box, t)) continue;
        if (PointNearPolyline(X, Y, rec.count, Coords(rec), t)) {
            road = &rec;
            break;
        }
    }
    if (road == nullptr) return nullptr;

    for (int32_t i = 0; i + 1 < road->count; ++i) {
        const PlanPoint& p1 = road->pts[i];
        const PlanPoint& p2 = road->pts[i + 1];
        if (!PointNearSegment(X, Y, Segment{p1.x, p1.y, p2.x, p2.y}, t)) continue;
        const double a = static_cast<double>(p1.y) - p2.y;
        const double b = static_cast<double>(p2.x) - p1.x;
        const double c =
            (static_cast<double>(p1.x) - p2.x) * p1.y + (static_cast<double>(p2.y) - p1.y) * p1.x;
        const double norm2 = a * a + b * b;
        if (norm2 == 0.0) continue;
        const double footX = (b * b * X - a * b * Y - a * c) / norm2;
        const double footY = (a * a * Y - a * b * X - b * c) / norm2;
        const float fx = static_cast<float>(footX);
        const float fy = static_cast<float>(footY);
        const Box segmentBox = OrderedBox(p1.x, p1.y, p2.x, p2.y);
        if (fx < segmentBox.left || fx > segmentBox.right || fy < segmentBox.bottom || fy > segmentBox.top)
            continue;
        point->x = fx;
        point->y = fy;
        *segment = i;
        return road;
    }
    return nullptr;
}

bool AddMeasurePoint(float X, float Y, POINT* rb) {
    if (!MakeRoomForPoint()) return false;
    int32_t sx = 0;
    int32_t sy = 0;
    PlanToScreen(X, Y, &sx, &sy);
    g_measurePoints[g_measureCount] = PlanPoint{X, Y};
    SelectObject(g_hdc, g_fixed.black_pen);
    SelectObject(g_hdc, g_fixed.white_brush);
    SetROP2(g_hdc, R2_NOT);
    if (g_measureCount > 0) {
        POINT segment[2];
        const PlanPoint& previous = g_measurePoints[g_measureCount - 1];
        PlanToScreen(previous.x, previous.y, &segment[0].x, &segment[0].y);
        segment[1] = POINT{sx, sy};
        Polyline(g_hdc, segment, 2);
    }
    Ellipse(g_hdc, sx - 2, sy - 2, sx + 2, sy + 2);
    if (rb != nullptr) rb[0] = POINT{sx, sy};
    ++g_measureCount;
    return true;
}

MeasureStep MeasureClickAt(float X, float Y, POINT* rb) {
    bool offStreet = false;
    bool added;
    if (g_measureMode == kMeasureOnStreets) {
        added = OnStreetClick(X, Y, rb, &offStreet);
    } else {
        added = AddMeasurePoint(X, Y, rb);
    }
    if (!added) return MeasureStep::kOutOfRoom;
    return offStreet ? MeasureStep::kAddedOffStreet : MeasureStep::kAdded;
}

void FormatCurrentLength(char* out, double metres) {
    if (g_view.detailLevel > 1)
        FormatValue(out, metres, " %.1f %s", kMetres);
    else
        FormatValue(out, metres * kKilometre, " %.3f %s", kKilometres);
}

void FormatTotalLength(char* out, double metres) {
    if (g_view.detailLevel > 1)
        FormatValue(out, metres, " %.1f %s", kMetres);
    else
        FormatValue(out, metres * kKilometre, " %.1f %s", kKilometres);
}

void FormatArea(char* out, double squareMetres) {
    if (g_view.detailLevel > 2)
        FormatValue(out, squareMetres, " %.1f %s", kSquareMetres);
    else
        FormatValue(out, squareMetres * kHectare, " %.1f %s", kHectares);
}

void FormatRelative(char* out, double dX, double dY) {
    snprintf(out, kMeasureTextSize, "%.1f, %.1f", dY, dX);
}

double MeasuredLength() {
    if (g_measurePoints == nullptr) return 0.0;
    return PolylineLength(g_measureCount, MeasuredCoords());
}

double MeasuredArea() {
    if (g_measurePoints == nullptr) return 0.0;
    return PolygonArea(g_measureCount, MeasuredCoords());
}
