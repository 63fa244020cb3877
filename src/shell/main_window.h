// The main window of the viewer: its handle and resources, the window procedure, and the life
// of the program around it (start-up, the message loop, shutdown). Drawing code needs the
// window's handle for the few things it asks of the window itself: a repaint, a menu check
// mark, the end of the program.
#pragma once

#include "platform/types.h"
#include "platform/user.h"

// Null until the window exists (and in tools and tests that draw without one).
extern HWND g_hwndMain;
// The module whose resources the program uses; null until start-up.
extern HINSTANCE g_hInstance;
extern char g_windowTitle[100];  // string 103
extern char g_className[100];    // string 109
extern HACCEL g_hAccel;          // accelerator table 209
// The menu "Popup1", whose first popup the measurement tool shows on a right click.
extern HMENU g_hMeasureMenu;

// The cursors, made at start-up and kept for the whole run.
extern HCURSOR arrowCursor;
extern HCURSOR waitCursor;
extern HCURSOR zoomRectCursor;
extern HCURSOR panCursor;
extern HCURSOR tipCursor;
extern HCURSOR measureCursor;
extern HCURSOR zoomOutCursor;

LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Everything before the message loop: the district names, the selection list, the window shown
// maximised, the drawing surface, fixed objects, cursors and the style set, and the request for
// the first frame. False when the window cannot be made; nothing is left behind then.
bool StartViewer(HINSTANCE instance);
// One message of the loop: an accelerator key becomes its command, anything else is translated
// and dispatched.
void DispatchViewerMessage(MSG* msg);
// Runs until the quit message; returns its code.
int RunMessageLoop();
// Releases everything start-up and the run made, each once.
void ShutdownViewer();
// The whole program: 0 when the window cannot be made, else the code of the quit message.
int RunViewer(HINSTANCE instance);
