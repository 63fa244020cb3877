#include "shell/paint.h"

#include "render/frame.h"
#include "render/styles.h"
#include "shell/interaction.h"
#include "shell/main_window.h"
#include "shell/small_windows.h"
#include "view/shared_state.h"
#include "shell/tool_routines.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

constexpr UINT_PTR kOverlayTimerId = 0;
constexpr UINT kOverlayMs = 2000;

void StartOverlayTimer() { g_overlayTimer = SetTimer(g_hwndMain, kOverlayTimerId, kOverlayMs, nullptr); }

// The overlays asked for by a search are drawn on the window only, after the frame was
// stored, so that the next plain repaint removes them.
void DrawRequestedOverlays() {
    if (g_partShown != nullptr) {
        if (g_toolRoutines.drawPartName != nullptr) g_toolRoutines.drawPartName(g_partShown);
        g_partShown = nullptr;
        StartOverlayTimer();
    }
    if (g_districtShown != nullptr) {
        if (g_toolRoutines.drawDistrictOutline != nullptr)
            g_toolRoutines.drawDistrictOutline(g_districtShown);
        g_districtShown = nullptr;
        StartOverlayTimer();
    }
}

bool PlanLoaded() { return g_areas != nullptr && g_zoom.zoomDepth >= 1; }

void RedrawMeasuredLine() {
    if (g_measureCount > 1 && g_measurePoints != nullptr) {
        SelectObject(g_hdc, g_fixed.black_pen);
        SelectObject(g_hdc, g_fixed.null_brush);
        int32_t sx = 0;
        int32_t sy = 0;
        PlanToScreen(g_measurePoints[0].x, g_measurePoints[0].y, &sx, &sy);
        MoveToEx(g_hdc, sx, sy, nullptr);
        for (int i = 0; i < g_measureCount; ++i) {
            PlanToScreen(g_measurePoints[i].x, g_measurePoints[i].y, &sx, &sy);
            LineTo(g_hdc, sx, sy);
            Ellipse(g_hdc, sx - 2, sy - 2, sx + 2, sy + 2);
        }
        g_rubberBand[0] = POINT{sx, sy};
        g_rubberBand[1] = POINT{sx, sy};
    }
    g_mouseMode = kMouseMeasuring;
    ShowShellCursor(measureCursor);
    SetROP2(g_hdc, R2_NOT);
}

}  // namespace

void PaintMainWindow() {
    SetCursor(waitCursor);
    ReleaseDC(g_hwndMain, g_hdc);
    PAINTSTRUCT ps;
    g_hdc = BeginPaint(g_hwndMain, &ps);
    SetBkMode(g_hdc, TRANSPARENT);
    if (IsWindow(g_objWindow)) ShowWindow(g_objWindow, SW_HIDE);

    if (g_needRedraw == 1) {
        SetROP2(g_hdc, R2_COPYPEN);
        const bool planLoaded = PlanLoaded();
        ComposeFrame();
        // The locator shows the plan this frame has just loaded.
        if (!planLoaded && PlanLoaded()) RenewLocatorPicture();
        // The stored frame keeps the caption and the edge that were drawn on the window.
        BitBlt(g_hdcMem, 0, 0, g_clientWidth, g_clientHeight, g_hdc, 0, 0, SRCCOPY);
        DrawRequestedOverlays();
    } else {
        BitBlt(g_hdc, 0, 0, g_clientWidth, g_clientHeight, g_hdcMem, 0, 0, SRCCOPY);
    }
    if ((g_selCount != 0 || g_shownStreet >= 0) && g_toolRoutines.drawSearchFlags != nullptr) {
        g_toolRoutines.drawSearchFlags();
    }

    SetBkMode(g_hdc, OPAQUE);
    if (IsWindow(g_objWindow)) ShowWindow(g_objWindow, SW_SHOW);
    EndPaint(g_hwndMain, &ps);
    g_hdc = GetDC(g_hwndMain);
    g_needRedraw = 0;

    if (IsWindow(g_measureWindow)) {
        RedrawMeasuredLine();
    } else {
        g_mouseMode = kMouseIdle;
        ShowShellCursor(arrowCursor);
    }
    if (g_paletteTool == kToolPan)
        ShowShellCursor(panCursor);
    else if (g_paletteTool == kToolZoomOutAtPoint)
        ShowShellCursor(zoomOutCursor);
    else if (g_paletteTool == kToolZoomRect)
        ShowShellCursor(zoomRectCursor);
    SetFocus(g_hwndMain);
}

void OnOverlayTimer() {
    if (g_overlayTimer == 0) return;
    KillTimer(g_hwndMain, g_overlayTimer);
    RequestRepaint();
    g_overlayTimer = 0;
}

void OnClientSizeChanged(int width, int height) {
    // Before start-up has made the frame, and while the window is minimised, there is nothing
    // to fit.
    if (g_hdcMem == nullptr || width <= 0 || height <= 0) return;
    if (width == g_clientWidth && height == g_clientHeight) return;
    HBITMAP frame = CreateCompatibleBitmap(g_hdc, width, height);
    if (frame == nullptr) return;
    SelectObject(g_hdcMem, frame);
    if (g_hbmMem != nullptr) DeleteObject(g_hbmMem);
    g_hbmMem = frame;
    g_clientRect = RECT{0, 0, width, height};
    g_clientWidth = width;
    g_clientHeight = height;
    // The next frame clips the map to a region of the new size.
    if (mapClipRegion != nullptr) DeleteObject(mapClipRegion);
    mapClipRegion = nullptr;
    RequestNewFrame();
}
