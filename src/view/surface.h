// The drawing surface every drawing routine works on.
#pragma once

#include <cstdint>

#include "platform/types.h"

// The window whose client area the surface shows: drawing asks it for a repaint, a menu check
// mark or the end of the program. Null while drawing without a window (tools, tests, printing).
extern HWND g_surfaceWindow;
extern HDC g_hdc;          // the current drawing context (window, paint, memory or printer)
extern HDC g_hdcMem;       // the off-screen frame's context; g_hbmMem stays selected into it
extern HBITMAP g_hbmMem;   // the last composed frame
extern RECT g_clientRect;  // the client rectangle of the main window
extern int32_t g_clientWidth;
extern int32_t g_clientHeight;
extern uint16_t g_needRedraw;  // 1: the next paint composes a new frame; 0: it copies the stored one
