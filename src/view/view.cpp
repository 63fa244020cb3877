// The one view of the plan, the zoom stack and the transforms between plan metres and pixels.
#include "view/view.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>

#include "view/surface.h"

ViewState g_view;
ZoomStack g_zoom;

namespace {

DeviceWidthMmQuery g_deviceWidthMmQuery = nullptr;
DeviceWidthMmQuery g_deviceWidthPxQuery = nullptr;

// Millimetres of the drawing area `width` pixels wide on the device of g_hdc.
double DrawingAreaWidthMm(double width) {
    if (g_deviceWidthMmQuery == nullptr) return width * 25.4 / 96.0;
    const double deviceMm = g_deviceWidthMmQuery(g_hdc);
    if (g_deviceWidthPxQuery == nullptr) return deviceMm;
    const double devicePx = g_deviceWidthPxQuery(g_hdc);
    // A device that does not tell its pixels leaves no millimetres per pixel: no metric.
    if (!(devicePx > 0.0)) return 0.0;
    return deviceMm / devicePx * width;
}

// Entries below this size would need more than 50 mm of screen per metre of plan on any
// ordinary screen, so every pushed view is at least this wide and high.
constexpr double kMinViewSide = 16.0;

// No coordinate handed to the drawing calls leaves this range.
constexpr double kScreenLimit = 32000.0;

// Stores a double in a float field without leaving the float range (out-of-range
// conversions are undefined); NaN stays NaN.
float ToFloat(double v) {
    if (v > FLT_MAX) return FLT_MAX;
    if (v < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(v);
}

// Truncates towards zero after clamping into the screen range; NaN lands off screen.
int32_t ToScreen(double v) {
    if (std::isnan(v)) return static_cast<int32_t>(-kScreenLimit);
    if (v > kScreenLimit) v = kScreenLimit;
    if (v < -kScreenLimit) v = -kScreenLimit;
    return static_cast<int32_t>(v);
}

void MapPoint(double X, double Y, int32_t* sx, int32_t* sy) {
    *sx = ToScreen((Y - g_view.yMin) * g_view.scale * g_view.pxPerMmX + 0.5 + g_view.vpLeft);
    *sy = ToScreen(g_view.vpBottom - ((X - g_view.xMin) * g_view.scale * g_view.pxPerMmY + 0.5));
}

// Appends p to out unless it repeats the last point written; returns the new count.
int AppendDistinct(POINT* out, int count, int32_t sx, int32_t sy) {
    if (count > 0 && out[count - 1].x == sx && out[count - 1].y == sy) return count;
    out[count].x = sx;
    out[count].y = sy;
    return count + 1;
}

// Keeps a fitted axis [lo, hi] inside [eLo, eHi] without changing its length, low edge first.
void ClampAxisLowFirst(float* lo, float* hi, double eLo, double eHi) {
    double w = static_cast<double>(*hi) - *lo;
    if (*lo < eLo) {
        *lo = ToFloat(eLo);
        *hi = ToFloat(eLo + w);
    }
    if (*hi > eHi) {
        *hi = ToFloat(eHi);
        *lo = ToFloat(eHi - w);
    }
}

// The same for a pushed rectangle, high edge first.
void ClampAxisHighFirst(double* lo, double* hi, double w, double eLo, double eHi) {
    if (*hi > eHi) {
        *hi = eHi;
        *lo = *hi - w;
    }
    if (*lo < eLo) {
        *lo = eLo;
        *hi = *lo + w;
    }
}

// The rounded denominator: the nearest whole multiple of 10 (halves rounded up).
double RoundedDenominator(double s) { return std::trunc((1000.0 / s + 5.0) * 0.1) * 10.0; }

float Lower(float a, float b) { return a <= b ? a : b; }
float Higher(float a, float b) { return a >= b ? a : b; }

}  // namespace

uint16_t DetailLevelOf(double scale) {
    if (scale < 0.1) return 0;
    if (scale < 0.25) return 1;
    if (scale < 0.5) return 2;
    if (scale < 1.0) return 3;
    if (scale < 2.2) return 4;
    return 5;
}

void SetDeviceWidthMmQuery(DeviceWidthMmQuery widthMm, DeviceWidthMmQuery widthPx) {
    g_deviceWidthMmQuery = widthMm;
    g_deviceWidthPxQuery = widthPx;
}

void UpdateScreenMetrics() {
    const RECT& r = g_clientRect;
    g_view.vpRight = static_cast<int16_t>(r.right & 0xFFFF);
    g_view.vpBottom = static_cast<int16_t>(r.bottom & 0xFFFF);
    g_view.vpLeft = 0;
    g_view.vpTop = 0;
    const double width = static_cast<double>(r.right) - r.left;
    const double height = static_cast<double>(r.bottom) - r.top;
    const double widthMm = DrawingAreaWidthMm(width);
    g_view.screenWidthMm = ToFloat(widthMm);
    // An empty client area or a device without a physical size leaves no metric to derive:
    // zeros make FitViewToRect keep the previous view instead of dividing by zero.
    if (width <= 0.0 || !(widthMm > 0.0)) {
        g_view.screenHeightMm = 0.0f;
        g_view.pxPerMmX = 0.0f;
        g_view.pxPerMmY = 0.0f;
        return;
    }
    g_view.screenHeightMm = ToFloat(height * g_view.screenWidthMm / width);
    g_view.pxPerMmX = ToFloat((g_view.vpRight - g_view.vpLeft) / static_cast<double>(g_view.screenWidthMm));
    if (g_view.screenHeightMm > 0.0f)
        g_view.pxPerMmY = ToFloat((g_view.vpBottom - g_view.vpTop) / static_cast<double>(g_view.screenHeightMm));
    else
        g_view.pxPerMmY = 0.0f;
}

void FitViewToRect(float x1, float y1, float x2, float y2) {
    const double dX = static_cast<double>(x2) - x1;
    const double dY = static_cast<double>(y2) - y1;
    const double wMm = g_view.screenWidthMm;
    const double hMm = g_view.screenHeightMm;
    // A degenerate rectangle or screen has no scale to fit; the previous view stays.
    if (!(dX > 0.0) || !(dY > 0.0) || !std::isfinite(dX) || !std::isfinite(dY)) return;
    if (!(wMm > 0.0) || !(hMm > 0.0) || !std::isfinite(wMm) || !std::isfinite(hMm)) return;

    // Before the map extent is known there is nothing to clamp against.
    const bool clamp = g_zoom.zoomDepth >= 1;
    const ViewRect& E = g_zoom.entries[1];
    double scale;
    if (wMm / hMm > dY / dX) {
        // The screen is relatively wider than the rectangle: its height decides.
        const double s = hMm / dX;
        if (s >= 50.0) return;
        scale = 1000.0 / RoundedDenominator(s);
        g_view.xMin = x1;
        g_view.xMax = ToFloat(x1 + hMm / scale);
        const double cy = (static_cast<double>(y1) + y2) * 0.5;
        const double half = wMm / scale * 0.5;
        g_view.yMin = ToFloat(cy - half);
        g_view.yMax = ToFloat(cy + half);
        if (clamp) ClampAxisLowFirst(&g_view.yMin, &g_view.yMax, E.yMin, E.yMax);
    } else {
        const double s = wMm / dY;
        if (s >= 50.0) return;
        scale = 1000.0 / RoundedDenominator(s);
        g_view.yMin = y1;
        g_view.yMax = ToFloat(y1 + wMm / scale);
        const double cx = (static_cast<double>(x1) + x2) * 0.5;
        const double half = hMm / scale * 0.5;
        g_view.xMin = ToFloat(cx - half);
        g_view.xMax = ToFloat(cx + half);
        if (clamp) ClampAxisLowFirst(&g_view.xMin, &g_view.xMax, E.xMin, E.xMax);
    }
    g_view.scale = scale;
    g_view.detailLevel = DetailLevelOf(scale);
}

void ScreenToPlan(int32_t sx, int32_t sy, float* X, float* Y) {
    // Without a fitted view there is no scale to divide by: every pixel is the view's corner.
    const bool fittedX = g_view.pxPerMmX != 0.0f && g_view.scale != 0.0;
    const bool fittedY = g_view.pxPerMmY != 0.0f && g_view.scale != 0.0;
    const double dy = fittedX ? (static_cast<double>(sx) - g_view.vpLeft) / g_view.pxPerMmX / g_view.scale : 0.0;
    const double dx = fittedY ? (static_cast<double>(g_view.vpBottom) - sy) / g_view.pxPerMmY / g_view.scale : 0.0;
    if (Y != nullptr) *Y = ToFloat(dy + g_view.yMin);
    if (X != nullptr) *X = ToFloat(dx + g_view.xMin);
}

void PlanToScreen(float X, float Y, int32_t* sx, int32_t* sy) {
    int32_t px;
    int32_t py;
    MapPoint(X, Y, &px, &py);
    if (sx != nullptr) *sx = px;
    if (sy != nullptr) *sy = py;
}

int PlanPointsToScreen(int n, const float* points, POINT* out) {
    if (n < 1 || points == nullptr || out == nullptr) return 0;
    int count = 0;
    for (int i = 0; i < n; ++i) {
        int32_t sx;
        int32_t sy;
        MapPoint(points[2 * i], points[2 * i + 1], &sx, &sy);
        count = AppendDistinct(out, count, sx, sy);
    }
    return count;
}

int PackedPointsToScreen(int n, const uint16_t* points, POINT* out) {
    if (n < 1 || points == nullptr || out == nullptr) return 0;
    int count = 0;
    for (int i = 0; i < n; ++i) {
        int32_t sx;
        int32_t sy;
        MapPoint(points[2 * i], points[2 * i + 1], &sx, &sy);
        count = AppendDistinct(out, count, sx, sy);
    }
    return count;
}

int PushViewRect(float x1, float y1, float x2, float y2) {
    // A rectangle with a non-finite edge cannot be shown; keep the history clean of it.
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) return 0;
    if (g_zoom.zoomDepth > kZoomStackSize) g_zoom.zoomDepth = kZoomStackSize;
    if (g_zoom.zoomDepth == 0) {
        g_zoom.entries[1] = ViewRect{x1, y1, x2, y2};
        g_zoom.zoomDepth = 1;
        return 1;
    }
    double ax1 = x1;
    double ay1 = y1;
    double ax2 = x2;
    double ay2 = y2;
    if (ax2 - ax1 < kMinViewSide || ay2 - ay1 < kMinViewSide) {
        const double cx = (ax1 + ax2) / 2.0;
        const double cy = (ay1 + ay2) / 2.0;
        const double half = kMinViewSide / 2.0;
        ax1 = cx - half;
        ay1 = cy - half;
        ax2 = cx + half;
        ay2 = cy + half;
    }
    const ViewRect& E = g_zoom.entries[1];
    const double w = ax2 - ax1;
    const double h = ay2 - ay1;
    if (w > static_cast<double>(E.xMax) - E.xMin || h > static_cast<double>(E.yMax) - E.yMin) return 0;
    ClampAxisHighFirst(&ax1, &ax2, w, E.xMin, E.xMax);
    ClampAxisHighFirst(&ay1, &ay2, h, E.yMin, E.yMax);

