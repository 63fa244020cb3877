// Pure plane geometry on plan points, segments, polylines, polygons and boxes.
// Point lists are n consecutive (x, y) pairs. Arithmetic is done in double precision.
#pragma once

#include <cstdint>

// a*x + b*y + c = 0
struct Line {
    float a;
    float b;
    float c;
};

struct Segment {
    float x1;
    float y1;
    float x2;
    float y2;
};

// Well formed: left = least x, right = greatest x, top = greatest y, bottom = least y.
struct Box {
    float left;
    float top;
    float right;
    float bottom;
};

Line LineThroughPoints(float x1, float y1, float x2, float y2);
double EvalLine(double x, double y, const Line& line);
float DistanceToLine(float px, float py, const Line& line);
float DistanceToSegmentLine(float px, float py, const Segment& segment);
float Distance(float x1, float y1, float x2, float y2);
float PolylineLength(int n, const float* points);
float PolygonArea(int n, const float* points);
Box OrderedBox(float x1, float y1, float x2, float y2);
Box WidenBox(const Box& box, float t);
Box PolylineBox(int n, const float* points);
bool PointNearBox(float px, float py, const Box& box, float t);
bool BoxesOverlap(const Box& a, const Box& b, float t);
bool PointNearSegment(float px, float py, const Segment& segment, float t);
bool PointNearPolyline(float px, float py, int n, const float* points, float t);
bool SegmentsIntersect(const Segment& s1, const Segment& s2);
bool PolylineTouchesBox(int n, const float* points, const Box& box, float t);
// Even-odd point-in-polygon tests: 1 inside, 0 outside (also for n < 1).
int PointInPolygon(int n, const float* points, float px, float py);
int PointInPolygonU16(int n, const uint16_t* points, float px, float py);
int PointInPolygonI32(int n, const int32_t* points, int32_t px, int32_t py);
int PointInView(float X, float Y);
