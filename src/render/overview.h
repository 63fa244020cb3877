// The whole-city overview: the inset map of 1.tqf on the left, the plan at a fitting scale on
// the right with the water and labels of 2.tqf, fixed geographic labels and the maker's
// caption. Both files are read afresh at every overview paint. The overview always uses the
// day colours, whatever the display mode.
#pragma once

#include <cstdint>

#include "platform/types.h"

// Left edge of the overview map minus 50 pixels: presses left of it are not drags of the map.
extern int32_t g_inset_limit;

// The two lines of the maker's caption.
extern const char kMakerCaptionLine1[];
extern const char kMakerCaptionLine2[];

// Composes the overview into g_hdc (the frame being composed); needs the main files loaded.
void DrawOverview();
// The inset from 1.tqf in the box (6, 2) to (width, height - 1).
void DrawInsetMap(int width, int height);
// The plan overview at the right edge of the client area.
void DrawOverviewMap(int width, int height);
// Reads one label record from g_fd_overview and draws it: yellow, then `colour` up-left of it.
// False when the record is cut short.
bool DrawOverviewLabel(COLORREF colour);
