// The paint of the main window, the timer that takes an overlay away again, and the frame
// that follows the size of the window.
#pragma once

// Composes a new frame when one was requested, else restores the window from the stored
// frame; then lays the overlays and the search flags on the window and re-establishes the
// mouse mode and cursor from the measurement window and the palette tool.
void PaintMainWindow();

// The overlay timer went off: the window is restored from the stored frame.
void OnOverlayTimer();

// The client area became width x height pixels: the stored frame and the map's clip region are
// made anew at that size and a new frame is requested. A size of 0 (a minimised window) keeps
// everything as it is.
void OnClientSizeChanged(int width, int height);
