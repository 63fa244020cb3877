// The drawing surface every drawing routine works on.
#pragma once

#include <cstdint>

#include "platform/types.h"

extern HDC g_hdc;          // the current drawing context (window, paint, memory or printer)
extern HDC g_hdcMem;       // the off-screen frame's context; g_hbmMem stays selected into it
extern HBITMAP g_hbmMem;   // the last composed frame
extern RECT g_clientRect;  // the client rectangle of the main window
extern int32_t g_clientWidth;
extern int32_t g_clientHeight;
extern uint16_t g_needRedraw;  // 1: the next paint composes a new frame; 0: it copies the stored one
