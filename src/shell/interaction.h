// What the window procedure, the paint and the navigation input share: the mouse mode, the
// armed drag, the palette tool, the small windows the shell keeps, the overlay timer, and the
// two ways of asking for a picture.
#pragma once

#include <cstdint>

#include "platform/user.h"
#include "print/print_view.h"  // g_printInColor, which the "Print" commands set

constexpr uint16_t kMouseIdle = 0;
constexpr uint16_t kMouseZoomRect = 2;
constexpr uint16_t kMousePan = 4;
constexpr uint16_t kMouseMeasuring = 5;

constexpr uint32_t kToolNone = 0;
constexpr uint32_t kToolZoomOutAtPoint = 1;
constexpr uint32_t kToolZoomRect = 2;
constexpr uint32_t kToolPan = 3;
constexpr uint32_t kToolInformation = 4;  // acts as no tool

extern uint16_t g_mouseMode;
extern uint32_t g_dragArmed;    // 1 while Shift or Ctrl shows its cursor, or while a drag runs
extern uint32_t g_paletteTool;  // initially the information tool
extern HWND g_hwndPalette;
extern HWND g_hwndCoordinates;
extern UINT_PTR g_overlayTimer;  // the running one-shot overlay timer; 0 when none

// The polyline of a drag: five corners of a rectangle (back to the start), or the first two
// points for a line.
extern POINT g_rubberBand[5];

// Sets every value above to its start-up value.
void ResetInteractionState();

// True while a palette tool (zoom out at a point, zoom rectangle, pan) takes the mouse.
bool PaletteToolActive();

// The next paint composes a new frame.
void RequestNewFrame();
// The next paint only restores the window from the stored frame.
void RequestRepaint();

// Shows the cursor now and keeps it as the window's cursor while the mouse moves.
void ShowShellCursor(HCURSOR cursor);
