#include "shell/navigation.h"

#include <algorithm>
#include <cstdlib>

#include "render/overview.h"
#include "render/styles.h"
#include "shell/interaction.h"
#include "shell/main_window.h"
#include "view/shared_state.h"
#include "shell/tool_routines.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

constexpr WPARAM kLeftWithControl = MK_LBUTTON | MK_CONTROL;
constexpr WPARAM kLeftWithShift = MK_LBUTTON | MK_SHIFT;
constexpr WPARAM kRightWithControl = MK_RBUTTON | MK_CONTROL;
// A drag of this many pixels or less changes nothing.
constexpr int kDragSlop = 5;
// The zoom rectangle runs to this many pixels right of and below the cursor.
constexpr int kRectReach = 6;

constexpr float kZoomInTwice = 0.25f;
constexpr float kZoomInThrice = 0.33333334f;
constexpr float kZoomOutStep = 0.2f;
constexpr float kZoomOutThrice = 1.0f;
constexpr float kZoomOutAtPoint = 0.75f;

bool MapShown() { return g_zoom.zoomDepth >= 1; }
bool OnOverview() { return g_zoom.zoomDepth < 2; }

// Mouse positions are two unsigned 16-bit halves.
int MouseX(LPARAM position) { return LOWORD(static_cast<uintptr_t>(position)); }
int MouseY(LPARAM position) { return HIWORD(static_cast<uintptr_t>(position)); }

const ViewRect& WholeMap() { return g_zoom.entries[1]; }
float ViewHeight() { return g_view.xMax - g_view.xMin; }
float ViewWidth() { return g_view.yMax - g_view.yMin; }

void Beep() { MessageBeep(MB_ICONEXCLAMATION); }

void PostCancel(HWND window) {
    if (IsWindow(window)) PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
}

// Moves the view by half its height or width towards one side, stopping at the map's edge.
void PanByKey(int key) {
    const ViewRect& E = WholeMap();
    const float h = ViewHeight();
    const float w = ViewWidth();
    float xMin = g_view.xMin, yMin = g_view.yMin, xMax = g_view.xMax, yMax = g_view.yMax;
    switch (key) {
        case VK_UP:
            xMax = std::min(g_view.xMax + h / 2, E.xMax);
            xMin = xMax - h;
            break;
        case VK_DOWN:
            xMin = std::max(g_view.xMin - h / 2, E.xMin);
            xMax = xMin + h;
            break;
        case VK_RIGHT:
            yMax = std::min(g_view.yMax + w / 2, E.yMax);
            yMin = yMax - w;
            break;
        case VK_LEFT:
            yMin = std::max(g_view.yMin - w / 2, E.yMin);
            yMax = yMin + w;
            break;
        default:
            return;
    }
    PushViewRect(xMin, yMin, xMax, yMax);
    RequestNewFrame();
}

// Keeps the centre and takes `part` of the height and width off each side.
void ZoomIn(float part) {
    const float h = ViewHeight();
    const float w = ViewWidth();
    PushViewRect(g_view.xMin + h * part, g_view.yMin + w * part, g_view.xMax - h * part,
                 g_view.yMax - w * part);
    RequestNewFrame();
}

// Grows each side by `part` of the height or width, each side clamped to the map on its own.
void ZoomOut(float part) {
    const ViewRect& E = WholeMap();
    const float h = ViewHeight();
    const float w = ViewWidth();
    const int pushed =
        PushViewRect(std::max(g_view.xMin - part * h, E.xMin), std::max(g_view.yMin - part * w, E.yMin),
                     std::min(g_view.xMax + part * h, E.xMax), std::min(g_view.yMax + part * w, E.yMax));
    if (pushed == 0) {
        Beep();
        return;
    }
    RequestNewFrame();
}

void EndDrag() {
    g_dragArmed = 0;
    ReleaseCapture();
    SetROP2(g_hdc, R2_COPYPEN);
    RequestNewFrame();
}

// A view 1.5 times as large as the current one, centred on the click.
void ZoomOutAtPoint(int x, int y) {
    float X = 0.0f, Y = 0.0f;
    ScreenToPlan(x, y, &X, &Y);
    const ViewRect& E = WholeMap();
    const float h = ViewHeight();
    const float w = ViewWidth();
    const int pushed =
        PushViewRect(std::max(X - kZoomOutAtPoint * h, E.xMin), std::max(Y - kZoomOutAtPoint * w, E.yMin),
                     std::min(X + kZoomOutAtPoint * h, E.xMax), std::min(Y + kZoomOutAtPoint * w, E.yMax));
    if (pushed == 0) {
        Beep();
        return;
    }
    EndDrag();
}

