#include "shell/interaction.h"

#include "shell/main_window.h"
#include "view/surface.h"

uint16_t g_mouseMode = kMouseIdle;
uint32_t g_dragArmed = 0;
uint32_t g_paletteTool = kToolInformation;
HWND g_hwndPalette = nullptr;
HWND g_hwndCoordinates = nullptr;
UINT_PTR g_overlayTimer = 0;
POINT g_rubberBand[5] = {};

void ResetInteractionState() {
    g_mouseMode = kMouseIdle;
    g_dragArmed = 0;
    g_paletteTool = kToolInformation;
    g_hwndPalette = nullptr;
    g_hwndCoordinates = nullptr;
    g_overlayTimer = 0;
    g_printInColor = 0;
    for (POINT& p : g_rubberBand) p = POINT{0, 0};
}

bool PaletteToolActive() {
    return g_paletteTool == kToolZoomOutAtPoint || g_paletteTool == kToolZoomRect ||
           g_paletteTool == kToolPan;
}

void RequestNewFrame() {
    g_needRedraw = 1;
    InvalidateRgn(g_hwndMain, nullptr, TRUE);
}

void RequestRepaint() { InvalidateRgn(g_hwndMain, nullptr, TRUE); }

void ShowShellCursor(HCURSOR cursor) {
    SetCursor(cursor);
    SetClassLongA(g_hwndMain, GCL_HCURSOR, cursor);
}
