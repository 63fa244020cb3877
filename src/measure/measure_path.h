// The measured polyline without its window: the points, how a click becomes points (as
// clicked, or moved onto a street and following it), and the texts of the values. The
// measurement window and the plan-query tool both go through these routines.
#pragma once

#include <cstddef>
#include <cstdint>

#include "data/plan_types.h"
#include "data/store.h"
#include "platform/types.h"

constexpr int32_t kMeasureOnLines = 0;
constexpr int32_t kMeasureOnStreets = 1;

// Points are allocated in steps of this many.
constexpr int32_t kMeasurePointStep = 100;
constexpr int kMeasureTextSize = 36;
// Two road points closer than this in both directions make a junction between two streets.
constexpr float kJunctionReach = 3.0f;

extern int32_t g_measureMode;
extern int32_t g_measureCapacity;
// The street line the last snapped click lies on, and the segment of it (segment i joins
// points i and i + 1).
extern const LineRec* g_measureRoad;
extern int32_t g_measureSegment;
extern char g_measureText[kMeasureTextSize];

// Allocation and growth of the point array (realloc), replaceable by tests to make it fail;
// the array is released with free.
using MeasureRealloc = void* (*)(void* block, size_t bytes);
void SetMeasureRealloc(MeasureRealloc allocate);

// A fresh, empty polyline of the mode with room for kMeasurePointStep points. False, with
// nothing allocated, when the room cannot be had.
bool OpenMeasurePoints(int32_t mode);
// Frees the points; the polyline becomes empty and follows no road.
void CloseMeasurePoints();
// Empties the polyline, keeping its room.
void ClearMeasurePoints();

// Moves the point onto the nearest street line within 2 * detailLevel / scale metres, searched
// from the street sweep cursor; *segment becomes the segment it lies on. Null, with the point
// and segment unchanged, when no street is that close.
const LineRec* SnapToRoad(PlanPoint* point, int32_t* segment);

// Appends (X, Y) and draws it on g_hdc: a line from the previous point and a small circle;
// the point's pixel becomes the rubber band's anchor rb[0]. False when the array could not
// grow: the points are then freed (the caller ends the measurement).
bool AddMeasurePoint(float X, float Y, POINT* rb);

enum class MeasureStep {
    kAdded,           // the click and whatever the street path needed were added
    kAddedOffStreet,  // on streets, no street was near: the point was taken as clicked
    kOutOfRoom,       // the array could not grow; the points are freed
};
// One click at the plan point (X, Y) in the current mode.
MeasureStep MeasureClickAt(float X, float Y, POINT* rb);

// The texts of the values in the units of the current detail level: lengths in metres above
// level 1, else kilometres (the current length with three decimals, the total with one);
// areas in square metres above level 2, else hectares.
void FormatCurrentLength(char* out, double metres);
void FormatTotalLength(char* out, double metres);
void FormatArea(char* out, double squareMetres);
// Cursor minus last point: the easting difference first.
void FormatRelative(char* out, double dX, double dY);

// Length and area of the polyline as measured (the polygon closes back to the first point).
double MeasuredLength();
double MeasuredArea();