// The view of the rectangle drawn on the screen, whichever way it was dragged.
void FinishZoomRectangle() {
    const POINT from = g_rubberBand[0];
    const POINT to = g_rubberBand[2];
    if (std::abs(to.x - from.x) > kDragSlop && std::abs(to.y - from.y) > kDragSlop) {
        float X1 = 0.0f, Y1 = 0.0f, X2 = 0.0f, Y2 = 0.0f;
        ScreenToPlan(std::min(from.x, to.x), std::max(from.y, to.y), &X1, &Y1);
        ScreenToPlan(std::max(from.x, to.x), std::min(from.y, to.y), &X2, &Y2);
        PushViewRect(X1, Y1, X2, Y2);
    }
    EndDrag();
}

// The plan follows the mouse: the view moves against the drag.
void FinishPan(int x, int y) {
    const POINT from = g_rubberBand[0];
    if (std::abs(x - from.x) > kDragSlop || std::abs(y - from.y) > kDragSlop) {
        float X0 = 0.0f, Y0 = 0.0f, X1 = 0.0f, Y1 = 0.0f;
        ScreenToPlan(from.x, from.y, &X0, &Y0);
        ScreenToPlan(x, y, &X1, &Y1);
        const float dx = X0 - X1;
        const float dy = Y0 - Y1;
        const ViewRect& top = g_zoom.entries[std::min<int>(g_zoom.zoomDepth, kZoomStackSize)];
        PushViewRect(top.xMin + dx, top.yMin + dy, top.xMax + dx, top.yMax + dy);
    }
    EndDrag();
}

void ShowIdleCursor() { ShowShellCursor(IsWindow(g_measureWindow) ? measureCursor : arrowCursor); }

}  // namespace

void StepBack() {
    if (g_zoom.zoomDepth <= 2) return;
    g_zoom.zoomDepth = static_cast<uint16_t>(g_zoom.zoomDepth - 1);
    RequestNewFrame();
}

void ReturnToWholeCity() {
    PostCancel(g_measureWindow);
    PostCancel(g_objWindow);
    SetCursor(waitCursor);
    g_objTheme = nullptr;
    if (g_zoom.zoomDepth > 1) g_zoom.zoomDepth = 1;
    // The overview builds the style set again when it paints.
    ReleaseStyleSet();
    RequestNewFrame();
}

void OnKeyDown(WPARAM key, LPARAM flags) {
    if ((flags & KF_REPEAT_BIT) != 0) return;
    switch (key) {
        case VK_OEM_2:
            // The locator marks itself as shown through the outline request; the key release
            // takes it away again.
            if (g_toolRoutines.drawLocator != nullptr && g_areas != nullptr && g_area_count > 0) {
                g_districtShown = &g_areas[0];
                g_toolRoutines.drawLocator();
            }
            break;
        case VK_SHIFT:
            if (g_zoom.zoomDepth > 1 && !PaletteToolActive()) {
                ShowShellCursor(panCursor);
                g_dragArmed = 1;
            }
            break;
        case VK_CONTROL:
            if (!PaletteToolActive()) {
                ShowShellCursor(zoomRectCursor);
                g_dragArmed = 1;
            }
            break;
        case VK_PRIOR:
            StepBack();
            break;
        case VK_HOME:
            ReturnToWholeCity();
            break;
        case VK_UP:
        case VK_DOWN:
        case VK_RIGHT:
        case VK_LEFT:
            if (MapShown()) PanByKey(static_cast<int>(key));
            break;
        default:
            break;
    }
}

void OnKeyUp(WPARAM, LPARAM) {
    if (PaletteToolActive()) return;
    if (g_districtShown != nullptr) {
        g_districtShown = nullptr;
        RequestRepaint();
        return;
    }
    if (g_dragArmed == 1 && (g_mouseMode == kMouseZoomRect || g_mouseMode == kMousePan)) return;
    ShowIdleCursor();
    g_dragArmed = 0;
}

void OnChar(WPARAM character) {
    if (!MapShown()) return;
    switch (character) {
        case '+':
            ZoomIn(kZoomInTwice);
            break;
        case '*':
            ZoomIn(kZoomInThrice);
            break;
        case '-':
            ZoomOut(kZoomOutStep);
            break;
        case '/':
            ZoomOut(kZoomOutThrice);
            break;
        default:
            break;
    }
}

