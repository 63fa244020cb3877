// The one view of the plan, the zoom stack and the transforms between plan metres and pixels.
#pragma once

#include <cstdint>

#include "platform/types.h"

struct ViewState {
    uint16_t detailLevel;  // 0..5, from scale
    int16_t vpRight;
    int16_t vpBottom;
    int16_t vpLeft;
    int16_t vpTop;
    float pxPerMmX;
    float pxPerMmY;
    float xMin;  // northing at the bottom edge
    float yMin;  // easting at the left edge
    float xMax;  // northing at the top edge
    float yMax;  // easting at the right edge
    float screenWidthMm;
    float screenHeightMm;
    double scale;  // screen millimetres per plan metre
};

struct ViewRect {
    float xMin;
    float yMin;
    float xMax;
    float yMax;
};

constexpr int kZoomStackSize = 99;

struct ZoomStack {
    uint16_t zoomDepth;                     // index of the top entry; 0 before any map is loaded
    ViewRect entries[kZoomStackSize + 1];  // entries 1..99; entry 1 is the whole map
};

extern ViewState g_view;
extern ZoomStack g_zoom;

// Physical width in millimetres of the device behind a context, and its width in pixels. The
// platform installs the real queries; tests install fixed ones. Without a pixel query the
// millimetres are those of the client area itself; without either, 96 pixels per inch of the
// client width is assumed.
using DeviceWidthMmQuery = int (*)(HDC);
void SetDeviceWidthMmQuery(DeviceWidthMmQuery widthMm, DeviceWidthMmQuery widthPx = nullptr);

// Detail level 0..5 of a scale in millimetres per plan metre, on the screen as on paper.
uint16_t DetailLevelOf(double scale);

// Viewport and physical size from g_clientRect and the device of g_hdc: the drawing area is as
// many millimetres wide as its pixels cover on the device, whatever the window's size.
void UpdateScreenMetrics();
// Fits the view to a plan rectangle at a denominator rounded to a multiple of 10, clamped into
// the whole map; keeps the previous view for a rectangle needing 50 mm per metre or more, an
// empty rectangle or a screen without metrics.
void FitViewToRect(float x1, float y1, float x2, float y2);
void ScreenToPlan(int32_t sx, int32_t sy, float* X, float* Y);
// Pixels are clamped to -32000..32000 (a NaN point lands at -32000).
void PlanToScreen(float X, float Y, int32_t* sx, int32_t* sy);
// Both convert n (x, y) pairs, drop points repeating the previous pixel and return the number
// written; `out` must hold n points.
int PlanPointsToScreen(int n, const float* points, POINT* out);
int PackedPointsToScreen(int n, const uint16_t* points, POINT* out);
// 1 when pushed; 0 when refused (larger than the whole map, or not finite), stack unchanged.
int PushViewRect(float x1, float y1, float x2, float y2);
// 1 when the box touches the current view (borders count).
int RectInView(float x1, float y1, float x2, float y2);
// 1 when the two rectangles share at least one point (borders count).
int RectsOverlap(float ax1, float ay1, float ax2, float ay2, float bx1, float by1, float bx2, float by2);
int PointInRect(float px, float py, float x1, float y1, float x2, float y2);
// 1000 / scale rounded to the nearest integer, for the caption "Scale 1:%d"; 0 without a scale.
int ScaleDenominator();
