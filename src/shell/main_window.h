// The main window of the viewer. Drawing code needs its handle for the few things it asks of
// the window itself: a repaint, a menu check mark, the end of the program.
#pragma once

#include "platform/types.h"

// Null until the window exists (and in tools and tests that draw without one).
extern HWND g_hwndMain;
