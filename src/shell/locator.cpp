// The locator: the picture of the whole plan with the current view framed on it, laid on the
// window while the slash key is held.
#include <cmath>

#include "platform/gdi.h"
#include "render/locator_picture.h"
#include "render/styles.h"
#include "resources/resources.h"
#include "shell/main_window.h"
#include "shell/small_windows.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

HBITMAP g_locatorPicture = nullptr;

// The picture's corner lies this far inside the plan's corner.
constexpr int kLocatorInset = 14;
// A view framed narrower than this gets the marker icon beside it.
constexpr int kMarkerBelow = 20;
constexpr int kMarkerDx = -34;
constexpr int kMarkerDy = -12;

// Truncation towards zero of a pixel position, kept within the drawing range.
int ToPixel(double v) {
    if (std::isnan(v)) return -32000;
    if (v > 32000.0) return 32000;
    if (v < -32000.0) return -32000;
    return static_cast<int>(v);
}

}  // namespace

LocatorMark LocatorMarkOf(int vpLeft, int vpTop, float exMin, float eyMin, float exMax, float vxMin, float vyMin,
                          float vxMax, float vyMax) {
    const double k = (static_cast<double>(exMax) - exMin) * kLocatorMetresPerPixelFactor;
    LocatorMark mark{};
    if (!(k > 0.0)) return mark;
    const double mapLeft = vpLeft + kLocatorInset + kLocatorMapLeft;
    const double mapTop = vpTop + kLocatorInset + kLocatorMapTop;
    mark.left = ToPixel((vyMin - static_cast<double>(eyMin)) / k + mapLeft);
    mark.right = ToPixel((vyMax - static_cast<double>(eyMin)) / k + mapLeft);
    mark.top = ToPixel(kLocatorHeight - (vxMax - static_cast<double>(exMin)) / k + mapTop);
    mark.bottom = ToPixel(kLocatorHeight - (vxMin - static_cast<double>(exMin)) / k + mapTop);
    mark.marker = mark.right - mark.left < kMarkerBelow;
    return mark;
}

void DrawLocator() {
    const int x0 = g_view.vpLeft + kLocatorInset;
    const int y0 = g_view.vpTop + kLocatorInset;
    RECT frame{x0 - 1, y0 - 1, x0 + kLocatorWidth + 2, y0 + kLocatorHeight + 2};
    FillRect(g_hdc, &frame, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(g_hdc, &frame, EDGE_RAISED, BF_RECT);

    if (g_locatorPicture != nullptr) {
        HDC picture = CreateCompatibleDC(g_hdc);
        if (picture != nullptr) {
            HGDIOBJ previous = SelectObject(picture, g_locatorPicture);
            BitBlt(g_hdc, x0, y0, kLocatorWidth, kLocatorHeight, picture, 0, 0, SRCCOPY);
            SelectObject(picture, previous);
            DeleteDC(picture);
        }
    }

    if (g_zoom.zoomDepth < 1) return;
    const ViewRect& E = g_zoom.entries[1];
    const LocatorMark mark = LocatorMarkOf(g_view.vpLeft, g_view.vpTop, E.xMin, E.yMin, E.xMax, g_view.xMin,
                                           g_view.yMin, g_view.xMax, g_view.yMax);
    SelectObject(g_hdc, g_fixed.null_brush);
    SelectObject(g_hdc, g_style.pen_road_edge_0);
    Rectangle(g_hdc, mark.left, mark.top, mark.right, mark.bottom);
    SelectObject(g_hdc, g_style.pen_red);
    Rectangle(g_hdc, mark.left, mark.top, mark.right, mark.bottom);
    if (mark.marker) {
        HICON icon = LoadIconA(g_hInstance, MAKEINTRESOURCEA(IDI_LOCATOR_MARK));
        if (icon != nullptr)
            DrawIcon(g_hdc, mark.left + kMarkerDx, (mark.top + mark.bottom) / 2 + kMarkerDy, icon);
    }
}

void RenewLocatorPicture() {
    ReleaseLocatorPicture();
    g_locatorPicture = DrawLocatorPicture();
}

void ReleaseLocatorPicture() {
    if (g_locatorPicture != nullptr) DeleteObject(g_locatorPicture);
    g_locatorPicture = nullptr;
}
