// A drawing surface without a window, for rendering to files, benchmarks and tests: a memory
// context stands in for the window's context, so ComposeFrame runs exactly as in a paint.
#pragma once

#include "platform/types.h"

// Makes g_hdc (the stand-in window), g_hdcMem and g_hbmMem of width x height pixels, sets the
// client rectangle and makes the screen 96 pixels per inch wide. False when the contexts or
// bitmaps cannot be made (nothing is left behind then).
bool OpenOffscreenSurface(int width, int height);
// The stand-in window: what a paint leaves on the screen, caption and edge included.
HDC OffscreenWindowDC();
HBITMAP OffscreenWindowBitmap();
// Deletes the contexts, the bitmaps and the frame's clip region; g_hdc and g_hdcMem become null.
void CloseOffscreenSurface();
