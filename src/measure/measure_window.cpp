// The "Measurements" window, the rubber band from the last point to the cursor, and the
// pop-up menu of the measurement.
#include <cmath>

#include "measure/measure.h"
#include "platform/gdi.h"
#include "platform/user.h"
#include "render/styles.h"
#include "resources/resources.h"
#include "view/geometry.h"
#include "view/shared_state.h"
#include "view/surface.h"
#include "view/view.h"

namespace {

// No pixel handed to the drawing calls lies further out.
constexpr int32_t kScreenReach = 32000;

bool SamePixel(const POINT& a, const POINT& b) { return a.x == b.x && a.y == b.y; }

POINT PixelOf(const PlanPoint& p) {
    POINT pixel{0, 0};
    PlanToScreen(p.x, p.y, &pixel.x, &pixel.y);
    return pixel;
}

// The pixel a plan point was read from, the nearest one: mapping a point back with
// PlanToScreen truncates, which would move every click one pixel up from where it was made.
POINT CursorPixel(float X, float Y) {
    const double sx = (static_cast<double>(Y) - g_view.yMin) * g_view.scale * g_view.pxPerMmX + g_view.vpLeft;
    const double sy =
        g_view.vpBottom - (static_cast<double>(X) - g_view.xMin) * g_view.scale * g_view.pxPerMmY;
    auto nearest = [](double v) {
        if (!(v > -kScreenReach)) return -kScreenReach;
        if (v > kScreenReach) return kScreenReach;
        return static_cast<int32_t>(std::floor(v + 0.5));
    };
    return POINT{nearest(sx), nearest(sy)};
}

const PlanPoint& LastPoint() { return g_measurePoints[g_measureCount - 1]; }

void SetField(int id, const char* text) {
    if (!IsWindow(g_measureWindow)) return;
    SendDlgItemMessageA(g_measureWindow, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void ShowCursorOfWindow(HCURSOR cursor) {
    SetCursor(cursor);
    if (g_surfaceWindow != nullptr) SetClassLongA(g_surfaceWindow, GCL_HCURSOR, cursor);
}

// A band of no length shows nothing, so drawing it neither shows nor erases anything.
void DrawBand(const POINT* rb) {
    if (SamePixel(rb[0], rb[1])) return;
    SelectObject(g_hdc, g_fixed.black_pen);
    SetROP2(g_hdc, R2_NOT);
    Polyline(g_hdc, rb, 2);
}

// Erases the band if it is on the window. It is only there while it hangs from the last
// point's pixel: after the last point was cancelled, or the view moved under a single point,
// the band was wiped by the repaint and drawing it again would leave it behind. Afterwards the
// band hangs from the last point.
void EraseBand(POINT* rb) {
    const POINT last = PixelOf(LastPoint());
    if (SamePixel(rb[0], last)) DrawBand(rb);
    rb[0] = last;
}

// The window shows what the stored frame holds; a new frame already asked for stays asked for.
void Repaint() {
    if (g_surfaceWindow != nullptr) InvalidateRgn(g_surfaceWindow, nullptr, TRUE);
}

void ShowTotals() {
    if (g_measureCount > 1) {
        FormatTotalLength(g_measureText, MeasuredLength());
        SetField(kMeasureTotalField, g_measureText);
    }
    if (g_measureCount > 2) {
        FormatArea(g_measureText, MeasuredArea());
        SetField(kMeasureAreaField, g_measureText);
    }
}

void CancelMeasuredLine() {
    ClearMeasurePoints();
    SetField(kMeasureCurrentField, "");
    SetField(kMeasureTotalField, "");
    SetField(kMeasureAreaField, "");
    Repaint();
}

void CancelLastPoint() {
    --g_measureCount;
    g_measureRoad = nullptr;
    g_measureSegment = 0;
    if (g_measureCount > 0) {
        // Only to know which street the path now goes on from.
        PlanPoint last = LastPoint();
        int32_t segment = 0;
        g_measureRoad = SnapToRoad(&last, &segment);
        if (g_measureRoad != nullptr) g_measureSegment = segment;
    }
    FormatTotalLength(g_measureText, MeasuredLength());
    SetField(kMeasureTotalField, g_measureText);
    // Fewer than three points close no polygon: an area left standing would be of one that is gone.
    if (g_measureCount > 2) {
        FormatArea(g_measureText, MeasuredArea());
        SetField(kMeasureAreaField, g_measureText);
    } else {
        SetField(kMeasureAreaField, "");
    }
    Repaint();
}

INT_PTR MeasureDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            // Where a hidden button cannot hold the focus, the fields refuse typing themselves.
            for (int id :
                 {kMeasureRelativeField, kMeasureCurrentField, kMeasureTotalField, kMeasureAreaField})
                SendDlgItemMessageA(dialog, id, EM_SETREADONLY, TRUE, 0);
            SetFocus(GetDlgItem(dialog, IDCANCEL));
            return FALSE;
        case WM_COMMAND:
            // The fields can be read but not typed into: the focus goes back to the hidden button.
            if (HIWORD(wParam) == EN_SETFOCUS) {
                SetFocus(GetDlgItem(dialog, IDCANCEL));
                return TRUE;
            }
            if (HIWORD(wParam) == 0) {
                StopMeasurement();
                return TRUE;
            }
            return FALSE;
        case WM_DESTROY:
            // Closed with the main window rather than by a command: the points go with it.
            if (dialog == g_measureWindow) {
                g_measureWindow = nullptr;
                CloseMeasurePoints();
            }
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void StartMeasurement(int mode) {
    if (IsWindow(g_measureWindow)) return;
    if (!OpenMeasurePoints(mode == kMeasureOnStreets ? kMeasureOnStreets : kMeasureOnLines)) return;
    const HINSTANCE instance = ProgramInstance();
    ShowCursorOfWindow(LoadCursorA(instance, MAKEINTRESOURCEA(IDC_MEASURE)));
    SetROP2(g_hdc, R2_NOT);
    SelectObject(g_hdc, g_fixed.black_pen);
    SelectObject(g_hdc, g_fixed.white_brush);
    g_measureWindow = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MEASUREMENTS), g_surfaceWindow,
                                         MeasureDialogProc, 0);
    if (g_measureWindow == nullptr) {
        CloseMeasurePoints();
        ShowCursorOfWindow(LoadCursorA(nullptr, IDC_ARROW));
        SetROP2(g_hdc, R2_COPYPEN);
        return;
    }
    ShowWindow(g_measureWindow, SW_SHOWNA);
}

void StopMeasurement() {
    const HWND window = g_measureWindow;
    g_measureWindow = nullptr;
    if (window != nullptr) DestroyWindow(window);
    CloseMeasurePoints();
    ShowCursorOfWindow(LoadCursorA(nullptr, IDC_ARROW));
    SetROP2(g_hdc, R2_COPYPEN);
    Repaint();
}

void MeasureClick(POINT* rb) {
    if (rb == nullptr || g_measurePoints == nullptr || !IsWindow(g_measureWindow)) return;
    float X = 0.0f;
    float Y = 0.0f;
    ScreenToPlan(rb[1].x, rb[1].y, &X, &Y);
    if (g_measureCount > 0) EraseBand(rb);

    const MeasureStep step = MeasureClickAt(X, Y, rb);
    if (step == MeasureStep::kOutOfRoom) {
        StopMeasurement();
        return;
    }
    if (step == MeasureStep::kAddedOffStreet) MessageBeep(MB_ICONEXCLAMATION);
    // The band now starts at the new point and has no length until the mouse moves: on
    // streets the point may lie off the cursor, and a band drawn from it was never shown.
    rb[1] = rb[0];
    ShowTotals();
}

void TrackMeasureCursor(float X, float Y, POINT* rb) {
    if (rb == nullptr || g_measurePoints == nullptr) return;
    g_measurePoints[g_measureCount] = PlanPoint{X, Y};
    if (g_measureCount == 0) return;
    const PlanPoint& last = LastPoint();
    FormatRelative(g_measureText, static_cast<double>(X) - last.x, static_cast<double>(Y) - last.y);
    SetField(kMeasureRelativeField, g_measureText);
    FormatCurrentLength(g_measureText, Distance(last.x, last.y, X, Y));
    SetField(kMeasureCurrentField, g_measureText);
    EraseBand(rb);
    rb[1] = CursorPixel(X, Y);
    DrawBand(rb);
}

void MeasurePopup(int sx, int sy) {
    if (!IsWindow(g_measureWindow)) return;
    HMENU menu = LoadMenuA(ProgramInstance(), kMeasureMenuName);
    if (menu == nullptr) return;
    HMENU popup = GetSubMenu(menu, 0);
    UINT choice = 0;
    if (popup != nullptr) {
        POINT at{sx, sy};
        ClientToScreen(g_surfaceWindow, &at);
        choice = static_cast<UINT>(
            TrackPopupMenuEx(popup, TPM_LEFTALIGN | TPM_RETURNCMD, at.x, at.y, g_surfaceWindow, nullptr));
    }
    DestroyMenu(menu);
    // The menu waits in a loop of its own; the measurement may have ended meanwhile.
    if (!IsWindow(g_measureWindow) || g_measurePoints == nullptr) return;
    if (choice == kCmdCancelMeasurement || (choice == kCmdCancelLastPoint && g_measureCount == 0)) {
        CancelMeasuredLine();
    } else if (choice == kCmdCancelLastPoint) {
        CancelLastPoint();
    }
}
