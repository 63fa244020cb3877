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

// Physical width in millimetres of the device behind a context. The platform installs the real
// query; tests install a fixed one. Without one, 96 pixels per inch of the client width is assumed.
using DeviceWidthMmQuery = int (*)(HDC);
void SetDeviceWidthMmQuery(DeviceWidthMmQuery query);

void UpdateScreenMetrics();
void FitViewToRect(float x1, float y1, float x2, float y2);
void ScreenToPlan(int32_t sx, int32_t sy, float* X, float* Y);
void PlanToScreen(float X, float Y, int32_t* sx, int32_t* sy);
int PlanPointsToScreen(int n, const float* points, POINT* out);      // n (x, y) pairs
int PackedPointsToScreen(int n, const uint16_t* points, POINT* out);  // n (x, y) pairs
int PushViewRect(float x1, float y1, float x2, float y2);
int RectInView(float x1, float y1, float x2, float y2);
int RectsOverlap(float ax1, float ay1, float ax2, float ay2, float bx1, float by1, float bx2, float by2);
int PointInRect(float px, float py, float x1, float y1, float x2, float y2);
int ScaleDenominator();
