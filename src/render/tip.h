// The one-line tip a press on a street or on open ground shows next to the cursor. It is drawn
// straight onto the window, outside the composed frame, and keeps a copy of the pixels it covers
// so that the release of the button gives them back without a new frame.
#pragma once

#include <cstdint>

#include "platform/types.h"

struct TipState {
    int16_t tipX;  // top-left corner of the text cell, window pixels
    int16_t tipY;
    // The saved area: from (tipX - kTipBleed, tipY - kTipBleed), tipWidth x tipHeight pixels.
    int16_t tipWidth;
    int16_t tipHeight;
    HDC tipSaveContext;
    HBITMAP tipSaveBitmap;  // null while no tip is on the window
};

extern TipState g_tip;

// Pixels saved around the text cell on every side: the smoothed letters may reach a little past
// the cell the font reports.
constexpr int kTipBleed = 2;

// Writes `text` (trimmed in place) red on `background` at 6 pixels right of and 6 pixels above
// the cursor at (sx, sy), after saving what it covers. A tip still on the window is given back
// first, so that two tips never stack their saved copies.
void ShowTip(int32_t sx, int32_t sy, char* text, COLORREF background);

// Gives back the pixels the tip covered and forgets it; nothing when no tip is shown.
void RemoveTip();