void OnLeftButtonDown(WPARAM keys, LPARAM position) {
    const int x = MouseX(position);
    const int y = MouseY(position);
    if (!MapShown()) return;
    if (OnOverview() && keys != kLeftWithControl && g_paletteTool != kToolZoomRect) return;

    if (g_dragArmed == 0 && g_paletteTool != kToolZoomRect && g_paletteTool != kToolPan) {
        // The zoom-out tool acts on the release.
        if (g_paletteTool != kToolNone && g_paletteTool != kToolInformation) return;
        if (g_mouseMode == kMouseMeasuring) {
            // Points are added on the release.
            if (g_measureCount == 0) g_rubberBand[0] = g_rubberBand[1] = POINT{x, y};
            return;
        }
        if (g_toolRoutines.showInfoAt != nullptr) g_toolRoutines.showInfoAt(x, y);
        return;
    }

    g_dragArmed = 1;
    // Left of the overview map lies the inset, which cannot be zoomed into.
    if (OnOverview() && x < g_inset_limit) {
        ShowShellCursor(arrowCursor);
        g_dragArmed = 0;
        return;
    }
    SetROP2(g_hdc, R2_NOT);
    SetBkMode(g_hdc, TRANSPARENT);
    if (keys == kLeftWithShift || g_paletteTool == kToolPan) {
        SelectObject(g_hdc, g_fixed.pen_rubber_band);
        g_mouseMode = kMousePan;
    } else if (keys == kLeftWithControl || g_paletteTool == kToolZoomRect) {
        SelectObject(g_hdc, g_fixed.pen_rubber_band);
        g_mouseMode = kMouseZoomRect;
    }
    SetCapture(g_hwndMain);
    for (POINT& p : g_rubberBand) p = POINT{x, y};
}

void OnMouseMove(WPARAM, LPARAM position) {
    const int x = MouseX(position);
    const int y = MouseY(position);
    if (g_dragArmed == 1) {
        // Under R2_NOT drawing the band again erases it.
        if (g_mouseMode == kMouseZoomRect) {
            Polyline(g_hdc, g_rubberBand, 5);
            g_rubberBand[1].x = g_rubberBand[2].x = x + kRectReach;
            g_rubberBand[2].y = g_rubberBand[3].y = y + kRectReach;
            Polyline(g_hdc, g_rubberBand, 5);
        } else if (g_mouseMode == kMousePan) {
            Polyline(g_hdc, g_rubberBand, 2);
            g_rubberBand[1] = POINT{x, y};
            Polyline(g_hdc, g_rubberBand, 2);
        }
        return;
    }
    const bool coordinates = IsWindow(g_hwndCoordinates) != FALSE;
    if (!coordinates && g_mouseMode != kMouseMeasuring) return;
    float X = 0.0f, Y = 0.0f;
    ScreenToPlan(x, y, &X, &Y);
    if (coordinates && g_toolRoutines.showCoordinates != nullptr) g_toolRoutines.showCoordinates(X, Y);
    if (g_mouseMode == kMouseMeasuring && g_toolRoutines.trackMeasureCursor != nullptr) {
        g_toolRoutines.trackMeasureCursor(X, Y, g_rubberBand);
    }
}

void OnLeftButtonUp(WPARAM, LPARAM position) {
    const int x = MouseX(position);
    const int y = MouseY(position);
    // A press with both Shift and Ctrl, or a drag whose mode a repaint ended, took the mouse
    // without a drag to finish: give it back so that it is never left captured.
    if (g_dragArmed == 1 && g_mouseMode != kMouseZoomRect && g_mouseMode != kMousePan &&
        GetCapture() == g_hwndMain) {
        g_dragArmed = 0;
        ReleaseCapture();
        if (g_mouseMode != kMouseMeasuring) SetROP2(g_hdc, R2_COPYPEN);
    }
    if (!MapShown()) return;
    if (OnOverview() && g_mouseMode != kMouseZoomRect) return;

    if (g_paletteTool == kToolZoomOutAtPoint) {
        ZoomOutAtPoint(x, y);
        return;
    }
    switch (g_mouseMode) {
        case kMouseZoomRect:
            FinishZoomRectangle();
            break;
        case kMousePan:
            FinishPan(x, y);
            break;
        case kMouseMeasuring:
            if (g_toolRoutines.measureClick != nullptr) g_toolRoutines.measureClick(g_rubberBand);
            break;
        default:
            if (g_toolRoutines.removeTip != nullptr) g_toolRoutines.removeTip();
            break;
    }
}

void OnRightButtonDown(WPARAM keys, LPARAM position) {
    if (PaletteToolActive()) return;
    if (keys == kRightWithControl) {
        StepBack();
        return;
    }
    const int x = MouseX(position);
    const int y = MouseY(position);
    if (IsWindow(g_measureWindow)) {
        if (g_toolRoutines.measurePopup != nullptr) g_toolRoutines.measurePopup(x, y);
        return;
    }
    if (g_toolRoutines.showStreetNameAt != nullptr) g_toolRoutines.showStreetNameAt(x, y);
}

void OnRightButtonUp(WPARAM, LPARAM position) {
    if (IsWindow(g_measureWindow) || PaletteToolActive() || g_objTheme != nullptr) return;
    if (g_toolRoutines.showStreetNameAt != nullptr)
        g_toolRoutines.showStreetNameAt(MouseX(position), MouseY(position));
}