    // Only an accepted rectangle may cost history: at a full stack the ten oldest navigation
    // entries above the whole city make room.
    if (g_zoom.zoomDepth >= kZoomStackSize) {
        const int moved = g_zoom.zoomDepth - 11;
        std::memmove(&g_zoom.entries[2], &g_zoom.entries[12], sizeof(ViewRect) * moved);
        g_zoom.zoomDepth = static_cast<uint16_t>(g_zoom.zoomDepth - 10);
    }
    g_zoom.zoomDepth = static_cast<uint16_t>(g_zoom.zoomDepth + 1);
    g_zoom.entries[g_zoom.zoomDepth] = ViewRect{ToFloat(ax1), ToFloat(ay1), ToFloat(ax2), ToFloat(ay2)};
    return 1;
}

int RectInView(float x1, float y1, float x2, float y2) {
    return RectsOverlap(x1, y1, x2, y2, g_view.xMin, g_view.yMin, g_view.xMax, g_view.yMax);
}

int RectsOverlap(float ax1, float ay1, float ax2, float ay2, float bx1, float by1, float bx2, float by2) {
    // Closed intervals on both axes: boxes that only touch overlap, and so do boxes that
    // cross like a plus sign without holding a corner of each other.
    // A box with a NaN edge is nowhere.
    if (std::isnan(ax1) || std::isnan(ay1) || std::isnan(ax2) || std::isnan(ay2)) return 0;
    if (std::isnan(bx1) || std::isnan(by1) || std::isnan(bx2) || std::isnan(by2)) return 0;
    const float aXLo = Lower(ax1, ax2), aXHi = Higher(ax1, ax2);
    const float aYLo = Lower(ay1, ay2), aYHi = Higher(ay1, ay2);
    const float bXLo = Lower(bx1, bx2), bXHi = Higher(bx1, bx2);
    const float bYLo = Lower(by1, by2), bYHi = Higher(by1, by2);
    return aXLo <= bXHi && bXLo <= aXHi && aYLo <= bYHi && bYLo <= aYHi ? 1 : 0;
}

int PointInRect(float px, float py, float x1, float y1, float x2, float y2) {
    return x1 <= px && px <= x2 && y1 <= py && py <= y2 ? 1 : 0;
}

int ScaleDenominator() {
    if (!(g_view.scale > 0.0)) return 0;
    const double n = 1000.0 / g_view.scale;
    // Rounded, not truncated: scale is itself 1000 / N, and the quotient may fall just short of N.
    if (!(n < static_cast<double>(INT_MAX))) return INT_MAX;
    return static_cast<int>(std::lround(n));
}
