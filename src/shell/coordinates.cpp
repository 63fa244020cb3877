// The "Coordinates" window: latitude and longitude of the point under the mouse.
#include "resources/resources.h"
#include "shell/interaction.h"
#include "shell/main_window.h"
#include "shell/small_windows.h"
#include "view/geographic.h"
#include "view/surface.h"

namespace {

// The template has no item 2: asking for it takes the focus out of the fields, so no caret
// blinks in them.
constexpr int kNoSuchItem = 2;

INT_PTR CALLBACK CoordinatesProc(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_COMMAND) return FALSE;
    const WORD code = HIWORD(wParam);
    if (code == 0) {
        // The close box, Escape or Enter.
        DestroyWindow(window);
        g_hwndCoordinates = nullptr;
        g_needRedraw = 0;
        InvalidateRgn(g_hwndMain, nullptr, TRUE);
        return TRUE;
    }
    if (code == EN_SETFOCUS) SetFocus(GetDlgItem(window, kNoSuchItem));
    return FALSE;
}

void ShowAngle(int field, double degrees) {
    char text[kAngleTextSize];
    FormatAngle(degrees, text, sizeof text);
    SendDlgItemMessageA(g_hwndCoordinates, field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

}  // namespace

void OpenCoordinatesWindow() {
    g_hwndCoordinates =
        CreateDialogParamA(g_hInstance, MAKEINTRESOURCEA(IDD_COORDINATES), g_hwndMain, CoordinatesProc, 0);
    if (g_hwndCoordinates != nullptr) ShowWindow(g_hwndCoordinates, SW_SHOWNA);
}

void ShowCoordinates(float X, float Y) {
    if (!IsWindow(g_hwndCoordinates)) return;
    const GeoPoint point = PlanPointToGeographic(X, Y);
    ShowAngle(kCoordinatesLatitude, point.latitude);
    ShowAngle(kCoordinatesLongitude, point.longitude);
}
